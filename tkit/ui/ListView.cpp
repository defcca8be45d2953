#include "tkit/ui/ListView.h"

#include <algorithm>
#include <limits>

namespace tkit
{

namespace
{

// The list control's text members are not const, though it only reads them.
LPWSTR textMember(const wchar_t* text)
{
    return const_cast<LPWSTR>(text);
}

} // namespace

int ListView::insertColumn(int column, const wchar_t* text, int width)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = LVCFMT_LEFT;
    info.pszText = textMember(text);
    if (width != -1)
    {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    return static_cast<int>(SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                         reinterpret_cast<LPARAM>(&info)));
}

int ListView::columnWidth(int column) const
{
    return static_cast<int>(
        SendMessageW(window, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListView::setColumnWidth(int column, int width)
{
    SendMessageW(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

int ListView::stringWidth(const wchar_t* text) const
{
    return static_cast<int>(
        SendMessageW(window, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}

std::wstring ListView::itemText(int row, int column) const
{
    // The control copies at most the buffer's size less one; while the text
    // fills the buffer it may have been cut, so ask again with twice the room.
    // A cut path could name another file, so the text must come back whole.
    std::wstring buffer;
    for (size_t size = 2048;; size *= 2)
    {
        buffer.assign(size, L'\0');
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        // The control may answer with a pointer of its own instead of filling the buffer.
        const wchar_t* text = item.pszText != nullptr ? item.pszText : buffer.c_str();
        const size_t length = static_cast<size_t>(std::find(text, text + size, L'\0') - text);
        if (length + 1 < size || size >= 0x1000000)
            return std::wstring(text, length);
    }
}

int ListView::itemCount() const
{
    return static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::selectedCount() const
{
    return static_cast<int>(SendMessageW(window, LVM_GETSELECTEDCOUNT, 0, 0));
}

void ListView::reserveItems(size_t rows)
{
    const size_t most = static_cast<size_t>(std::numeric_limits<int>::max());
    SendMessageW(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(std::min(rows, most)),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

int ListView::insertItem(int row, const wchar_t* text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = textMember(text);
    return static_cast<int>(
        SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::setItemText(int row, int column, const wchar_t* text)
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = textMember(text);
    SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

int ListView::stateImage(int row) const
{
    return static_cast<int>(itemState(row, LVIS_STATEIMAGEMASK) >> 12);
}

void ListView::setStateImage(int row, int image)
{
    setItemState(row, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(image)), LVIS_STATEIMAGEMASK);
}

UINT ListView::itemState(int row, UINT mask) const
{
    return static_cast<UINT>(SendMessageW(window, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                          static_cast<LPARAM>(mask)));
}

void ListView::setItemState(int row, UINT state, UINT mask)
{
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

LPARAM ListView::itemData(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

void ListView::setItemData(int row, LPARAM data)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::setItemData(int row, LPARAM data, int image)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM | LVIF_IMAGE;
    item.iItem = row;
    item.lParam = data;
    item.iImage = image;
    SendMessageW(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::setSmallImages(HIMAGELIST images)
{
    const auto before = reinterpret_cast<HIMAGELIST>(
        SendMessageW(window, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (before != nullptr && before != images)
        ImageList_Destroy(before);
}

UINT ListView::itemId(int row) const
{
    return static_cast<UINT>(SendMessageW(window, LVM_MAPINDEXTOID, static_cast<WPARAM>(row), 0));
}

int ListView::nextItem(int from, UINT flags) const
{
    return static_cast<int>(
        SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(from), MAKELPARAM(flags, 0)));
}

std::vector<int> ListView::selectedRows() const
{
    std::vector<int> rows;
    for (int row = nextItem(-1, LVNI_SELECTED); row != -1; row = nextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ListView::ensureVisible(int row)
{
    SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListView::deleteItem(int row)
{
    SendMessageW(window, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListView::deleteAllItems()
{
    SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
}

DWORD ListView::extendedStyle() const
{
    return static_cast<DWORD>(SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void ListView::setExtendedStyle(DWORD style)
{
    // Mask 0: every extended style bit takes the new value.
    SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

void ListView::setRedraw(bool on)
{
    SendMessageW(window, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on)
        InvalidateRect(window, nullptr, TRUE);
}

} // namespace tkit
