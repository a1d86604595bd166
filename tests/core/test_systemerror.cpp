#include "core/systemerror.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(SystemErrorText, NamesTheCommonCausesInJapaneseAndKeepsTheSystemsTextForOthers) {
    const std::pair<std::errc, const char*> cases[] = {
        {std::errc::filename_too_long, "P1.txt：ファイル名が長すぎます"},
        {std::errc::file_exists, "P1.txt：同じ名前のファイルが既にあります"},
        {std::errc::permission_denied, "P1.txt：アクセスする権限がありません"},
        {std::errc::operation_not_permitted, "P1.txt：アクセスする権限がありません"},
        {std::errc::no_space_on_device, "P1.txt：ディスクの空きが足りません"},
        {std::errc::no_such_file_or_directory, "P1.txt：フォルダまたはファイルが見つかりません"},
    };
    for (const auto& [errc, text] : cases)
        EXPECT_EQ(systemErrorText(std::make_error_code(errc), "P1.txt"), text);
    // As the file system reports it (system category), and without a name.
    EXPECT_EQ(systemErrorText(std::error_code(ENOSPC, std::system_category()), ""),
              "ディスクの空きが足りません");
    const std::error_code io(EIO, std::system_category());
    EXPECT_EQ(systemErrorText(io, "a.BMP"), "a.BMP：システムのエラー「" + io.message() + "」");
}
