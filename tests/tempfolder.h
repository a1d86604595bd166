#pragma once
// Files of a test: a folder of its own under the system's temporary folder, files read and written
// whole, and texts stored in the files' code page.

#include "setup/cp932.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kestrel::test {

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// A text in the files' code page; a character it lacks fails the test.
inline std::string cp932(std::string_view utf8) {
    bool ok = false;
    std::string bytes = utf8ToCp932(utf8, &ok);
    EXPECT_TRUE(ok) << utf8;
    return bytes;
}

/// Every path under `root` with its content ("<dir>" for a folder), to prove what a test changed.
inline std::map<std::string, std::string> filesUnder(const std::filesystem::path& root) {
    std::map<std::string, std::string> all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        all.emplace(e.path().string(), e.is_regular_file() ? readBytes(e.path()) : "<dir>");
    return all;
}

/// The names in a folder (none when it cannot be read).
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.insert(it->path().filename().string());
    return names;
}

/// Lines stored as a lesson author writes them: CP932, each ended by CR LF.
inline void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    writeBytes(file, cp932(text));
}

/// A new, empty folder, removed with everything in it (files a test made read-only included) when
/// the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix) {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        mPath = pattern;
    }
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(mPath, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& e : fs::recursive_directory_iterator(mPath, ignored))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(mPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return mPath; }

private:
    std::filesystem::path mPath;
};

/// A lesson of two steps: P control (Kp 2) of the default process with SV stepped from 50 to 55 % at
/// 1 s in cascade mode, marked with the offset figure; then a step that only asks a question.
inline std::vector<std::string> offsetLesson(int graphTime) {
    // clang-format off
    return {"[説明]", "TITLE1=比例制御", "TEXT1=一行目<BR>二行目",
            "[手順1]", "TITLE2=Ｐ制御の応答", "TEXT2=実行します。", "TYPE_SELECT=0", "Kp=2.00", "MODE=2",
            "SVv0=50", "SVt1=1", "SVv1=50", "SVt2=1", "SVv2=55", "GRAPH_TM=" + std::to_string(graphTime),
            "NOTES=5.1.7(1)-1",
            "[手順2]", "TITLE2=考えよう", "TEXT2=オフセットはなぜ残るのでしょう。"};
    // clang-format on
}

/// An application folder as the program ships it: the settings file, and the base set in Study.
inline void shipBaseSet(const std::filesystem::path& data, const std::filesystem::path& app) {
    std::filesystem::create_directories(app / "Study");
    std::filesystem::copy_file(data / "Study" / "ParaInz.txt", app / "Study" / "ParaInz.txt");
    std::filesystem::copy_file(data / "Kestrel.ini", app / "Kestrel.ini");
}

/// The shipped application folder with an empty Project folder and the offset lesson (10 s) as
/// Study/L.txt; true, to be used in a member initialiser.
inline bool shipLessonFolder(const std::filesystem::path& data, const std::filesystem::path& app) {
    shipBaseSet(data, app);
    std::filesystem::create_directories(app / "Project");
    writeLines(app / "Study" / "L.txt", offsetLesson(10));
    return true;
}

} // namespace kestrel::test
