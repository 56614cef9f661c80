#include "tests/common/UiTestSupport.h"

#include "support/form/Form.h"
#include "support/loop/LoopWait.h"

#include <aclapi.h>
#include <sddl.h>

#include <chrono>
#include <stdexcept>
#include <algorithm>

namespace jitswap::test {
namespace {

class SpinGuard {
public:
    explicit SpinGuard(std::atomic_flag& flag) : m_flag(flag)
    {
        while (m_flag.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    ~SpinGuard() { m_flag.clear(std::memory_order_release); }

private:
    std::atomic_flag& m_flag;
};

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

UINT RecogniseIcon(HICON icon)
{
    if (!icon) return 0;
    const struct {
        LPCWSTR id;
        UINT style;
    } known[] = {{IDI_HAND, MB_ICONERROR}, {IDI_QUESTION, MB_ICONQUESTION}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_ASTERISK, MB_ICONINFORMATION}};
    for (const auto& candidate : known) {
        if (LoadIconW(nullptr, candidate.id) == icon) return candidate.style;
    }
    return 0;
}

// The action for the menu about to open; test code runs one menu at a time on its thread.
std::function<void()>& PendingMenuAction()
{
    static std::function<void()> action;
    return action;
}

void CALLBACK RunInsideMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const std::function<void()> action = std::move(PendingMenuAction());
    PendingMenuAction() = nullptr;
    if (action) action();
    EndMenu();
}

struct WindowSearch {
    std::wstring windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectIfMatching(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassName(window) == search.windowClass)
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> VisibleWindowsOfThisProcess(const std::wstring& windowClass)
{
    WindowSearch search{windowClass, {}};
    EnumWindows(&CollectIfMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, std::optional<int>* quitCode)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (quitCode) *quitCode = static_cast<int>(message.wParam);
                continue;
            }
            Form::ProcessMessage(message);
        }
        if (done()) return true;
        WaitForMessageOrSignal(10);
    }
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

void PumpPending()
{
    for (bool busy = true; busy;) {
        busy = false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) Form::ProcessMessage(message);
            busy = true;
        }
        if (WaitForMessageOrSignal(0)) busy = true;
    }
}

void CloseNextMenu(std::function<void()> action)
{
    PendingMenuAction() = std::move(action);
    SetTimer(nullptr, 0, 100, &RunInsideMenu);
}

std::vector<std::wstring> MenuCaptions(HMENU menu)
{
    std::vector<std::wstring> captions;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        captions.push_back((info.fType & MFT_SEPARATOR) ? L"-" : text);
    }
    return captions;
}

SeenDialog Describe(HWND dialog)
{
    SeenDialog seen;
    seen.caption = WindowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        seen.controlTexts[GetDlgCtrlID(child)] = WindowText(child);
        const std::wstring name = ClassName(child);
        if (_wcsicmp(name.c_str(), L"Button") == 0) {
            seen.buttons.push_back(GetDlgCtrlID(child));
        } else if (_wcsicmp(name.c_str(), L"Static") == 0) {
            const auto style = GetWindowLongPtrW(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                seen.hasIcon = true;
                seen.iconStyle = RecogniseIcon(reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)));
            } else {
                const std::wstring text = WindowText(child);
                if (!text.empty()) seen.texts.push_back(text);
            }
        }
    }
    return seen;
}

DialogWatcher::DialogWatcher(int answer, const wchar_t* windowClass)
    : m_answer(answer), m_class(windowClass), m_thread([this] { Run(); })
{
}

DialogWatcher::~DialogWatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<SeenDialog> DialogWatcher::Seen() const
{
    SpinGuard guard(m_lock);
    return m_seen;
}

size_t DialogWatcher::Count() const
{
    SpinGuard guard(m_lock);
    return m_seen.size();
}

void DialogWatcher::Run()
{
    while (!m_stop) {
        for (HWND window : VisibleWindowsOfThisProcess(m_class)) {
            {
                SpinGuard guard(m_lock);
                if (std::find(m_answered.begin(), m_answered.end(), window) != m_answered.end()) continue;
            }
            // Let the box finish laying itself out before it is read.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            SeenDialog seen = Describe(window);
            {
                SpinGuard guard(m_lock);
                m_answered.push_back(window);
                m_seen.push_back(std::move(seen));
            }
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(m_answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, m_answer)));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void DeleteRegistryTree(HKEY root, const wchar_t* subkey)
{
    RegDeleteTreeW(root, subkey);
    RegDeleteKeyW(root, subkey);
}

void SetKeyAccess(HKEY root, const wchar_t* subkey, KeyAccess access, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey, 0, READ_CONTROL | WRITE_DAC | view, &key) != ERROR_SUCCESS) return;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    // An empty list grants nothing to anyone.
    PACL acl = nullptr;
    if (access != KeyAccess::None) {
        EXPLICIT_ACCESSW entry{};
        entry.grfAccessPermissions = access == KeyAccess::Full ? KEY_ALL_ACCESS : KEY_READ;
        entry.grfAccessMode = SET_ACCESS;
        entry.grfInheritance = NO_INHERITANCE;
        entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        entry.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
        SetEntriesInAclW(1, &entry, nullptr, &acl);
    }
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl ? acl : &empty, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    if (acl) LocalFree(acl);
    FreeSid(everyone);
    RegCloseKey(key);
}

void MakeFolderEveryoneMayChange(const std::wstring& folder)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;WD)", SDDL_REVISION_1, &descriptor, nullptr))
        throw std::runtime_error("making a security descriptor");
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const DWORD set = SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                            nullptr, dacl, nullptr);
    LocalFree(descriptor);
    if (set != ERROR_SUCCESS) throw std::runtime_error("setting a folder's permissions");
}

} // namespace jitswap::test
