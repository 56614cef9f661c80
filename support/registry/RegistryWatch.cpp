#include "support/registry/RegistryWatch.h"

#include "support/win32/Win32Error.h"

#include <utility>

namespace jitswap {
namespace {

struct OpenedKey {
    std::wstring path;
    UniqueHKey key;
};

// The key itself or, while it is absent, the nearest parent that exists. Empty when the registry
// refuses one of them for another reason.
std::optional<OpenedKey> NearestExistingKey(HKEY root, std::wstring path, REGSAM view)
{
    for (;;) {
        HKEY opened = nullptr;
        const LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_NOTIFY | view, &opened);
        if (status == ERROR_SUCCESS) return OpenedKey{std::move(path), UniqueHKey(opened)};
        if (status != ERROR_FILE_NOT_FOUND || path.empty()) return std::nullopt;
        const size_t separator = path.find_last_of(L'\\');
        path.resize(separator == std::wstring::npos ? 0 : separator);
    }
}

} // namespace

RegistryWatch::RegistryWatch(HKEY root, std::wstring path, REGSAM view, std::function<void()> changed)
    : m_root(root), m_path(std::move(path)), m_view(view), m_changed(std::move(changed))
{
    m_event.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!m_event) ThrowLastError("Creating an event");
    Arm();
    m_wait.emplace(m_event.get(), [this] { Signalled(); });
}

void RegistryWatch::Signalled()
{
    // Armed again before anyone reads: a change made while they read is then reported too.
    Arm();
    if (m_changed) m_changed();
}

void RegistryWatch::Arm()
{
    auto nearest = NearestExistingKey(m_root, m_path, m_view);
    if (!nearest) {
        m_armed = false;
        return;
    }
    // At a parent only the creation of a subkey matters; the key itself reports everything in it.
    const bool atKey = nearest->path == m_path;
    const DWORD filter = atKey ? REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET : REG_NOTIFY_CHANGE_NAME;
    const auto notify = [&] { return RegNotifyChangeKeyValue(m_key.get(), atKey, filter, m_event.get(), TRUE); };

    // The key watched until now only needs asking again, unless it was deleted under the handle;
    // closing it without need would signal the event for nothing.
    if (m_key && nearest->path == m_watchedPath && notify() == ERROR_SUCCESS) {
        m_armed = true;
        return;
    }
    m_key = std::move(nearest->key);
    m_watchedPath = std::move(nearest->path);
    ResetEvent(m_event.get());  // closing the key watched before signalled it: that was no change
    m_armed = notify() == ERROR_SUCCESS;
}

} // namespace jitswap
