#pragma once

#include "support/process/ApplicationInfo.h"

#include <windows.h>

#include <string_view>

namespace jitswap {

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

} // namespace jitswap
