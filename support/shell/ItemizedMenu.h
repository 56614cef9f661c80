#pragma once
// A popup menu whose items can be hidden and shown again in their place. A hidden item is taken
// out of the system menu, so positions in the popup count the visible items only, as the user
// sees them; the menu remembers it and puts it back where it belongs.

#include <windows.h>

#include <string>
#include <vector>

namespace jitswap {

enum class CaptionKind {
    Designed,  // as the menu's design writes it: "-" is a separator, '&' marks the access key
    Literal,   // text the user typed, shown exactly so: never a separator, '&' shown as itself
};

class ItemizedMenu {
public:
    // The popup belongs to its parent menu (or window); this object only arranges its items.
    explicit ItemizedMenu(HMENU popup) noexcept : m_popup(popup) {}

    HMENU Handle() const noexcept { return m_popup; }

    // Adds an item at the end.
    void Append(UINT id, const std::wstring& caption, HMENU submenu = nullptr,
                CaptionKind kind = CaptionKind::Designed);
    // Adds an item right after another one.
    void InsertAfter(UINT previousId, UINT id, const std::wstring& caption, CaptionKind kind = CaptionKind::Designed);
    // False when there is no such item.
    bool Remove(UINT id);
    bool Contains(UINT id) const noexcept;

    // These throw Failure for an item the menu does not hold.
    void SetVisible(UINT id, bool visible);
    bool IsVisible(UINT id) const;
    void SetChecked(UINT id, bool checked);
    bool IsChecked(UINT id) const;
    // The radio bullet: on this item or off it, hidden or shown. Only one item of a group should
    // carry it; the group is the caller's (MenuItemArray::SetRadioMark).
    void SetRadioChecked(UINT id, bool checked);

private:
    struct Item {
        UINT id;
        std::wstring caption;
        HMENU submenu;
        bool visible;
        UINT type;   // MFT_* kept while hidden
        UINT state;  // MFS_* kept while hidden
    };

    std::vector<Item>::iterator Find(UINT id);
    std::vector<Item>::const_iterator Find(UINT id) const;
    Item& At(UINT id);
    const Item& At(UINT id) const;
    UINT PositionOf(const Item& item) const;
    void InsertIntoPopup(Item& item);
    void TakeOutOfPopup(Item& item);

    HMENU m_popup;
    std::vector<Item> m_items;  // in menu order, hidden ones included
};

} // namespace jitswap
