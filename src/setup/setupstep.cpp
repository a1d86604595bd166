// The set-up document's lesson and project steps: applying one (Ini_Param_set), the difference
// and plain writes, the step save and the step's texts.

#include "setup/setupdocument.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/runcontrol.h"
#include "setup/cp932.h"
#include "setup/modinifile.h"

#include <system_error>
#include <utility>

namespace kestrel {

namespace {

constexpr const char* kBaseSection = "手順";

/// An index text of a file (numeric-prefix rule, rounded) that must lie in 0..count-1.
int indexValue(const std::string& text, int count) {
    const int i = toInt16(val(text));
    if (i < 0 || i >= count)
        throw RuntimeError::invalidPropertyValue();
    return i;
}

bool checkValue(const std::string& text) {
    return toInt16(val(text)) != 0;
}

std::string decimal(int i) {
    return std::to_string(i);
}

// Only Study/ParaInz.txt itself is the base set: a project the learner named "ParaInz練習.txt" keeps
// its numbered steps (and its pen colour), so saving one step never overwrites another.
bool isBaseFile(const std::string& curFile, const std::filesystem::path& base) {
    if (curFile.empty())
        return false;
    const std::filesystem::path file(curFile);
    if (file.lexically_normal() == base.lexically_normal())
        return true;
    std::error_code ec;
    return std::filesystem::equivalent(file, base, ec);
}

// The name the learner knows a stored text by: the study window's texts as the help names them,
// a parameter field by its label, anything else by its key.
std::string storedTextName(const std::string& key) {
    static const std::pair<const char*, const char*> kTexts[] = {
        {"TITLE1", KESTREL_TR_NOOP("Messages", "プロジェクトの題名")},
        {"TEXT1", KESTREL_TR_NOOP("Messages", "プロジェクトの説明")},
        {"TITLE2", KESTREL_TR_NOOP("Messages", "手順の題名")},
        {"TEXT2", KESTREL_TR_NOOP("Messages", "手順の説明")}};
    for (const auto& [k, name] : kTexts)
        if (key == k)
            return translate("Messages", name);
    for (int f = 0; f < FieldCount; ++f)
        if (kFields[f].key == key)
            return fieldName(static_cast<Field>(f));
    for (int d = 0; d < DetailCount; ++d)
        if (kDetailFields[d].key == key)
            return detailFieldName(static_cast<DetailField>(d));
    for (int i = 0; i < SecondaryCount; ++i)
        if (kSecondaryFields[i].key == key)
            return secondaryFieldName(static_cast<SecondaryField>(i));
    return key;
}

RuntimeError textTooLong(const std::string& key) {
    return {5, trArgs(KESTREL_TR("Messages",
                                 "「%1」は長すぎて保存できません（%2 バイトまで。全角文字は 2 バイト、"
                                 "改行は 4 バイトと数えます）。"),
                      {storedTextName(key), std::to_string(kMaxProfileValueBytes)})};
}

RuntimeError lessonNotWritable() {
    return {75, KESTREL_TR("Messages", "学習の教材には書き込めません（書き込めるのはﾌﾟﾛｼﾞｪｸﾄだけです）。")};
}

} // namespace

// --- Steps and files ----------------------------------------------------------------------------

std::string SetupDocument::stepSection() const {
    if (isBaseFile(mState.study.CurFile, baseFile()))
        return kBaseSection;
    return std::string(kBaseSection) + decimal(mState.study.StepNo);
}

std::string SetupDocument::read(const std::string& section, const std::string& key) const {
    if (mApplying)
        return mApplying->value(section, key);
    return ReadProfileValue(mState.study.IniPath, section, key);
}

bool SetupDocument::write(const std::string& section, const std::string& key, const std::string& value) {
    if (mWriteFailed)
        return false; // the save already told the user; the rest would fail the same way
    if (!mState.study.ProjectMode) {
        mWriteFailed = true;
        throw lessonNotWritable();
    }
    bool encodable = false;
    const std::string stored = utf8ToCp932(trim(value), &encodable);
    if (!encodable) {
        mSaveIncomplete = true;
        throw RuntimeError::unsavableText(storedTextName(key));
    }
    if (stored.size() > kMaxProfileValueBytes) {
        mSaveRefused = true;
        throw textTooLong(key);
    }
    if (mSaving) {
        mStaged.push_back({section, key, value});
        return true;
    }
    if (!WriteProfileValue(mState.study.CurFile, section, key, value)) {
        mWriteFailed = true;
        throw RuntimeError::fileWriteFailed(std::filesystem::path(mState.study.CurFile).filename().string());
    }
    return true;
}

void SetupDocument::readProgram(bool sv, ErrorTrap& t) {
    const std::string section = stepSection();
    const char* prefix = sv ? "SV" : "DV";
    auto& times = sv ? mState.params.SVt : mState.params.DVt;
    auto& values = sv ? mState.params.SVv : mState.params.DVv;
    const int v0 = sv ? kSvValue : kDvValue;
    const int t0 = sv ? kSvTime : kDvTime;

    times[0] = "0";
    setProgramField(t0, "0");
    const std::string first = read(section, std::string(prefix) + "v0");
    if (!first.empty()) {
        values[0] = first;
        setProgramField(v0, first);
        for (int i = 1; i <= 8; ++i) {
            t([&] {
                const std::string time = read(section, std::string(prefix) + "t" + decimal(i));
                const std::string value = read(section, std::string(prefix) + "v" + decimal(i));
                times[i] = time;
                values[i] = value;
                setProgramField(t0 + i, time);
                setProgramField(v0 + i, value);
            });
        }
        if (sv)
            Command1_();
    }
    if (!sv)
        Command2_();
}

void SetupDocument::Ini_Param_set() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P009");
    mState.chart.Reported.forget(); // the step's settings report their faults anew
    IniPathSwitch sw(study.IniPath, study.CurFile);
    // The step is read from one reading of the file, however many keys it has.
    struct Applying {
        std::shared_ptr<const ProfileSnapshot>& snapshot;
        ~Applying() { snapshot.reset(); }
    } applying{mApplying = ReadProfile(study.CurFile)};
    const std::string section = stepSection();
    auto value = [&](const char* key) { return read(section, key); };

    if (const auto v = value(stepKey(StepKey::TypeSelect)); !v.empty())
        t([&] {
            const int page = indexValue(v, static_cast<int>(kTypePages.size()));
            if (page != mTypeTab)
                ContTypeTab_Click(page);
        });
    if (const auto v = value(stepKey(StepKey::Feedback)); !v.empty())
        t([&] {
            const bool checked = checkValue(v);
            if (checked != mFeedback)
                ChkFB_Click(checked);
        });
    if (const auto v = value(stepKey(StepKey::CalcForm)); !v.empty())
        t([&] {
            const int form = indexValue(v, static_cast<int>(kCalcForms.size()));
            if (form != mCalcForm)
                optCtype_Click(form);
        });
    for (int f = 0; f < FieldCount; ++f) {
        const std::string v = read(section, std::string(kFields[f].key));
        if (!v.empty())
            setFieldText(static_cast<Field>(f), v);
    }
    for (int d = 0; d < DetailCount; ++d) {
        const std::string v = read(section, std::string(kDetailFields[d].key));
        if (!v.empty())
            setDetailText(static_cast<DetailField>(d), v);
    }
    if (const auto v = value(kProcTypeKey); !v.empty())
        t([&] { optProcType_Click(indexValue(v, static_cast<int>(kProcessTypes.size()))); });
    // A new loop structure is put at rest once the step's settings are in (at the end).
    bool loopChanged = false;
    if (const auto v = value(kLoopKey); !v.empty())
        t([&] { loopChanged = storeLoop(indexValue(v, static_cast<int>(kLoopStructures.size()))); });
    if (const auto v = value(kSecondaryTypeKey); !v.empty())
        t([&] { optType2_Click(indexValue(v, static_cast<int>(kSecondaryTypes.size()))); });
    if (const auto v = value(kSecondaryCalcKey); !v.empty())
        t([&] { optCtype2_Click(indexValue(v, static_cast<int>(kCalcForms.size()))); });
    for (int i = 0; i < SecondaryCount; ++i) {
        const std::string v = read(section, std::string(kSecondaryFields[i].key));
        if (!v.empty())
            setSecondaryText(static_cast<SecondaryField>(i), v);
    }

    readProgram(true, t);
    if (mPump)
        mPump();
    readProgram(false, t);

    // The secondary's mode first: the primary's manual mode then stops the pacing the secondary's
    // mode change started.
    if (const auto v = value(kSecondaryModeKey); v == "2" || v == "1" || v == "0")
        t([&] { setSecondaryMode(static_cast<std::int16_t>(v[0] - '0')); });
    if (const auto v = value(stepKey(StepKey::Mode)); v == "2" || v == "1" || v == "0") {
        t([&] { setMode(static_cast<std::int16_t>(v[0] - '0')); });
        if (v == "0" && mRun)
            t([&] { mRun->stopPacing(); });
    }
    if (const auto v = value(stepKey(StepKey::RangeHigh)); !v.empty())
        t([&] {
            setRangeHighText(v);
            mState.chart.RH = toInt16(val(v));
        });
    if (const auto v = value(stepKey(StepKey::RangeLow)); !v.empty())
        t([&] {
            setRangeLowText(v);
            mState.chart.RL = toInt16(val(v));
        });
    // Equal range texts, or texts that are no number, give a range the chart cannot draw.
    if (mState.chart.keepRangeDrawable()) {
        setRangeHighText(formatNumber(mState.chart.RH, "###0"));
        setRangeLowText(formatNumber(mState.chart.RL, "###0"));
    }
    if (const auto v = value(stepKey(StepKey::AutoRange)); !v.empty())
        t([&] { setAutoRange(checkValue(v)); });
    if (const auto v = value(stepKey(StepKey::AutoPen)); !v.empty())
        t([&] { setAutoPen(checkValue(v)); });
    if (!isBaseFile(study.CurFile, baseFile()))
        if (const auto v = value(stepKey(StepKey::PenColour)); !v.empty())
            t([&] { setPenChoice(indexValue(v, static_cast<int>(kPenChoices.size()))); });
    if (const auto v = value(stepKey(StepKey::GraphTime)); !v.empty())
        setGraphTimeText(v);
    study.NoteId.clear();
    study.NoteId = value("NOTES");
    if (loopChanged)
        t([&] { putLoopAtRest(); });
    mLoopRestPending = loopChanged;
}

std::vector<std::string> SetupDocument::valuesInForce(const std::vector<std::string>& keys) const {
    std::vector<std::string> values;
    for (const std::string& key : keys)
        values.push_back(ReadProfileValue(baseFile(), kBaseSection, key));
    if (isBaseFile(mState.study.CurFile, baseFile()))
        return values;
    const auto file = ReadProfile(mState.study.CurFile);
    for (int step = 1; step < mState.study.StepNo; ++step) {
        const std::string section = std::string(kBaseSection) + decimal(step);
        if (file->value(section, keys.front()).empty())
            continue;
        for (std::size_t i = 0; i < keys.size(); ++i)
            values[i] = file->value(section, keys[i]);
    }
    return values;
}

bool SetupDocument::IniWrite1(const std::string& key, const std::string& value) {
    if (!mSaving)
        mWriteFailed = false; // a write of its own, not part of a save
    ErrorTrap t(mMessages, "  P012");
    // The step save has already switched; a direct call must not write into the settings file.
    IniPathSwitch sw(mState.study.IniPath, mState.study.CurFile);
    bool wrote = false;
    t([&] {
        const std::string base = ReadProfileValue(baseFile(), kBaseSection, key);
        const std::string section = stepSection();
        if (value != base || value != valuesInForce({key}).front()) {
            wrote = write(section, key, value);
        } else if (!read(section, key).empty()) {
            write(section, key, "");
        }
    });
    return wrote;
}

bool SetupDocument::IniWrite2(const std::string& key, const std::string& value) {
    if (!mSaving)
        mWriteFailed = false;
    ErrorTrap t(mMessages, "  P013");
    IniPathSwitch sw(mState.study.IniPath, mState.study.CurFile);
    t([&] { write(stepSection(), key, value); });
    return true;
}

bool SetupDocument::writeProgram(bool sv, ErrorTrap& t) {
    const std::string prefix = sv ? "SV" : "DV";
    const auto& times = sv ? mState.params.SVt : mState.params.DVt;
    const auto& values = sv ? mState.params.SVv : mState.params.DVv;

    // The seventeen keys in file order: the value of point 0, the times 1..8, the values 1..8.
    std::vector<std::pair<std::string, std::string>> keys;
    keys.emplace_back(prefix + "v0", values[0]);
    for (int i = 1; i <= 8; ++i)
        keys.emplace_back(prefix + "t" + decimal(i), times[i]);
    for (int i = 1; i <= 8; ++i)
        keys.emplace_back(prefix + "v" + decimal(i), values[i]);

    // Written whole when it differs from the base program or from the program in force.
    bool differs = false;
    t([&] {
        std::vector<std::string> names;
        for (const auto& entry : keys)
            names.push_back(entry.first);
        const std::vector<std::string> inForce = valuesInForce(names);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const std::string text(trim(keys[i].second));
            if (text != ReadProfileValue(baseFile(), kBaseSection, keys[i].first) || text != inForce[i])
                differs = true;
        }
    });
    const std::string section = stepSection();
    for (const auto& entry : keys) {
        if (differs)
            IniWrite2(entry.first, entry.second);
        else
            t([&] {
                if (!read(section, entry.first).empty())
                    write(section, entry.first, "");
            });
    }
    return differs;
}

bool SetupDocument::saveStep(const StepTexts& texts) {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P011");
    if (!study.ProjectMode) {
        t([] { throw lessonNotWritable(); });
        return false;
    }
    mWriteFailed = false;
    mSaveIncomplete = false;
    mSaveRefused = false;
    mSaving = true;
    mStaged.clear();
    {
        IniPathSwitch sw(study.IniPath, study.CurFile);
        const std::string section = stepSection();
        t([&] { write("説明", "TITLE1", texts.title1); });
        t([&] { write("説明", "TEXT1", newlineToBr(texts.text1)); });
        t([&] { write(section, "TITLE2", texts.title2); });
        t([&] { write(section, "TEXT2", newlineToBr(texts.text2)); });

        IniWrite1(stepKey(StepKey::TypeSelect), decimal(mTypeTab));
        IniWrite1(stepKey(StepKey::Feedback), mFeedback ? "1" : "0");
        IniWrite1(stepKey(StepKey::CalcForm), decimal(mCalcForm));
        for (int f = 0; f < FieldCount; ++f)
            if (!(mState.study.ProcessHidden && isProcessField(static_cast<Field>(f))))
                IniWrite1(std::string(kFields[f].key), mFields[f].text);
        // A hidden process keeps its type, its second lag and its valve from view as well.
        const bool hidden = mState.study.ProcessHidden;
        for (int d = 0; d < DetailCount; ++d) {
            if (d == Tpl2 && !hidden)
                IniWrite1(kProcTypeKey, decimal(mProcType));
            if (!(hidden && (d == Tpl2 || (d >= ValveDb && d <= ValveT))))
                IniWrite1(std::string(kDetailFields[d].key), mDetail[d].text);
        }
        IniWrite1(kLoopKey, decimal(mLoop));
        IniWrite1(kSecondaryTypeKey, decimal(mType2));
        IniWrite1(kSecondaryCalcKey, decimal(mCalc2));
        for (int i = 0; i < SecondaryCount; ++i)
            if (!(hidden && isHiddenInnerField(static_cast<SecondaryField>(i))))
                IniWrite1(std::string(kSecondaryFields[i].key), mSecondary[i].text);

        writeProgram(true, t);
        writeProgram(false, t);

        IniWrite1(kSecondaryModeKey, decimal(mState.params.MODE2));
        IniWrite1(stepKey(StepKey::Mode), decimal(mState.params.MODE));
        IniWrite1(stepKey(StepKey::RangeHigh), mRangeHigh);
        IniWrite1(stepKey(StepKey::RangeLow), mRangeLow);
        IniWrite1(stepKey(StepKey::AutoRange), mAutoRange ? "1" : "0");
        IniWrite1(stepKey(StepKey::AutoPen), mAutoPen ? "1" : "0");
        IniWrite2(stepKey(StepKey::PenColour), mAutoPen ? "" : decimal(mPenChoice));
        IniWrite1(stepKey(StepKey::GraphTime), mGraphTime);
    }
    mSaving = false;
    const std::vector<ProfileEntry> staged = std::exchange(mStaged, {});
    // One replacement of the file: the step is stored whole or the file stays as it was.
    if (!mSaveRefused && !mWriteFailed)
        t([&] {
            if (!WriteProfileValues(study.CurFile, staged)) {
                mWriteFailed = true;
                throw RuntimeError::fileWriteFailed(std::filesystem::path(study.CurFile).filename().string());
            }
        });
    const bool saved = !mWriteFailed && !mSaveIncomplete && !mSaveRefused;
    mWriteFailed = false;
    mSaveIncomplete = false;
    mSaveRefused = false;
    return saved;
}

StepTexts SetupDocument::readStepTexts() const {
    const auto file = ReadProfile(mState.study.CurFile);
    const std::string section = stepSection();
    StepTexts texts;
    texts.title1 = file->value("説明", "TITLE1");
    texts.text1 = brToNewline(file->value("説明", "TEXT1"));
    texts.title2 = file->value(section, "TITLE2");
    texts.text2 = brToNewline(file->value(section, "TEXT2"));
    return texts;
}

} // namespace kestrel
