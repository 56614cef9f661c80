#pragma once
// Menu items that belong together and are told apart by an index, like mnuList(0) and mnuList(9).
// Element i has the command ID firstId + i, so a WM_COMMAND names its array and index directly.

#include "support/shell/ItemizedMenu.h"

#include <optional>
#include <string>

namespace jitswap {

class MenuItemArray {
public:
    static constexpr int kMaxElements = 100;

    MenuItemArray(ItemizedMenu& menu, UINT firstId) noexcept : m_menu(menu), m_firstId(firstId) {}

    UINT Id(int index) const noexcept { return m_firstId + static_cast<UINT>(index); }

    // The index of the element a command ID belongs to, if it is one of this array's.
    std::optional<int> IndexOf(UINT id) const noexcept
    {
        if (id < m_firstId || id >= m_firstId + kMaxElements) return std::nullopt;
        return static_cast<int>(id - m_firstId);
    }

    // Adds element `index` after the array's element with the nearest lower index.
    void Load(int index, const std::wstring& caption, CaptionKind kind = CaptionKind::Designed)
    {
        for (int previous = index - 1; previous >= 0; --previous) {
            if (m_menu.Contains(Id(previous))) {
                m_menu.InsertAfter(Id(previous), Id(index), caption, kind);
                return;
            }
        }
        m_menu.Append(Id(index), caption, nullptr, kind);
    }

    // False when the element does not exist.
    bool Unload(int index) { return m_menu.Remove(Id(index)); }

    void SetVisible(int index, bool visible) { m_menu.SetVisible(Id(index), visible); }
    bool IsVisible(int index) const { return m_menu.IsVisible(Id(index)); }
    void SetChecked(int index, bool checked) { m_menu.SetChecked(Id(index), checked); }
    bool IsChecked(int index) const { return m_menu.IsChecked(Id(index)); }

    // Puts the radio bullet on element `checked` and takes it off every other element from
    // `first` to `last`, shown or hidden; elements that do not exist are passed over.
    void SetRadioMark(int first, int last, int checked)
    {
        for (int index = first; index <= last; ++index) {
            if (m_menu.Contains(Id(index))) m_menu.SetRadioChecked(Id(index), index == checked);
        }
    }

private:
    ItemizedMenu& m_menu;
    UINT m_firstId;
};

} // namespace jitswap
