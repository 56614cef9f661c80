#include "tests/dialogs/DialogScript.h"

#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

namespace jitswap::test {
namespace {

constexpr DWORD kTickMs = 15;
constexpr DWORD kStepTimeoutMs = 15000;

// The script of the running test; thread timers carry no context of their own.
DialogScript* g_running = nullptr;

std::string OpenWindows()
{
    std::string text;
    for (const wchar_t* windowClass : {L"JitswapForm", L"#32770"}) {
        for (HWND window : VisibleWindowsOfThisProcess(windowClass)) {
            const SeenDialog seen = Describe(window);
            char caption[256] = {};
            WideCharToMultiByte(CP_UTF8, 0, seen.caption.c_str(), -1, caption, sizeof caption - 1, nullptr, nullptr);
            text += std::string(" [") + caption;
            for (const std::wstring& line : seen.texts) {
                char utf8[512] = {};
                WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
                text += std::string(": ") + utf8;
            }
            text += "]";
        }
    }
    return text.empty() ? " none" : text;
}

} // namespace

DialogScript::DialogScript() = default;

DialogScript::~DialogScript()
{
    if (m_timer) KillTimer(nullptr, m_timer);
    if (g_running == this) g_running = nullptr;
}

DialogScript& DialogScript::When(std::string awaited, std::function<bool()> ready, std::function<void()> action)
{
    m_steps.push_back(Step{std::move(awaited), std::move(ready), std::move(action)});
    return *this;
}

DialogScript& DialogScript::Then(std::function<void()> action)
{
    return When("nothing", [] { return true; }, std::move(action));
}

DialogScript& DialogScript::After(DWORD milliseconds, std::function<void()> action)
{
    m_steps.push_back(Step{"time to pass", [] { return true; }, std::move(action), milliseconds});
    return *this;
}

void DialogScript::Run(const std::function<void()>& modal)
{
    g_running = this;
    m_lastAction = GetTickCount();
    m_timer = SetTimer(nullptr, 0, kTickMs, &DialogScript::Tick);
    ASSERT_NE(m_timer, 0u);
    modal();
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    g_running = nullptr;
    // A loop that ended for a give-up passed the quit request outwards; it must not end the next test's loops.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (!m_gaveUp && !m_steps.empty())
        ADD_FAILURE() << "The dialog closed before the step waiting for " << m_steps.front().awaited;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_running) g_running->Advance();
}

void DialogScript::Advance()
{
    if (m_steps.empty()) return;
    Step& head = m_steps.front();
    const DWORD now = GetTickCount();
    if (!head.started) {
        head.started = true;
        head.since = now;
    }
    if (head.delay && now - m_lastAction < head.delay) return;
    if (!head.ready()) {
        if (now - head.since > kStepTimeoutMs) GiveUp("timed out waiting for " + head.awaited);
        return;
    }
    // The step leaves the queue before it acts: the action may open a modal window, inside whose loop
    // the following steps run.
    std::function<void()> action = std::move(head.action);
    m_steps.pop_front();
    action();
    m_lastAction = GetTickCount();
    if (::testing::Test::HasFatalFailure()) GiveUp("a step failed");
}

void DialogScript::GiveUp(const std::string& why)
{
    if (m_gaveUp) return;
    m_gaveUp = true;
    ADD_FAILURE() << "Dialog script: " << why << "; windows open:" << OpenWindows();
    m_steps.clear();
    PostQuitMessage(0);
}

} // namespace jitswap::test
