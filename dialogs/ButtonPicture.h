#pragma once
// The picture of a graphical button: a bitmap resource whose magenta (255, 0, 255) is transparent,
// drawn on an owner-drawn push button with the pressed look, the focus rectangle and, while the
// button is disabled, the platform's disabled (embossed) rendering of the same picture.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace jitswap {

class ButtonPicture {
public:
    // Loads the named bitmap resource of the executable in the version drawn for the DPI's scale
    // (the name with "_125", "_150" or "_200"), enlarged by a whole factor beyond 200% so that its
    // pixels stay sharp. Throws when the resource is missing.
    void Load(const wchar_t* bitmapName, UINT dpi);

    // Loads the same picture again for another DPI; nothing happens before the first Load.
    void Reload(UINT dpi);

    // Draws the whole button as WM_DRAWITEM asks.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    std::wstring m_name;
    UniqueIcon m_icon;
    SIZE m_size{};
    int m_scale = 1;
};

} // namespace jitswap
