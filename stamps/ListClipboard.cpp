#include "stamps/ListClipboard.h"

#include "stamps/FileListView.h"
#include "stamps/ListText.h"
#include "tkit/ui/Clipboard.h"

#include <optional>
#include <vector>

bool ListClipboard::copy() const
{
    const std::wstring text = listText(list, true);
    if (text.empty())
        return true;
    tkit::Clipboard clipboard(owner);
    return clipboard.setText(text);
}

Skipped ListClipboard::paste(bool recursive, Steps& steps) const
{
    // The clipboard is read and closed again before any row is added.
    std::optional<std::vector<std::wstring>> files;
    std::optional<std::wstring> text;
    {
        const tkit::Clipboard clipboard(owner);
        files = clipboard.files();
        if (!files)
            text = clipboard.text();
    }
    if (files)
        list.addPaths(*files, recursive, steps);
    return text ? addListText(list, *text, recursive, steps) : Skipped{};
}

bool ListClipboard::canPaste()
{
    return tkit::Clipboard::holdsFilesOrText();
}
