#include "support/shell/ItemizedMenu.h"

#include "support/win32/Win32Error.h"

#include <algorithm>

namespace jitswap {
namespace {

UINT TypeOf(const std::wstring& caption, CaptionKind kind)
{
    const bool separator = kind == CaptionKind::Designed && caption == L"-";
    return separator ? static_cast<UINT>(MFT_SEPARATOR) : static_cast<UINT>(MFT_STRING);
}

// The menu's own text for a caption: a typed '&' is doubled so that the menu shows it instead of
// underlining the next character.
std::wstring MenuText(const std::wstring& caption, CaptionKind kind)
{
    if (kind == CaptionKind::Designed) return caption;
    std::wstring text;
    text.reserve(caption.size());
    for (const wchar_t character : caption) {
        if (character == L'&') text += L'&';
        text += character;
    }
    return text;
}

} // namespace

void ItemizedMenu::Append(UINT id, const std::wstring& caption, HMENU submenu, CaptionKind kind)
{
    Item& item = m_items.emplace_back(Item{id, MenuText(caption, kind), submenu, true, TypeOf(caption, kind), 0});
    InsertIntoPopup(item);
}

void ItemizedMenu::InsertAfter(UINT previousId, UINT id, const std::wstring& caption, CaptionKind kind)
{
    const auto previous = Find(previousId);
    if (previous == m_items.end()) throw Failure("No menu item to insert after");
    const auto inserted = m_items.insert(
        previous + 1, Item{id, MenuText(caption, kind), nullptr, true, TypeOf(caption, kind), 0});
    InsertIntoPopup(*inserted);
}

bool ItemizedMenu::Remove(UINT id)
{
    const auto item = Find(id);
    if (item == m_items.end()) return false;
    if (item->visible) DeleteMenu(m_popup, id, MF_BYCOMMAND);
    else if (item->submenu) DestroyMenu(item->submenu);
    m_items.erase(item);
    return true;
}

bool ItemizedMenu::Contains(UINT id) const noexcept
{
    return Find(id) != m_items.end();
}

void ItemizedMenu::SetVisible(UINT id, bool visible)
{
    Item& item = At(id);
    if (item.visible == visible) return;
    if (visible) {
        item.visible = true;
        InsertIntoPopup(item);
    } else {
        TakeOutOfPopup(item);
        item.visible = false;
    }
}

bool ItemizedMenu::IsVisible(UINT id) const
{
    return At(id).visible;
}

void ItemizedMenu::SetChecked(UINT id, bool checked)
{
    Item& item = At(id);
    if (!item.visible) {
        item.state = checked ? (item.state | MFS_CHECKED) : (item.state & ~MFS_CHECKED);
        return;
    }
    if (CheckMenuItem(m_popup, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)) == static_cast<DWORD>(-1))
        throw Failure("No such menu item");
}

bool ItemizedMenu::IsChecked(UINT id) const
{
    const Item& item = At(id);
    // While visible the system menu holds the truth: the radio mark is set on it directly.
    if (!item.visible) return (item.state & MFS_CHECKED) != 0;
    return (GetMenuState(m_popup, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void ItemizedMenu::SetRadioChecked(UINT id, bool checked)
{
    Item& item = At(id);
    if (item.visible) {
        // The system menu holds the truth while the item is shown (SetChecked writes it there).
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!GetMenuItemInfoW(m_popup, id, FALSE, &info)) ThrowLastError("Reading a menu item");
        item.type = info.fType;
        item.state = info.fState;
    }
    item.type = checked ? (item.type | MFT_RADIOCHECK) : (item.type & ~MFT_RADIOCHECK);
    item.state = checked ? (item.state | MFS_CHECKED) : (item.state & ~MFS_CHECKED);
    if (!item.visible) return;
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    info.fType = item.type;
    info.fState = item.state;
    if (!SetMenuItemInfoW(m_popup, id, FALSE, &info)) ThrowLastError("Marking a menu item");
}

std::vector<ItemizedMenu::Item>::iterator ItemizedMenu::Find(UINT id)
{
    return std::find_if(m_items.begin(), m_items.end(), [id](const Item& item) { return item.id == id; });
}

std::vector<ItemizedMenu::Item>::const_iterator ItemizedMenu::Find(UINT id) const
{
    return std::find_if(m_items.begin(), m_items.end(), [id](const Item& item) { return item.id == id; });
}

ItemizedMenu::Item& ItemizedMenu::At(UINT id)
{
    const auto item = Find(id);
    if (item == m_items.end()) throw Failure("No such menu item");
    return *item;
}

const ItemizedMenu::Item& ItemizedMenu::At(UINT id) const
{
    const auto item = Find(id);
    if (item == m_items.end()) throw Failure("No such menu item");
    return *item;
}

UINT ItemizedMenu::PositionOf(const Item& item) const
{
    UINT position = 0;
    for (const Item& other : m_items) {
        if (&other == &item) break;
        if (other.visible) ++position;
    }
    return position;
}

void ItemizedMenu::InsertIntoPopup(Item& item)
{
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = item.id;
    info.fType = item.type;
    info.fState = item.state;
    if (!(item.type & MFT_SEPARATOR)) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = item.caption.data();
    }
    if (item.submenu) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = item.submenu;
    }
    if (!InsertMenuItemW(m_popup, PositionOf(item), TRUE, &info)) {
        item.visible = false;
        ThrowLastError("Adding a menu item");
    }
}

void ItemizedMenu::TakeOutOfPopup(Item& item)
{
    // Keep the marks the item carries now: they may have been set on the system menu directly.
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (GetMenuItemInfoW(m_popup, item.id, FALSE, &info)) {
        item.type = info.fType;
        item.state = info.fState;
    }
    // RemoveMenu keeps a submenu alive for when the item comes back.
    if (!RemoveMenu(m_popup, item.id, MF_BYCOMMAND)) ThrowLastError("Hiding a menu item");
}

} // namespace jitswap
