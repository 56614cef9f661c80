#include "support/form/AboutBox.h"

#include "support/form/Form.h"
#include "support/win32/ScopeGuard.h"
#include "support/window/CenterForm.h"

namespace jitswap {

namespace {

enum ControlId { kIcon = 100, kTitle, kVersion, kCopyright, kDescription, kDedication };

} // namespace

class AboutForm final : public Form {
public:
    AboutForm(HWND owner, const ApplicationInfo& application, std::wstring_view description, HBITMAP picture,
              std::wstring_view dedication)
    {
        WindowSpec design;
        design.caption = L"О программе " + application.title;
        design.clientWidthTwips = 5700;
        design.clientHeightTwips = 3375;
        design.owner = owner;
        CreateFormWindow(design);
        SetDefaultButton(IDOK);

        HWND image = AddControl(L"STATIC", nullptr, WS_VISIBLE | (picture ? SS_BITMAP : SS_ICON), {240, 240, 480, 480},
                                kIcon);
        if (picture) {
            SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        } else {
            // The system keeps shared icons, so the window need not free it.
            const int size = SystemMetricForDpi(SM_CXICON, Dpi());
            SendMessageW(image, STM_SETICON,
                         reinterpret_cast<WPARAM>(LoadImageW(GetModuleHandleW(nullptr), L"A_MAIN", IMAGE_ICON, size,
                                                             size, LR_SHARED)),
                         0);
        }
        AddControl(L"STATIC", application.title.c_str(), WS_VISIBLE | SS_NOPREFIX, {960, 240, 4500, 255}, kTitle);
        const std::wstring version = L"Версия " + application.version;
        AddControl(L"STATIC", version.c_str(), WS_VISIBLE | SS_NOPREFIX, {960, 540, 4500, 255}, kVersion);
        AddControl(L"STATIC", application.copyright.c_str(), WS_VISIBLE | SS_NOPREFIX, {960, 840, 4500, 255},
                   kCopyright);
        const std::wstring text(description);
        AddControl(L"EDIT", text.c_str(), WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                   {240, 1200, 5220, 1380}, kDescription, WS_EX_CLIENTEDGE);
        const std::wstring devotion = dedication.empty() ? std::wstring() : L"Посвящается: " + std::wstring(dedication);
        AddControl(L"STATIC", devotion.c_str(), WS_VISIBLE | SS_NOPREFIX, {240, 2790, 3600, 255}, kDedication);
        AddControl(L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {4065, 2760, 1395, 435}, IDOK);
        qsCenterFormEx(Handle());
    }

protected:
    void OnCommand(int id, int notification, HWND) override
    {
        if ((id == IDOK || id == IDCANCEL) && notification == BN_CLICKED) Unload();
    }
};

AboutBox::AboutBox() = default;

AboutBox::~AboutBox() = default;

void AboutBox::ShowAbout(HWND owner, const ApplicationInfo& application, std::wstring_view description,
                         HBITMAP picture, std::wstring_view dedication)
{
    if (m_open) {
        m_open->Activate();
        return;
    }
    AboutForm form(owner, application, description, picture, dedication);
    m_open = &form;
    const auto closed = OnScopeExit([this] { m_open = nullptr; });
    form.ShowModal();
}

} // namespace jitswap
