#include "core/systemerror.h"

namespace kestrel {

std::string systemErrorText(const std::error_code& error, const std::string& fileName) {
    std::string cause;
    if (error == std::errc::filename_too_long)
        cause = "ファイル名が長すぎます";
    else if (error == std::errc::file_exists)
        cause = "同じ名前のファイルが既にあります";
    else if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        cause = "アクセスする権限がありません";
    else if (error == std::errc::read_only_file_system)
        cause = "読み取り専用の場所です";
    else if (error == std::errc::no_space_on_device)
        cause = "ディスクの空きが足りません";
    else if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        cause = "フォルダまたはファイルが見つかりません";
    else
        cause = "システムのエラー「" + error.message() + "」";
    return fileName.empty() ? cause : fileName + "：" + cause;
}

} // namespace kestrel
