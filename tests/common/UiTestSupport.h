#pragma once
// Helpers for tests that drive real windows in the test's own process under Wine.

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace jitswap::test {

// Runs the program's own message processing until `done` holds or the time is up. Returns
// whether `done` held. A WM_QUIT met on the way is recorded in `quitCode`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, std::optional<int>* quitCode = nullptr);

// Runs the message processing for a while.
void PumpFor(DWORD milliseconds);

// Processes what is there already, without waiting: the queued messages and the notices of
// signalled objects the program waits for (a registry change made a moment ago, say).
void PumpPending();

// Runs `action` (if any) from inside the next menu this thread opens, then closes that menu. Menus
// run a modal loop of their own, where a test cannot otherwise reach.
void CloseNextMenu(std::function<void()> action = {});

// What a watcher saw of a dialog window (a message box, say).
struct SeenDialog {
    std::wstring caption;
    std::vector<std::wstring> texts;  // the window texts of its static controls
    std::map<int, std::wstring> controlTexts;  // every child's text, by control ID
    std::vector<int> buttons;         // the IDs of its buttons
    bool hasIcon = false;
    UINT iconStyle = 0;               // MB_ICONERROR, MB_ICONQUESTION or MB_ICONEXCLAMATION when recognised
};

// Watches, from a thread of its own, for top-level windows of this process of the given class;
// answers each by pressing the button `answer` and records what it saw. It needs no cooperation
// from the modal loop the window runs in.
class DialogWatcher {
public:
    explicit DialogWatcher(int answer, const wchar_t* windowClass = L"#32770");
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Everything answered so far (thread-safe copy).
    std::vector<SeenDialog> Seen() const;
    size_t Count() const;

private:
    void Run();

    int m_answer;
    std::wstring m_class;
    std::atomic<bool> m_stop{false};
    mutable std::atomic_flag m_lock = ATOMIC_FLAG_INIT;
    std::vector<SeenDialog> m_seen;
    std::vector<HWND> m_answered;
    std::thread m_thread;
};

// The visible top-level windows of this process with the given class.
std::vector<HWND> VisibleWindowsOfThisProcess(const std::wstring& windowClass);

// The captions of a menu's items in menu order; "-" for a separator.
std::vector<std::wstring> MenuCaptions(HMENU menu);

// Reads what a dialog shows: caption, static texts, button IDs and the icon kind.
SeenDialog Describe(HWND dialog);

// Deletes a registry key and everything under it; absent is fine.
void DeleteRegistryTree(HKEY root, const wchar_t* subkey);

// What everyone may do with a registry key; the key's owner can always change it back. `view` is
// KEY_WOW64_32KEY or KEY_WOW64_64KEY for a key of one registry view, 0 for the program's own.
enum class KeyAccess { Full, ReadOnly, None };
void SetKeyAccess(HKEY root, const wchar_t* subkey, KeyAccess access, REGSAM view = 0);

// Makes the folder (created if needed) one that Everyone may change, as a debugger's must not be.
// Wine keeps a file's permissions as its Unix mode: the folder becomes world-writable.
void MakeFolderEveryoneMayChange(const std::wstring& folder);

} // namespace jitswap::test
