#include "engine/fakes.h"
#include "english.h"
#include "forms/blockdiagram.h"
#include "forms/frmmain.h"
#include "forms/processdetail.h"
#include "forms/secondaryloop.h"
#include "guiapp.h"
#include "panel/faceplate.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/modinifile.h"
#include "tempfolder.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>

#include <algorithm>
#include <memory>

namespace fs = std::filesystem;

namespace kestrel::test {
namespace {

class MainWindow : public GuiTest {
protected:
    void SetUp() override { shipBaseSet(KESTREL_SOURCE_DATA, mDir); }

    void start() {
        doc = std::make_unique<SetupDocument>(state, messages, mDir);
        panel = std::make_unique<frmController>(state, *doc, messages);
        window = std::make_unique<frmMAIN>(state, *doc, messages, *panel);
        doc->startup();
        window->show();
    }

    void TearDown() override { window.reset(), panel.reset(), doc.reset(); }

    template <class T> T* child(const char* name) { return childOf<T>(window.get(), name); }
    bool yellow(QLineEdit* e) { return e->palette().color(QPalette::Base) == QColor(255, 255, 128); }
    void type(const char* name, const char* text) { retype(child<QLineEdit>(name), text); }
    void click(const char* name) { test::click(window.get(), name); }

    TempFolder mFolder{"kestrel-main"};
    const fs::path mDir = mFolder.path();
    AppState state;
    FakeMessages messages;
    std::unique_ptr<SetupDocument> doc;
    std::unique_ptr<frmController> panel;
    std::unique_ptr<frmMAIN> window;
};

// The group applies, Cancel, the tab and the calculation form are checked at the document; here
// only that the widgets reach them and show what they did.
TEST_F(MainWindow, TheWidgetsReachTheDocumentAndShowItsState) {
    const ProgramFont font;
    ASSERT_TRUE(WriteProfileValue(mDir / "Study" / "ParaInz.txt", "手順", "FB", "0"));
    start();
    // Every group inside the client area, even under a menu bar 8 pixels taller, in the program's font.
    QApplication::processEvents();
    const QRect client = window->centralWidget()->rect().adjusted(0, 0, 0, -8);
    for (const char* group : {"FrameController", "FramePL", "FrameDS", "FrameFF"})
        EXPECT_TRUE(client.contains(child<QWidget>(group)->geometry())) << group;
    // The unit of the MV rate limit: whole, and clear of its field's label.
    auto* unit = child<QLabel>("Label_dMLunit");
    auto* label = child<QLabel>("Label_txtdML");
    const int unitText = unit->fontMetrics().horizontalAdvance(unit->text());
    EXPECT_LE(unitText, unit->contentsRect().width());
    EXPECT_GE(unit->geometry().right() - unitText,
              label->x() + label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_LT(unit->geometry().right(), child<QWidget>("txtdML")->x());

    EXPECT_EQ(std::tuple(child<QCheckBox>("ChkFB")->isChecked(), child<QLineEdit>("txtbA")->text(),
                         child<QLineEdit>("txtbA")->isEnabled()),
              std::tuple(false, QString("50"), false));

    QLineEdit* kp = child<QLineEdit>("txtKp");
    type("txtKp", "1.234");
    const bool typed = yellow(kp);
    click("OKButton");
    EXPECT_EQ(std::tuple(typed, yellow(kp), kp->text(), state.params.Kp),
              std::tuple(true, false, QString("1.23"), 1.23));
    type("txtTpl", "9");
    click("CancelButtonPL");
    EXPECT_EQ(std::pair(yellow(child<QLineEdit>("txtTpl")), child<QLineEdit>("txtTpl")->text()),
              std::pair(false, QString("5.00")));
    // A challenge hides the process: "？", not editable, until it is shown again.
    doc->setProcessHidden(true);
    EXPECT_EQ(std::pair(child<QLineEdit>("txtTpl")->text(), child<QLineEdit>("txtTpl")->isReadOnly()),
              std::pair(QString("？"), true));
    doc->setProcessHidden(false);
    EXPECT_EQ(std::pair(child<QLineEdit>("txtTpl")->text(), child<QLineEdit>("txtTpl")->isReadOnly()),
              std::pair(QString("5.00"), false));
    type("txtKds", "abc");
    click("OKButtonDS");
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"伝達ゲイン Kds：数値を半角で入力してください。  P002"});

    auto* tab = child<QTabWidget>("ContTypeTab");
    tab->setCurrentIndex(5);
    EXPECT_EQ(std::tuple(child<QLineEdit>("txtβ")->text(), child<QLineEdit>("txtα")->isVisible(),
                         panel->penRecorder().Label1(1)->text()),
              std::tuple(QString("1.35"), true, QString("② 偏差１（ｅ1）")));
    tab->setCurrentIndex(0);
    EXPECT_EQ(std::pair(child<QLineEdit>("txtTi")->isVisible(), panel->findChild<QLabel*>("LabTYPE")->text()),
              std::pair(false, QString("Ｐ 制御")));

    // A radio button is hit on its indicator, as a learner clicks it; the unit label goes with its field.
    for (const auto& [form, shown] : {std::pair{"optCtype_1", true}, {"optCtype_0", false}}) {
        QRadioButton* r = child<QRadioButton>(form);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
        EXPECT_EQ(std::pair(int(state.params.CALC_TYPE), child<QLabel>("Label_dMLunit")->isVisible()),
                  std::pair(shown ? 1 : 0, shown));
    }

    QSignalSpy study(window.get(), &frmMAIN::studyRequested);
    window->findChild<QAction*>("c7342")->trigger();
    EXPECT_EQ(study, QList<QList<QVariant>>{{QString("学習： 7.3.4 (2)上下限制限による飽和時変動問題")}});
    EXPECT_EQ(std::tuple(fs::path(state.study.CurFile), state.study.ProjectMode, int(state.study.StepNo)),
              std::tuple(mDir / "Study" / "C0703042.txt", false, 1));
    for (const char* item : {"c651", "c652", "c653", "c66"})
        EXPECT_FALSE(window->findChild<QAction*>(item)->isEnabled()) << item;

    // The return prompt's button applies every group.
    QSignalSpy back(window.get(), &frmMAIN::lessonRequested);
    window->startReturnPrompt();
    ASSERT_TRUE(waitUntil([&] { return window->cmdTip()->isVisible(); }, 1000));
    EXPECT_EQ(messages.beeps, 1);
    type("txtKpl", "2");
    QTest::mouseClick(window->cmdTip(), Qt::LeftButton);
    EXPECT_EQ(std::tuple(state.params.Kpl, window->cmdTip()->isVisible(), back.count()),
              std::tuple(2.0, false, 1));
}

TEST_F(MainWindow, FullWidthNumbersTypedWithTheInputMethodAreReadAsHalfWidth) {
    start();
    // Keys that carry full-width text, in a parameter field and a panel field.
    QLineEdit* sv = panel->findChild<QLineEdit*>("txtSV");
    for (const auto& [e, text] : {std::pair{child<QLineEdit>("txtKp"), "２．５"}, {sv, "－５"}}) {
        e->selectAll();
        for (const QChar c : QString(text))
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(child<QLineEdit>("txtKp")->text(), doc->fieldText(Kp), sv->text()),
              std::tuple(QString("2.5"), std::string("2.5"), QString("-5")));

    // A composition is left alone until it ends; then the committed text is rewritten and the
    // cursor stays after it.
    QLineEdit* kp = child<QLineEdit>("txtKp");
    kp->setText("1");
    kp->setCursorPosition(0);
    auto imEvent = [&](const char* preedit, const char* commit) {
        QInputMethodEvent e(QString::fromUtf8(preedit), {});
        e.setCommitString(QString::fromUtf8(commit));
        QCoreApplication::sendEvent(kp, &e);
        QCoreApplication::processEvents();
    };
    imEvent("２", "");
    imEvent("５", "２．");
    EXPECT_EQ(kp->text(), "２．1");
    imEvent("", "５");
    EXPECT_EQ(std::pair(kp->text(), kp->cursorPosition()), std::pair(QString("2.51"), 3));
    click("OKButton");
    EXPECT_EQ(state.params.Kp, 2.51);
}

TEST_F(MainWindow, ProcessDetailWindowEditsAppliesAndHidesWithTheProcess) {
    start();
    frmProcessDetail* w = window->processDetail();
    click("cmdProcessDetail");
    ASSERT_TRUE(w->isVisible());
    auto field = [w](const char* name) { return childOf<QLineEdit>(w, name); };
    auto press = [w](const char* name) { test::click(w, name); };
    auto* diagram = window->findChild<BlockDiagram*>();

    retype(field("txtPvNoise"), "2.5");
    const bool typed = yellow(field("txtPvNoise"));
    press("OKButtonPD");
    EXPECT_EQ(std::tuple(typed, yellow(field("txtPvNoise")), field("txtPvNoise")->text(),
                         state.params.PV_NOISE, diagram->processDetail().sensor),
              std::tuple(true, false, QString("2.50"), 2.5, true));
    retype(field("txtValveDb"), "3");
    press("CancelButtonPD");
    EXPECT_EQ(std::tuple(yellow(field("txtValveDb")), field("txtValveDb")->text(), state.params.VALVE_DB),
              std::tuple(false, QString("0.00"), 0.0));

    // Full-width digits typed with the input method are read as half-width.
    QLineEdit* tf = field("txtPvFilter");
    tf->selectAll();
    for (const QChar c : QString("１．５"))
        QTest::sendKeyEvent(QTest::Click, tf, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(tf->text(), doc->detailText(PvFilter)),
              std::pair(QString("1.5"), std::string("1.5")));

    // The type is stored on click; Tpl2 takes input only for the second-order process.
    EXPECT_FALSE(field("txtTpl2")->isEnabled());
    auto* second = childOf<QRadioButton>(w, "optProcType_1");
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(8, second->height() / 2));
    EXPECT_EQ(
        std::tuple(int(state.params.PROC_TYPE), field("txtTpl2")->isEnabled(), diagram->processDetail().type),
        std::tuple(1, true, 1));

    // A change made elsewhere (a lesson step) shows while the window is open.
    doc->setDetailText(StickS, "4");
    EXPECT_EQ(std::pair(field("txtStickS")->text(), yellow(field("txtStickS"))),
              std::pair(QString("4"), true));

    window->SetHelpPointer(true);
    EXPECT_TRUE(childOf<QWidget>(w, "labeldetail")->isVisible());

    // A hidden process hides its type, Tpl2 and the valve; noise and filter stay.
    doc->setProcessHidden(true);
    for (const char* name : {"txtValveDb", "txtStickS", "txtValveT", "txtTpl2"})
        EXPECT_EQ(std::pair(field(name)->text(), field(name)->isReadOnly()), std::pair(QString("？"), true))
            << name;
    EXPECT_EQ(std::tuple(field("txtPvNoise")->text(), field("txtPvNoise")->isReadOnly(),
                         childOf<QLabel>(w, "Label_procTypeHidden")->isVisible(), second->isVisible(),
                         diagram->processDetail().hidden),
              std::tuple(QString("2.50"), false, true, false, true));
    doc->setProcessHidden(false);
    EXPECT_EQ(std::tuple(field("txtStickS")->text(), field("txtStickS")->isReadOnly(), second->isChecked()),
              std::tuple(QString("4"), false, true));
}

TEST_F(MainWindow, LoopStructureAndSecondaryLoopWindowEditApplyAndHideWithTheProcess) {
    const ProgramFont font;
    start();
    auto* diagram = window->findChild<BlockDiagram*>();
    auto* loop = child<QComboBox>("cboLoop");
    EXPECT_TRUE(window->centralWidget()->rect().contains(
        loop->mapTo(window->centralWidget(), loop->rect().bottomRight())));
    loop->setCurrentIndex(1);
    emit loop->activated(1);
    EXPECT_EQ(std::pair(int(state.params.LOOP), diagram->processDetail().loop), std::pair(1, 1));

    frmSecondaryLoop* w = window->secondaryLoop();
    click("cmdSecondaryLoop");
    ASSERT_TRUE(w->isVisible());
    // Every label whole in the program's font, every group inside the window.
    for (const QLabel* l : w->findChildren<QLabel*>())
        for (const QString& line : l->text().split('\n'))
            EXPECT_LE(l->fontMetrics().horizontalAdvance(line), l->contentsRect().width())
                << line.toStdString();
    for (const char* group : {"FrameSecondary", "FrameInner"})
        EXPECT_TRUE(w->rect().contains(childOf<QWidget>(w, group)->geometry())) << group;
    auto field = [w](const char* name) { return childOf<QLineEdit>(w, name); };
    // Full-width digits from the input method are read as half-width.
    field("txtKp2")->selectAll();
    for (const QChar c : QString("２．５"))
        QTest::sendKeyEvent(QTest::Click, field("txtKp2"), Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCoreApplication::processEvents();
    retype(field("txtKin"), "3");
    const bool typed = yellow(field("txtKp2"));
    test::click(w, "OKButton2");
    EXPECT_EQ(std::tuple(typed, yellow(field("txtKp2")), field("txtKp2")->text(), state.params.Kp2,
                         state.params.Kin),
              std::tuple(true, false, QString("2.50"), 2.5, 3.0));
    retype(field("txtTdin"), "7");
    test::click(w, "CancelButton2");
    EXPECT_EQ(std::pair(field("txtTdin")->text(), yellow(field("txtTdin"))),
              std::pair(QString("0.00"), false));

    // The type is stored on click; Ti2 takes input from PI on, Td2 for PID; limits in the velocity forms.
    auto option = [w](const char* name) {
        auto* r = childOf<QRadioButton>(w, name);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
    };
    option("optType2_0");
    option("optCtype2_0");
    EXPECT_EQ(std::tuple(int(state.params.TYPE2), int(state.params.CALC2), field("txtTi2")->isEnabled(),
                         field("txtTd2")->isEnabled(), field("txtMH2")->isEnabled(),
                         diagram->processDetail().secondaryType),
              std::tuple(0, 0, false, false, false, 0));
    // A lesson step's change shows while the window is open; a hidden process hides the inner part.
    doc->setSecondaryText(Tin, "4");
    doc->setProcessHidden(true);
    EXPECT_EQ(std::tuple(field("txtKin")->text(), field("txtKin")->isReadOnly(), field("txtTin")->text(),
                         field("txtKdin")->text()),
              std::tuple(QString("？"), true, QString("？"), QString("0.00")));
    doc->setProcessHidden(false);
    EXPECT_EQ(std::pair(field("txtTin")->text(), yellow(field("txtTin"))), std::pair(QString("4"), true));
    window->SetHelpPointer(true);
    EXPECT_TRUE(childOf<QWidget>(w, "labelsecondary")->isVisible());
    EXPECT_TRUE(messages.shown.empty());
}

/// The texts cut by their widgets in the main window with every controller field shown, the
/// control-type tabs, and the process-detail and secondary-loop windows.
std::vector<std::string> cutTexts(frmMAIN& window, SetupDocument& doc) {
    doc.ContTypeTab_Click(5); // the 2-DOF page shows α, β and γ
    doc.optCtype_Click(1);    // the velocity form shows the MV limits and the rate limit's unit
    window.processDetail()->open();
    window.secondaryLoop()->open();
    QApplication::processEvents();
    std::vector<std::string> cut = clippedTexts(&window);
    for (QWidget* w :
         {static_cast<QWidget*>(window.processDetail()), static_cast<QWidget*>(window.secondaryLoop())})
        for (const std::string& t : clippedTexts(w))
            cut.push_back(t);
    auto* tabs = window.findChild<QTabWidget*>("ContTypeTab");
    if (tabs->tabBar()->sizeHint().width() > tabs->width())
        cut.push_back("ContTypeTab's titles");
    auto* loop = window.findChild<QComboBox*>("cboLoop");
    if (loop->sizeHint().width() > loop->width())
        cut.push_back("cboLoop's items");
    return cut;
}

TEST_F(MainWindow, EveryTextFitsInJapaneseAndInEnglish) {
    const ProgramFont font;
    start();
    const std::vector<std::string> japanese = cutTexts(*window, *doc);
    EXPECT_TRUE(japanese.empty()) << japanese.front();
    TearDown();

    const EnglishScope english;
    ASSERT_TRUE(english.loaded());
    start();
    const std::vector<std::string> cut = cutTexts(*window, *doc);
    EXPECT_TRUE(cut.empty()) << cut.front();
    EXPECT_EQ(std::tuple(window->menuBar()->actions().front()->text(),
                         child<QPushButton>("cmdProcessDetail")->text(), child<QGroupBox>("FramePL")->title(),
                         child<QTabWidget>("ContTypeTab")->tabText(5),
                         window->processDetail()->windowTitle()),
              std::tuple(QString("&View"), QString("Process Details..."), QString("Process Parameters"),
                         QString("2-DOF PID"), QString("Process Details")));
    // The lesson's caption goes to the study window in English; the file stays the Japanese one.
    QSignalSpy study(window.get(), &frmMAIN::studyRequested);
    window->findChild<QAction*>("c131")->trigger();
    ASSERT_EQ(study.size(), 1);
    EXPECT_EQ(study[0][0].toString(), QString("Lesson: 13.1 Cascade control"));
    EXPECT_EQ(fs::path(state.study.CurFile).filename(), fs::path("C130100.txt"));
    // The language menu reads the same in both languages, marks the language in force and asks
    // for the other one.
    QSignalSpy chosen(window.get(), &frmMAIN::languageRequested);
    auto* japaneseItem = child<QAction>("languageJa");
    EXPECT_EQ(std::tuple(child<QMenu>("language")->title(), japaneseItem->text(),
                         child<QAction>("languageEn")->isChecked()),
              std::tuple(QString("Language/言語"), QString("日本語"), true));
    japaneseItem->trigger();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toString(), QString());
}

} // namespace
} // namespace kestrel::test

namespace kestrel::test {
namespace {

TEST_F(MainWindow, ChartOptionsAreMenuItemsKeptInTheSettingsFile) {
    const fs::path ini = mDir / "Kestrel.ini";
    ASSERT_TRUE(WriteProfileValue(ini, "CONFIG", "RunLineStyles", "1"));
    start();
    EXPECT_EQ(std::pair(state.chart.SafeColours, state.chart.RunLineStyles), std::pair(false, true));
    auto* safe = child<QAction>("safeColors");
    safe->trigger();
    EXPECT_TRUE(state.chart.SafeColours);
    EXPECT_EQ(ReadProfileValue(ini, "CONFIG", "SafeColors"), "1");
    child<QAction>("runLineStyles")->trigger();
    EXPECT_FALSE(state.chart.RunLineStyles);
    EXPECT_EQ(ReadProfileValue(ini, "CONFIG", "RunLineStyles"), "0");
    // The panel's strips took the safe colours at once.
    EXPECT_EQ(panel->faceplate().findChild<QWidget*>("PVbar1")->styleSheet(),
              QString("background: %1;").arg(toQColor(kSafePenChoiceColors[0]).name()));
}

TEST_F(MainWindow, TabGoesThroughTheGroupsFromTheTopThenTheButtons) {
    start();
    std::vector<std::string> order;
    QWidget* w = window.get();
    for (QWidget* n = w->nextInFocusChain(); n != w; n = n->nextInFocusChain())
        if ((n->focusPolicy() & Qt::TabFocus) && n->isVisibleTo(w) && n->isEnabled())
            order.push_back(n->objectName().toStdString());
    auto at = [&](const char* name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
    const char* expected[] = {"ContTypeTab",
                              "txtdT",
                              "txtKp",
                              "OKButton",
                              "txtKpl",
                              "txtLpl",
                              "cboLoop",
                              "OKButtonPL",
                              "txtKd",
                              "OKButtonDS",
                              "txtKf",
                              "CancelButtonFF",
                              "cmdProcessDetail",
                              "cmdSecondaryLoop",
                              "cmdPrint"};
    for (std::size_t i = 1; i < std::size(expected); ++i)
        EXPECT_LT(at(expected[i - 1]), at(expected[i])) << expected[i];
    EXPECT_EQ(at("cmdPrint"), static_cast<std::ptrdiff_t>(order.size()) - 1);
    EXPECT_EQ(window->findChild<BlockDiagram*>()->accessibleName(), "ブロック図");
}

} // namespace
} // namespace kestrel::test
