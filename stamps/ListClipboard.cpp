#include "stamps/ListClipboard.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/Clipboard.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/FullPath.h"
#include "tkit/fs/PlatformPath.h"

#include <optional>
#include <string_view>
#include <vector>

namespace
{

bool isBlank(std::wstring_view line)
{
    return line.find_first_not_of(L" \t") == std::wstring_view::npos;
}

} // namespace

bool ListClipboard::copy() const
{
    std::wstring text;
    for (int row = list.nextItem(-1, LVNI_SELECTED); row != -1;
         row = list.nextItem(row, LVNI_SELECTED))
    {
        // A relative row names its file through this program's current folder;
        // pasted elsewhere it must still name that file.
        text += tkit::fullPath(list.path(row));
        text += L'\t';
        text += list.timeText(row);
        text += L"\r\n";
    }
    if (text.empty())
        return true;
    tkit::Clipboard clipboard(owner);
    return clipboard.setText(text);
}

Skipped ListClipboard::paste(bool recursive) const
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
        list.addPaths(*files, recursive);
    return text ? pasteText(*text, recursive) : Skipped{};
}

bool ListClipboard::canPaste()
{
    return tkit::Clipboard::holdsFilesOrText();
}

Skipped ListClipboard::pasteText(const std::wstring& text, bool recursive) const
{
    Skipped refused;
    const tkit::RedrawPause pause(list);
    std::wstring_view all(text);
    // A byte-order mark that an editor left at the start is no part of the first path.
    if (!all.empty() && all.front() == L'\xFEFF')
        all.remove_prefix(1);
    for (size_t start = 0; start < all.size();)
    {
        // CR, LF and CRLF each end a line.
        size_t end = all.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos)
            end = all.size();
        const std::wstring_view line = all.substr(start, end - start);
        start = end + (all.substr(end, 2) == L"\r\n" ? 2 : 1);
        if (isBlank(line))
            continue;

        const size_t tab = line.find(L'\t');
        std::wstring_view name = line.substr(0, tab);
        // Explorer copies a path in double quotes; they are no part of the name.
        if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
            name = name.substr(1, name.size() - 2);
        const std::wstring path(name);
        const std::wstring_view time =
            tab == std::wstring_view::npos ? std::wstring_view() : line.substr(tab + 1);
        bool taken = false;
        if (!path.empty() && time.find(L'\t') == std::wstring_view::npos)
        {
            if (time.empty())
            {
                // Like a drop, which brings only paths that are there.
                const tkit::PlatformPath target(path);
                taken = tkit::fileAttributes(target).has_value();
                if (taken)
                    list.addPath(target, recursive);
            }
            else if (const std::optional<std::wstring> shown = normalTimestamp(std::wstring(time)))
            {
                list.addRemembered(path, *shown);
                taken = true;
            }
        }
        if (!taken)
            refused.add(line);
    }
    return refused;
}
