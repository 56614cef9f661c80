#include "aedebug/SystemDebuggerWatch.h"

#include "aedebug/AeDebugKey.h"
#include "support/win32/HostFamily.h"

namespace jitswap {

SystemDebuggerWatch::SystemDebuggerWatch(std::function<void()> changed)
{
    // WIN.INI sends no notice of its changes.
    if (!qsIsHostWinNT()) return;
    const auto watch = [&](REGSAM view) {
        m_views.push_back(std::make_unique<RegistryWatch>(HKEY_LOCAL_MACHINE, kAeDebugSubkey, view, changed));
    };
    const AeDebugViews views = AeDebugViewsHere();
    watch(views.native);
    // Often absent until something writes it: its watch waits at the parent for it to appear.
    if (views.wow32) watch(*views.wow32);
}

bool SystemDebuggerWatch::IsArmed() const noexcept
{
    if (m_views.empty()) return false;
    for (const auto& view : m_views) {
        if (!view->IsArmed()) return false;
    }
    return true;
}

} // namespace jitswap
