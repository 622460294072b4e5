#include "ui/controls/ListView.h"

#include <vector>

TListView::TListView(TWindow& parent, int id)
{
    CreateControl(
        WC_LISTVIEWA,
        WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS, 0,
        parent.Handle(), id);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::string& caption, int width)
{
    std::string text = caption;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = Scaled(width);
    const int index = static_cast<int>(columnWidths_.size());
    column.iSubItem = index;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    columnWidths_.push_back(width);
}

void TListView::ScaleChanged()
{
    TWindow::ScaleChanged();
    for (std::size_t index = 0; index < columnWidths_.size(); ++index)
        SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, index, MAKELPARAM(Scaled(columnWidths_[index]), 0));
}

void TListView::SetSmallImages(HIMAGELIST images)
{
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

bool TListView::Checkboxes() const
{
    return (SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
}

void TListView::SetCheckboxes(bool on)
{
    if (on == Checkboxes()) return;
    std::vector<bool> checks;
    for (int index = 0; index < Count(); ++index) checks.push_back(Checked(index));
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, on ? LVS_EX_CHECKBOXES : 0);
    for (int index = 0; index < Count(); ++index) SetChecked(index, checks[static_cast<size_t>(index)]);
}

int TListView::AddItem(const std::string& caption, const std::string& subItem, int imageIndex, bool checked)
{
    std::string text = caption;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = text.data();
    item.iImage = imageIndex;
    const int index = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) return index;
    std::string sub = subItem;
    LVITEMA subItemData{};
    subItemData.iSubItem = 1;
    subItemData.pszText = sub.data();
    SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&subItemData));
    SetChecked(index, checked);
    return index;
}

int TListView::Count() const
{
    return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

std::string TListView::ItemText(int index, int column) const
{
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(sizeof buffer);
    const auto length =
        SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

bool TListView::Checked(int index) const
{
    if (!Checkboxes()) return StoredCheck(index);
    const auto state = SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TListView::SetChecked(int index, bool checked)
{
    StoreCheck(index, checked);
    if (!Checkboxes()) return;
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2U : 1U);
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TListView::Clear()
{
    SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

bool TListView::StoredCheck(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == FALSE) return false;
    return item.lParam != 0;
}

void TListView::StoreCheck(int index, bool checked)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = checked ? 1 : 0;
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
