// The set-up document on an application folder of its own with the shipped CP932 base set; the
// expected texts and values are worked out by hand from the field table.

#include "engine/fakes.h"
#include "setup/filesyncs.h"
#include "tempfolder.h"

#include "setup/appfolders.h"
#include "setup/controlloop.h"
#include "setup/modinifile.h"
#include "setup/setupdocument.h"

#include <array>
#include <optional>
#include <tuple>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

using Keys = std::vector<std::pair<std::string, std::string>>;
using Sections = std::vector<std::pair<std::string, Keys>>;

using test::cp932, test::readBytes;

/// A profile file as a lesson author writes it: CP932, CR LF, a blank line after each section.
void writeProfile(const fs::path& file, const Sections& sections) {
    std::string text;
    for (const auto& [name, keys] : sections) {
        text += "[" + name + "]\r\n";
        for (const auto& [key, value] : keys)
            text += key + "=" + value + "\r\n";
        text += "\r\n";
    }
    test::writeBytes(file, cp932(text));
}

double engineValue(const AppState& s, Field f) {
    return s.params.*kFields[f].target;
}

/// Fields as the main window shows them: each text, with "*" when edited (light yellow).
std::string shown(const SetupDocument& d, std::initializer_list<Field> fields) {
    std::string out;
    for (Field f : fields)
        out += (out.empty() ? "" : " ") + d.fieldText(f) + (d.fieldEdited(f) ? "*" : "");
    return out;
}

class SetupDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::shipBaseSet(KESTREL_DATA_DIR, mDir);
        writeProfile(mDir / "Kestrel.ini", {{"CONFIG", {{"TmHosei", "2.5"}}}});
        mState.study.IniPath = settings();
        mDoc = std::make_unique<SetupDocument>(mState, mMessages, mDir);
    }
    fs::path settings() const { return mDir / "Kestrel.ini"; }
    fs::path base() const { return mDir / "Study" / "ParaInz.txt"; }
    auto tree() const { return test::filesUnder(mDir); }
    void open(const fs::path& file, int step) {
        mState.study.CurFile = file.string();
        mState.study.StepNo = static_cast<std::int16_t>(step);
    }

    test::TempFolder mFolder{"kestrel-doc"};
    const fs::path mDir = mFolder.path();
    AppState mState;
    test::FakeMessages mMessages;
    std::unique_ptr<SetupDocument> mDoc;
};

// --- Group applies, OK and Cancel ----------------------------------------------------------------

TEST_F(SetupDocumentTest, GroupApplyFormatsLimitsRedisplaysAndStoresTheShownValue) {
    // One field of each group and each kind of bound; the dead times: the test below.
    // The field, the text typed, the text shown and the value stored (dt in seconds).
    const std::tuple<Field, const char*, const char*, double> cases[] = {
        {dT, "5000", "2000", 2.0},   {dT, "150.4", "150", 0.15},   {Kp, "1.234", "1.23", 1.23},
        {Kp, "-3", "0.00", 0.0},     {dML, "12.6", "13", 13.0},    {Kpl, "0", "0.01", 0.01},
        {Kd, "10.5", "10.00", 10.0}, {Tfp, "  2.5 ", "2.50", 2.5},
    };
    for (const auto& [field, typed, shownText, stored] : cases) {
        SCOPED_TRACE(std::string(kFields[field].key) + " = \"" + typed + "\"");
        AppState state;
        test::FakeMessages messages;
        SetupDocument doc(state, messages, mDir);
        doc.setFieldText(field, typed);
        doc.okButton(kFields[field].group);
        // The engine holds exactly the displayed value.
        EXPECT_EQ(std::tuple(shown(doc, {field}), engineValue(state, field), messages.shown.empty()),
                  std::tuple(shownText, stored, true));
    }
}

TEST_F(SetupDocumentTest, DeadTimesAreBoundByTheControlPeriodInForce) {
    auto applyDeadTimes = [&](const std::string& text, double stored) {
        for (Field f : {Lpl, Lds, Lf})
            mDoc->setFieldText(f, "30");
        mDoc->OKButtonPL_();
        mDoc->OKButtonDS_();
        mDoc->OKButtonFF_();
        EXPECT_EQ(std::tuple(shown(*mDoc, {Lpl, Lds, Lf}), engineValue(mState, Lpl), engineValue(mState, Lds),
                             engineValue(mState, Lf)),
                  std::tuple(text + " " + text + " " + text, stored, stored, stored));
    };
    mDoc->setFieldText(dT, "200"); // typed, not yet applied: the bound stays 200 x 0.1 s
    applyDeadTimes("20.00", 20.0);
    mDoc->OKButton_();
    EXPECT_EQ(mState.params.dt, 0.2);
    applyDeadTimes("30.00", 30.0);
    mDoc->setFieldText(Lpl, "45");
    mDoc->OKButtonPL_();
    EXPECT_EQ(mDoc->fieldText(Lpl), "40.00");
}

TEST_F(SetupDocumentTest, ATextThatIsNotANumberKeepsTheValueInForceAndIsReportedByName) {
    const char* const kHow = "：数値を半角で入力してください。";
    struct Case {
        Field bad;
        const char* previous; // applied first, so the engine holds a value of its own
        const char *typed, *shownAgain;
        Field later; // a later field of the group, still applied
        const char* message;
    } const cases[] = {
        {Kp, "2.5", "abc", "2.50", Td, "比例ゲイン Kp%s  P001"},
        {dT, "250", "", "250", Kp, "制御周期（m秒） dT%s  P001"},
        {Kpl, "3", "x1", "3.00", Lpl, "ゲイン Kpl%s  P004"},
        {Kd, "4", "２．５", "4.00", Lds, "ゲイン Kd%s  P002"}, // a file's full-width text stays as it is
        {Kf, "0.5", "?", "0.50", Lf, "FFゲイン Kf%s  P003"},
        {Kp, "2.5", "1e39", "2.50", Td, "比例ゲイン Kp：オーバーフローしました。  P001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(kFields[c.bad].key);
        AppState state;
        test::FakeMessages messages;
        SetupDocument doc(state, messages, mDir);
        const FieldGroup g = kFields[c.bad].group;
        doc.setFieldText(c.bad, c.previous);
        doc.okButton(g);
        const double before = engineValue(state, c.bad);
        doc.setFieldText(c.bad, c.typed);
        doc.setFieldText(c.later, "1");
        doc.okButton(g);
        std::string expected(c.message);
        if (const auto at = expected.find("%s"); at != std::string::npos)
            expected.replace(at, 2, kHow);
        EXPECT_EQ(messages.shown, std::vector<std::string>{expected});
        EXPECT_EQ(shown(doc, {c.bad, c.later}), std::string(c.shownAgain) + " 1.00");
        EXPECT_EQ(std::pair(engineValue(state, c.bad), engineValue(state, c.later)), std::pair(before, 1.0));
    }
}

TEST_F(SetupDocumentTest, OkClearsParaSetDoneAndCancelRestoresTheEngineValues) {
    for (FieldGroup g :
         {FieldGroup::Controller, FieldGroup::Process, FieldGroup::Disturbance, FieldGroup::Feedforward}) {
        mState.study.ParaSetDone = true;
        mDoc->okButton(g);
        EXPECT_FALSE(mState.study.ParaSetDone);
    }

    auto& p = mState.params;
    std::tie(p.Kp, p.MH, p.dt, p.bA, p.Tpl) = std::tuple(1.23, 80.0, 0.25, 42.5, 7.0);
    for (const auto& [f, text] : {std::pair{Kp, "7"}, {MH, "55"}, {dT, "999"}, {Tpl, "9"}})
        mDoc->setFieldText(f, text);
    mState.study.ParaSetDone = true;
    mDoc->cancelButton(FieldGroup::Controller);
    // Another group's typing is left alone.
    EXPECT_EQ(std::tuple(mState.study.ParaSetDone, shown(*mDoc, {Kp, MH, dT, Ti, Tpl}), mDoc->biasText(),
                         p.Kp, p.dt),
              std::tuple(false, "1.23 80 250 1.00 9*", "42.50", 1.23, 0.25));
    mDoc->cancelButton(FieldGroup::Process);
    EXPECT_EQ(std::tuple(shown(*mDoc, {Tpl}), p.Tpl, mMessages.shown.empty()),
              std::tuple(std::string("7.00"), 7.0, true));
}

// --- Control type, calculation form, feedback ----------------------------------------------------

TEST_F(SetupDocumentTest, ControlTypePagesSetPresetsVisibilityAndLabels) {
    using Pens = std::array<const char*, 4>; // legend labels 1..4
    const Pens usual{"② 偏差（ｅ）", "③ 比例項（Ｐ）", "④ 積分項（Ｉ）", "⑤ 微分（Ｄ）"};
    const Pens twoDof{"② 偏差１（ｅ1）", "③ 偏差２（ｅ2）", "④ Ｐ＋Ｉ　項", usual[3]};
    struct Case {
        int page;
        bool tiShown, tdShown, filtersShown;
        const char* presets; // Ti Td α β γ, applied at once
        Pens pens;
    } const cases[] = {
        {0, false, false, false, "0.00 0.00 1.00 1.00 1.00", {usual[0], usual[1], "", ""}},
        {1, true, false, false, "3.00 0.00 1.00 1.00 1.00", {usual[0], usual[1], usual[2], ""}},
        {2, true, true, false, "3.00 0.50 1.00 1.00 1.00", usual},
        {3, true, true, false, "3.00 0.50 0.00 1.00 0.00", usual},
        {4, true, true, false, "3.00 0.50 1.00 1.00 0.00", usual},
        {5, true, true, true, "3.00 0.50 0.40 1.35 0.00", twoDof},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        AppState state;
        test::FakeMessages messages;
        SetupDocument doc(state, messages, mDir);
        // γ applied too: every page rewrites the filters.
        for (const auto& [f, text] : {std::pair{Ti, "3"}, {Td, "0.5"}, {Gamma, "2"}})
            doc.setFieldText(f, text);
        doc.OKButton_();
        state.study.ParaSetDone = true;

        doc.ContTypeTab_Click(c.page);
        EXPECT_EQ(std::tuple(state.study.ParaSetDone, doc.fieldVisible(Ti), doc.fieldVisible(Td),
                             doc.fieldVisible(Alpha), doc.fieldVisible(Beta), doc.fieldVisible(Gamma),
                             shown(doc, {Ti, Td, Alpha, Beta, Gamma})),
                  std::tuple(false, c.tiShown, c.tdShown, c.filtersShown, c.filtersShown, c.filtersShown,
                             c.presets));
        for (Field f : {Ti, Td, Alpha, Beta, Gamma})
            EXPECT_EQ(engineValue(state, f), std::stod(doc.fieldText(f))) << kFields[f].key;
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(doc.penLabels()[i], i >= 1 && i <= 4 ? c.pens[i - 1] : kPenLabels[i]) << "label " << i;
        EXPECT_TRUE(messages.shown.empty());
    }

    // Leaving pages 5 and 0 hides the filters and shows Ti and Td again; the forced zeros stay.
    for (int page : {5, 0, 2})
        mDoc->ContTypeTab_Click(page);
    EXPECT_EQ(std::tuple(mDoc->fieldVisible(Ti), mDoc->fieldVisible(Td), mDoc->fieldVisible(Alpha),
                         shown(*mDoc, {Ti, Alpha}), mDoc->penLabels()[1], mDoc->penLabels()[4]),
              std::tuple(true, true, false, "0.00 1.00", usual[0], usual[3]));
}

TEST_F(SetupDocumentTest, CalculationFormHidesTheMvLimitsWithoutChangingThemAndFeedbackSetsTheSign) {
    EXPECT_FALSE(mDoc->fieldVisible(MH));
    mDoc->setFieldText(MH, "80");
    mDoc->setFieldText(dML, "5");
    mDoc->OKButton_();
    const std::pair<int, bool> forms[] = {{1, true}, {0, false}, {2, true}, {0, false}};
    for (const auto& [form, shown] : forms) {
        mDoc->optCtype_Click(form);
        const ParameterSet& p = mState.params;
        EXPECT_EQ(std::tuple(int(p.CALC_TYPE), mDoc->fieldVisible(MH), mDoc->fieldVisible(ML),
                             mDoc->fieldVisible(dML), mDoc->fieldText(MH), p.MH, p.dML),
                  std::tuple(form, shown, shown, shown, "80", 80.0, 5.0));
    }
    for (bool checked : {false, true}) {
        mDoc->ChkFB_Click(checked);
        EXPECT_EQ(mState.params.FB, checked ? -1.0 : 0.0);
    }
}

// --- Applying a step -----------------------------------------------------------------------------

class StepApplyTest : public SetupDocumentTest {
protected:
    void SetUp() override {
        SetupDocumentTest::SetUp();
        mLesson = mDir / "Study" / "C9.txt";
        writeProfile(
            mLesson,
            {{"説明", {{"TITLE1", "題"}, {"TEXT1", "本文<BR>二行目"}}},
             // Keys written as key= are no keys at all.
             {"手順1", {{"TITLE2", "空"}, {"Kp", ""}, {"AUTO_PEN", ""}, {"MODE", ""}, {"SVv0", ""}}},
             {"手順2", {{"TYPE_SELECT", "5"}, {"FB", "0"},        {"CALC_TYPE", "1"},  {"Kp", "25"},
                        {"α", "0.70"},        {"SVv0", "60"},     {"SVt1", "10"},      {"SVv1", "70"},
                        {"SVt2", "20"},       {"SVv2", "40"},     {"SVv5", "90"},      {"DVt1", "5"},
                        {"DVv1", "10"},       {"MODE", "2"},      {"RH", "119.6"},     {"RL", "-10"},
                        {"AUTO_PEN", "0"},    {"PEN_COLOR", "3"}, {"GRAPH_TM", "120"}, {"NOTES", "FIG_A"}}},
             {"手順3", {{"TYPE_SELECT", "5"}, {"MODE", "7"}, {"AUTO_RANGE", "1"}}},
             {"手順4", {{"MODE", "1"}}},
             {"手順5", {{"MODE", "0"}}},
             {"手順6", {{"MODE", "M"}}}});
    }
    fs::path mLesson;
};

TEST_F(StepApplyTest, AStepWithoutKeysChangesNothing) {
    mDoc->setFieldText(Kp, "3"); // typed, not applied
    mDoc->setAutoPen(true);
    mDoc->setPenChoice(2);
    mDoc->setMode(1);
    mDoc->setGraphTimeText("70");
    mState.study.NoteId = "OLD";
    // Everything the windows show, to compare before and after.
    auto windows = [&] {
        std::vector<std::string> all;
        for (int f = 0; f < FieldCount; ++f)
            all.push_back(shown(*mDoc, {Field(f)}) + (mDoc->fieldVisible(Field(f)) ? "" : " hidden"));
        for (int i = 0; i < 36; ++i)
            all.push_back(mDoc->programField(i));
        for (int v : {mDoc->typeTab(), int(mDoc->feedbackChecked()), mDoc->calcForm(), int(mDoc->autoPen()),
                      mDoc->penChoice(), int(mState.params.MODE)})
            all.push_back(std::to_string(v));
        all.insert(all.end(), {mDoc->graphTimeText(), mDoc->rangeHighText(), mDoc->rangeLowText()});
        return all;
    };
    const auto before = windows();
    const ParameterSet params = mState.params;

    open(mLesson, 1);
    mDoc->Ini_Param_set();

    EXPECT_EQ(windows(), before);
    EXPECT_EQ(std::tie(mState.params.Kp, mState.params.SVv, mState.params.SVt, mState.params.DVv),
              std::tie(params.Kp, params.SVv, params.SVt, params.DVv));
    // A step without NOTES empties it.
    EXPECT_EQ(std::tuple(mState.study.NoteId, mState.study.IniPath, mMessages.shown.empty()),
              std::tuple("", settings(), true));
}

TEST_F(StepApplyTest, AStepLandsOnTheFieldsProgramsAndPanel) {
    mDoc->setAutoPen(true);
    mState.study.ParaSetDone = true;
    std::vector<fs::path> pumps; // the profile read while the events run
    mDoc->setEventPump([&] { pumps.push_back(mState.study.IniPath); });

    open(mLesson, 2);
    mDoc->Ini_Param_set();
    EXPECT_EQ(std::tuple(mMessages.shown.empty(), mState.study.IniPath, pumps),
              std::tuple(true, settings(), std::vector<fs::path>{mLesson}));

    // The tab change ran its presets and apply; the field keys read afterwards override them and
    // wait, marked, for the next apply: verbatim, no range yet.
    EXPECT_EQ(std::tuple(mDoc->typeTab(), mState.study.ParaSetDone, shown(*mDoc, {Beta, Alpha, Kp})),
              std::tuple(5, false, "1.35 0.70* 25*"));
    EXPECT_EQ(std::tuple(mState.params.alpha, mState.params.Kp, mDoc->feedbackChecked(), mState.params.FB,
                         mDoc->calcForm()),
              std::tuple(0.4, 1.0, false, 0.0, 1));
    const ChartState& chart = mState.chart;
    EXPECT_EQ(std::tuple(int(mState.params.MODE), mDoc->rangeHighText(), int(chart.RH), mDoc->rangeLowText(),
                         int(chart.RL)),
              std::tuple(2, "119.6", 120, "-10", -10));
    EXPECT_EQ(std::tuple(mDoc->autoPen(), mDoc->penChoice(), int(chart.PenChoice), mDoc->graphTimeText(),
                         mState.study.NoteId),
              std::tuple(false, 3, 3, "120", "FIG_A"));

    mDoc->applyAll();
    EXPECT_EQ(std::tuple(shown(*mDoc, {Kp, Alpha}), mState.params.Kp, mState.params.alpha),
              std::tuple("10.00 0.70", 10.0, 0.7));

    // Same tab again: no presets run, so typed filter texts stay; no NOTES.
    mDoc->setFieldText(Alpha, "0.55");
    open(mLesson, 3);
    mDoc->Ini_Param_set();
    EXPECT_EQ(std::tuple(shown(*mDoc, {Alpha}), mDoc->autoRange(), mDoc->rangeHighText(),
                         mDoc->rangeLowText(), mState.study.NoteId),
              std::tuple("0.55*", true, "130", "30", ""));
    EXPECT_TRUE(mMessages.shown.empty());
}

TEST_F(StepApplyTest, AProgramIsTakenWholeWhenItsFirstValueIsGivenAndLeftAloneOtherwise) {
    using Nine = std::array<std::string, 9>;
    for (const std::string p : {"SV", "DV"})
        for (const bool first : {true, false}) {
            SCOPED_TRACE(p + (first ? " with " : " without ") + p + "v0");
            const bool sv = p == "SV";
            AppState state;
            test::FakeMessages messages;
            SetupDocument doc(state, messages, mDir);
            const int value = sv ? SetupDocument::kSvValue : SetupDocument::kDvValue;
            doc.setProgramField(value + 1, "20");
            sv ? doc.Command1_() : doc.Command2_();
            Keys keys{{p + "t2", "30"}, {p + "v2", "60"}};
            if (first)
                keys.insert(keys.begin(), {p + "v0", "40"});
            writeProfile(mLesson, {{"手順1", keys}});
            const ParameterSet before = state.params;
            state.study.CurFile = mLesson.string();
            state.study.StepNo = 1;
            doc.Ini_Param_set();

            const auto& values = sv ? state.params.SVv : state.params.DVv;
            const auto& times = sv ? state.params.SVt : state.params.DVt;
            // Given: every point from the step, the ones it leaves out empty.
            const Nine givenValues{"40", "", "60"}, givenTimes{"0", "", "30"};
            EXPECT_EQ(std::tuple(values, times, doc.programField(value + 1),
                                 sv ? state.params.DVv : state.params.SVv, messages.shown.empty()),
                      std::tuple(first ? givenValues : (sv ? before.SVv : before.DVv),
                                 first ? givenTimes : (sv ? before.SVt : before.DVt),
                                 std::string(first ? "" : "20"), sv ? before.DVv : before.SVv, true));
        }
}

TEST_F(StepApplyTest, ModeTextsSelectTheModeManualStopsThePacingAndTheCorrectionIsStoredOnlyWhenAsked) {
    test::RecordingDisplay display;
    test::FakeHost host;
    std::optional<ControlLoop> loop(std::in_place, mState, mMessages, *mDoc, display, host,
                                    ControlLoop::Settings::Discarded);
    // "M" and "7" change nothing.
    const std::tuple<int, int, bool> steps[] = {{4, 1, true}, {5, 0, false}, {6, 0, false}, {3, 0, false}};
    mDoc->setMode(2);
    for (const auto& [step, mode, pacing] : steps) {
        open(mLesson, step);
        mDoc->Ini_Param_set();
        EXPECT_EQ(std::pair(int(mState.params.MODE), host.pacingEnabled), std::pair(mode, pacing)) << step;
    }
    // Without its loop the document only sets the mode.
    loop.reset();
    mDoc->setMode(1);
    EXPECT_EQ(std::pair(int(mState.params.MODE), host.pacingEnabled), std::pair(1, false));

    // A paced run that took no wall time: TmHosei = (0 - 100 ms)·0.2 + 0.
    for (const bool stored : {false, true}) {
        test::RecordingDisplay display;
        test::FakeHost host;
        mState.sim.TmHosei = 0.0f;
        ControlLoop loop(mState, mMessages, *mDoc, display, host,
                         stored ? ControlLoop::Settings::Stored : ControlLoop::Settings::Discarded);
        loop.run().Start();
        while (mState.sim.Running)
            loop.run().PacingTick();
        EXPECT_EQ(ReadProfileValue(settings(), "CONFIG", "TmHosei"), stored ? "-20" : "2.5") << stored;
    }
}

TEST_F(StepApplyTest, ParameterInitialisationAppliesTheBaseButNeverItsPenColourNorAProjectsSection) {
    ASSERT_TRUE(WriteProfileValue(base(), "手順", "PEN_COLOR", "3"));
    ASSERT_TRUE(WriteProfileValue(base(), "手順", "Kp", "2.00"));
    mDoc->ContTypeTab_Click(5);
    mDoc->setPenChoice(1);
    mDoc->setFieldText(Kp, "7");
    mDoc->setProgramField(SetupDocument::kSvValue, "80");
    mDoc->Command1_();
    mDoc->setMode(2);
    open(mLesson, 2);

    mDoc->ParaInz_Click();
    EXPECT_EQ(std::tuple(mState.study.CurFile, int(mState.study.StepNo), mState.study.IniPath),
              std::tuple(mLesson.string(), 2, settings()));
    for (int f = 0; f < FieldCount; ++f)
        EXPECT_FALSE(mDoc->fieldEdited(Field(f))) << kFields[f].key;
    const ParameterSet& p = mState.params;
    EXPECT_EQ(std::tuple(mDoc->penChoice(), mDoc->typeTab(), mDoc->fieldText(Kp), p.Kp, p.alpha, p.SVv[0],
                         int(p.MODE), mMessages.shown.empty()),
              std::tuple(1, 2, "2.00", 2.0, 1.0, "50", 0, true));

    // A lesson step does set the pen colour.
    mDoc->Ini_Param_set();
    EXPECT_EQ(mDoc->penChoice(), 3);

    // Only the base file itself reads the unnumbered section.
    open(mLesson, 0);
    EXPECT_EQ(mDoc->stepSection(), "手順0");
    open(base(), 3);
    EXPECT_EQ(mDoc->stepSection(), "手順");
    // A project the learner named after the base set is still a project with numbered steps.
    fs::create_directories(mDir / "Project");
    const fs::path project = mDir / "Project" / "ParaInz練習.txt";
    writeProfile(project, {{"手順", {{"PEN_COLOR", "1"}}}, {"手順2", {{"PEN_COLOR", "4"}}}});
    open(project, 2);
    EXPECT_EQ(mDoc->stepSection(), "手順2");
    mDoc->Ini_Param_set();
    EXPECT_EQ(mDoc->penChoice(), 4);
}

// --- Saving a step -------------------------------------------------------------------------------

class StepSaveTest : public SetupDocumentTest {
protected:
    void SetUp() override {
        SetupDocumentTest::SetUp();
        fs::create_directories(mDir / "Project");
        mProject = mDir / "Project" / "P1.txt";
        mDoc->ParaInz_Click(); // the windows hold the base set
        mState.study.ProjectMode = true;
        open(mProject, 1);
    }
    std::string text() const { return cp932ToUtf8(readBytes(mProject)); }
    fs::path mProject;
    const StepTexts mTexts{"題", "一行目\r\n二行目", "手順の題", "本文\r\n続き"};
};

TEST_F(StepSaveTest, WritesTextsAndOnlyTheKeysThatDifferFromTheBase) {
    // The base set itself: the texts and the pen colour alone.
    writeProfile(mProject, {{"説明", {{"TITLE1", ""}, {"TEXT1", ""}}},
                            {"手順1", {{"TITLE2", ""}, {"TEXT2", ""}}},
                            {"手順2", {{"TITLE2", "S2"}}}});
    ASSERT_TRUE(mDoc->saveStep({"題", "一\r\n二", "S1", "本文"}));
    EXPECT_EQ(readBytes(mProject), cp932("[説明]\r\nTITLE1=題\r\nTEXT1=一<BR>二\r\n\r\n"
                                         "[手順1]\r\nTITLE2=S1\r\nTEXT2=本文\r\nPEN_COLOR=0\r\n\r\n"
                                         "[手順2]\r\nTITLE2=S2\r\n\r\n"));

    test::writeBytes(mProject, cp932("[説明]\r\nTITLE1=\r\nTEXT1=\r\n\r\n[手順1]\r\nTITLE2=\r\nTEXT2=\r\n"
                                     "Kp=3.00\r\nβ=1.50\r\nRH=120\r\nSVv0=70\r\nSVt1=5\r\n\r\n"
                                     "[手順2]\r\nTITLE2=二\r\n\r\n"));
    mDoc->ContTypeTab_Click(3);   // α 0.00, β 1.00, γ 0.00
    mDoc->setFieldText(Tpl, "8"); // typed, not applied: stored as typed
    mDoc->setMode(1);
    mDoc->setGraphTimeText("80");
    mDoc->setPenChoice(2);

    EXPECT_TRUE(mDoc->saveStep(mTexts));
    EXPECT_EQ(std::pair(mMessages.shown.empty(), mState.study.IniPath), std::pair(true, settings()));
    // Keys set before and now equal to the base are emptied; equal to the base and never set (dt, FB, Ti,
    // the DV program, AUTO_PEN, NOTES, ...) are not written at all; the next step is left alone.
    EXPECT_EQ(text(), "[説明]\r\nTITLE1=題\r\nTEXT1=一行目<BR>二行目\r\n\r\n"
                      "[手順1]\r\nTITLE2=手順の題\r\nTEXT2=本文<BR>続き\r\n"
                      "Kp=\r\nβ=\r\nRH=\r\nSVv0=\r\nSVt1=\r\nTYPE_SELECT=3\r\nα=0.00\r\nγ=0.00\r\n"
                      "Tpl=8\r\nMODE=1\r\nPEN_COLOR=2\r\nGRAPH_TM=80\r\n\r\n"
                      "[手順2]\r\nTITLE2=二\r\n\r\n");

    const StepTexts back = mDoc->readStepTexts();
    EXPECT_EQ(std::tie(back.title1, back.text1, back.title2, back.text2),
              std::tie(mTexts.title1, mTexts.text1, mTexts.title2, mTexts.text2));
}

TEST_F(StepSaveTest, AProgramIsSavedWhole) {
    // The 17 keys of the SV program as they are stored: v0, t1..t8, v1..v8 (the DV program's keys are
    // written by the same code).
    auto program = [](const char* v0, const char* t1, const char* v1) {
        std::string keys = std::string("SVv0=") + v0 + "\r\nSVt1=" + t1 + "\r\n";
        for (int i = 2; i <= 8; ++i)
            keys += "SVt" + std::to_string(i) + "=\r\n";
        keys += std::string("SVv1=") + v1 + "\r\n";
        for (int i = 2; i <= 8; ++i)
            keys += "SVv" + std::to_string(i) + "=\r\n";
        return "[説明]\r\nTITLE1=題\r\nTEXT1=一行目<BR>二行目\r\n\r\n"
               "[手順1]\r\nTITLE2=手順の題\r\nTEXT2=本文<BR>続き\r\n" +
               keys + "AUTO_PEN=1\r\nPEN_COLOR=\r\n\r\n"; // automatic pen colour
    };
    auto save = [&](const char* t1, const char* v1) {
        mDoc->setProgramField(SetupDocument::kSvTime + 1, t1);
        mDoc->setProgramField(SetupDocument::kSvValue + 1, v1);
        mDoc->Command1_();
        EXPECT_TRUE(mDoc->saveStep(mTexts));
        return text();
    };
    writeProfile(mProject, {{"説明", {{"TITLE1", ""}}}, {"手順1", {{"TITLE2", ""}}}});
    mDoc->setAutoPen(true);
    EXPECT_EQ(save("10", "80"), program("50", "10", "80"));
    // Back to the base program: the keys set before are emptied, none is left with a value.
    EXPECT_EQ(save("", ""), program("", "", ""));
    EXPECT_TRUE(mMessages.shown.empty());
}

TEST_F(StepSaveTest, AStepBackAtTheBaseIsSavedAndOneThatStaysThereIsNot) {
    writeProfile(mProject, {{"説明", {{"TITLE1", ""}}}, {"手順1", {{"TITLE2", ""}}}});
    auto saveStep = [&](int step, const char* kp, const char* sv0) {
        mDoc->setFieldText(Kp, kp);
        mDoc->setProgramField(SetupDocument::kSvValue, sv0);
        mDoc->Command1_();
        open(mProject, step);
        ASSERT_TRUE(mDoc->saveStep(mTexts));
    };
    // Step 1 sets its own Kp and SV program; step 2 goes back to the base, which a replay from step 1
    // on only shows if step 2 says so; step 3 stays there.
    saveStep(1, "2.00", "70");
    saveStep(2, "1.00", "50");
    saveStep(3, "1.00", "50");
    EXPECT_EQ(
        std::pair(ReadProfileValue(mProject, "手順2", "Kp"), ReadProfileValue(mProject, "手順2", "SVv0")),
        std::pair(std::string("1.00"), std::string("50")));
    // Equal to the base and to what step 2 left in force: nothing to write.
    for (const char* key : {"Kp", "SVv0", "Ti"})
        EXPECT_EQ(ReadProfileValue(mProject, "手順3", key), "") << key;
    EXPECT_EQ(std::pair(text().find("\r\nTi="), mMessages.shown.empty()), std::pair(std::string::npos, true));
}

TEST_F(StepSaveTest, ASaveReplacesTheFileOnceAndOneThatCannotWriteLeavesEverythingAsItWas) {
    writeProfile(mProject, {{"説明", {{"TITLE1", "old"}}}, {"手順1", {{"TITLE2", "old"}}}});
    mDoc->setFieldText(Kp, "2.00");
    const test::FileSyncs before = test::fileSyncs();
    ASSERT_TRUE(mDoc->saveStep(mTexts));
    const test::FileSyncs after = test::fileSyncs();
    EXPECT_EQ(after.renames - before.renames, 1);
    EXPECT_LE(after.fsyncs - before.fsyncs, 2);

    // A disk with room for a few more bytes: the longer title would fit, the longer text not.
    const std::string saved = readBytes(mProject);
    const auto folder = tree();
    mDoc->setFieldText(Kp, "3.00");
    test::limitFileBytes(static_cast<off_t>(saved.size()) + 4);
    const bool ok =
        mDoc->saveStep({"題題", mTexts.text1 + "\r\nもう一行の長い説明をここに書き足します", "題", "本文"});
    test::limitFileBytes(-1);
    // No temporary file left either.
    EXPECT_EQ(std::tuple(ok, readBytes(mProject), tree(), mMessages.shown),
              std::tuple(false, saved, folder,
                         std::vector<std::string>{"ファイルに書き込めませんでした（P1.txt）。  P011"}));

    // A file that cannot be written: said once, nothing written. Why it cannot be written is the profile
    // writer's matter; a lesson is never written.
    const fs::path lesson = mDir / "Study" / "C0501071.txt";
    writeProfile(lesson, {{"説明", {{"TITLE1", "教材"}}}, {"手順1", {{"Kp", "2.40"}}}});
    const std::pair<fs::path, bool> targets[] = {{mDir / "missing" / "P.txt", true}, {lesson, false}};
    for (const auto& [target, project] : targets) {
        SCOPED_TRACE(target.string());
        mMessages.shown.clear();
        const auto before = tree();
        mState.study.ProjectMode = project;
        open(target, 1);
        EXPECT_FALSE(mDoc->saveStep(mTexts));
        EXPECT_TRUE(mMessages.shown.size() == 1 && mMessages.shown[0].ends_with("  P011"));
        EXPECT_EQ(std::pair(tree(), mState.study.IniPath), std::pair(before, settings()));
    }
}

TEST_F(StepSaveTest, TextTheFileCannotHoldIsNamed) {
    const std::string settingsBefore = readBytes(settings());
    std::string wide; // 1,020 bytes in CP932; with its line break stored as "<BR>" one too many
    for (int i = 0; i < 510; ++i)
        wide += "あ";
    const std::string fits = std::string(1019, 'a') + "\r\n";
    // The texts, the message without its code, whether the rest of the step is saved.
    const std::tuple<StepTexts, const char*, bool> cases[] = {
        {{"題", "本文", "絵文字😀の題", "本文"}, "「手順の題名」に保存できない文字が含まれています。", true},
        {{"題", "本文", "題", wide + "\r\n"},
         "「手順の説明」は長すぎて保存できません（1023 バイトまで。全角文字は 2 バイト、改行は 4 "
         "バイトと数えます）。",
         false},
        {{"題", "本文", "題", fits}, nullptr, true},
    };
    for (const auto& [texts, message, written] : cases) {
        SCOPED_TRACE(texts.title2);
        writeProfile(mProject, {{"説明", {{"TITLE1", ""}}}});
        const std::string before = readBytes(mProject);
        mMessages.shown.clear();
        EXPECT_EQ(mDoc->saveStep(texts), message == nullptr);
        EXPECT_EQ(mMessages.shown, message ? std::vector<std::string>{std::string(message) + "  P011"}
                                           : std::vector<std::string>{});
        EXPECT_EQ(readBytes(mProject) != before, written);
    }
    EXPECT_EQ(mDoc->readStepTexts().text2, fits);

    // A direct write after a failure succeeds again.
    open(mDir / "missing" / "P.txt", 1);
    mDoc->IniWrite2("Kp", "3.00");
    open(mProject, 1);
    EXPECT_TRUE(mDoc->IniWrite1("Kp", "4.00"));
    EXPECT_EQ(ReadProfileValue(mProject, "手順1", "Kp"), "4.00");
    // Back to the base value: emptied and reported as no difference.
    EXPECT_FALSE(mDoc->IniWrite1("Kp", "1.00"));
    EXPECT_EQ(std::tuple(text().find("\r\nKp=\r\n") != std::string::npos, readBytes(settings()),
                         mState.study.IniPath),
              std::tuple(true, settingsBefore, settings()));
}

// --- Start-up and projects -----------------------------------------------------------------------

TEST_F(SetupDocumentTest, StartupTurnsFeedbackOnAndReadsBiasAndTimerCorrection) {
    ASSERT_TRUE(WriteProfileValue(base(), "手順", "FB", "0"));
    ASSERT_TRUE(WriteProfileValue(base(), "手順", "Kpl", "2.00"));
    mState.study.IniPath.clear();
    std::tie(mState.params.bA, mState.params.eta) = std::pair(7.0, 0.5);
    mDoc->startup();
    EXPECT_FALSE(mDoc->feedbackChecked()); // the box shows the base file's value
    const ParameterSet& p = mState.params;
    EXPECT_EQ(std::tuple(p.FB, p.eta, p.bA, p.dt, p.Kpl), std::tuple(-1.0, 0.1, 50.0, 0.1, 2.0));
    EXPECT_EQ(std::tuple(mState.sim.TmHosei, mState.study.IniPath, mMessages.shown.empty()),
              std::tuple(2.5f, settings(), true));

    // Without a value the correction is 0; an edited one is kept within one control period (100 ms).
    AppState state;
    SetupDocument doc(state, mMessages, mDir);
    for (const auto& [text, bounded] : {std::pair{"", 0.0f}, {"1000000", 100.0f}, {"-99999", -100.0f}}) {
        writeProfile(settings(), {{"CONFIG", {{"TmHosei", text}}}});
        state.sim.TmHosei = 9.0f;
        doc.startup();
        EXPECT_EQ(state.sim.TmHosei, bounded) << text;
    }
}

TEST_F(SetupDocumentTest, ANewProjectGetsTheFirstFreeCounterAndIsCopiedUnderAPlainNameOnly) {
    const std::string templ = cp932("[説明]\r\nTITLE1=新しい自習\r\n\r\n[手順1]\r\nTITLE2=①\r\n");
    std::ofstream(mDir / "Study" / "BASE.txt", std::ios::binary) << templ;

    // Separators; a leading "." (never listed again); characters the files' code page lacks; control
    // and invisible formatting characters that disguise a name.
    for (const char* hostile : {"../x.txt", "a/b.txt", "..", ".", "C:evil.txt", "x\\y.txt", "", "   ",
                                "/tmp/k.txt", ".hidden.txt", "絵😀.txt", "報告\u202Etxt.exe", "a\u200Bb.txt",
                                "\uFEFFa.txt", "a\u2066b.txt", "a\x7F.txt", "a\xC2\x85.txt"}) {
        SCOPED_TRACE(hostile);
        mMessages.shown.clear();
        const auto before = tree();
        EXPECT_TRUE(mDoc->createProject(hostile).empty());
        EXPECT_EQ(std::pair(mMessages.shown.size(), tree()), std::pair(std::size_t(1), before));
    }
    EXPECT_FALSE(fs::exists(mDir / "x.txt"));

    mMessages.shown.clear();
    EXPECT_EQ(mDoc->proposedProjectName("261205"), "P261205001.txt");
    EXPECT_FALSE(fs::exists(mDir / "Project"));
    const fs::path made = mDoc->createProject("  自習1.txt　");
    EXPECT_EQ(std::tuple(made, readBytes(made), mMessages.shown.empty()),
              std::tuple(mDir / "Project" / "自習1.txt", templ, true));

    // The system's reason, in Japanese, with the name.
    const std::string tooLong = std::string(300, 'a') + ".txt";
    EXPECT_TRUE(mDoc->createProject(tooLong).empty());
    EXPECT_EQ(mMessages.shown, std::vector<std::string>{"ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（" + tooLong +
                                                        "：ファイル名が長すぎます）。"});

    for (const char* name : {"P261205001.txt", "P261205002.txt", "P261204003.txt"})
        std::ofstream(mDir / "Project" / name) << "x";
    EXPECT_EQ(mDoc->proposedProjectName("261205") + mDoc->proposedProjectName("261204"),
              "P261205003.txtP261204001.txt");
}

// --- Settings a step or a file gives that cannot be used as they stand ---------------------------

TEST_F(SetupDocumentTest, AStepRangeOfNoWidthBecomesDrawableAndAnUnknownCalculationFormIsRefusedOnce) {
    // RH and RL as the step gives them, the range drawn.
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"50", "50", 51, 50},     {"x", "20", 21, 20},    {"10", "30", 31, 30},
        {"250", "250", 200, 199}, {"80", "-20", 80, -20}, // drawable: as the step gives it
    };
    const fs::path lesson = mDir / "Study" / "C8.txt";
    for (const auto& [rh, rl, top, bottom] : cases) {
        SCOPED_TRACE(std::string(rh) + ".." + rl);
        writeProfile(lesson, {{"手順1", {{"RH", rh}, {"RL", rl}}}});
        open(lesson, 1);
        mDoc->Ini_Param_set();
        const std::string high = top == 80 ? rh : std::to_string(top);
        EXPECT_EQ(std::tuple(int(mState.chart.RH), int(mState.chart.RL), mDoc->rangeHighText(),
                             mDoc->rangeLowText()),
                  std::tuple(top, bottom, high, std::to_string(bottom)));
    }
    EXPECT_TRUE(mMessages.shown.empty());

    for (const char* form : {"3", "2.6", "-1"}) {
        writeProfile(lesson, {{"手順1", {{"CALC_TYPE", form}}}});
        open(lesson, 1);
        mDoc->Ini_Param_set();
        EXPECT_EQ(std::tuple(mMessages.shown, int(mState.params.CALC_TYPE), mDoc->calcForm()),
                  std::tuple(std::vector<std::string>{"プロパティの値が不正です。  P009"}, 0, 0))
            << form;
        mMessages.shown.clear();
    }
}

TEST_F(SetupDocumentTest, ApplyingASettingReportsItsFaultsAnew) {
    const std::pair<const char*, std::function<void()>> applies[] = {
        {"group", [&] { mDoc->OKButtonPL_(); }},
        {"program", [&] { mDoc->Command2_(); }},
        {"step", [&] { mDoc->Ini_Param_set(); }},
    };
    open(base(), 0);
    for (const auto& [name, apply] : applies) {
        mState.chart.Reported.firstReport("  P051", 13);
        apply();
        EXPECT_TRUE(mState.chart.Reported.firstReport("  P051", 13)) << name;
    }
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

TEST_F(StepSaveTest, ProcessDetailsApplySaveByDifferenceAndStayInForceWhereAStepLeavesThemOut) {
    const ParameterSet& p = mState.params;
    EXPECT_EQ(std::tuple(p.PV_NOISE, p.NOISE_SEED, p.STICK_S, p.PROC_TYPE, p.Tpl2),
              std::tuple(0.0, 1.0, 0.0, 0, 0.0));
    // Range-limited and redisplayed like the four groups; the seed as a whole number.
    for (auto [d, typed] :
         {std::pair{PvNoise, "12"}, {NoiseSeed, "99999999"}, {StickS, "1.234"}, {Tpl2, "7"}})
        mDoc->setDetailText(d, typed);
    mDoc->setDetailText(StickJ, "x");
    mDoc->okButton(FieldGroup::ProcessDetail);
    mDoc->optProcType_Click(2);
    EXPECT_EQ(mMessages.shown,
              std::vector<std::string>{"スリップ幅(％) J：数値を半角で入力してください。  P057"});
    EXPECT_EQ(std::tuple(mDoc->detailText(PvNoise), mDoc->detailText(NoiseSeed), mDoc->detailText(StickJ),
                         mDoc->detailEdited(StickS)),
              std::tuple("10.00", "16777215", "0.00", false));
    EXPECT_EQ(std::tuple(p.PV_NOISE, p.NOISE_SEED, p.STICK_S, p.STICK_J, p.PROC_TYPE, p.Tpl2),
              std::tuple(10.0, 16777215.0, 1.23, 0.0, 2, 7.0));

    // Saved after Lf, only where they differ from the base, PROC_TYPE before Tpl2.
    writeProfile(mProject, {{"手順1", {{"TITLE2", ""}}}, {"手順2", {{"TITLE2", "二"}}}});
    ASSERT_TRUE(mDoc->saveStep(mTexts));
    EXPECT_NE(
        text().find("PV_NOISE=10.00\r\nNOISE_SEED=16777215\r\nSTICK_S=1.23\r\nPROC_TYPE=2\r\nTpl2=7.00\r\n"),
        std::string::npos)
        << text();

    // Parameter initialisation switches everything off; a step without the keys keeps them; the
    // saved step brings them back.
    mDoc->ParaInz_Click();
    EXPECT_EQ(std::tuple(p.PV_NOISE, p.NOISE_SEED, p.PROC_TYPE, mDoc->processType()),
              std::tuple(0.0, 1.0, 0, 0));
    open(mProject, 1);
    mDoc->Ini_Param_set();
    mDoc->applyAll();
    open(mProject, 2);
    mDoc->Ini_Param_set();
    mDoc->applyAll();
    EXPECT_EQ(std::tuple(p.PV_NOISE, p.NOISE_SEED, p.STICK_S, p.PROC_TYPE, p.Tpl2),
              std::tuple(10.0, 16777215.0, 1.23, 2, 7.0));

    // A hidden process keeps its type, its second lag and its valve out of the step; not the noise.
    mDoc->setProcessHidden(true);
    writeProfile(mProject, {{"手順1", {{"TITLE2", ""}}}});
    ASSERT_TRUE(mDoc->saveStep(mTexts));
    EXPECT_NE(text().find("PV_NOISE=10.00\r\nNOISE_SEED=16777215\r\n"), std::string::npos) << text();
    for (const char* key : {"STICK_S=", "PROC_TYPE=", "Tpl2="})
        EXPECT_EQ(text().find(key), std::string::npos) << key;
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

TEST_F(StepSaveTest, SecondaryLoopAppliesSavesByDifferenceAndStaysInForceWhereAStepLeavesThemOut) {
    const ParameterSet& p = mState.params;
    // Range-limited and redisplayed like the four groups; Lin bound by 200 × dt like the dead times.
    for (auto [f, typed] :
         {std::pair{Kp2, "12"}, {ML2, "12.6"}, {Kin, "0"}, {Lin, "25"}, {Tdin, "3.456"}, {Tin, "x"}})
        mDoc->setSecondaryText(f, typed);
    mDoc->okButton(FieldGroup::SecondaryLoop);
    mDoc->optLoop_Click(1);
    mDoc->optType2_Click(2);
    mDoc->optCtype2_Click(0);
    mDoc->setSecondaryMode(1);
    EXPECT_EQ(mMessages.shown,
              std::vector<std::string>{"一次遅れ時間(秒) Tin：数値を半角で入力してください。  P058"});
    EXPECT_EQ(std::tuple(mDoc->secondaryText(Kp2), mDoc->secondaryText(ML2), mDoc->secondaryText(Kin),
                         mDoc->secondaryText(Lin), mDoc->secondaryText(Tin), mDoc->secondaryEdited(Tdin)),
              std::tuple("10.00", "13", "0.01", "20.00", "1.00", false));
    const auto inForce = [&p] {
        return std::tuple(p.Kp2, p.ML2, p.Kin, p.Lin, p.Tin, p.Tdin, p.LOOP, p.TYPE2, p.CALC2, p.MODE2);
    };
    const auto set = std::tuple(10.0, 13.0, 0.01, 20.0, 1.0, 3.46, 1, 2, 0, 1);
    EXPECT_EQ(inForce(), set);

    // Saved after Tpl2 (MODE2 before MODE) where they differ from the base; a hidden process keeps
    // the inner part's Kin, Tin and Lin out as it keeps Kpl, Tpl and Lpl.
    writeProfile(mProject, {{"手順1", {{"TITLE2", ""}}}, {"手順2", {{"TITLE2", "二"}}}});
    mDoc->setProcessHidden(true);
    ASSERT_TRUE(mDoc->saveStep(mTexts));
    mDoc->setProcessHidden(false);
    EXPECT_NE(text().find("LOOP=1\r\nTYPE2=2\r\nCALC2=0\r\nKp2=10.00\r\nML2=13\r\nTdin=3.46\r\n"
                          "MODE2=1\r\nPEN_COLOR"),
              std::string::npos)
        << text();
    ASSERT_TRUE(mDoc->saveStep(mTexts));
    EXPECT_NE(text().find("Kin=0.01\r\nLin=20.00\r\n"), std::string::npos) << text();

    // Parameter initialisation brings the base set back; a step without the keys keeps them.
    mDoc->ParaInz_Click();
    EXPECT_EQ(inForce(), std::tuple(1.0, 0.0, 1.0, 0.0, 1.0, 0.0, 0, 1, 1, 2));
    for (int step : {1, 2}) {
        open(mProject, step);
        mDoc->Ini_Param_set();
        mDoc->applyAll();
    }
    EXPECT_EQ(inForce(), set);
    EXPECT_EQ(mDoc->loopStructure(), 1);
}

TEST_F(StepApplyTest, ANewLoopStructureIsPutAtRestAndTheSecondaryModeComesBeforeTheMode) {
    test::RecordingDisplay display;
    test::FakeHost host;
    ControlLoop loop(mState, mMessages, *mDoc, display, host, ControlLoop::Settings::Discarded);
    auto& s = mState.sim;
    writeProfile(mLesson, {{"手順1", {{"LOOP", "1"}, {"Kin", "2"}, {"MODE2", "1"}, {"MODE", "0"}}},
                           {"手順2", {{"LOOP", "1"}, {"MODE2", "0"}}}});
    s.MV.set(40.0);
    s.PV2.set(0.0);
    open(mLesson, 1);
    mDoc->Ini_Param_set();
    // At rest for the cascade with the Kin in force; the secondary's mode changed through run
    // control (its bias for MV), then the primary's manual mode stopped the pacing it started.
    EXPECT_EQ(std::tuple(s.PV2[0], s.SV2[0], s.OP[0], int(mState.params.MODE2), mState.params.bA2,
                         host.pacingEnabled),
              std::tuple(40.0, 40.0, 40.0, 1, 40.0, false));
    // With the step's Kin applied the loop is put at rest once more.
    mDoc->applyAll();
    EXPECT_EQ(std::tuple(s.PV2[0], s.OP[0], s.MV[0]), std::tuple(80.0, 80.0, 40.0));
    // The same structure again, and the next apply, leave the loop as it is.
    s.PV2.set(70.0);
    open(mLesson, 2);
    mDoc->Ini_Param_set();
    mDoc->applyAll();
    EXPECT_EQ(std::tuple(s.PV2[0], int(mState.params.MODE2), host.pacingEnabled), std::tuple(70.0, 0, true));
    // The window's choice puts the loop at rest at once.
    mDoc->optLoop_Click(2);
    EXPECT_EQ(std::tuple(s.PV2[0], s.OP[0], s.MV[0]), std::tuple(80.0, 40.0, 40.0));
    EXPECT_TRUE(mMessages.shown.empty()) << mMessages.shown.front();
}

// English is chosen only by a value that names it; the folders then read the English lessons and help.
TEST(Language, OnlyEnglishIsRecognisedAndItMovesTheLessonsAndHelp) {
    for (const char* en : {"en", "EN", " en", "en_GB.UTF-8", "en-US"})
        EXPECT_EQ(languageFrom(en), "en") << en;
    for (const char* ja : {"", "ja", "jp", "e", "eng", "english", "fr"})
        EXPECT_EQ(languageFrom(ja), "") << ja;
    AppFolders f = AppFolders::portable("/app");
    EXPECT_EQ(std::pair(f.studyFolder(), f.helpFile()),
              std::pair(fs::path("/app/Study"), fs::path("/app/Doc/help.html")));
    f.language = "en";
    EXPECT_EQ(std::pair(f.studyFolder(), f.helpFile()),
              std::pair(fs::path("/app/Study/en"), fs::path("/app/Doc/help_en.html")));
}

} // namespace
} // namespace kestrel
