#include "setup/setupdocument.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/runcontrol.h"

namespace kestrel {

SetupDocument::SetupDocument(AppState& state, MessageService& messages, AppFolders folders)
    : mState(state), mMessages(messages), mFolders(std::move(folders)) {
    for (int f = 0; f < FieldCount; ++f) {
        mFields[f].text = std::string(kFields[f].initial);
        mFields[f].visible = !kFields[f].hiddenAtStart;
    }
    for (int d = 0; d < DetailCount; ++d)
        mDetail[d].text = std::string(kDetailFields[d].initial);
    for (int i = 0; i < SecondaryCount; ++i)
        mSecondary[i].text = std::string(kSecondaryFields[i].initial);
    for (std::size_t i = 0; i < mPenLabels.size(); ++i)
        mPenLabels[i] = std::string(kPenLabels[i]);
    mTypeLabel = std::string(kTypePages[static_cast<std::size_t>(ControlType::ErrorPID)]);
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

bool SetupDocument::editText(FieldState& field, const std::string& text) {
    if (field.text == text)
        return false;
    field.text = text;
    field.edited = true;
    return true;
}

void SetupDocument::setFieldText(Field f, const std::string& text) {
    if (editText(mFields[f], text))
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

template <class Store>
void SetupDocument::applyText(const FieldDef& def, FieldState& field, const std::string& name, double inForce,
                              bool whole, ErrorTrap& t, Store&& store) {
    // Other fields hold single-precision values: x keeps one exactly, and the range compares
    // as single precision does.
    auto precision = [whole](double v) { return whole ? v : static_cast<double>(static_cast<float>(v)); };
    double x = 0.0;
    bool converted = false;
    t([&] {
        try {
            const std::string pre = formatText(field.text, def.pre);
            x = whole ? toDouble(pre) : static_cast<double>(toSingle(pre));
        } catch (const RuntimeError& e) {
            // The learner is told which field to correct, and how.
            throw RuntimeError(e.number(),
                               e.number() == RuntimeError::typeMismatch().number()
                                   ? notANumberMessage(name)
                                   : trArgs(KESTREL_TR("Errors", "%1：%2"), {name, e.shownDescription()}));
        }
        converted = true;
    });
    // A text that is not a number keeps the value in force, and the field shows it again.
    if (!converted)
        x = precision(inForce);

    double high = precision(def.high);
    if (def.high == kDeadTimeBound)
        t([&] { high = static_cast<double>(toFloat(200.0 * mState.params.dt)); });
    if (x < precision(def.low))
        x = precision(def.low);
    if (x > high)
        x = high;

    t([&] {
        const std::string shown = formatNumber(x, def.shown);
        field.text = shown;
        store(toDouble(shown));
    });
    field.edited = false;
}

void SetupDocument::applyField(Field f, ErrorTrap& t) {
    applyText(kFields[f], mFields[f], fieldName(f), engineValue(f), false, t,
              [&](double v) { storeValue(f, v); });
    notify(SetupChange::FieldText, f);
}

void SetupDocument::applyGroup(FieldGroup group) {
    if (group == FieldGroup::ProcessDetail) {
        applyDetails();
        return;
    }
    if (group == FieldGroup::SecondaryLoop) {
        applySecondary();
        return;
    }
    ErrorTrap t(mMessages, groupErrorCode(group));
    mState.chart.Reported.forget(); // a changed setting reports its faults anew
    for (int f = 0; f < FieldCount; ++f)
        if (kFields[f].group == group)
            applyField(static_cast<Field>(f), t);
    if (group == FieldGroup::Controller)
        t([&] { mState.params.dt = toDouble(mFields[dT].text) / 1000.0; });
}

void SetupDocument::OKButton_() {
    applyGroup(FieldGroup::Controller);
}
void SetupDocument::OKButtonPL_() {
    applyGroup(FieldGroup::Process);
}
void SetupDocument::OKButtonDS_() {
    applyGroup(FieldGroup::Disturbance);
}
void SetupDocument::OKButtonFF_() {
    applyGroup(FieldGroup::Feedforward);
}

void SetupDocument::okButton(FieldGroup group) {
    applyGroup(group);
    mState.study.ParaSetDone = false;
}

void SetupDocument::cancelButton(FieldGroup group) {
    for (int f = 0; f < FieldCount; ++f) {
        if (kFields[f].group != group)
            continue;
        const bool whole = f == dT || f == MH || f == ML || f == dML;
        setFieldText(static_cast<Field>(f),
                     formatNumber(engineValue(static_cast<Field>(f)), whole ? "###0" : "###0.00"));
    }
    if (group == FieldGroup::ProcessDetail)
        for (int i = 0; i < DetailCount; ++i) {
            const auto d = static_cast<DetailField>(i);
            setDetailText(d, formatNumber(mState.params.*kDetailFields[d].target,
                                          isWholeDetail(d) ? "###0" : "###0.00"));
        }
    if (group == FieldGroup::SecondaryLoop)
        for (int i = 0; i < SecondaryCount; ++i) {
            const auto f = static_cast<SecondaryField>(i);
            setSecondaryText(f, formatNumber(mState.params.*kSecondaryFields[f].target,
                                             isWholeSecondary(f) ? "###0" : "###0.00"));
        }
    if (group == FieldGroup::Controller) {
        mBiasText = formatNumber(mState.params.bA, "###0.00");
        notify(SetupChange::Bias);
    }
    okButton(group);
}

template <std::size_t N, class Whole>
void SetupDocument::applyTable(FieldGroup group, const std::array<FieldDef, N>& table,
                               std::array<FieldState, N>& texts, SetupChange change, Whole whole) {
    ErrorTrap t(mMessages, groupErrorCode(group));
    mState.chart.Reported.forget(); // a changed setting reports its faults anew
    for (std::size_t i = 0; i < N; ++i) {
        double& target = mState.params.*table[i].target;
        applyText(table[i], texts[i], labelName(fieldCaption(table[i].label)), target,
                  whole(static_cast<int>(i)), t, [&](double v) { target = v; });
        notify(change, static_cast<int>(i));
    }
}

void SetupDocument::setDetailText(DetailField d, const std::string& text) {
    if (editText(mDetail[d], text))
        notify(SetupChange::DetailText, d);
}

void SetupDocument::applyDetails() {
    applyTable(FieldGroup::ProcessDetail, kDetailFields, mDetail, SetupChange::DetailText,
               [](int i) { return isWholeDetail(static_cast<DetailField>(i)); });
}

void SetupDocument::optProcType_Click(int index) {
    if (index < 0 || index >= static_cast<int>(kProcessTypes.size()))
        throw RuntimeError::invalidPropertyValue();
    mProcType = index;
    mState.params.PROC_TYPE = static_cast<std::int16_t>(index);
    notify(SetupChange::ProcessType);
}

void SetupDocument::setSecondaryText(SecondaryField s, const std::string& text) {
    if (editText(mSecondary[s], text))
        notify(SetupChange::SecondaryText, s);
}

void SetupDocument::applySecondary() {
    applyTable(FieldGroup::SecondaryLoop, kSecondaryFields, mSecondary, SetupChange::SecondaryText,
               [](int) { return false; });
}

bool SetupDocument::storeLoop(int index) {
    if (index < 0 || index >= static_cast<int>(kLoopStructures.size()))
        throw RuntimeError::invalidPropertyValue();
    const bool changed = mState.params.LOOP != index;
    mLoop = index;
    mState.params.LOOP = static_cast<std::int16_t>(index);
    notify(SetupChange::LoopStructure);
    return changed;
}

void SetupDocument::putLoopAtRest() {
    if (mRun)
        mRun->Data_inz();
}

void SetupDocument::optLoop_Click(int index) {
    if (storeLoop(index))
        putLoopAtRest();
}

void SetupDocument::optType2_Click(int index) {
    if (index < 0 || index >= static_cast<int>(kSecondaryTypes.size()))
        throw RuntimeError::invalidPropertyValue();
    mType2 = index;
    mState.params.TYPE2 = static_cast<std::int16_t>(index);
    notify(SetupChange::SecondaryOption);
}

void SetupDocument::optCtype2_Click(int index) {
    if (index < 0 || index >= static_cast<int>(kCalcForms.size()))
        throw RuntimeError::invalidPropertyValue();
    mCalc2 = index;
    mState.params.CALC2 = static_cast<std::int16_t>(index);
    notify(SetupChange::SecondaryOption);
}

void SetupDocument::setVisible(Field f, bool visible) {
    mFields[f].visible = visible;
}

void SetupDocument::setProcessHidden(bool hidden) {
    mState.study.ProcessHidden = hidden;
    for (Field f : {Kpl, Tpl, Lpl})
        notify(SetupChange::FieldText, f);
}

bool SetupDocument::processHidden() const {
    return mState.study.ProcessHidden;
}

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

    mPenLabels[1] = KESTREL_TR_NOOP("Fields", "② 偏差（ｅ）");
    mPenLabels[2] = KESTREL_TR_NOOP("Fields", "③ 比例項（Ｐ）");
    mPenLabels[3] = KESTREL_TR_NOOP("Fields", "④ 積分項（Ｉ）");
    mPenLabels[4] = KESTREL_TR_NOOP("Fields", "⑤ 微分（Ｄ）");

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
    case ControlType::ErrorPID:
        filter("1.00", "1.00", "1.00");
        break;
    case ControlType::I_PD:
        filter("0.00", "1.00", "0.00");
        break;
    case ControlType::PI_D:
        filter("1.00", "1.00", "0.00");
        break;
    case ControlType::TwoDofPID:
        filter("0.4", "1.35", "0.00");
        for (Field f : {Alpha, Beta, Gamma})
            setVisible(f, true);
        mPenLabels[1] = KESTREL_TR_NOOP("Fields", "② 偏差１（ｅ1）");
        mPenLabels[2] = KESTREL_TR_NOOP("Fields", "③ 偏差２（ｅ2）");
        mPenLabels[3] = KESTREL_TR_NOOP("Fields", "④ Ｐ＋Ｉ　項");
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

void SetupDocument::Command1_() {
    applyProgram(true);
}
void SetupDocument::Command2_() {
    applyProgram(false);
}

// --- Controller panel settings ------------------------------------------------------------------

void SetupDocument::setMode(std::int16_t mode) {
    if (mRun)
        mRun->setMode(mode);
    else
        mState.params.MODE = mode;
    notify(SetupChange::PanelSetting);
}

void SetupDocument::setSecondaryMode(std::int16_t mode) {
    if (mode < 0 || mode > static_cast<int>(SecondaryMode::Cascade))
        return;
    if (mRun)
        mRun->setSecondaryMode(mode);
    else
        mState.params.MODE2 = mode;
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

} // namespace kestrel
