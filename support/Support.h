#pragma once
// What the program calls of its support library: small services over Win32 that the windows and
// modules share. Every failure is raised as an exception (Win32Error or std::runtime_error).

#include "support/ExecutablePath.h"
#include "support/SettingsStore.h"
#include "support/TextTrim.h"
#include "support/UniqueHandle.h"
#include "support/Win32Error.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace jitswap {

// ---- The running program ---------------------------------------------------------------------

// What the executable says of itself in its version block.
struct ApplicationInfo {
    std::wstring title;        // "ProductName"
    std::wstring version;      // "1.00.0006", from the fixed file version
    std::wstring description;  // "FileDescription"
    std::wstring company;      // "CompanyName"
    std::wstring copyright;    // "LegalCopyright"
};
ApplicationInfo ReadApplicationInfo();

// The application title, the caption of every message box.
inline constexpr wchar_t kApplicationTitle[] = L"Quarvel - Jitswap";

// Nothing to record: the program needs no registration of its path to run. Kept so start-up
// reads as a sequence of the same steps on every build; returns true.
bool qsRegisterAppPath();

// Always false: the program never runs inside a development environment that owns its windows.
bool qsIsInIDE();

// The hidden window that owns every window of the program shown without an owner of its own,
// which keeps them off the taskbar. Created on first use; lives until the process ends.
HWND qsGetThunderMainHandle();

// Sets the big and small icons of the window from the icon group, at the sizes the system uses at
// the window's DPI.
void qsSetWindowResIconAll(HWND window, const wchar_t* iconGroup);

// Centres the window on the work area of the monitor the mouse pointer is on.
void qsCenterFormEx(HWND window);

// The icon group at the notification area's icon size for the DPI; the caller owns it.
UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi);

// Selects the whole text of an edit control.
void qsHighlightText(HWND edit);

// An ANSI text resource of the executable, as wide text. Throws when it is missing.
std::wstring qsLoadResTextA(const wchar_t* name, const wchar_t* type);

// Destroys the window; the form's own destruction handling runs as for any other close.
void qsUnloadForm(HWND window);

// ---- Host and text ---------------------------------------------------------------------------

// True on the NT family of Windows (every Windows this program runs on today).
bool qsIsHostWinNT();

// The text of an ANSI buffer up to its first NUL, converted to wide text.
std::wstring qsGetStringFromPointerA(const char* buffer);

// ---- Objects ---------------------------------------------------------------------------------

// Tells whether another process of this session already claimed an identity.
class InstanceGuard {
public:
    // True when no other process holds `identity`; the claim lasts as long as this object.
    bool Acquire(std::wstring_view identity);

private:
    UniqueHandle m_claim;
};

// Start with Windows: a value named after the identity under the current user's Run key, holding
// the executable's quoted path.
class AutostartRegistry {
public:
    bool IsRegistered(std::wstring_view identity) const;
    // `options` is reserved and must be 0. Returns true when the registration was written.
    bool Register(std::wstring_view identity, int options);
    // Returns true when no registration remains.
    bool Unregister(std::wstring_view identity);
};

class AboutForm;

// The About window: icon, title, version, copyright, description and dedication, with an OK
// button. Asked again while it is open, it comes to the front instead of opening twice.
class AboutBox {
public:
    AboutBox();
    ~AboutBox();
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    // Returns when the user has closed the window. `picture` replaces the program's icon if given.
    void ShowAbout(HWND owner, const ApplicationInfo& application, std::wstring_view description,
                   HBITMAP picture, std::wstring_view dedication);

private:
    AboutForm* m_open = nullptr;
};

// The settings store of this program: HKEY_CURRENT_USER\Software\Quarvel\Jitswap, one key per section.
std::unique_ptr<SettingsStore> OpenAppSettingsStore();

// The kinds of registry value the program reads and writes.
enum class ValueKind { Text = 0 };

// Registry values as text, for values that other programs and the system itself read.
class RegistryAccessor {
public:
    // The value as text (see RegistryValueAsText); empty when the key or value is absent or
    // cannot be read as text. Other failures throw.
    std::wstring ReadValue(HKEY root, const std::wstring& subkey, const std::wstring& name, ValueKind kind);
    // Writes a REG_SZ value, creating the key when it is absent. True exactly on success.
    bool WriteValue(HKEY root, const std::wstring& subkey, const std::wstring& name, ValueKind kind,
                    const std::wstring& value);
    // True exactly when the value is gone afterwards (also when it was absent already).
    bool DeleteValue(HKEY root, const std::wstring& subkey, const std::wstring& name);
};

// The system's dialog for choosing one existing file.
class FileDialog {
public:
    std::wstring DefaultExt;   // without the dot, as "EXE"
    std::wstring Filter;       // pairs of display text and pattern, joined by '|'
    DWORD Flags = 0;           // extra OPENFILENAME flags; 0 for the ordinary dialog
    HWND Owner = nullptr;

    // True when the user chose a file.
    bool Show();
    const std::wstring& FileName() const { return m_fileName; }

private:
    std::wstring m_fileName;
};

} // namespace jitswap
