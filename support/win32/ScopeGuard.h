#pragma once
// Work that must happen when a scope is left, however it is left: by return or by exception.

#include <utility>

namespace jitswap {

template <class Action>
class ScopeGuard {
public:
    explicit ScopeGuard(Action action) noexcept : m_action(std::move(action)) {}
    ~ScopeGuard() { m_action(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    Action m_action;
};

// const auto guard = OnScopeExit([&] { ... });
template <class Action>
[[nodiscard]] ScopeGuard<Action> OnScopeExit(Action action) noexcept
{
    return ScopeGuard<Action>(std::move(action));
}

} // namespace jitswap
