#pragma once
// Tells when a registry key, or anything under it, changes: the system signals an event, which the
// message loops wait for (LoopWait). No thread and no polling. A key that does not exist yet is
// waited for at its nearest existing parent, so it is watched from the moment it is created.

#include "support/loop/LoopWait.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace jitswap {

class RegistryWatch {
public:
    // `view` is 0, KEY_WOW64_64KEY or KEY_WOW64_32KEY. `changed` runs on the user-interface thread
    // after a change, with the watch armed again already; changes in quick succession may come as
    // one. A change the watch cannot see leaves it unarmed rather than throwing.
    RegistryWatch(HKEY root, std::wstring path, REGSAM view, std::function<void()> changed);
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    // False when the registry refused the watch (a key that may not be read, say): whoever relies
    // on it must then look for itself.
    bool IsArmed() const noexcept { return m_armed; }

private:
    void Arm();
    void Signalled();

    HKEY m_root;
    std::wstring m_path;
    REGSAM m_view;
    std::function<void()> m_changed;
    UniqueHandle m_event;
    UniqueHKey m_key;
    std::wstring m_watchedPath;  // m_path, or the parent of it that exists
    bool m_armed = false;
    std::optional<LoopWait> m_wait;
};

} // namespace jitswap
