#pragma once
// Tells when the system's just-in-time debugger setting changes, in any registry view, whoever
// changes it: the message loops wait for the registry's signal (RegistryWatch).

#include "support/registry/RegistryWatch.h"

#include <functional>
#include <memory>
#include <vector>

namespace jitswap {

class SystemDebuggerWatch {
public:
    // `changed` runs on the user-interface thread after a change to any view.
    explicit SystemDebuggerWatch(std::function<void()> changed);

    // False where the setting cannot be watched (WIN.INI, or a key the registry refuses to
    // watch): the caller must then read it whenever it needs it.
    bool IsArmed() const noexcept;

private:
    std::vector<std::unique_ptr<RegistryWatch>> m_views;
};

} // namespace jitswap
