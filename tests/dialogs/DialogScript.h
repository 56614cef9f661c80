#pragma once
// Steps that run on the test's own thread inside whichever message loop is running at the time:
// a dialog's modal loop, a message box's or the file dialog's. A thread timer drives them, so no
// loop has to know about them. Each step waits until its condition holds, then acts; an action may
// open a modal window, and the steps after it then run inside that window's loop.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

namespace jitswap::test {

class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // When `ready` holds, `action` runs. `awaited` names the state waited for, for a failure message.
    DialogScript& When(std::string awaited, std::function<bool()> ready, std::function<void()> action);
    // Runs at the next turn of the loop.
    DialogScript& Then(std::function<void()> action);
    // Runs once `milliseconds` have passed since the step before it ran, for input to arrive.
    DialogScript& After(DWORD milliseconds, std::function<void()> action);

    // Runs `modal` (which returns when its dialog has closed) with the steps, then checks that all of
    // them ran. A step that waits too long fails the test and ends every modal loop, so that nothing hangs.
    void Run(const std::function<void()>& modal);

private:
    struct Step {
        std::string awaited;
        std::function<bool()> ready;
        std::function<void()> action;
        DWORD delay = 0;
        DWORD since = 0;
        bool started = false;
    };

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Advance();
    void GiveUp(const std::string& why);

    std::deque<Step> m_steps;
    UINT_PTR m_timer = 0;
    DWORD m_lastAction = 0;
    bool m_gaveUp = false;
};

} // namespace jitswap::test
