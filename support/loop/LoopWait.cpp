#include "support/loop/LoopWait.h"

#include "support/win32/Win32Error.h"
#include "support/window/RunTimeError.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace jitswap {
namespace {

struct Waited {
    HANDLE object;
    std::function<void()> signalled;
};

// Only the user-interface thread runs message loops that serve waits.
std::vector<Waited>& Waits()
{
    static std::vector<Waited> waits;
    return waits;
}

} // namespace

LoopWait::LoopWait(HANDLE object, std::function<void()> signalled) : m_object(object)
{
    // One slot of the system's limit is the message queue's.
    if (Waits().size() >= MAXIMUM_WAIT_OBJECTS - 1) throw Win32Error("Waiting for a change", ERROR_TOO_MANY_POSTS);
    Waits().push_back({object, std::move(signalled)});
}

LoopWait::~LoopWait()
{
    auto& waits = Waits();
    waits.erase(std::remove_if(waits.begin(), waits.end(), [&](const Waited& w) { return w.object == m_object; }),
                waits.end());
}

bool WaitForMessageOrSignal(DWORD milliseconds)
{
    std::vector<HANDLE> objects;
    for (const Waited& waited : Waits()) objects.push_back(waited.object);
    const auto count = static_cast<DWORD>(objects.size());
    // MWMO_INPUTAVAILABLE: a message already seen but left in the queue still ends the wait.
    const DWORD result =
        MsgWaitForMultipleObjectsEx(count, objects.data(), milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_FAILED) ThrowLastError("Waiting for messages");
    if (result >= WAIT_OBJECT_0 + count) return false;

    // One handler per wait, then the queue again: a key that changes without pause must not
    // starve the user's input. The handler may end its own wait, so it runs from a copy.
    const HANDLE object = objects[result - WAIT_OBJECT_0];
    const auto waited = std::find_if(Waits().begin(), Waits().end(), [&](const Waited& w) { return w.object == object; });
    if (waited == Waits().end()) return false;
    const std::function<void()> handler = waited->signalled;
    RunGuarded(handler);
    return true;
}

bool NextMessage(MSG& message)
{
    while (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) WaitForMessageOrSignal(INFINITE);
    return message.message != WM_QUIT;
}

} // namespace jitswap
