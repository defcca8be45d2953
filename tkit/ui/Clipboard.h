#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tkit
{

// The clipboard, opened for one owner window for the life of the object.
// Another program that holds it open is waited for a moment (about half a
// second); every request answers as if the clipboard were empty, and setText
// fails, when it could not be opened.
class Clipboard
{
public:
    explicit Clipboard(HWND owner);
    virtual ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // Empties the clipboard and puts the text on it as CF_UNICODETEXT; false
    // when the clipboard is not open or the text could not be put on it.
    bool setText(const std::wstring& text);
    // The text on the clipboard (the system converts other text formats), or none.
    std::optional<std::wstring> text() const;
    // The names of files copied in the shell (CF_HDROP), or none.
    std::optional<std::vector<std::wstring>> files() const;

    // Whether the clipboard holds files or text; asked without opening it.
    static bool holdsFilesOrText();

private:
    bool open = false;
};

} // namespace tkit
