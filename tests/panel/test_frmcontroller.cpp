#include "panel/frmcontroller.h"

#include "core/vbformat.h"
#include "english.h"
#include "panel/frmpenrec.h"
#include "panel/pointerimage.h"
#include "panel/trendchart.h"
#include "panelfixture.h"
#include "widgets/buttonkeys.h"
#include "widgets/textroom.h"

#include <QComboBox>
#include <QFrame>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QTransform>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

namespace kestrel {
namespace {

using test::twipsRect, test::waitUntil;

constexpr Rgb kWhite = rgb(255, 255, 255), kYellow = rgb(255, 255, 0), kRed = rgb(255, 0, 0);
constexpr Rgb kBlue = rgb(0, 0, 255), kLampOff = rgb(192, 192, 192);

/// The field's text replaced by what the input method commits (full-width digits).
void commit(QWidget* field, const char* text) {
    static_cast<QLineEdit*>(field)->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf8(text));
    QCoreApplication::sendEvent(field, &typed);
    QApplication::processEvents(); // the half-width rewrite
}

int countOf(const PictureBox* pic, Rgb colour) {
    return static_cast<int>(test::pixelsOf(pic, colour).size());
}

/// The colour at (x, y) twips, or at one pixel above or below it: the trace's row is found by
/// rounding twips to pixels, which may fall either side of a half pixel.
bool traceAt(const PictureBox* pic, double x, double y, Rgb colour) {
    for (double dy : {0.0, -15.0, 15.0})
        if (pic->colorAt(x, y + dy) == colour)
            return true;
    return false;
}

class ControllerPanel : public test::PanelTest {
protected:
    void SetUp() override { open(); }
    void open() {
        panel = std::make_unique<frmController>(state, doc, messages);
        panel->show();
        QApplication::processEvents();
    }

    template <class T = QWidget> T* child(const std::string& name) {
        return test::childOf<T>(panel.get(), name);
    }
    void click(const char* name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    void type(const char* name, const char* text) { test::retype(child<QLineEdit>(name), text); }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    void resize(int w, int h) {
        panel->resize(w, h);
        QApplication::processEvents();
    }
    /// Pacing ticks, as Timer1 delivers them.
    void tick(int n = 1) {
        while (n-- > 0)
            panel->runControl().PacingTick();
    }
    /// Start with the pacing timer stopped, so that the test gives the ticks.
    void startStill() {
        click("cmdStart");
        child<QTimer>("Timer1")->stop();
    }
    /// A whole run as a learner makes one: Start, a paced step, Fast to the end, and the
    /// end-of-run timer that gives Start back.
    void run() {
        auto* start = child<QPushButton>("cmdStart");
        ASSERT_TRUE(waitUntil([&] { return start->isEnabled(); }));
        QTest::mouseClick(start, Qt::LeftButton);
        ASSERT_TRUE(state.sim.Running);
        tick();
        click("cmdFast");
        EXPECT_FALSE(state.sim.Running);
        ASSERT_TRUE(waitUntil([&] { return start->isEnabled(); }));
    }

    PictureBox* upper(int k) { return panel->Picture1(k); }
    PictureBox* lower(int k) { return panel->Picture2(k); }

    std::unique_ptr<frmController> panel;
};

TEST_F(ControllerPanel, ModeButtonsSetFieldsLampsAndPacing) {
    auto* timer1 = child<QTimer>("Timer1");
    EXPECT_FALSE(timer1->isActive()); // the panel opens stopped
    struct Step {
        const char* label;
        int mode;
        bool sv, mv, reinitialised;
    } const steps[] = {
        // Cascade from automatic keeps the process; from manual it re-initialises it at the steady
        // state of MV 50.
        {"LabelA", 1, true, false, false}, {"LabelC", 2, false, false, false},
        {"LabelM", 0, true, true, false},  {"LabelC", 2, false, false, true},
        {"LabelA", 1, true, false, false},
    };
    const Rgb on[] = {kRed, kBlue, kYellow};
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.label) + " to mode " + std::to_string(s.mode));
        timer1->stop();
        state.sim.InitPending = false;
        state.sim.PV.set(20.0); // away from the steady state of MV 50
        click(s.label);
        EXPECT_EQ(std::make_tuple(int(state.params.MODE), timer1->isActive(), state.sim.InitPending,
                                  state.sim.PV[0]),
                  std::make_tuple(s.mode, true, s.reinitialised, s.reinitialised ? 50.0 : 20.0));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fromQColor(child("shapeMode" + std::to_string(i))->palette().color(QPalette::Window)),
                      i == s.mode ? on[i] : kLampOff);
        EXPECT_EQ(std::make_tuple(child("txtSV")->isEnabled(), child("txtMV")->isEnabled(),
                                  child("SliderMV")->isEnabled()),
                  std::make_tuple(s.sv, s.mv, s.mv));
    }
    // A disabled field looks disabled: not the window background of an enabled one.
    EXPECT_NE(child("txtMV")->palette().color(QPalette::Base),
              child("txtSV")->palette().color(QPalette::Base));
}

TEST_F(ControllerPanel, OkClampsToTheScaleAndTakesATextThatIsNoNumberAsZeroAndTheSliderSetsMv) {
    type("txtSV", "150");
    type("txtMV", "-5");
    click("OKButton");
    EXPECT_EQ(std::tie(state.sim.SV[0], state.sim.MV[0]), std::make_tuple(100.0, 0.0));
    EXPECT_EQ(text("txtSV") + " " + text("txtMV"), "100 0");

    state.sim.SvDisplayLive = state.sim.MvDisplayLive = false;
    type("txtSV", "abc");
    type("txtMV", "30");
    click("OKButton");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"型が一致しません。  P031"});
    // MV is still applied, and both fields show the loop again.
    auto* slider = static_cast<MvSlider*>(child("SliderMV"));
    EXPECT_EQ(std::make_tuple(state.sim.SV[0], state.sim.MV[0], text("txtSV") + " " + text("txtMV"),
                              slider->value(), state.sim.SvDisplayLive, state.sim.MvDisplayLive),
              std::make_tuple(0.0, 30.0, QString("0 30"), 30, true, true));

    // A press on the slider sets MV, the release keeps it.
    // Pixel columns nearest to the twips: 9 px = 135, 45 px = 675, 81 px = 1215 from the left edge.
    const std::pair<int, double> presses[] = {{9, 0.0},   {81, 100.0}, {45, 50.0},
                                              {30, 29.0}, {0, 0.0},    {89, 100.0}};
    for (const auto& [xPx, mv] : presses) {
        SCOPED_TRACE(xPx);
        const QPoint at(xPx, slider->height() / 2);
        QTest::mousePress(slider, Qt::LeftButton, {}, at);
        EXPECT_DOUBLE_EQ(state.sim.MV[0], mv);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at);
        EXPECT_EQ(std::make_tuple(state.sim.MV[0], slider->value(), text("txtMV").toDouble()),
                  std::make_tuple(mv, static_cast<int>(mv), mv));
    }
    EXPECT_EQ(text("txtMV"), "100.0");
}

TEST_F(ControllerPanel, TheSecondarysFaceplateShowsForACascadeLoopOnlyAndThePrimarySetsOpThere) {
    const QWidget* secondary = &panel->secondaryFaceplate();
    auto& sim = state.sim;
    for (int loop : {1, 2, 0, 1}) {
        SCOPED_TRACE(loop);
        state.params.LOOP = static_cast<std::int16_t>(loop);
        doc.setRangeHighText(doc.rangeHighText()); // any change of the set-up
        EXPECT_EQ(std::make_tuple(secondary->isVisible(), child<QLabel>("Label1_2")->text()),
                  std::make_tuple(loop == 1, QString(loop == 1 ? "OP" : "MV")));
        // The primary's output field (full-width digits too) and its slider: OP or MV.
        sim.OP.set(10.0);
        sim.MV.set(20.0);
        commit(child("txtMV"), "３５");
        click("OKButton");
        EXPECT_EQ(std::make_tuple(sim.OP[0], sim.MV[0]),
                  loop == 1 ? std::make_tuple(35.0, 20.0) : std::make_tuple(10.0, 35.0));
        QTest::mouseClick(child("SliderMV"), Qt::LeftButton, {}, QPoint(81, 11));
        EXPECT_EQ(loop == 1 ? sim.OP[0] : sim.MV[0], 100.0);
    }
    panel->hide();
    EXPECT_FALSE(secondary->isVisible());
    panel->show();
    ASSERT_TRUE(secondary->isVisible());
    // Closed by the learner, it stays closed until the panel opens again.
    panel->secondaryFaceplate().close();
    doc.setRangeHighText(doc.rangeHighText());
    tick();
    EXPECT_FALSE(secondary->isVisible());
    panel->hide();
    panel->show();
    EXPECT_TRUE(secondary->isVisible());
}

TEST_F(ControllerPanel, TheSecondarysLampsChangeItsModeWithoutABumpAndOkAndTheSliderSetWhatTheModeLets) {
    state.params.LOOP = 1;
    panel->runControl().Data_inz(); // at rest: MV 50, PV2 = SV2 = OP = 50
    doc.setRangeHighText(doc.rangeHighText());
    auto* secondary = &panel->secondaryFaceplate();
    auto part = [&](const char* name) { return test::childOf(secondary, name); };
    auto& sim = state.sim;
    struct Step {
        const char* lamp;
        int mode;
        bool sv2, mv;
    } const steps[] = {{"Label2M", 0, false, true},
                       {"Label2A", 1, true, false},
                       {"Label2CAS", 2, false, false},
                       {"Label2A", 1, true, false}};
    const Rgb on[] = {kRed, kBlue, kYellow};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.lamp);
        sim.InitPending2 = false;
        QTest::mouseClick(part(s.lamp), Qt::LeftButton);
        EXPECT_EQ(std::make_tuple(int(state.params.MODE2), sim.InitPending2, sim.MV[0], sim.OP[0]),
                  std::make_tuple(s.mode, true, 50.0, 50.0));
        tick(3);
        EXPECT_NEAR(sim.MV[0], 50.0, 1e-9);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(
                fromQColor(
                    part(("shape2Mode" + std::to_string(i)).c_str())->palette().color(QPalette::Window)),
                i == s.mode ? on[i] : kLampOff);
        EXPECT_EQ(std::make_tuple(part("txtSV2")->isEnabled(), part("txtMV2")->isEnabled(),
                                  part("SliderMV2")->isEnabled(), child("txtMV")->isEnabled()),
                  std::make_tuple(s.sv2, s.mv, s.mv, s.mode == 2)); // the primary's OP tracks SV2
    }
    // Automatic: OK sets SV2 (full-width digits too); a text that is no number changes nothing.
    auto* sv2 = static_cast<QLineEdit*>(part("txtSV2"));
    commit(sv2, "６０");
    QTest::mouseClick(part("OKButton2"), Qt::LeftButton);
    test::retype(sv2, "x");
    QTest::mouseClick(part("OKButton2"), Qt::LeftButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"型が一致しません。  P059"});
    EXPECT_EQ(std::make_tuple(sim.SV2[0], sv2->text(), sim.MV[0]),
              std::make_tuple(60.0, QString("60.0"), 50.0));
    // Manual: the slider sets MV, which the secondary then leaves alone.
    QTest::mouseClick(part("Label2M"), Qt::LeftButton);
    QTest::mouseClick(part("SliderMV2"), Qt::LeftButton, {}, QPoint(30, 11));
    tick(2);
    EXPECT_EQ(std::make_tuple(sim.MV[0], static_cast<QLineEdit*>(part("txtMV2"))->text()),
              std::make_tuple(29.0, QString("29.0")));
}

TEST_F(ControllerPanel, SvPointerSetsSvBelowCascadeModeAndThePvBarFillsInThePenColour) {
    auto* svp = child("svp");
    const auto* bar = child("PVbar0");
    const double top = bar->y() * 15.0, h = bar->height() * 15.0, bottom = top + h, p = svp->height() * 15.0;
    const QPoint grip(svp->width() / 2, svp->height() / 2);
    // A move of 17 px within the image moves the pointer 255 twips down; SV follows, in 0.1 steps.
    const double before = panel->faceplate().svpTop();
    QTest::mousePress(svp, Qt::LeftButton, {}, grip);
    QTest::mouseMove(svp, QPoint(grip.x(), 17));
    const double sv = state.sim.SV[0];
    EXPECT_NEAR(sv, (bottom - (before + 255) + p / 2 - 200) * 100 / h, 0.05);
    EXPECT_EQ(text("txtSV").toStdString(), formatNumber(sv, "###.0"));
    EXPECT_NEAR(panel->faceplate().svpTop(), bottom + (p / 2 - 200) - sv / 100 * h, 1e-9); // placed from SV
    // The pointer stops at bottom - p/2 and top - p/2: 10 twips' worth beyond the scale's ends.
    QTest::mouseMove(svp, QPoint(grip.x(), 600));
    const double lowest = std::round((p - 200) * 100 / h * 10) / 10;
    EXPECT_DOUBLE_EQ(state.sim.SV[0], lowest);
    EXPECT_TRUE(lowest >= 0.0 && lowest < 0.5) << lowest;
    QTest::mouseMove(svp, QPoint(grip.x(), -600));
    EXPECT_DOUBLE_EQ(state.sim.SV[0], std::round((h + p - 200) * 100 / h * 10) / 10);
    QTest::mouseRelease(svp, Qt::LeftButton, {}, grip);
    QTest::mouseMove(svp, QPoint(grip.x(), 40)); // no button held: no drag
    EXPECT_DOUBLE_EQ(state.sim.SV[0], std::round((h + p - 200) * 100 / h * 10) / 10);

    // A click in the pointer's column sets SV there plus half a unit; in cascade mode neither a drag
    // nor a click moves SV.
    const QPoint at(svp->x() + svp->width() / 2, bar->y() + bar->height() * 3 / 4);
    QTest::mouseClick(child("Frame1"), Qt::LeftButton, {}, at);
    EXPECT_NEAR(state.sim.SV[0], (bottom - at.y() * 15.0 + p - 200) * 100 / h + 0.5, 0.051);
    EXPECT_EQ(text("txtSV").toStdString(), formatNumber(state.sim.SV[0], "###.0"));
    click("LabelC");
    const auto cascade = std::make_tuple(state.sim.SV[0], panel->faceplate().svpTop(), text("txtSV"));
    QTest::mousePress(svp, Qt::LeftButton, {}, grip);
    QTest::mouseMove(svp, QPoint(grip.x(), 600));
    QTest::mouseRelease(svp, Qt::LeftButton, {}, grip);
    QTest::mouseClick(child("Frame1"), Qt::LeftButton, {}, QPoint(at.x(), bar->y() + bar->height() / 2));
    EXPECT_EQ(std::make_tuple(state.sim.SV[0], panel->faceplate().svpTop(), text("txtSV")), cascade);

    // The PV bar fills from the bottom in the pen colour.
    auto* fill = child("PVbar1");
    // PV and the filled fraction of the bar.
    const std::pair<double, double> cases[] = {{0, 0}, {25, 0.25}, {100, 1}, {150, 1}, {-10, 0}, {50, 0.5}};
    for (const auto& [pv, filled] : cases) {
        SCOPED_TRACE(pv);
        state.sim.PV[0] = pv;
        panel->PvBarUpdate();
        EXPECT_NEAR(fill->height(), bar->height() * filled, 1);
        EXPECT_TRUE(filled == 0 || std::abs(fill->geometry().bottom() - bar->geometry().bottom()) <= 1);
    }
    QTest::keyClick(child("cmbQB"), Qt::Key_Down); // yellow
    const QImage shown = fill->grab().toImage();
    EXPECT_EQ(fromQColor(shown.pixelColor(shown.width() / 2, shown.height() / 2)), kYellow);
}

TEST_F(ControllerPanel, SvFieldFollowsTheLoopAgainWhenLeftOrDisabled) {
    QApplication::setActiveWindow(panel.get());
    auto* sv = child<QLineEdit>("txtSV");
    // Focus into the field stops its live display: the typed text stays.
    sv->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(state.sim.SvDisplayLive);
    type("txtSV", "77");
    state.sim.SV[0] = 42.0;
    tick();
    EXPECT_EQ(text("txtSV"), "77");
    // Leaving it brings the display back (the MV display was live all along).
    child("txtTM")->setFocus();
    EXPECT_TRUE(waitUntil([&] { return state.sim.SvDisplayLive; }));
    tick();
    EXPECT_EQ(text("txtSV"), "42.0");
    // Cascade mode disables the field while it has the focus: it shows the programmed SV.
    sv->setFocus();
    QApplication::processEvents();
    type("txtSV", "77");
    click("LabelC");
    tick();
    EXPECT_EQ(std::tuple(state.sim.SvDisplayLive, text("txtSV").toStdString()),
              std::tuple(true, formatNumber(state.sim.SV[0], "###.0")));
}

TEST_F(ControllerPanel, RunDrawsThePvTraceOnTheScaleInThePenColourAndTheTooltipReadsTheRecord) {
    PictureBox* up = upper(0);
    PictureBox* low = lower(0);
    const double W = up->Width(), H = up->Height(), H2 = low->Height();
    // MV 0 at steady state: PV 0 lies 50 twips above the bottom edge, so does MV 0 below.
    type("txtMV", "0");
    click("OKButton");
    click("cmdClear");
    startStill();
    tick();
    // Sample 0 is one dot per channel: its old and new points coincide.
    const auto dots = std::make_tuple(countOf(up, kWhite), countOf(low, kWhite), up->colorAt(0, H - 50),
                                      low->colorAt(0, H2 - 50));
    EXPECT_EQ(dots, std::make_tuple(1, 1, kWhite, kWhite));
    click("cmdFast");
    ASSERT_FALSE(state.sim.Running);
    // PV and MV 0 white along their limits, nothing drawn below them.
    EXPECT_EQ(std::make_pair(up->colorAt(W / 2, H - 50), low->colorAt(W / 2, H2 - 50)),
              std::make_pair(kWhite, kWhite));
    EXPECT_NE(up->colorAt(W / 2, H - 20), kWhite);

    // The chart's tooltip: the last sample taken by the time under the mouse, nothing beyond the record.
    TrendChart& chart = panel->trendChart();
    const auto& rec = state.rec;
    const int last = rec.TrendSamples[0] - 1;
    ASSERT_GT(last, 100);
    for (int c = 0; c < 4; ++c) // channels apart: SV 10, PV 11, DV 12, MV 13
        state.rec.TrendData[0][c][100] = 10 + c;
    auto reading = [&](int i) {
        auto f = [](double v) { return formatNumber(v, "##0.0"); };
        return f(rec.TrendTime[0][i]) + " 秒　SV " + f(rec.TrendData[0][0][i]) + "　PV " +
               f(rec.TrendData[0][1][i]) + "　MV " + f(rec.TrendData[0][3][i]);
    };
    EXPECT_EQ(chart.readingAt(rec.TrendTime[0][100] + 0.1), reading(100));
    EXPECT_EQ(chart.readingAt(0), reading(0));
    EXPECT_EQ(chart.readingAt(rec.TrendTime[0][last] + 1), "");

    // Hovering the lower strip at a tenth of its width (5 s) shows the same text as a tooltip.
    PictureBox* strip = lower(0);
    const QPoint at(strip->width() / 10, strip->height() / 2);
    QHelpEvent hover(QEvent::ToolTip, at, strip->mapToGlobal(at));
    QApplication::sendEvent(strip, &hover);
    const double t = at.x() * 15.0 / strip->Width() * state.chart.GraphTime;
    EXPECT_EQ(QToolTip::text().toStdString(), chart.readingAt(t));
    EXPECT_FALSE(QToolTip::text().isEmpty());
}

TEST_F(ControllerPanel, TheAutomaticShiftAndTheAutomaticPenChangeBetweenRuns) {
    click("chrRHAuto");
    click("ChkQB");
    ASSERT_TRUE(doc.autoPen());
    EXPECT_EQ(text("txtRL") + " " + text("txtRH"), "30 130");
    run();
    run();
    EXPECT_EQ(std::make_tuple(int(state.chart.RL), text("txtRL").toDouble(), text("txtRH").toDouble(),
                              doc.penChoice(), child<QComboBox>("cmbQB")->currentIndex()),
              std::make_tuple(15, 0.0, 100.0, 2, 2));
    // No clear between runs: PV 50 at 0.8 of the strip with 30..130 in white, at 0.65 with 15..115
    // in yellow; MV 50 in the middle of its strip in yellow.
    for (const auto& [at, colour] : {std::pair{0.8, kWhite}, {0.65, kYellow}})
        EXPECT_TRUE(traceAt(upper(0), upper(0)->Width() / 2, std::nearbyint(upper(0)->Height() * at), colour))
            << at;
    EXPECT_TRUE(traceAt(lower(0), lower(0)->Width() / 2, lower(0)->Height() / 2, kYellow));
    click("ShiftUp");
    EXPECT_EQ(text("txtRH") + " " + text("txtRL"), "115.0 15.0");
}

TEST_F(ControllerPanel, EachGraphReplaysOnlyItsOwnRecordAndClearErasesBoth) {
    run();
    ASSERT_GT(countOf(upper(0), kWhite), 0);
    const QImage upperBefore = upper(0)->image().copy(), lowerBefore = lower(0)->image().copy();
    // A graph that never ran replays nothing: no other graph's record, no black line.
    click("Option1_1");
    EXPECT_TRUE(upper(1)->isVisible() && !upper(0)->isVisible());
    resize(900, 600);
    for (PictureBox* pic : {upper(1), lower(1)})
        EXPECT_EQ(countOf(pic, kWhite) + countOf(pic, rgb(0, 0, 0)), 0);

    // A run on the second graph leaves the first untouched; a resize replays only the selected.
    click("Option1_0");
    resize(804, 516);
    click("Option1_1");
    type("txtMV", "30");
    click("OKButton");
    run();
    EXPECT_TRUE(upper(0)->image() == upperBefore && lower(0)->image() == lowerBefore);
    resize(900, 600);
    EXPECT_TRUE(traceAt(lower(1), lower(1)->Width() / 2, lower(1)->Height() * 0.7, kWhite)); // MV 30
    EXPECT_EQ(countOf(upper(0), kWhite), 0);

    // "グラフ消去" erases both graphs, leaves the grid, resets the caption and hides the annotations;
    // what it erased stays erased.
    ASSERT_GT(countOf(upper(1), kWhite), 0);
    panel->setWindowTitle("コントローラパネル　図5.3");
    for (int n = 1; n <= 7; ++n)
        panel->Tcoment(n)->show();
    click("Option1_0");
    resize(804, 516);
    ASSERT_GT(countOf(upper(0), kWhite), 0);
    click("cmdClear");
    EXPECT_EQ(panel->windowTitle(), "コントローラパネル");
    for (int n = 1; n <= 7; ++n)
        EXPECT_FALSE(panel->Tcoment(n)->isVisibleTo(panel.get())) << n;
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(countOf(upper(k), kWhite) + countOf(lower(k), kWhite), 0) << k;
        EXPECT_GT(countOf(upper(k), kGridColor), 0) << k;
    }
    resize(1000, 650);
    EXPECT_EQ(countOf(upper(0), kWhite) + countOf(lower(0), kWhite), 0);
}

TEST_F(ControllerPanel, KeptRunsOverlaidSinceTheLastClearSurviveAResize) {
    // Three runs at MV 20, 50 and 80 on one graph: a resize draws all three, in their own pens;
    // the pen recorder likewise until its own "グラフ消去", after which it keeps the current record.
    // A run read from a file is drawn on neither.
    frmPENrec& pens = panel->penRecorder();
    pens.show();
    KeptRun imported; // read from a file: never drawn on the panel or the recorder
    imported.time = imported.penTime = {0, 40};
    imported.pens = {kWhite, kWhite, kWhite, kWhite};
    imported.historyPen = state.chart.HistoryPenColor;
    for (auto& channel : imported.values)
        channel = {35, 35};
    panel->runs().add(imported);
    resize(900, 600);
    EXPECT_FALSE(traceAt(lower(0), lower(0)->Width() / 2, lower(0)->Height() * 0.65, kWhite));
    const double mvLevels[] = {20, 50, 80};
    for (double mv : mvLevels) {
        type("txtMV", formatNumber(mv, "0").c_str());
        click("OKButton");
        run();
    }
    ASSERT_EQ(panel->runs().runs().size(), 4u);
    EXPECT_EQ(panel->runs().runs()[3].label.rfind("ラン 4 (", 0), 0u);
    auto levels = [&](PictureBox* pic, Rgb colour) {
        std::string seen;
        for (double mv : {20.0, 35.0, 50.0, 80.0})
            seen += traceAt(pic, pic->Width() / 2, pic->Height() * (1 - mv / 100), colour) ? "+" : "-";
        return seen;
    };
    resize(900, 600);
    pens.resize(pens.width() + 20, pens.height());
    QApplication::processEvents();
    EXPECT_EQ(levels(lower(0), kWhite), "+-++");
    EXPECT_EQ(levels(pens.strip(5), state.chart.HistoryPenColor), "+-++");
    pens.cmdClear_Click();
    pens.resize(pens.width() - 20, pens.height());
    QApplication::processEvents();
    EXPECT_EQ(levels(pens.strip(5), state.chart.HistoryPenColor), "---+");

    click("cmdClear");
    resize(1000, 650);
    EXPECT_EQ(levels(lower(0), kWhite), "----");
    run();
    resize(900, 600);
    EXPECT_EQ(levels(lower(0), kWhite), "---+");
}

TEST_F(ControllerPanel, ARunKeepsRecordingInPlaceOverAResizeAndAPauseDuringFastHoldsIt) {
    startStill();
    tick(20);
    const int before = state.rec.TrendSamples[0];
    resize(900, 600);
    tick(20);
    // Every second step of 0.1 s recorded, the run's start kept.
    EXPECT_EQ(std::make_tuple(state.sim.SamplesRecorded, state.rec.TrendSamples[0],
                              state.rec.SampleTime[0] + state.rec.TrendTime[0][0]),
              std::make_tuple(before + 10, before + 10, 0.0));
    // The next replay draws the run from its start.
    resize(1000, 650);
    EXPECT_TRUE(traceAt(upper(0), 0, upper(0)->Height() / 2, kSvPenColor)); // SV 50

    // The fast run lets events run between its steps; a Pause click arrives at the first one.
    auto* pause = child<QPushButton>("cmdPause");
    const double at = state.sim.SimTime;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bool pressed = false;
    QTimer::singleShot(0, panel.get(), [&] {
        QTest::mouseClick(pause, Qt::LeftButton);
        pressed = true;
    });
    click("cmdFast");
    ASSERT_TRUE(pressed);
    EXPECT_EQ(std::make_tuple(state.sim.Paused, state.sim.Running, pause->text()),
              std::make_tuple(true, false, "再開"));
    EXPECT_TRUE(state.sim.SimTime > at && state.sim.SimTime < state.chart.GraphTime) << state.sim.SimTime;
}

TEST_F(ControllerPanel, LayoutHoldsEveryTextInTheProgramsFontAndFollowsTheSize) {
    const test::ProgramFont font;
    open();
    // The widest text of each box and label fits it.
    const std::pair<const char*, const char*> texts[] = {
        {"txtRH", "-100.0"}, {"txtPV", "-123456.7"}, {"LabTM", "グラフ表示時間（秒）"}};
    for (const auto& [name, widest] : texts) {
        auto* edit = qobject_cast<QLineEdit*>(child(name));
        auto* label = qobject_cast<QLabel*>(child(name));
        edit ? edit->setText(widest) : label->setText(widest);
        const int room = edit ? textRoom(edit) : label->contentsRect().width();
        EXPECT_LE(child(name)->fontMetrics().horizontalAdvance(widest), room) << name;
    }
    // Pixels: asked for and given.
    const std::tuple<int, int, int, int> cases[] = {{100, 100, 520, 414}, {1100, 760, 1100, 760}};
    panel->setLessonButtonVisible(true);
    for (const auto& [w, h, expectW, expectH] : cases) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        resize(w, h);
        EXPECT_EQ(panel->size(), QSize(expectW, expectH));
        for (PictureBox* pic : {upper(0), lower(0), upper(1), lower(1)})
            EXPECT_NEAR(pic->Width(), panel->width() * 15.0 - 2980, 15) << pic->objectName().toStdString();
        // The upper strip spans the PV bar's height, the range scale matching the SV scale.
        EXPECT_EQ(upper(0)->height(), child("PVbar0")->height());
        expectApart(panel.get(),
                    {"cmdStart", "cmdPause", "cmdFast", "cmdClear", "cmdPrint", "cmdTip", "cmdAnalysis"},
                    lower(0));
        // The mode lamps stand under OK and above the bar's bottom, whatever the height.
        for (const char* name : {"shapeMode0", "shapeMode1", "shapeMode2", "LabelC"}) {
            const QRect r = twipsRect(child(name));
            EXPECT_GT(r.top(), twipsRect(child("OKButton")).bottom()) << name;
            EXPECT_LE(r.bottom(), twipsRect(child("PVbar0")).bottom()) << name;
        }
        EXPECT_FALSE(twipsRect(child("shapeMode2")).intersects(twipsRect(child("shapeMode1"))));
    }
}

// Every text fits the panel and the secondary's faceplate, in Japanese and in English.
TEST_F(ControllerPanel, EveryTextFitsInJapaneseAndInEnglishWithTheSecondarysFaceplate) {
    const test::ProgramFont font;
    auto expectFits = [&](const char* language) {
        SCOPED_TRACE(language);
        open();
        panel->setLessonButtonVisible(true);
        state.params.LOOP = 1; // a cascade loop shows the secondary's faceplate too
        doc.setRangeHighText(doc.rangeHighText());
        for (QWidget* window : std::initializer_list<QWidget*>{panel.get(), &panel->secondaryFaceplate()}) {
            ASSERT_TRUE(window->isVisible());
            const auto cut = test::clippedTexts(window);
            EXPECT_TRUE(cut.empty()) << testing::PrintToString(cut);
        }
    };
    expectFits("ja");
    test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    expectFits("en");
    EXPECT_EQ(panel->windowTitle(), "Controller Panel");
    EXPECT_EQ(child<QPushButton>("cmdStart")->text(), "Start");
    EXPECT_EQ(child<QLabel>("LabTYPE")->text(), "Error PID control");
    EXPECT_EQ(panel->secondaryFaceplate().windowTitle(), "Secondary Controller");
}

TEST_F(ControllerPanel, GridEveryFiveUnitsAndEveryFewSecondsForTheRangeItAdopts) {
    struct Case {
        int widthPx;
        const char *rl, *rh, *tm;
        int rows, columns; // horizontal lines of the upper strip, vertical lines of the lower one
    } const cases[] = {
        {804, "50", "60", "50", 1, 49},       // Clear draws the grid for the range it takes on
        {2400, "-100", "200", "300", 59, 49}, // a strip wider than 32767 twips; every 6 s
    };
    auto lines = [](const QImage& img) { // rows more than a fifth grey
        int n = 0;
        for (int y = 0, grey = 0; y<img.height(); ++y, n += grey> img.width() / 5, grey = 0)
            for (int x = 0; x < img.width(); ++x)
                grey += fromQColor(img.pixelColor(x, y)) == kGridColor;
        return n;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.widthPx) + " px, " + c.rl + ".." + c.rh + ", " + c.tm + " s");
        resize(c.widthPx, 516);
        ASSERT_EQ(panel->width(), c.widthPx);
        type("txtRL", c.rl);
        type("txtRH", c.rh);
        type("txtTM", c.tm);
        click("cmdClear");
        EXPECT_EQ(lines(upper(0)->image()), c.rows);
        EXPECT_EQ(lines(lower(0)->image().transformed(QTransform().rotate(90))), c.columns);
        EXPECT_EQ(upper(0)->drawStyle(), PictureBox::Solid); // the traces are drawn solid again
    }
}

TEST_F(ControllerPanel, DvPointerReadsDvLessTheRunsOffsetAndDropsItWhenTheRunEnds) {
    auto* dvp = child("Dvp");
    TrendChart& chart = panel->trendChart();
    auto dragInPlace = [&] {
        chart.DvpMouseDown();
        chart.DvpMouseMove(0);
        chart.DvpMouseUp();
        return state.sim.DV[0];
    };
    // A click at the level of 30 on the 0..100 scale: the pointer's top at Y - d reads
    // (bottom - Y + 2d) / H of the scale, d = q/2 - 200.
    auto clickAt30 = [&] {
        const double bottom = upper(0)->y() * 15.0 + upper(0)->Height(), d = dvp->height() * 15.0 / 2 - 200;
        panel->Form_MouseDown(dvp->x() * 15.0 + 100, bottom - upper(0)->Height() * 0.3 + 2 * d);
        return state.sim.DV[0];
    };
    type("txtTM", "10");
    startStill();
    ASSERT_DOUBLE_EQ(state.chart.DvOffset, 10.0); // the trace starts 10 above the bottom
    EXPECT_DOUBLE_EQ(dragInPlace(), 0.0);
    EXPECT_NEAR(clickAt30(), 20.0, 0.15);
    state.sim.DV[0] = 0.0;
    panel->DvPointerUpdate();
    click("cmdFast");
    ASSERT_DOUBLE_EQ(state.chart.DvOffset, 0.0);
    EXPECT_DOUBLE_EQ(dragInPlace(), 0.0);
    EXPECT_NEAR(clickAt30(), 30.0, 0.15);
    // A replay draws DV where the run drew it.
    resize(900, 600);
    EXPECT_TRUE(traceAt(upper(0), upper(0)->Width() / 2, upper(0)->Height() * 0.9, kDvPenColor));
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

TEST_F(ControllerPanel, RunKeysPressTheRunButtonsOfTheActiveWindowWhileThePanelIsShown) {
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(child("cmdStart")->toolTip(), "スタート (F5)");
    QTest::keyClick(panel.get(), Qt::Key_F5);
    ASSERT_TRUE(state.sim.Running);
    child<QTimer>("Timer1")->stop();
    QTest::keyClick(panel.get(), Qt::Key_F6);
    EXPECT_EQ(child<QPushButton>("cmdPause")->text(), "再開");
    QTest::keyClick(panel.get(), Qt::Key_F6);
    EXPECT_EQ(child<QPushButton>("cmdPause")->text(), "ポーズ");
    QTest::keyClick(panel.get(), Qt::Key_F7);
    EXPECT_FALSE(state.sim.Running);
    ASSERT_TRUE(waitUntil([&] { return child("cmdStart")->isEnabled(); }));
    const auto clears = state.rec.ChartClears;
    QTest::keyClick(panel.get(), Qt::Key_F8);
    EXPECT_EQ(state.rec.ChartClears, clears + 1);
    // Enter presses the button that has the focus.
    ButtonKeys enter;
    qApp->installEventFilter(&enter);
    child("cmdClear")->setFocus();
    QTest::keyClick(child("cmdClear"), Qt::Key_Return);
    EXPECT_TRUE(waitUntil([&] { return state.rec.ChartClears == clears + 2; }));

    // Another window's keys act only while the panel is shown.
    QWidget other;
    panel->addRunShortcuts(&other);
    panel->hide();
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_F5);
    EXPECT_FALSE(state.sim.Running);
}

TEST_F(ControllerPanel, ArrowKeysStepTheSvAndDvPointersAsADragWould) {
    type("txtSV", "50");
    click("OKButton");
    auto* svp = child("svp");
    auto* dvp = child("Dvp");
    EXPECT_TRUE((svp->focusPolicy() & Qt::TabFocus) && (dvp->focusPolicy() & Qt::TabFocus));
    EXPECT_EQ(svp->accessibleName(), "SVポインタ");
    QTest::keyClick(svp, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(state.sim.SV[0], 51.0);
    EXPECT_EQ(text("txtSV"), "51.0");
    QTest::keyClick(svp, Qt::Key_PageUp);
    QTest::keyClick(svp, Qt::Key_Down);
    EXPECT_DOUBLE_EQ(state.sim.SV[0], 60.0);
    QTest::keyClick(svp, Qt::Key_PageDown);
    EXPECT_DOUBLE_EQ(state.sim.SV[0], 50.0);
    // The scale's top end holds the pointer, as a drag's does.
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(svp, Qt::Key_PageUp);
    EXPECT_NEAR(state.sim.SV[0], 100.0, 1.0);

    const double dv = state.sim.DV[0];
    QTest::keyClick(dvp, Qt::Key_PageUp);
    EXPECT_NEAR(state.sim.DV[0], dv + 10, 0.051);
    QTest::keyClick(dvp, Qt::Key_Down);
    EXPECT_NEAR(state.sim.DV[0], dv + 9, 0.051);

    // In cascade mode the keys, like the mouse, leave SV alone.
    click("LabelC");
    const double sv = state.sim.SV[0];
    QTest::keyClick(svp, Qt::Key_Down);
    EXPECT_EQ(state.sim.SV[0], sv);
    // The mode lamps answer Space from the keyboard.
    auto* manual = child("LabelM");
    EXPECT_TRUE(manual->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(manual, Qt::Key_Space);
    EXPECT_EQ(state.params.mode(), Mode::Manual);
}

TEST_F(ControllerPanel, SafeColoursAndRunStylesRedrawTheGraphAndItsKeptRuns) {
    // Two runs at MV 20 and 50: the first is kept and replayed, the second is the graph's record.
    resize(900, 600);
    for (double mv : {20.0, 50.0}) {
        type("txtMV", formatNumber(mv, "0").c_str());
        click("OKButton");
        run();
    }
    PictureBox* mvStrip = lower(0);
    const int y20 = px(mvStrip->Height() * 0.8), y50 = px(mvStrip->Height() * 0.5);
    auto row = [&](int y, Rgb colour) {
        // The pixels of the trace's row in the middle half of the strip: '#' drawn, '.' not.
        std::string seen;
        const QImage image = mvStrip->image();
        for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x) {
            bool on = false;
            for (int dy : {-1, 0, 1})
                on = on || fromQColor(image.pixelColor(x, y + dy)) == colour;
            seen += on ? '#' : '.';
        }
        return seen;
    };
    // Off, the colours are the ones the pens have always had.
    EXPECT_EQ(row(y20, kWhite).find('.'), std::string::npos);
    EXPECT_EQ(row(y50, kWhite).find('.'), std::string::npos);
    EXPECT_GT(countOf(upper(0), kSvPenColor), 0);

    state.chart.SafeColours = state.chart.RunLineStyles = true;
    panel->redrawCharts();
    EXPECT_EQ(countOf(upper(0), kSvPenColor), 0);
    EXPECT_GT(countOf(upper(0), kSafeSvPenColor), 0);
    const Rgb pen = kSafePenChoiceColors[0];
    EXPECT_EQ(row(y20, pen).find('.'), std::string::npos); // the first run solid
    // The second, drawn sample by sample, dashed all along: dashes of 4 pixels, gaps of 2.
    const std::string dashed = row(y50, pen);
    EXPECT_NE(dashed.find("####.."), std::string::npos) << dashed;
    EXPECT_EQ(dashed.find("#####"), std::string::npos) << dashed;
    EXPECT_EQ(dashed.find("..."), std::string::npos) << dashed;
}

} // namespace
} // namespace kestrel
