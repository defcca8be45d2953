#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tkit
{

// The clipboard, opened for one owner window for the life of the object.
// Every request answers as if the clipboard were empty when it could not be
// opened (another program holds it).
class Clipboard
{
public:
    explicit Clipboard(HWND owner);
    virtual ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // Empties the clipboard and puts the text on it as CF_UNICODETEXT.
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
