#include "setup/modinifile.h"

#include "setup/filesyncs.h"
#include "tempfolder.h"

#include <chrono>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrel;
namespace fs = std::filesystem;

namespace {

using test::cp932, test::readBytes, test::writeBytes;

// Each test works in a folder of its own, removed afterwards.
class ProfileFileTest : public ::testing::Test {
protected:
    fs::path copyFixture(const char* name) {
        const fs::path copy = mDir / name;
        fs::copy_file(fs::path(TEST_DATA_DIR) / name, copy);
        return copy;
    }
    std::set<std::string> folderContent() const { return test::namesIn(mDir); }

    test::TempFolder mFolder{"kestrel-setup"};
    const fs::path mDir = mFolder.path();
};

struct ReadCase {
    const char *section, *key, *expected;
};

} // namespace

TEST_F(ProfileFileTest, ReadsFilesAsTheClassicProfileFunctionsWriteThem) {
    const fs::path lesson = fs::path(TEST_DATA_DIR) / "lesson_cp932.txt";
    ASSERT_EQ(readBytes(lesson).substr(0, 8), "[\x90\xE0\x96\xBE]\r\n") << "fixture is CP932 with CR LF";
    const ReadCase lessonCases[] = {
        {"説明", "TEXT1",
         "比例動作の特性を調べます。<BR>①「ﾊﾟﾗﾒｰﾀ設定」を押します。<BR>②「ｼﾐｭﾚｰｼｮﾝ実行」を押します。"},
        {"手順1", "α", "0.40"},
        {"手順12", "TITLE2", "ゾーンとソフトの手順"},
        {"手順12", "NOTES", ""}, // a key of another section is not this section's
        {"手順", "Kp", ""},
    };
    for (const ReadCase& c : lessonCases)
        EXPECT_EQ(ReadProfileValue(lesson, c.section, c.key), c.expected) << c.section << "/" << c.key;
    for (const fs::path& notAFile : {mDir / "missing.txt", mDir})
        EXPECT_EQ(ReadProfileValue(notAFile, "説明", "TITLE1"), "");

    const ReadCase cases[] = {
        {"CONFIG", "TmHosei", "12.5"}, // blanks around '=' and value
        {"CONFIG", "IEXPLORE", "C:\\Program Files\\Internet Explorer\\iexplore.exe"}, // quotes removed
        {"CONFIG", "Quoted", "  spaced  "}, // blanks inside quotes kept
        {"CONFIG", "Unmatched", "\"abc'"},
        {"CONFIG", "NoEquals", ""},
        {"CONFIG", ";Commented", ""},
        {"CONFIG", "Commented", ""},
        {"CONFIG", "Indented", "inner  blanks  kept"},
        {"CONFIG", "Dup", "first"},
        {"CONFIG", "Equals", "a=b"},
        {"CONFIG", "Extra", ""}, // only in the later section of the same name
        {" Config ", " TMHOSEI ", "12.5"},
        {"ＣＯＮＦＩＧ", "TmHosei", ""}, // full-width letters are other letters
        {"ゾーン", "名前", "ソフト"},    // ']' and '\' as trail bytes
        {"ア", "キー", "ア"},
        {"ヂ", "キー", ""}, // "ア" is 83 41 and "ヂ" 83 61: no case folding inside a character
    };
    std::string lf = readBytes(fs::path(TEST_DATA_DIR) / "profile_classic_cp932.ini");
    ASSERT_GT(std::erase(lf, '\r'), 0u);
    writeBytes(mDir / "lf.ini", lf);
    for (const fs::path& file : {fs::path(TEST_DATA_DIR) / "profile_classic_cp932.ini", mDir / "lf.ini"})
        for (const ReadCase& c : cases)
            EXPECT_EQ(ReadProfileValue(file, c.section, c.key), c.expected)
                << file.filename() << " " << c.section << "/" << c.key;
}

TEST_F(ProfileFileTest, CutsLongValuesAt1023BytesBetweenCharacters) {
    const std::string alpha = "\x83\xBF"; // "α"
    const std::string kana = "\xB1";      // "ｱ", one byte
    // The value, the bytes read of it.
    const std::pair<std::string, std::size_t> cases[] = {
        {std::string(1023, 'a'), 1023},
        {std::string(2000, 'a'), 1023},
        {std::string(1021, 'a') + alpha + "b", 1023},
        {std::string(1022, 'a') + alpha, 1022}, // the double-byte character would end at byte 1024
        {std::string(1022, 'a') + kana + "b", 1023},
        {"\"" + std::string(1023, 'a') + "\"", 1023}, // quotes removed first
    };
    const fs::path file = mDir / "long.ini";
    for (const auto& [value, bytes] : cases) {
        writeBytes(file, "[S]\r\nK=" + value + "\r\n");
        const std::string read = ReadProfileValue(file, "S", "K");
        EXPECT_EQ(read, cp932ToUtf8(std::string_view(value).substr(value[0] == '"', bytes))) << value.size();
        EXPECT_EQ(utf8ToCp932(read).size(), bytes);
    }
}

TEST_F(ProfileFileTest, WritingChangesOneLineAndKeepsTheRestByteForByte) {
    // New keys go before the blank lines that close their section.
    const std::string original = readBytes(fs::path(TEST_DATA_DIR) / "profile_classic_cp932.ini");
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = original;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    // What is written where, the file before (CP932), section, key, value, the file after.
    const std::tuple<const char*, std::string, const char*, const char*, const char*, std::string> cases[] = {
        {"in place", original, "config", "TMHOSEI", "13",
         replaced("TmHosei = 12.5   \r\n", "TmHosei=13\r\n")},
        {"key without '='", original, "CONFIG", "NoEquals", "x",
         replaced("\r\nNoEquals\r\n", "\r\nNoEquals=x\r\n")},
        {"first of two", original, "CONFIG", "Dup", "third", replaced("Dup=first", "Dup=third")},
        {"new key at the end of its section", original, "CONFIG", "HelpPointer", "True",
         replaced("Equals=a=b\r\n", "Equals=a=b\r\nHelpPointer=True\r\n")},
        {"new section", original, "手順12", "β", "0.5", original + cp932("[手順12]\r\nβ=0.5\r\n")},
        {"blank line and comment", "[A]\r\nx=1\r\n\r\n; B follows\r\n[B]\r\ny=2\r\n", "A", "k", "v",
         "[A]\r\nx=1\r\nk=v\r\n\r\n; B follows\r\n[B]\r\ny=2\r\n"},
        {"last line unterminated", "[A]\r\nx=1", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n"},
        {"new section after unterminated line", "[B]\r\ny=2", "A", "k", "v", "[B]\r\ny=2\r\n[A]\r\nk=v\r\n"},
        {"LF file", "[A]\nx=1\n\n[B]\n", "A", "k", "v", "[A]\nx=1\nk=v\r\n\n[B]\n"},
        {"later duplicate section", "[B]\r\n[A]\r\nx=1\r\n[a]\r\nk=old\r\n", "A", "k", "v",
         "[B]\r\n[A]\r\nx=1\r\nk=v\r\n[a]\r\nk=old\r\n"},
        {"empty file", "", "A", "k", "v", "[A]\r\nk=v\r\n"},
        {"blanks around the value, full-width too", "[A]\r\n", "A", "k", " \t　2.00　 ", "[A]\r\nk=2.00\r\n"},
    };
    const fs::path file = mDir / "classic.ini";
    for (const auto& [what, before, section, key, value, after] : cases) {
        SCOPED_TRACE(what);
        writeBytes(file, before);
        ASSERT_TRUE(WriteProfileValue(file, section, key, value));
        EXPECT_EQ(readBytes(file), after);
    }
    ASSERT_TRUE(WriteProfileValue(mDir / "Kestrel.ini", "CONFIG", "ChkMax", "1")); // a file not there yet
    EXPECT_EQ(readBytes(mDir / "Kestrel.ini"), "[CONFIG]\r\nChkMax=1\r\n");
}

TEST_F(ProfileFileTest, FailedWritesAreReportedAndLeaveTheFileAsItWas) {
    const fs::path lesson = copyFixture("lesson_cp932.txt");
    const std::string original = readBytes(lesson);
    const std::tuple<const char*, fs::path, const char*, const char*, const char*> cases[] = {
        {"missing folder", mDir / "Project" / "P1.txt", "手順1", "Kp", "1"},
        {"not CP932", lesson, "手順1", "TITLE2", "温度 😀"},
        {"not CP932 key", lesson, "手順1", "€", "1"},
        {"line break in value", lesson, "手順1", "TEXT2", "a\r\n[手順1]\r\nKp=9"},
        {"line break in key", lesson, "手順1", "Kp\nKp", "1"},
        {"empty key", lesson, "手順1", " ", "1"},
        {"empty section", lesson, "", "Kp", "1"},
        {"'=' in key", lesson, "手順1", "K=p", "1"},
        {"comment key", lesson, "手順1", ";Kp", "1"},
        {"folder", mDir, "手順1", "Kp", "1"}};
    for (const auto& [what, file, section, key, value] : cases) {
        EXPECT_FALSE(WriteProfileValue(file, section, key, value)) << what;
        EXPECT_EQ(readBytes(lesson), original) << what;
    }
    EXPECT_FALSE(fs::exists(mDir / "Project"));

    // Read-only holds even for the administrator, as the platform's read-only attribute does.
    fs::permissions(lesson, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteProfileValue(lesson, "手順1", "Kp", "3.00"));
    EXPECT_EQ(readBytes(lesson), original);

    EXPECT_EQ(folderContent(), std::set<std::string>{"lesson_cp932.txt"});
}

TEST_F(ProfileFileTest, ReplacesTheFileAtomicallyKeepingItsPermissionsAndLinks) {
    const fs::path lesson = copyFixture("lesson_cp932.txt");
    fs::permissions(lesson, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = mDir / "current.txt";
    fs::create_symlink("lesson_cp932.txt", link);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(
            WriteProfileValue(i % 2 ? link : lesson, "手順" + std::to_string(i), "Kp", std::to_string(i)));
    EXPECT_EQ(std::pair(ReadProfileValue(lesson, "手順19", "Kp"), ReadProfileValue(lesson, "手順18", "Kp")),
              std::pair(std::string("19"), std::string("18")));
    EXPECT_EQ(std::pair(fs::symlink_status(lesson).type(), fs::symlink_status(link).type()),
              std::pair(fs::file_type::regular, fs::file_type::symlink));
    EXPECT_EQ(fs::status(lesson).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folderContent(),
              (std::set<std::string>{".lesson_cp932.txt.lock", "current.txt", "lesson_cp932.txt"}));

    // A write removes the temporary files that a killed write of the same file left, and no other.
    const std::vector<std::string> left{".lesson_cp932.txt.0123abcd.tmp", ".lesson_cp932.txt.ffffffff.tmp"};
    const std::vector<std::string> others{".lesson_cp932.txt.0123ABCD.tmp", ".lesson_cp932.txt.123abcd.tmp",
                                          ".lesson_cp932.txt.0123abcd.tmp~", ".lesson.txt.0123abcd.tmp",
                                          "lesson_cp932.txt.0123abcd.tmp"};
    for (const auto& names : {left, others})
        for (const std::string& name : names)
            writeBytes(mDir / name, "[手順1]\r\nKp=");
    fs::create_directory(mDir / ".lesson_cp932.txt.00000000.tmp");
    ASSERT_TRUE(WriteProfileValue(lesson, "手順1", "Kp", "2.00"));
    std::set<std::string> kept(others.begin(), others.end());
    kept.insert(
        {".lesson_cp932.txt.00000000.tmp", ".lesson_cp932.txt.lock", "current.txt", "lesson_cp932.txt"});
    EXPECT_EQ(folderContent(), kept);
}

TEST_F(ProfileFileTest, SeveralValuesAreWrittenAsOneAfterTheOtherInOneReplacement) {
    const std::string original = readBytes(fs::path(TEST_DATA_DIR) / "profile_classic_cp932.ini");
    std::vector<ProfileEntry> entries{{"config", "TMHOSEI", "13"},
                                      {"手順12", "β", "0.5"},
                                      {"ゾーン", "Kp", "1.00"},
                                      {"手順12", "β", " 0.6 "},
                                      {"CONFIG", "NoEquals", "x"}};
    const fs::path single = mDir / "single.ini", together = mDir / "together.ini";
    writeBytes(single, original);
    writeBytes(together, original);
    for (const ProfileEntry& e : entries)
        ASSERT_TRUE(WriteProfileValue(single, e.section, e.key, e.value)) << e.key;
    const test::FileSyncs before = test::fileSyncs();
    ASSERT_TRUE(WriteProfileValues(together, entries));
    EXPECT_EQ(std::pair(test::fileSyncs().renames - before.renames, readBytes(together)),
              std::pair(1, readBytes(single)));

    // One value that cannot be written: none is.
    writeBytes(together, original);
    entries.push_back({"手順1", "K=p", "1"});
    EXPECT_FALSE(WriteProfileValues(together, entries));
    EXPECT_TRUE(WriteProfileValues(together, {}));
    EXPECT_EQ(readBytes(together), original);
}

TEST_F(ProfileFileTest, TwoProcessesWritingOneFileKeepEveryValue) {
    const fs::path file = mDir / "Kestrel.ini";
    writeBytes(file, "[CONFIG]\r\nTMHOSEI=0\r\n");
    constexpr int kKeys = 100;
    std::vector<pid_t> writers;
    for (const char* who : {"A", "B"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failed = 0;
            for (int i = 0; i < kKeys; ++i)
                failed += !WriteProfileValue(file, "CONFIG", who + std::to_string(i), std::to_string(i));
            ::_exit(failed);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "failed writes: " << WEXITSTATUS(status);
    }
    int kept = 0;
    for (const char* who : {"A", "B"})
        for (int i = 0; i < kKeys; ++i)
            kept += ReadProfileValue(file, "CONFIG", who + std::to_string(i)) == std::to_string(i);
    EXPECT_EQ(kept, 2 * kKeys);
}

TEST_F(ProfileFileTest, AFileIsReadAgainOnlyWhenItHasChanged) {
    const fs::path file = mDir / "a.ini";
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    writeBytes(file, "[S]\r\nK=1\r\n");
    fs::last_write_time(file, anHourAgo);
    const auto first = ReadProfile(file);
    EXPECT_EQ(std::pair(first->value(" s ", "k"), ReadProfile(file)), std::pair(std::string("1"), first));
    // Rewritten in place with the same size, then by this module, then replaced by a new file.
    writeBytes(file, "[S]\r\nK=2\r\n");
    EXPECT_EQ(ReadProfileValue(file, "S", "K"), "2");
    ASSERT_TRUE(WriteProfileValue(file, "S", "K", "3"));
    EXPECT_EQ(ReadProfileValue(file, "S", "K"), "3");
    writeBytes(mDir / "b.ini", "[S]\r\nK=4\r\n");
    fs::rename(mDir / "b.ini", file);
    EXPECT_EQ(ReadProfileValue(file, "S", "K"), "4");
    // Just written: read afresh each time, as its time may not move at the next write.
    EXPECT_NE(ReadProfile(file), ReadProfile(file));
    EXPECT_EQ(ReadProfile(mDir / "missing.ini")->value("S", "K"), "");
}

TEST(StoredTexts, LineBreaksAreStoredAsBr) {
    EXPECT_EQ(brToNewline("一行目<BR>二行目<BR><BR>"), "一行目\r\n二行目\r\n\r\n");
    EXPECT_EQ(brToNewline("<br> <BR"), "<br> <BR");
    EXPECT_EQ(newlineToBr("一行目\r\n二行目\n三行目\r四行目"), "一行目<BR>二行目<BR>三行目<BR>四行目");
    EXPECT_EQ(newlineToBr("\r\n\r\n"), "<BR><BR>");
    EXPECT_EQ(brToNewline(newlineToBr("a\r\nb")), "a\r\nb");
}
