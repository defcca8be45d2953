#include "stamps/RowResult.h"

#include "tkit/fs/FormatString.h"

bool RowResult::failed() const
{
    switch (outcome)
    {
    case RowOutcome::none:
    case RowOutcome::restored:
    case RowOutcome::unchanged:
    case RowOutcome::undone:
        return false;
    default:
        return true;
    }
}

RowResult failureOf(DWORD error, bool undo)
{
    switch (error)
    {
    case ERROR_FILE_NOT_FOUND:
        return {RowOutcome::fileMissing, error, undo};
    // A folder on the way is gone, or is a file now.
    case ERROR_PATH_NOT_FOUND:
        return {RowOutcome::folderMissing, error, undo};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {RowOutcome::inUse, error, undo};
    case ERROR_ACCESS_DENIED:
        return {RowOutcome::accessDenied, error, undo};
    default:
        return {RowOutcome::systemError, error, undo};
    }
}

std::wstring resultText(const RowResult& result)
{
    std::wstring text;
    switch (result.outcome)
    {
    case RowOutcome::none:
        return text;
    case RowOutcome::restored:
        return L"復元しました";
    case RowOutcome::unchanged:
        return L"変更なし";
    case RowOutcome::undone:
        return L"元に戻しました";
    case RowOutcome::changedSince:
        return L"復元の後に変更されたため、元に戻しませんでした";
    case RowOutcome::fileMissing:
        text = L"ファイルが見つかりません";
        break;
    case RowOutcome::folderMissing:
        text = L"フォルダーが見つかりません";
        break;
    case RowOutcome::inUse:
        text = L"ほかのプログラムが使用中です";
        break;
    case RowOutcome::accessDenied:
        text = L"アクセスが拒否されました";
        break;
    case RowOutcome::noTime:
        text = L"日時がありません";
        break;
    case RowOutcome::notADate:
        text = L"実在しない日時です";
        break;
    case RowOutcome::readBackDiffers:
        text = L"書き込み後に読み戻した日時が異なります";
        break;
    case RowOutcome::systemError:
        text = tkit::systemMessage(result.error);
        break;
    }
    return result.undo ? L"元に戻せませんでした: " + text : text;
}
