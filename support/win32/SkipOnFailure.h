#pragma once
// A step of a longer job whose failure costs only its own effect: the job goes on without it.

#include <exception>
#include <utility>

namespace jitswap {

template <class Step>
void SkipOnFailure(Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
    } catch (const std::exception&) {
        // Skipped: what the step would have done stays undone, and nothing else.
    }
}

} // namespace jitswap
