#include "tkit/ui/Question.h"

namespace tkit
{

bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption)
{
    return MessageBoxW(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void tell(HWND owner, const wchar_t* text, const wchar_t* caption, UINT icon)
{
    MessageBoxW(owner, text, caption, MB_OK | icon);
}

} // namespace tkit
