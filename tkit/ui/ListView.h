#pragma once

#include "tkit/ui/Control.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tkit
{

// A wrapped report-view list control, with the row requests the program uses.
class ListView : public Control
{
public:
    using Control::Control;

    // Inserts a left-aligned column; width -1 leaves the width to the control.
    int insertColumn(int column, const wchar_t* text, int width);
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    // The width of a text in the list's font, without a cell's padding.
    int stringWidth(const wchar_t* text) const;
    // The whole text of a cell, however long.
    std::wstring itemText(int row, int column) const;

    int itemCount() const;
    int selectedCount() const;
    // Tells the control how many rows it is about to hold, so that it can make
    // room for them at once instead of growing row by row. Rows, texts and the
    // view are left as they are.
    void reserveItems(size_t rows);
    // Inserts a row with the text of column 0; the row's index, or -1.
    int insertItem(int row, const wchar_t* text);
    void setItemText(int row, int column, const wchar_t* text);
    // The check-box state image of a row: uncheckedImage, checkedImage, or 0 for none.
    static constexpr int uncheckedImage = 1;
    static constexpr int checkedImage = 2;
    int stateImage(int row) const;
    void setStateImage(int row, int image);
    // Whether a row's box is checked; a row without a box is not.
    bool isChecked(int row) const { return stateImage(row) == checkedImage; }
    void setChecked(int row, bool checked)
    {
        setStateImage(row, checked ? checkedImage : uncheckedImage);
    }
    UINT itemState(int row, UINT mask) const;
    // Row -1 means every row.
    void setItemState(int row, UINT state, UINT mask);
    LPARAM itemData(int row) const;
    void setItemData(int row, LPARAM data);
    // Sets the item data and, in one step, the image of the small image list
    // that the row shows in front of its first column.
    void setItemData(int row, LPARAM data, int image);
    // Gives the list its small image list, which it owns from then on (it
    // destroys it when it goes); the list it had before is destroyed.
    void setSmallImages(HIMAGELIST images);
    // An identity that stays with a row for its lifetime, whatever rows are
    // inserted or deleted before it, and is never given to another row.
    UINT itemId(int row) const;
    // LVM_GETNEXTITEM: the next row after `from` (-1: from the start) with flags.
    int nextItem(int from, UINT flags) const;
    // The selected rows, in order.
    std::vector<int> selectedRows() const;
    // Scrolls the list so that the whole row shows.
    void ensureVisible(int row);
    void deleteItem(int row);
    void deleteAllItems();
    DWORD extendedStyle() const;
    void setExtendedStyle(DWORD style);
    // Turns repainting off around bulk changes; on again repaints the whole list.
    void setRedraw(bool on);
};

} // namespace tkit
