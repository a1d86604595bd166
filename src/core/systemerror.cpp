#include "core/systemerror.h"

#include "core/translate.h"

namespace kestrel {

std::string systemErrorText(const std::error_code& error, const std::string& fileName) {
    std::string cause;
    if (error == std::errc::filename_too_long)
        cause = KESTREL_TR("Errors", "ファイル名が長すぎます");
    else if (error == std::errc::file_exists)
        cause = KESTREL_TR("Errors", "同じ名前のファイルが既にあります");
    else if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        cause = KESTREL_TR("Errors", "アクセスする権限がありません");
    else if (error == std::errc::read_only_file_system)
        cause = KESTREL_TR("Errors", "読み取り専用の場所です");
    else if (error == std::errc::no_space_on_device)
        cause = KESTREL_TR("Errors", "ディスクの空きが足りません");
    else if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        cause = KESTREL_TR("Errors", "フォルダまたはファイルが見つかりません");
    else
        cause = trArgs(KESTREL_TR("Errors", "システムのエラー「%1」"), {error.message()});
    return fileName.empty() ? cause : trArgs(KESTREL_TR("Errors", "%1：%2"), {fileName, cause});
}

} // namespace kestrel
