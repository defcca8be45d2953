#include "tkit/ui/Question.h"

namespace tkit
{

bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption)
{
    return MessageBoxW(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace tkit
