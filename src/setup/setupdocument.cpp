#include "setup/setupdocument.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/systemerror.h"
#include "core/vbformat.h"
#include "engine/runcontrol.h"
#include "setup/cp932.h"
#include "setup/modinifile.h"
#include "setup/settingsfile.h"

#include <algorithm>
#include <system_error>

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

bool checkValue(const std::string& text) { return toInt16(val(text)) != 0; }

std::string decimal(int i) { return std::to_string(i); }

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
    static const std::pair<const char*, const char*> kTexts[] = {{"TITLE1", "プロジェクトの題名"},
                                                                 {"TEXT1", "プロジェクトの説明"},
                                                                 {"TITLE2", "手順の題名"},
                                                                 {"TEXT2", "手順の説明"}};
    for (const auto& [k, name] : kTexts)
        if (key == k)
            return name;
    for (int f = 0; f < FieldCount; ++f)
        if (kFields[f].key == key)
            return fieldName(static_cast<Field>(f));
    return key;
}

RuntimeError textTooLong(const std::string& key) {
    return {5, "「" + storedTextName(key) + "」は長すぎて保存できません（" +
                   std::to_string(kMaxProfileValueBytes) +
                   " バイトまで。全角文字は 2 バイト、改行は 4 バイトと数えます）。"};
}

RuntimeError lessonNotWritable() {
    return {75, "学習の教材には書き込めません（書き込めるのはﾌﾟﾛｼﾞｪｸﾄだけです）。"};
}

// True when a project name would be lost or disguised in the Project folder: a leading "." hides
// it from the project list, a character outside CP932 cannot be carried by the files' system, and
// control or invisible formatting characters (such as a right-to-left override) make it look like
// another name.
bool unfitProjectName(const std::string& name) {
    if (name.empty() || name.front() == '.')
        return true;
    bool encodable = false;
    utf8ToCp932(name, &encodable);
    if (!encodable)
        return true;
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < name.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
        i += length;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200B && c <= 0x200F) ||
            (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF)
            return true;
    }
    return false;
}

} // namespace

SetupDocument::SetupDocument(AppState& state, MessageService& messages, std::filesystem::path appDir)
    : mState(state), mMessages(messages), mAppDir(std::move(appDir)) {
    for (int f = 0; f < FieldCount; ++f) {
        mFields[f].text = std::string(kFields[f].initial);
        mFields[f].visible = !kFields[f].hiddenAtStart;
    }
    for (std::size_t i = 0; i < mPenLabels.size(); ++i)
        mPenLabels[i] = std::string(kPenLabels[i]);
    for (int i = 0; i < 9; ++i) {
        mProgram[kSvValue + i] = mState.params.SVv[i];
        mProgram[kSvTime + i] = mState.params.SVt[i];
        mProgram[kDvValue + i] = mState.params.DVv[i];
        mProgram[kDvTime + i] = mState.params.DVt[i];
    }
    mState.chart.PenChoice = static_cast<std::int16_t>(mPenChoice);
}

int SetupDocument::addListener(Listener listener) {
    mListeners.emplace_back(mNextListener, std::move(listener));
    return mNextListener++;
}

void SetupDocument::removeListener(int id) {
    std::erase_if(mListeners, [id](const auto& l) { return l.first == id; });
}

void SetupDocument::notify(SetupChange what, int index) {
    for (auto& l : mListeners)
        l.second(what, index);
}

// --- Parameter fields ---------------------------------------------------------------------------

void SetupDocument::setFieldText(Field f, const std::string& text) {
    if (mFields[f].text == text)
        return;
    mFields[f].text = text;
    mFields[f].edited = true;
    notify(SetupChange::FieldText, f);
}

void SetupDocument::showBias(double bA) {
    mBiasText = formatNumber(bA, "###.0");
    notify(SetupChange::Bias);
}

double SetupDocument::engineValue(Field f) const {
    const double v = mState.params.*kFields[f].target;
    return f == dT ? v * 1000.0 : v;
}

void SetupDocument::storeValue(Field f, double value) {
    mState.params.*kFields[f].target = f == dT ? value / 1000.0 : value;
}

void SetupDocument::applyField(Field f, ErrorTrap& t) {
    const FieldDef& def = kFields[f];
    float x = 0.0f;
    bool converted = false;
    t([&] {
        try {
            x = toSingle(formatText(mFields[f].text, def.pre));
        } catch (const RuntimeError& e) {
            // The learner is told which field to correct, and how.
            throw RuntimeError(e.number(), e.number() == RuntimeError::typeMismatch().number()
                                               ? notANumberMessage(f)
                                               : fieldName(f) + "：" + e.description());
        }
        converted = true;
    });
    // A text that is not a number keeps the value in force, and the field shows it again.
    if (!converted)
        x = static_cast<float>(engineValue(f));

    float high = static_cast<float>(def.high);
    if (def.high == kDeadTimeBound)
        t([&] { high = toFloat(200.0 * mState.params.dt); });
    if (x < static_cast<float>(def.low))
        x = static_cast<float>(def.low);
    if (x > high)
        x = high;

    t([&] {
        const std::string shown = formatNumber(x, def.shown);
        mFields[f].text = shown;
        storeValue(f, toDouble(shown));
    });
    mFields[f].edited = false;
    notify(SetupChange::FieldText, f);
}

void SetupDocument::applyGroup(FieldGroup group) {
    ErrorTrap t(mMessages, groupErrorCode(group));
    mState.chart.Reported.forget(); // a changed setting reports its faults anew
    for (int f = 0; f < FieldCount; ++f)
        if (kFields[f].group == group)
            applyField(static_cast<Field>(f), t);
    if (group == FieldGroup::Controller)
        t([&] { mState.params.dt = toDouble(mFields[dT].text) / 1000.0; });
}

void SetupDocument::OKButton_() { applyGroup(FieldGroup::Controller); }
void SetupDocument::OKButtonPL_() { applyGroup(FieldGroup::Process); }
void SetupDocument::OKButtonDS_() { applyGroup(FieldGroup::Disturbance); }
void SetupDocument::OKButtonFF_() { applyGroup(FieldGroup::Feedforward); }

void SetupDocument::okButton(FieldGroup group) {
    applyGroup(group);
    mState.study.ParaSetDone = false;
}

void SetupDocument::cancelButton(FieldGroup group) {
    for (int f = 0; f < FieldCount; ++f) {
        if (kFields[f].group != group)
            continue;
        const bool whole = f == dT || f == MH || f == ML || f == dML;
        setFieldText(static_cast<Field>(f), formatNumber(engineValue(static_cast<Field>(f)), whole ? "###0" : "###0.00"));
    }
    if (group == FieldGroup::Controller) {
        mBiasText = formatNumber(mState.params.bA, "###0.00");
        notify(SetupChange::Bias);
    }
    okButton(group);
}

void SetupDocument::setVisible(Field f, bool visible) { mFields[f].visible = visible; }

void SetupDocument::ContTypeTab_Click(int page) {
    if (page < 0 || page >= static_cast<int>(kTypePages.size()))
        throw RuntimeError::invalidPropertyValue();
    mTypeTab = page;
    mState.params.TYPE_SELECT = static_cast<std::int16_t>(page);
    notify(SetupChange::TypeTab);

    mTypeLabel = std::string(kTypePages[page]);
    notify(SetupChange::TypeLabel);

    for (Field f : {Alpha, Beta, Gamma})
        setVisible(f, false);
    setVisible(Ti, true);
    setVisible(Td, true);

    mPenLabels[1] = "② 偏差（ｅ）";
    mPenLabels[2] = "③ 比例項（Ｐ）";
    mPenLabels[3] = "④ 積分項（Ｉ）";
    mPenLabels[4] = "⑤ 微分（Ｄ）";

    auto filter = [this](const char* a, const char* b, const char* g) {
        setFieldText(Alpha, a);
        setFieldText(Beta, b);
        setFieldText(Gamma, g);
    };
    switch (static_cast<ControlType>(page)) {
    case ControlType::P:
        setFieldText(Ti, "0.00");
        setFieldText(Td, "0.00");
        filter("1.00", "1.00", "1.00");
        setVisible(Ti, false);
        setVisible(Td, false);
        mPenLabels[3].clear();
        mPenLabels[4].clear();
        break;
    case ControlType::PI:
        setFieldText(Td, "0.00");
        filter("1.00", "1.00", "1.00");
        setVisible(Td, false);
        mPenLabels[4].clear();
        break;
    case ControlType::ErrorPID: filter("1.00", "1.00", "1.00"); break;
    case ControlType::I_PD: filter("0.00", "1.00", "0.00"); break;
    case ControlType::PI_D: filter("1.00", "1.00", "0.00"); break;
    case ControlType::TwoDofPID:
        filter("0.4", "1.35", "0.00");
        for (Field f : {Alpha, Beta, Gamma})
            setVisible(f, true);
        mPenLabels[1] = "② 偏差１（ｅ1）";
        mPenLabels[2] = "③ 偏差２（ｅ2）";
        mPenLabels[3] = "④ Ｐ＋Ｉ　項";
        break;
    }
    notify(SetupChange::FieldVisibility);
    notify(SetupChange::PenLabels);
    okButton(FieldGroup::Controller);
}

void SetupDocument::optCtype_Click(int index) {
    mCalcForm = index;
    mState.params.CALC_TYPE = static_cast<std::int16_t>(index);
    if (index == 0 || index == 1 || index == 2) {
        for (Field f : {MH, ML, dML})
            setVisible(f, static_cast<CalcForm>(index) != CalcForm::Position);
        notify(SetupChange::FieldVisibility);
    }
    notify(SetupChange::CalcForm);
}

void SetupDocument::ChkFB_Click(bool checked) {
    mFeedback = checked;
    mState.params.FB = checked ? -1.0 : 0.0;
    notify(SetupChange::Feedback);
}

// --- SV/DV programs -----------------------------------------------------------------------------

void SetupDocument::setProgramField(int index, const std::string& text) {
    if (mProgram[index] == text)
        return;
    mProgram[index] = text;
    notify(SetupChange::ProgramField, index);
}

void SetupDocument::applyProgram(bool sv) {
    auto& values = sv ? mState.params.SVv : mState.params.DVv;
    auto& times = sv ? mState.params.SVt : mState.params.DVt;
    const int v0 = sv ? kSvValue : kDvValue;
    const int t0 = sv ? kSvTime : kDvTime;
    mState.chart.Reported.forget(); // a changed program reports its faults anew
    for (int i = 0; i < 9; ++i) {
        values[i] = mProgram[v0 + i];
        times[i] = mProgram[t0 + i];
    }
    setProgramField(t0, "0");
    times[0] = "0";
    notify(sv ? SetupChange::SvProgram : SetupChange::DvProgram);
}

void SetupDocument::Command1_() { applyProgram(true); }
void SetupDocument::Command2_() { applyProgram(false); }

// --- Controller panel settings ------------------------------------------------------------------

void SetupDocument::setMode(std::int16_t mode) {
    if (mRun)
        mRun->setMode(mode);
    else
        mState.params.MODE = mode;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setRangeHighText(const std::string& text) {
    mRangeHigh = text;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setRangeLowText(const std::string& text) {
    mRangeLow = text;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setGraphTimeText(const std::string& text) {
    mGraphTime = text;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setAutoRange(bool checked) {
    if (checked == mAutoRange)
        return;
    mAutoRange = checked;
    mRangeLow = checked ? "30" : "0";
    mRangeHigh = checked ? "130" : "100";
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setAutoPen(bool checked) {
    mAutoPen = checked;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setPenChoice(int index) {
    if (index < 0 || index >= static_cast<int>(kPenChoices.size()))
        throw RuntimeError::invalidPropertyValue();
    mPenChoice = index;
    mState.chart.PenChoice = static_cast<std::int16_t>(index);
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setPenRecorderAutoPen(bool checked) {
    mRecAutoPen = checked;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setPenRecorderPenChoice(int index) {
    if (index < 0 || index >= static_cast<int>(kPenChoices.size()))
        throw RuntimeError::invalidPropertyValue();
    mRecPenChoice = index;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::PenColorAdvance() {
    // Palette colours 15 (white) down to 11 (cyan), then white again.
    auto next = [](int choice) {
        const int colour = 15 - choice - 1;
        return 15 - (colour < 11 ? 15 : colour);
    };
    if (mAutoPen)
        setPenChoice(next(mPenChoice));
    if (mRecAutoPen)
        setPenRecorderPenChoice(next(mRecPenChoice));
}

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

    readProgram(true, t);
    if (mPump)
        mPump();
    readProgram(false, t);

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
            IniWrite1(std::string(kFields[f].key), mFields[f].text);

        writeProgram(true, t);
        writeProgram(false, t);

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

void SetupDocument::applyAll() {
    OKButton_();
    OKButtonPL_();
    OKButtonDS_();
    OKButtonFF_();
    Command1_();
    Command2_();
}

void SetupDocument::ParaInz_Click() {
    auto& study = mState.study;
    const std::string saved = study.CurFile;
    study.CurFile = baseFile().string();
    Ini_Param_set();
    study.CurFile = saved;
    applyAll();
}

void SetupDocument::startup() {
    auto& p = mState.params;
    ErrorTrap t(mMessages, "  P019");
    t([&] { p.dt = val(mFields[dT].text) / 1000.0; });
    mState.study.IniPath = settingsFile();
    ParaInz_Click();
    p.FB = -1.0;
    p.eta = 0.1;
    for (Field f : {Kp, Ti, Td})
        t([&] { storeValue(f, val(mFields[f].text)); });
    t([&] { p.bA = val(mBiasText); });
    for (Field f : {MH, ML, dML, Alpha, Beta, Gamma, Kpl, Tpl, Lpl, Kf, Tfd, Tfp, Lf, Kd, Kds, Tds, Lds})
        t([&] { storeValue(f, val(mFields[f].text)); });
    t([&] {
        // A correction edited beyond one control period either way would stall or race the
        // pacing for good; the runs learn the right one from within these bounds.
        const double bound = 1000.0 * p.dt;
        double tm = val(readSetting(mAppDir, Setting::PacingCorrection));
        if (tm > bound)
            tm = bound;
        if (tm < -bound)
            tm = -bound;
        mState.sim.TmHosei = toFloat(tm);
    });
}

// --- Projects -----------------------------------------------------------------------------------

std::string SetupDocument::proposedProjectName(const std::string& today) const {
    for (int n = 1; n <= 32767; ++n) {
        const std::string name = "P" + today + formatNumber(n, "00#") + ".txt";
        std::error_code ec;
        if (!std::filesystem::exists(projectFolder() / name, ec))
            return name;
    }
    return {};
}

std::filesystem::path SetupDocument::createProject(const std::string& typed) {
    const std::string name(trim(typed));
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       name.find_first_of("\\/:*?\"<>|") == std::string::npos &&
                       std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (!plain || unfitProjectName(name)) {
        mMessages.showMessage("ﾌﾟﾛｼﾞｪｸﾄ名にはﾌｧｲﾙ名だけを指定してください"
                              "（フォルダの区切りや \\ / : * ? \" < > | は使えません）。");
        return {};
    }
    const std::filesystem::path dest = projectFolder() / name;
    std::error_code ec;
    if (std::filesystem::exists(dest, ec)) {
        mMessages.showMessage("同じﾌｧｲﾙが既に存在しています。");
        return {};
    }
    std::filesystem::create_directories(projectFolder(), ec);
    std::filesystem::copy_file(mAppDir / "Study" / "BASE.txt", dest, std::filesystem::copy_options::none, ec);
    if (ec) {
        mMessages.showMessage("ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（" + systemErrorText(ec, name) + "）。");
        return {};
    }
    return dest;
}

} // namespace kestrel
