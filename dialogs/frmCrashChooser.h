#pragma once
// "Сбой программы": the window shown when the system starts the program for a crashed one. It
// names the crashed program and offers the catalogue's entries that can debug it. "Отладить"
// (Enter, a double click on the list) tries the selected one; "Не отлаживать" (Esc, the close
// box) and the time limit end it with none.

#include "catalogue/CrashChoices.h"
#include "support/form/Form.h"
#include "support/window/WindowIcons.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace jitswap {

// The crashed program as the window names it.
struct CrashedProgram {
    std::wstring path;
    std::uint32_t processId = 0;
    bool is32Bit = false;
};

class frmCrashChooser final : public Form {
public:
    // "Отладить" and "Не отлаживать" carry the IDs that Enter and Esc press.
    enum ControlId : int {
        kCmdDebug = IDOK,
        kCmdDontDebug = IDCANCEL,
        kLstDebuggers = 100,
        kLblProgram,
        kLblPath,
        kLblProcess,
        kLblDebuggers,
        kLblTimeLimit,
    };

    // Starts the debugger of the choice at that index and says true, or tells the user why not and
    // says false: the list then stays open.
    using DebugAction = std::function<bool(std::size_t index)>;

    frmCrashChooser(const CrashedProgram& program, const std::vector<CrashChoice>& choices, std::size_t first,
                    unsigned timeLimitSeconds, DebugAction debug);

    // Shows the window until a debugger was started (true) or none is to be (false).
    bool ShowDialog();

protected:
    void OnCommand(int id, int notification, HWND control) override;
    void OnDpiChanged() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const CrashedProgram& program, const std::vector<CrashChoice>& choices, std::size_t first);
    void StartTimeLimit();
    void ShowTimeLeft();
    void cmdDebug_Click();
    void cmdDontDebug_Click();

    DebugAction m_debug;
    unsigned m_timeLimit;
    unsigned m_secondsLeft = 0;
    bool m_debugged = false;
    WindowIcons m_icons;
    HWND lstDebuggers = nullptr;
    HWND lblTimeLimit = nullptr;
};

} // namespace jitswap
