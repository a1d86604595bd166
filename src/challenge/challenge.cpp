#include "challenge/challenge.h"

#include "core/strings.h"
#include "core/translate.h"
#include "setup/cp932.h"
#include "setup/fieldtable.h"
#include "setup/modinifile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

namespace kestrel::challenge {

namespace {

/// The step keys that choose an option beside TYPE_SELECT and CALC_TYPE (kStepKeys).
constexpr const char* kOptionKeys[] = {kProcTypeKey, kLoopKey, kSecondaryTypeKey, kSecondaryCalcKey,
                                       kSecondaryModeKey};

} // namespace

// The names, units and hints are translated where they are shown (context "Challenge").
// clang-format off
const std::array<GoalDef, static_cast<std::size_t>(GoalKind::Count)> kGoalDefs{{
    {GoalKind::Overshoot, "OVERSHOOT_MAX", "HINT_OVERSHOOT",
     KESTREL_TR_NOOP("Challenge", "行き過ぎ量"), "%", 1.0,
     KESTREL_TR_NOOP("Challenge", "Kp を下げるか Ti を長くしてみましょう")},
    {GoalKind::Settling, "SETTLING_MAX", "HINT_SETTLING",
     KESTREL_TR_NOOP("Challenge", "整定時間"), KESTREL_TR_NOOP("Challenge", "秒"), 1.0,
     KESTREL_TR_NOOP("Challenge", "落ち着くまでに時間がかかっています。振動が続くなら Kp を下げ、ゆっくりなら Kp を上げてみましょう")},
    {GoalKind::Rise, "RISE_MAX", "HINT_RISE",
     KESTREL_TR_NOOP("Challenge", "立ち上がり時間"), KESTREL_TR_NOOP("Challenge", "秒"), 1.0,
     KESTREL_TR_NOOP("Challenge", "立ち上がりが遅いです。Kp を上げるか Td を加えてみましょう")},
    {GoalKind::Iae, "IAE_MAX", "HINT_IAE",
     KESTREL_TR_NOOP("Challenge", "偏差の積分（IAE）"), "", 1.0,
     KESTREL_TR_NOOP("Challenge", "偏差の合計が大きいです。Kp を上げるか Ti を短くしてみましょう")},
    {GoalKind::Offset, "OFFSET_MAX", "HINT_OFFSET",
     KESTREL_TR_NOOP("Challenge", "オフセット"), "%", 0.1,
     KESTREL_TR_NOOP("Challenge", "積分動作が必要です")},
    {GoalKind::MvTravel, "MV_TRAVEL_MAX", "HINT_MV_TRAVEL",
     KESTREL_TR_NOOP("Challenge", "操作量の動き"), "%", 1.0,
     KESTREL_TR_NOOP("Challenge", "操作量が動きすぎです。Kp や Td を小さくしてみましょう")},
    {GoalKind::LimitTime, "LIMIT_TIME_MAX", "HINT_LIMIT_TIME",
     KESTREL_TR_NOOP("Challenge", "制限にかかった時間"), KESTREL_TR_NOOP("Challenge", "秒"), 1.0,
     KESTREL_TR_NOOP("Challenge", "操作量が制限に張り付いています。Kp を下げるか計算の形を見直してみましょう")},
    {GoalKind::Deviation, "DEV_MAX", "HINT_DEV",
     KESTREL_TR_NOOP("Challenge", "外乱による偏差"), "%", 0.1,
     KESTREL_TR_NOOP("Challenge", "外乱で偏差が大きくなっています。Kp を上げるかフィードフォワードを使ってみましょう")},
}};
// clang-format on

const GoalDef& goalDef(GoalKind kind) {
    return kGoalDefs[static_cast<std::size_t>(kind)];
}

bool Challenge::isFree(std::string_view key) const {
    return std::any_of(freeKeys.begin(), freeKeys.end(), [&](const std::string& k) { return k == key; });
}

std::optional<std::string> stepKeyName(std::string_view key) {
    for (const FieldDef& f : kFields)
        if (equalIgnoringAsciiCase(f.key, key))
            return std::string(f.key);
    for (const FieldDef& f : kDetailFields)
        if (equalIgnoringAsciiCase(f.key, key))
            return std::string(f.key);
    for (const FieldDef& f : kSecondaryFields)
        if (equalIgnoringAsciiCase(f.key, key))
            return std::string(f.key);
    for (const char* k : kOptionKeys)
        if (equalIgnoringAsciiCase(k, key))
            return std::string(k);
    for (const char* k : kStepKeys)
        if (equalIgnoringAsciiCase(k, key))
            return std::string(k);
    if (key.size() == 4 &&
        (equalIgnoringAsciiCase(key.substr(0, 2), "SV") || equalIgnoringAsciiCase(key.substr(0, 2), "DV"))) {
        const char kind = static_cast<char>(key[2] | 0x20);
        const char digit = key[3];
        if ((kind == 'v' && digit >= '0' && digit <= '8') || (kind == 't' && digit >= '1' && digit <= '8'))
            return std::string(key[0] == 's' || key[0] == 'S' ? "SV" : "DV") + kind + digit;
    }
    return std::nullopt;
}

bool freeableKey(std::string_view key) {
    // The sensor filter and the secondary's tuning are the learner's to tune, as the controller
    // is; the noise, the valve, the process type, the loop structure, the secondary's type, form,
    // limits and mode, and the inner part are the plant's and stay as the challenge gives them.
    if (key == "TYPE_SELECT" || key == "CALC_TYPE" || key == kDetailFields[PvFilter].key)
        return true;
    for (const SecondaryField s : {Kp2, Ti2, Td2})
        if (key == kSecondaryFields[s].key)
            return true;
    return std::any_of(kFields.begin(), kFields.end(), [&](const FieldDef& f) { return f.key == key; });
}

bool processKey(std::string_view key) {
    if (key == kFields[Kpl].key || key == kFields[Tpl].key || key == kFields[Lpl].key || key == kProcTypeKey)
        return true;
    for (const DetailField d : {ValveDb, ValveBl, StickS, StickJ, ValveT, Tpl2})
        if (key == kDetailFields[d].key)
            return true;
    for (int s = 0; s < SecondaryCount; ++s)
        if (isHiddenInnerField(static_cast<SecondaryField>(s)) && key == kSecondaryFields[s].key)
            return true;
    return false;
}

namespace {

constexpr std::uintmax_t kLargestFile = 1u << 20;

/// The number of choices of a step key that names an option (0: not an option key).
int optionCount(std::string_view key) {
    if (key == "TYPE_SELECT")
        return static_cast<int>(kTypePages.size());
    if (key == "CALC_TYPE" || key == kSecondaryCalcKey)
        return static_cast<int>(kCalcForms.size());
    if (key == kProcTypeKey)
        return static_cast<int>(kProcessTypes.size());
    if (key == kLoopKey)
        return static_cast<int>(kLoopStructures.size());
    if (key == kSecondaryTypeKey)
        return static_cast<int>(kSecondaryTypes.size());
    if (key == kSecondaryModeKey)
        return 3; // M, A, CAS
    return 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

/// A whole text as a number (blanks around it allowed); nothing when it is not one.
std::optional<double> number(std::string_view text) {
    const std::string s(trimBlanks(text));
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(trimBlanks(text.substr(begin, end == std::string_view::npos ? end : end - begin)));
        if (end == std::string_view::npos)
            return parts;
        begin = end + 1;
    }
}

/// Reads one challenge file; every refusal is thrown as the sentence the teacher sees.
class Reader {
public:
    explicit Reader(const std::filesystem::path& file) : mFile(file), mName(file.filename().string()) {
        mChallenge.file = file;
    }

    Challenge read() {
        const std::string text = cp932ToUtf8(bytes());
        std::string section;
        bool anySection = false;
        std::size_t begin = 0;
        for (int line = 1; begin < text.size(); ++line) {
            std::size_t end = text.find('\n', begin);
            if (end == std::string::npos)
                end = text.size();
            mLine = line;
            const std::string_view content = trimBlanks(std::string_view(text).substr(begin, end - begin));
            begin = end + 1;
            if (content.empty() || content.front() == ';')
                continue;
            if (content.front() == '[' && content.rfind(']') != std::string_view::npos) {
                section = trimBlanks(content.substr(1, content.rfind(']') - 1));
                anySection = true;
                if (section != "説明" && section != "課題") {
                    warn(trArgs(KESTREL_TR("Challenge", "不明なセクション「%1」は読みません。"), {section}));
                } else if (!mSections.insert(section).second) {
                    // As in every profile file, only the first section of a name counts.
                    warn(trArgs(KESTREL_TR("Challenge", "二つ目の［%1］は読みません。"), {section}));
                    section.clear();
                }
                continue;
            }
            const std::size_t eq = content.find('=');
            const std::string key(trimBlanks(content.substr(0, eq)));
            std::string_view value = eq == std::string_view::npos ? "" : trimBlanks(content.substr(eq + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            if (section == "説明")
                description(key, std::string(value));
            else if (section == "課題")
                task(key, std::string(value));
            else if (!anySection)
                fail(trArgs(KESTREL_TR("Challenge", "最初のセクションより前に「%1」があります。"), {key}));
        }
        mLine = 0;
        finish();
        return std::move(mChallenge);
    }

private:
    std::string bytes() {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(mFile, ec))
            fail(KESTREL_TR("Challenge", "見つかりません。"));
        if (std::filesystem::file_size(mFile, ec) > kLargestFile)
            fail(KESTREL_TR("Challenge", "挑戦ファイルとしては大きすぎます。"));
        std::ifstream in(mFile, std::ios::binary);
        if (!in)
            fail(KESTREL_TR("Challenge", "読めません。"));
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.find('\0') != std::string::npos)
            fail(KESTREL_TR("Challenge", "テキストファイルではありません。"));
        return bytes;
    }

    [[noreturn]] void fail(const std::string& what) const { throw std::runtime_error(where() + what); }
    void warn(const std::string& what) { mChallenge.warnings.push_back(where() + what); }
    std::string where() const {
        return mLine > 0 ? trArgs(KESTREL_TR("Challenge", "挑戦ファイル「%1」の %2 行目："),
                                  {mName, std::to_string(mLine)})
                         : trArgs(KESTREL_TR("Challenge", "挑戦ファイル「%1」："), {mName});
    }

    /// The first line of a key counts, as in every profile file; a second one is pointed out.
    bool firstTime(const std::string& section, const std::string& key) {
        std::string folded = section + "\n";
        for (const char c : key)
            folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        if (mSeen.insert(folded).second)
            return true;
        warn(trArgs(KESTREL_TR("Challenge", "「%1」は二度目です。最初の値を使います。"), {key}));
        return false;
    }

    void description(const std::string& key, const std::string& value) {
        if (!firstTime("説明", key))
            return;
        if (equalIgnoringAsciiCase(key, "TITLE1"))
            mChallenge.title = value;
        else if (equalIgnoringAsciiCase(key, "TEXT1"))
            mChallenge.text = brToNewline(value);
        else
            warn(trArgs(KESTREL_TR("Challenge", "不明なキー「%1」は読みません。"), {key}));
    }

    double positive(const std::string& key, std::string_view text, bool zeroAllowed) const {
        const auto v = number(text);
        if (!v || *v < 0 || (!zeroAllowed && *v == 0))
            fail(trArgs(zeroAllowed
                            ? KESTREL_TR("Challenge", "「%1」の値「%2」は0 以上の数でなければなりません。")
                            : KESTREL_TR("Challenge", "「%1」の値「%2」は正の数でなければなりません。"),
                        {key, text}));
        return *v;
    }

    void goal(const GoalDef& def, const std::string& value) {
        const auto parts = split(value, ',');
        if (parts.size() > 2)
            fail(trArgs(KESTREL_TR("Challenge", "「%1」は「上限」か「上限,重み」で書きます（例 %1=5,2）。"),
                        {def.key}));
        Goal g;
        g.kind = def.kind;
        g.limit = positive(std::string(def.key), parts[0], true);
        if (parts.size() == 2)
            g.weight = positive(trArgs(KESTREL_TR("Challenge", "%1 の重み"), {def.key}), parts[1], false);
        for (const Goal& other : mChallenge.goals)
            if (other.kind == def.kind)
                fail(trArgs(KESTREL_TR("Challenge", "「%1」は二度目です。"), {def.key}));
        mChallenge.goals.push_back(g);
    }

    void range(const std::string& key, const std::string& value, double& low, double& high) {
        const std::size_t dots = value.find("..");
        const auto lo =
            dots == std::string::npos ? std::nullopt : number(std::string_view(value).substr(0, dots));
        const auto hi =
            dots == std::string::npos ? std::nullopt : number(std::string_view(value).substr(dots + 2));
        if (!lo || !hi || *lo <= 0 || *hi < *lo)
            fail(trArgs(KESTREL_TR("Challenge", "「%1」は「下限..上限」の正の数で書きます（例 %1=0.5..2）。"),
                        {key}));
        low = *lo;
        high = *hi;
        mRanges = true;
    }

    void task(const std::string& key, const std::string& value) {
        if (!firstTime("課題", key))
            return;
        if (const auto step = stepKeyName(key)) {
            const bool program = step->size() == 4 && (step->starts_with("SV") || step->starts_with("DV"));
            if (*step == "MODE")
                mModeLine = mLine;
            if (!program && !number(value))
                fail(trArgs(KESTREL_TR("Challenge", "「%1」の値「%2」は数値ではありません。"),
                            {*step, value}));
            const int pages = optionCount(*step);
            if (pages > 0 && !(value.size() == 1 && value[0] >= '0' && value[0] < '0' + pages))
                fail(trArgs(KESTREL_TR("Challenge", "「%1」には 0 から %2 までの整数を書きます。"),
                            {*step, std::to_string(pages - 1)}));
            mChallenge.fixed[*step] = value;
            return;
        }
        for (const GoalDef& def : kGoalDefs) {
            if (equalIgnoringAsciiCase(key, def.key))
                return goal(def, value);
            if (equalIgnoringAsciiCase(key, def.hintKey)) {
                mHints[def.kind] = value;
                return;
            }
        }
        if (equalIgnoringAsciiCase(key, "FREE")) {
            for (std::string_view part : split(value, ',')) {
                if (part.empty())
                    continue;
                const auto name = stepKeyName(part);
                if (!name || !freeableKey(*name))
                    fail(trArgs(
                        KESTREL_TR(
                            "Challenge",
                            "「FREE」の「%1」は学習者が変えられる設定ではありません（パラメータの欄、TYPE_"
                            "SELECT、CALC_TYPE、PV_FILTER、Kp2、Ti2、Td2）。"),
                        {part}));
                if (!mChallenge.isFree(*name))
                    mChallenge.freeKeys.push_back(*name);
            }
        } else if (equalIgnoringAsciiCase(key, "HIDDEN")) {
            if (value != "0" && value != "1")
                fail(KESTREL_TR("Challenge", "「HIDDEN」には 0 か 1 を書きます。"));
            mChallenge.hidden = value == "1";
        } else if (equalIgnoringAsciiCase(key, "SEED")) {
            char* end = nullptr;
            errno = 0;
            const unsigned long long seed = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || value.front() == '-' || *end != '\0' || errno == ERANGE)
                fail(KESTREL_TR("Challenge", "「SEED」には 0 以上の整数を書きます。"));
            mMystery.seed = seed;
            mSeed = true;
        } else if (equalIgnoringAsciiCase(key, "K")) {
            range("K", value, mMystery.kLow, mMystery.kHigh);
        } else if (equalIgnoringAsciiCase(key, "L")) {
            range("L", value, mMystery.lLow, mMystery.lHigh);
        } else if (equalIgnoringAsciiCase(key, "T")) {
            range("T", value, mMystery.tLow, mMystery.tHigh);
        } else {
            warn(trArgs(KESTREL_TR("Challenge", "不明なキー「%1」は読みません。"), {key}));
        }
    }

    void finish() {
        if (mChallenge.title.empty())
            fail(KESTREL_TR("Challenge", "［説明］に題名（TITLE1）がありません。"));
        for (Goal& g : mChallenge.goals) {
            const auto hint = mHints.find(g.kind);
            g.hint = hint != mHints.end() ? hint->second
                                          : translate("Challenge", std::string(goalDef(g.kind).hint).c_str());
        }
        for (const auto& [kind, text] : mHints)
            if (std::none_of(mChallenge.goals.begin(), mChallenge.goals.end(),
                             [&](const Goal& g) { return g.kind == kind; }))
                mChallenge.warnings.push_back(
                    where() +
                    trArgs(KESTREL_TR("Challenge", "「%1」の目標がないので、そのヒントは使いません。"),
                           {goalDef(kind).hintKey}));
        if (mSeed) {
            if (!mChallenge.goals.empty())
                fail(KESTREL_TR("Challenge", "同定クイズ（SEED のある挑戦）には目標を書けません。"));
            mChallenge.mystery = mMystery;
            mChallenge.hidden = true;
            return;
        }
        if (const auto mode = mChallenge.fixed.find("MODE");
            mode != mChallenge.fixed.end() && mode->second != "2") {
            mLine = mModeLine;
            fail(KESTREL_TR("Challenge", "採点する実行はカスケードで始めます。MODE には 2 だけを書けます。"));
        }
        if (mRanges)
            fail(KESTREL_TR("Challenge", "K, L, T の範囲は同定クイズ（SEED のある挑戦）にだけ書けます。"));
        if (mChallenge.goals.empty())
            fail(KESTREL_TR("Challenge", "［課題］に目標（OVERSHOOT_MAX など）が一つもありません。"));
        if (mChallenge.freeKeys.empty())
            fail(KESTREL_TR("Challenge", "［課題］に学習者が変える設定（FREE=Kp,Ti,Td など）がありません。"));
    }

    std::filesystem::path mFile;
    std::string mName;
    int mLine = 0;
    Challenge mChallenge;
    std::set<std::string> mSeen;
    std::set<std::string> mSections;
    std::map<GoalKind, std::string> mHints;
    MysteryRanges mMystery;
    bool mSeed = false;
    bool mRanges = false;
    int mModeLine = 0;
};

} // namespace

LoadedChallenge loadChallenge(const std::filesystem::path& file) {
    LoadedChallenge loaded;
    try {
        loaded.challenge = Reader(file).read();
    } catch (const std::exception& e) {
        loaded.error = e.what();
    }
    return loaded;
}

std::vector<std::filesystem::path> challengeFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && equalIgnoringAsciiCase(it->path().extension().string(), ".txt"))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace kestrel::challenge
