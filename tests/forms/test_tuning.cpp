// The tuning workbench over a step test built by hand: identification in the table, "採用" into
// the model in force, the rules' table and formulas, "適用" into the parameter fields.

#include "forms/comparepart.h"
#include "forms/identifypart.h"
#include "forms/tuningwindow.h"
#include "tuning/compare.h"

#include "analysis/cascaderun.h"
#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "tempfolder.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace kestrel::test {
namespace {

/// An open-loop step test of K 2, L 3 s, T 10 s: MV 50 → 60 % at 10 s, 60 s at 0.1 s.
KeptRun stepTest() {
    KeptRun r;
    r.label = "ステップ試験";
    r.dt = 0.1;
    std::vector<double> mv;
    for (int k = 0; k < 600; ++k)
        mv.push_back(k < 100 ? 50 : 60);
    const std::vector<double> pv = tuning::simulateFopdt({2, 3, 10}, mv, 40, 50, 0.1);
    for (int k = 0; k < 600; ++k)
        r.steps.push_back({k * 0.1, 40, pv[k], mv[k], 0, false});
    return r;
}

class Tuning : public GuiTest {
protected:
    void SetUp() override {
        shipBaseSet(KESTREL_SOURCE_DATA, mFolder.path());
        doc.startup();
    }
    TempFolder mFolder{"kestrel-tuning"};
    AppState state;
    FakeMessages messages;
    SetupDocument doc{state, messages, mFolder.path()};
    RunStore store;
};

TEST_F(Tuning, IdentifiesAKeptRunAndAdoptsAModel) {
    TuningWindow w(store, doc);
    store.add(stepTest());
    w.runKept(1);
    EXPECT_EQ(childOf<QComboBox>(&w, "cboRun")->count(), 1);
    auto* table = childOf<QTableWidget>(&w, "methods");
    // The least-squares row finds the model the run was made with.
    const double model[] = {2, 3, 10};
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(table->item(2, c)->text().toDouble(), model[c], 0.01) << c;
    click(&w, "cmdAdopt2");
    ASSERT_TRUE(w.model());
    EXPECT_NEAR(w.model()->K, 2, 0.01);
    EXPECT_EQ(childOf<QLineEdit>(&w, "txtModelT")->text(), "10");

    // A closed-loop run of the loop's own controller: fitted again with it, a fourth row.
    EXPECT_TRUE(childOf<QPushButton>(&w, "cmdFitClosedLoop")->isHidden()); // the step test is open-loop
    ParameterSet p;
    p.Kpl = 2, p.Lpl = 3, p.Tpl = 10, p.Kp = 1, p.Ti = 10, p.MODE = 2;
    p.SVv = {"50", "50", "55", "", "", "", "", "", ""};
    p.SVt = {"0", "5", "5", "", "", "", "", "", ""};
    KeptRun loop;
    loop.params = p;
    loop.graphTime = 60;
    std::string error;
    loop.steps = tuning::runLoop(p, 60, error);
    w.runKept(store.add(loop).number);
    click(&w, "cmdFitClosedLoop");
    ASSERT_TRUE(w.identifyPart().closedLoopFit())
        << childOf<QLabel>(&w, "lblIdentifyError")->text().toStdString();
    EXPECT_NEAR(table->item(3, 2)->text().toDouble(), 10, 0.01);
    click(&w, "cmdAdopt3");
    EXPECT_NEAR(w.model()->L, 3, 1e-9);

    // A run without an MV step, chosen as the newest, says why it gives no model.
    KeptRun flat = stepTest();
    for (StepSample& s : flat.steps)
        s.mv = 50;
    w.runKept(store.add(flat).number);
    EXPECT_TRUE(table->isHidden());
    EXPECT_FALSE(childOf<QLabel>(&w, "lblIdentifyError")->text().isEmpty());
}

TEST_F(Tuning, ACascadeRunIsTunedInnerLoopFirstAndItsRulesGoToTheSecondary) {
    TuningWindow w(store, doc);
    auto* signalBox = childOf<QComboBox>(&w, "cboSignals");
    w.runKept(store.add(stepTest()).number);
    EXPECT_TRUE(signalBox->isHidden()) << "a single loop's run has only PV and MV";
    w.runKept(store.add(cascadeStepTest()).number);
    ASSERT_FALSE(signalBox->isHidden());
    ASSERT_EQ(signalBox->count(), 3); // PV ← MV, PV2 ← MV, PV ← SV2
    signalBox->setCurrentIndex(1);
    auto* table = childOf<QTableWidget>(&w, "methods");
    const double inner[] = {2, 0.5, 3}; // Kin, Lin, Tin
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(table->item(2, c)->text().toDouble(), inner[c], 0.01) << c;
    click(&w, "cmdAdopt2");
    EXPECT_EQ(w.modelSignals().output, Channel::PV2);
    EXPECT_FALSE(childOf<QLabel>(&w, "lblModelOf")->isHidden());
    // The rules write the secondary's fields; the primary's stay as they were.
    const std::string primary = doc.fieldText(Kp) + doc.fieldText(Ti);
    auto* rules = childOf<QTableWidget>(&w, "rules");
    rules->selectRow(1); // Ziegler-Nichols step response, PI: Kp = 0.9/a = 0.9·3/(2·0.5) = 2.7, Ti = 3.3·L
    EXPECT_FALSE(childOf<QPushButton>(&w, "cmdCompare")->isEnabled());
    click(&w, "cmdApply");
    EXPECT_EQ(std::tuple(doc.secondaryType(), doc.secondaryText(Kp2), doc.secondaryText(Ti2),
                         doc.fieldText(Kp) + doc.fieldText(Ti)),
              std::tuple(1, "2.70", "1.65", primary));
}

TEST_F(Tuning, RulesShowTheirFormulasAndApplyToTheFields) {
    TuningWindow w(store, doc);
    auto* rules = childOf<QTableWidget>(&w, "rules");
    EXPECT_EQ(rules->rowCount(), 0);
    // The model typed in, full-width digits and all.
    for (auto [name, text] : {std::pair{"txtModelK", "０．８"}, {"txtModelL", "2"}, {"txtModelT", "5"}}) {
        QInputMethodEvent typed; // what the input method commits
        typed.setCommitString(QString::fromUtf8(text));
        QCoreApplication::sendEvent(childOf<QLineEdit>(&w, name), &typed);
        QTest::keyClick(childOf<QLineEdit>(&w, name), Qt::Key_Return);
    }
    // Without Ku and Pu: ZN step 3, CHR 4 × 3, Cohen-Coon 3, lambda, IMC, SIMC 1 each, AMIGO 2.
    EXPECT_EQ(rules->rowCount(), 23);
    rules->selectRow(2); // Ziegler-Nichols step response, PID: Kp = 1.2/a = 3.75
    EXPECT_TRUE(childOf<QPlainTextEdit>(&w, "formulas")->toPlainText().contains("= 3.75"));
    click(&w, "cmdApply");
    EXPECT_EQ(doc.typeTab(), 2);
    EXPECT_EQ(doc.fieldText(Kp) + doc.fieldText(Ti) + doc.fieldText(Td), "3.754.001.00");
    EXPECT_TRUE(doc.fieldEdited(Kp) && doc.fieldEdited(Ti) && doc.fieldEdited(Td));

    // The relay test runs on the model in force; its exact Ku and Pu bring the two ultimate rules.
    w.addLoopParts(state, doc);
    click(&w, "relayRun");
    click(&w, "useExact");
    EXPECT_EQ(rules->rowCount(), 23 + 5);

    // A model the rules refuse leaves an empty table and says why.
    w.setModel(0, 2, 5);
    EXPECT_EQ(rules->rowCount(), 0);
    EXPECT_FALSE(childOf<QLabel>(&w, "lblRulesMessage")->text().isEmpty());
}

/// The texts cut on each tab of a workbench with a model, its rules and a comparison shown.
std::vector<std::string> clippedOnEveryTab(TuningWindow& w, AppState& state, SetupDocument& doc) {
    w.addLoopParts(state, doc);
    state.params.Kpl = 0.8, state.params.Tpl = 5, state.params.Lpl = 2;
    w.setModel(0.8, 2, 5);
    w.comparePart()->compare({{"ZN PI", "PI", 2.5, 6.6, {}}});
    w.show();
    auto* tabs = childOf<QTabWidget>(&w, "tuningTabs");
    std::vector<std::string> cut;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        for (const std::string& text : clippedTexts(&w))
            cut.push_back(tabs->tabText(i).toStdString() + ": " + text);
    }
    return cut;
}

TEST_F(Tuning, EveryTabFitsItsTextsInJapaneseAndInEnglish) {
    {
        TuningWindow w(store, doc);
        const std::vector<std::string> cut = clippedOnEveryTab(w, state, doc);
        EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
    }
    EnglishScope english;
    ASSERT_TRUE(english.loaded());
    TuningWindow w(store, doc);
    const std::vector<std::string> cut = clippedOnEveryTab(w, state, doc);
    EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
    auto* tabs = childOf<QTabWidget>(&w, "tuningTabs");
    EXPECT_EQ(tabs->tabText(0), "Identification");
    EXPECT_EQ(tabs->tabText(5), "Stability Region");
    EXPECT_EQ(childOf<QPushButton>(&w, "cmdAdopt0")->text(), "Use");
}

TEST_F(Tuning, FourRulesComparedOnTheLoopInForceAndTheWinnerApplied) {
    TuningWindow w(store, doc);
    w.addLoopParts(state, doc);
    state.params.Kpl = 0.8, state.params.Tpl = 5, state.params.Lpl = 2;
    w.setModel(0.8, 2, 5);
    auto* rules = childOf<QTableWidget>(&w, "rules");
    for (int row : {1, 2, 5, 8}) // ZN PI and PID, CHR set-point 0 % PID, CHR set-point 20 % PID
        rules->selectionModel()->select(rules->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    click(&w, "cmdCompare");
    ComparePart& compare = *w.comparePart();
    EXPECT_EQ(childOf<QTabWidget>(&w, "tuningTabs")->currentWidget(), &compare);
    ASSERT_EQ(compare.trials().size(), 4u);
    auto* table = childOf<QTableWidget>(&w, "compareTable");
    ASSERT_EQ(table->rowCount(), 4);
    for (int r = 1; r < 4; ++r) // ranked by IAE
        EXPECT_LE(table->item(r - 1, 5)->text().toDouble(), table->item(r, 5)->text().toDouble());
    // The compared settings are those "適用" writes; the winner goes to the fields.
    const tuning::Candidate best = compare.trials()[compare.ranking()[0]].candidate;
    table->selectRow(0);
    click(&w, "compareApply");
    EXPECT_EQ(doc.fieldText(Kp), QString::number(best.Kp, 'f', 2).toStdString());
}

} // namespace
} // namespace kestrel::test
