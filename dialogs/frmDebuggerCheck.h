#pragma once
// "Проверка отладчика": why the system's debugger would or would not start at a crash, and
// whether it is safe to start. It shows each view's setting with the diagnosis' findings under it,
// each with its kind's icon; "Исправить" switches to the setting with what a switch can mend, and
// the crash buttons crash a program of that bitness on purpose and tell what happened. While it is
// open it follows the registry's notices of changes to the setting. One copy at a time.

#include "aedebug/CrashVerdict.h"
#include "dialogs/BackdropForm.h"
#include "support/registry/SettingsStore.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace jitswap {

class SystemDebuggerWatch;
class TestCrash;

class frmDebuggerCheck final : public BackdropForm {
public:
    enum ControlId : int {
        kCmdClose = IDCANCEL,
        kLstFindings = 100,
        kCmdRepair,
        kCmdCrashNative,  // "Сбой 64-битной программы" (32-bit on 32-bit Windows)
        kCmdCrash32,      // "Сбой 32-битной программы", on 64-bit Windows only
    };

    // The one switch path, as the tray uses it: true when the system holds the choice. `owner` is
    // the window its questions belong to.
    using Switch = std::function<bool(const DebuggerChoice& choice, HWND owner)>;

    // `openStore` reaches the catalogue, where an entry's own 32-bit command line is looked up.
    frmDebuggerCheck(SettingsStoreOpener openStore, Switch switchTo);
    ~frmDebuggerCheck() override;

    // Opens the dialog modally and returns when it has closed; while it is open, it comes to the front.
    void ShowDialog();
    bool IsOpen() const noexcept { return IsLoaded(); }

protected:
    void OnCommand(int id, int notification, HWND control) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend struct frmDebuggerCheckProbe;  // in-process tests read the lines the user sees

    void CreateControls();
    void Refresh();
    void AddLine(const CheckLine& line);
    void cmdRepair_Click();
    void cmdCrashNative_Click();
    void cmdCrash32_Click();
    void Crash(bool wow32);
    void Crash_Done(bool wow32, const CrashOutcome& outcome);
    void EnableButtons();
    int Padding() const;
    RECT TextRect(RECT item) const;

    SettingsStoreOpener m_openStore;
    Switch m_switch;
    bool m_windows64 = false;
    CrashPromise m_promises[2];  // the native view's, the 32-bit view's
    std::optional<DebuggerChoice> m_repair;
    std::vector<CheckLine> m_lines;
    std::vector<CheckLine> m_crashLines;  // kept across refreshes while the dialog is open
    std::unique_ptr<SystemDebuggerWatch> m_watch;
    std::unique_ptr<TestCrash> m_crash;
    HWND lstFindings = nullptr;
    HWND cmdRepair = nullptr;
    HWND cmdCrashNative = nullptr;
    HWND cmdCrash32 = nullptr;
};

} // namespace jitswap
