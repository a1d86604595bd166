// The controller panel drawn offscreen and operated as a learner does: mode buttons, OK, the MV
// slider, the SV pointer, runs drawn on the trend chart with their pens and ranges, the two
// graphs and their replays, the grid, the DV pointer, Pause during a fast run, Clear, the layout
// and the room every box and label has for its text.

#include "panel/frmcontroller.h"

#include "core/vbformat.h"
#include "engine/fakes.h"
#include "guiapp.h"
#include "panel/frmpenrec.h"
#include "panel/pointerimage.h"
#include "tempfolder.h"
#include "widgets/picturebox.h"
#include "widgets/textroom.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTransform>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kestrel {
namespace {

using test::ensureGuiApplication;
using test::twipsRect;
using test::waitUntil;

constexpr Rgb kWhite = rgb(255, 255, 255);
constexpr Rgb kYellow = rgb(255, 255, 0);
constexpr Rgb kMagenta = rgb(255, 0, 255);
constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kCyan = rgb(0, 255, 255);
constexpr Rgb kBlue = rgb(0, 0, 255);
constexpr Rgb kLampOff = rgb(192, 192, 192);

int countOf(const PictureBox* pic, Rgb colour) {
    return static_cast<int>(test::pixelsOf(pic, colour).size());
}

/// The colour at (x, y) twips, or at one pixel above or below it: the trace's row is found by
/// rounding twips to pixels, which may fall either side of a half pixel.
bool traceAt(const PictureBox* pic, double x, double y, Rgb colour) {
    for (double dy : {0.0, -15.0, 15.0})
        if (pic->colorAt(x, y + dy) == colour) return true;
    return false;
}

class ControllerPanel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    void SetUp() override {
        doc = std::make_unique<SetupDocument>(state, messages, appDir.path());
        panel = std::make_unique<frmController>(state, *doc, messages);
        panel->show();
        QApplication::processEvents();
    }

    // A test that expects a message clears the list once it has checked it.
    void TearDown() override {
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
        panel.reset();
        doc.reset();
    }

    template <class T = QWidget> T* child(const std::string& name) {
        T* w = panel->findChild<T*>(QString::fromStdString(name));
        if (!w) ADD_FAILURE() << "no widget " << name;
        return w;
    }
    void click(const char* name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    void type(const char* name, const char* text) {
        auto* e = child<QLineEdit>(name);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    /// One pacing tick, as Timer1 delivers it.
    void tick() { panel->runControl().PacingTick(); }
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

    AppState state;
    test::FakeMessages messages;
    // The settings file the end of a paced run writes goes into a folder of this test's own.
    test::TempFolder appDir{"kestrel-frmcontroller"};
    std::unique_ptr<SetupDocument> doc;
    std::unique_ptr<frmController> panel;
};

TEST_F(ControllerPanel, ModeButtonsSetFieldsLampsAndPacing) {
    auto* timer1 = child<QTimer>("Timer1");
    EXPECT_FALSE(timer1->isActive()); // the panel opens stopped
    EXPECT_EQ(state.params.MODE, 0);

    struct Step {
        const char* label;
        int mode;
        bool sv, mv, reinitialised;
    } const steps[] = {
        {"LabelA", 1, true, false, false}, {"LabelC", 2, false, false, false}, // from A: no re-initialisation
        {"LabelM", 0, true, true, false},  {"LabelC", 2, false, false, true},  // from M: Data_inz
        {"LabelA", 1, true, false, false},
    };
    const Rgb on[] = {kRed, kBlue, kYellow};
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.label) + " to mode " + std::to_string(s.mode));
        timer1->stop();
        state.sim.InitPending = false;
        doc->showBias(-1.0);
        state.sim.PV.set(20.0); // away from the steady state of MV 50
        click(s.label);

        EXPECT_EQ(state.params.MODE, s.mode);
        for (int i = 0; i < 3; ++i) {
            const Rgb lamp =
                fromQColor(child<QFrame>("shapeMode" + std::to_string(i))->palette().color(QPalette::Window));
            EXPECT_EQ(lamp, i == s.mode ? on[i] : kLampOff) << "lamp " << i;
        }
        EXPECT_EQ(child("txtSV")->isEnabled(), s.sv);
        EXPECT_EQ(child("txtMV")->isEnabled(), s.mv);
        EXPECT_EQ(child("SliderMV")->isEnabled(), s.mv);
        EXPECT_TRUE(timer1->isActive());
        EXPECT_EQ(state.sim.InitPending, s.reinitialised);
        // Re-initialised: the process at the steady state of MV.
        EXPECT_DOUBLE_EQ(state.sim.PV[0], s.reinitialised ? 50.0 : 20.0);
        EXPECT_EQ(doc->biasText(), s.reinitialised ? "50.0" : "-1.0");
    }
    // A disabled field looks disabled: not the window background of an enabled one.
    EXPECT_NE(child("txtMV")->palette().color(QPalette::Base),
              child("txtSV")->palette().color(QPalette::Base));
}

TEST_F(ControllerPanel, OkClampsToTheScaleAndAppliesATextThatIsNoNumberAsZero) {
    type("txtSV", "150");
    type("txtMV", "-5");
    click("OKButton");
    EXPECT_DOUBLE_EQ(state.sim.SV[0], 100.0);
    EXPECT_DOUBLE_EQ(state.sim.MV[0], 0.0);
    EXPECT_EQ(text("txtSV"), "100");
    EXPECT_EQ(text("txtMV"), "0");
    ASSERT_TRUE(messages.shown.empty());

    state.sim.SvDisplayLive = false;
    state.sim.MvDisplayLive = false;
    type("txtSV", "abc");
    type("txtMV", "30");
    click("OKButton");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"型が一致しません。  P031"});
    messages.shown.clear();
    EXPECT_DOUBLE_EQ(state.sim.SV[0], 0.0);
    EXPECT_EQ(text("txtSV"), "0");
    EXPECT_DOUBLE_EQ(state.sim.MV[0], 30.0); // the next field still applied
    EXPECT_EQ(text("txtMV"), "30");
    EXPECT_EQ(static_cast<MvSlider*>(child("SliderMV"))->value(), 30);
    EXPECT_TRUE(state.sim.SvDisplayLive);
    EXPECT_TRUE(state.sim.MvDisplayLive);
}

TEST_F(ControllerPanel, SliderPressSetsMvInManualModeOnly) {
    auto* slider = static_cast<MvSlider*>(child("SliderMV"));
    auto press = [&](int x) {
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(x, slider->height() / 2));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, slider->height() / 2));
    };
    // Pixel columns nearest to the twips: 9 px = 135, 45 px = 675, 81 px = 1215 from the left edge.
    struct Press {
        int xPx;
        double mv;
    } const presses[] = {{9, 0.0}, {81, 100.0}, {45, 50.0}, {30, 29.0}, {0, 0.0}, {89, 100.0}};
    for (const Press& p : presses) {
        SCOPED_TRACE(p.xPx);
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(p.xPx, slider->height() / 2));
        EXPECT_DOUBLE_EQ(state.sim.MV[0], p.mv); // set on the press, kept on the release
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(p.xPx, slider->height() / 2));
        EXPECT_DOUBLE_EQ(state.sim.MV[0], p.mv);
        EXPECT_EQ(slider->value(), static_cast<int>(p.mv));
        EXPECT_DOUBLE_EQ(text("txtMV").toDouble(), p.mv);
    }
    EXPECT_EQ(text("txtMV"), "100.0");

    for (const char* mode : {"LabelA", "LabelC"}) {
        SCOPED_TRACE(mode);
        click(mode);
        const double mv = state.sim.MV[0];
        press(9);
        EXPECT_DOUBLE_EQ(state.sim.MV[0], mv);
    }
}

TEST_F(ControllerPanel, SvPointerDragStopsAtTheBarEndsAndIsRefusedInCascade) {
    auto* svp = child("svp");
    const auto* bar = child("PVbar0");
    const double top = bar->y() * 15.0, h = bar->height() * 15.0, bottom = top + h;
    const double p = svp->height() * 15.0;
    const QPoint grip(svp->width() / 2, svp->height() / 2);
    auto drag = [&](int y) {
        QTest::mousePress(svp, Qt::LeftButton, {}, grip);
        QTest::mouseMove(svp, QPoint(grip.x(), y));
        QTest::mouseRelease(svp, Qt::LeftButton, {}, grip);
    };

    // A move of 17 px within the image moves the pointer 255 twips down; SV follows, in 0.1 steps.
    const double before = panel->faceplate().svpTop();
    QTest::mousePress(svp, Qt::LeftButton, {}, grip);
    QTest::mouseMove(svp, QPoint(grip.x(), 17));
    const double sv = state.sim.SV[0];
    EXPECT_NEAR(sv, (bottom - (before + 255) + p / 2 - 200) * 100 / h, 0.05);
    EXPECT_DOUBLE_EQ(sv * 10, std::round(sv * 10));
    EXPECT_LT(sv, 50.0);
    EXPECT_EQ(text("txtSV").toStdString(), formatNumber(sv, "###.0"));
    EXPECT_NEAR(panel->faceplate().svpTop(), bottom + (p / 2 - 200) - sv / 100 * h, 1e-9);

    // Far below the bar the pointer stops at bottom - p/2, far above at top - p/2: 10 twips' worth
    // above either end of the scale.
    QTest::mouseMove(svp, QPoint(grip.x(), 600));
    const double lowest = std::round((p - 200) * 100 / h * 10) / 10;
    EXPECT_DOUBLE_EQ(state.sim.SV[0], lowest);
    EXPECT_TRUE(state.sim.SV[0] >= 0.0 && state.sim.SV[0] < 0.5) << state.sim.SV[0];
    QTest::mouseMove(svp, QPoint(grip.x(), -600));
    EXPECT_DOUBLE_EQ(state.sim.SV[0], std::round((h + p - 200) * 100 / h * 10) / 10);
    EXPECT_TRUE(state.sim.SV[0] >= 100.0 && state.sim.SV[0] < 100.5) << state.sim.SV[0];
    QTest::mouseRelease(svp, Qt::LeftButton, {}, grip);
    const double released = state.sim.SV[0];
    QTest::mouseMove(svp, QPoint(grip.x(), 40)); // no button held: no drag
    EXPECT_DOUBLE_EQ(state.sim.SV[0], released);

    // Automatic mode still drags; cascade mode refuses.
    click("LabelA");
    drag(600);
    EXPECT_DOUBLE_EQ(state.sim.SV[0], lowest);
    click("LabelC");
    const double sv2 = state.sim.SV[0], at = panel->faceplate().svpTop();
    const QString shown = text("txtSV");
    drag(-600);
    EXPECT_DOUBLE_EQ(state.sim.SV[0], sv2);
    EXPECT_DOUBLE_EQ(panel->faceplate().svpTop(), at);
    EXPECT_EQ(text("txtSV"), shown);
}

TEST_F(ControllerPanel, RunDrawsThePvTraceOnTheScaleInThePenColour) {
    PictureBox* up = upper(0);
    PictureBox* low = lower(0);
    const double W = up->Width(), H = up->Height(), H2 = low->Height();

    // MV 0 at steady state: PV 0 lies 50 twips above the bottom edge, so does MV 0 below.
    type("txtMV", "0");
    click("OKButton");
    click("cmdClear");
    ASSERT_DOUBLE_EQ(state.sim.PV[0], 0.0);
    startStill();
    tick();
    // Sample 0 is one dot per channel: its old and new points coincide.
    ASSERT_EQ(countOf(up, kWhite), 1);
    ASSERT_EQ(countOf(low, kWhite), 1);
    EXPECT_EQ(up->colorAt(0, H - 50), kWhite);
    EXPECT_EQ(low->colorAt(0, H2 - 50), kWhite);

    click("cmdFast");
    ASSERT_FALSE(state.sim.Running);
    for (double x : {W * 0.25, W * 0.5, W * 0.9}) {
        EXPECT_TRUE(traceAt(up, x, H / 2, kSvPenColor)) << x; // SV 50
        EXPECT_EQ(up->colorAt(x, H - 50), kWhite) << x;
        EXPECT_EQ(low->colorAt(x, H2 - 50), kWhite) << x;
        EXPECT_NE(up->colorAt(x, H - 50 + 30), kWhite) << x; // nothing drawn below the limit
    }
    EXPECT_EQ(countOf(up, kRed), 0);

    // Red from the pen list; MV 50 with the range 0..40: PV above the range runs along the top.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(child("cmbQB"), Qt::Key_Down);
    ASSERT_EQ(doc->penChoice(), 3);
    ASSERT_TRUE(waitUntil([&] { return child("cmdStart")->isEnabled(); }));
    type("txtMV", "50");
    click("OKButton");
    type("txtRH", "40");
    run();
    EXPECT_EQ(state.chart.RH, 40);
    EXPECT_EQ(countOf(up, kWhite), 0); // the changed range cleared the chart before the run
    for (double x : {W * 0.25, W * 0.5, W * 0.9}) {
        EXPECT_EQ(up->colorAt(x, 0), kRed) << x;
        EXPECT_TRUE(traceAt(low, x, H2 / 2, kRed)) << x;
    }
}

TEST_F(ControllerPanel, AutomaticPenColourCyclesOverRuns) {
    click("ChkQB");
    ASSERT_TRUE(doc->autoPen());
    const Rgb colours[] = {kWhite, kYellow, kMagenta, kRed, kCyan, kWhite};
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(doc->penChoice(), n % 5);
        run();
        EXPECT_EQ(doc->penChoice(), (n + 1) % 5);
        EXPECT_EQ(child<QComboBox>("cmbQB")->currentIndex(), (n + 1) % 5);
        // PV 50 of 0..100 and MV 50 in the middle of their strips.
        for (PictureBox* pic : {upper(0), lower(0)})
            EXPECT_TRUE(traceAt(pic, pic->Width() / 2, pic->Height() / 2, colours[n]));
    }
}

TEST_F(ControllerPanel, AutomaticRangeShiftDrawsEachRunFifteenLowerWithoutClearing) {
    click("chrRHAuto");
    EXPECT_EQ(text("txtRL"), "30");
    EXPECT_EQ(text("txtRH"), "130");
    PictureBox* up = upper(0);
    const double x = up->Width() / 2, H = up->Height();

    // PV 50 stands at (hi - 50) / 100 of the strip: 0.8 with 30..130, 0.65 with 15..115, 0.5 with 0..100.
    struct Run {
        int rl, rh;
        double fraction, nextLow, nextHigh;
    } const runs[] = {{30, 130, 0.80, 15, 115}, {15, 115, 0.65, 0, 100}, {0, 100, 0.50, -15, 85}};
    for (const Run& r : runs) {
        SCOPED_TRACE(r.rl);
        run();
        EXPECT_EQ(state.chart.RL, r.rl);
        EXPECT_EQ(state.chart.RH, r.rh);
        EXPECT_DOUBLE_EQ(text("txtRL").toDouble(), r.nextLow);
        EXPECT_DOUBLE_EQ(text("txtRH").toDouble(), r.nextHigh);
    }
    // No clear between runs: every run's trace is still there.
    for (const Run& r : runs)
        EXPECT_TRUE(traceAt(up, x, std::nearbyint(H * r.fraction), kWhite)) << r.fraction;
}

TEST_F(ControllerPanel, EachGraphReplaysOnlyItsOwnRecord) {
    auto resize = [&](int w, int h) {
        panel->resize(w, h);
        QApplication::processEvents();
        ASSERT_EQ(panel->width(), w);
    };
    run();
    ASSERT_GT(countOf(upper(0), kWhite), 0);
    const QImage upperBefore = upper(0)->image().copy(), lowerBefore = lower(0)->image().copy();

    // A graph that never ran replays nothing: no other graph's record, no black line.
    click("Option1_1");
    EXPECT_EQ(state.chart.CurrentGraph, 1);
    EXPECT_TRUE(upper(1)->isVisible());
    EXPECT_FALSE(upper(0)->isVisible());
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
    EXPECT_TRUE(upper(0)->image() == upperBefore);
    EXPECT_TRUE(lower(0)->image() == lowerBefore);
    resize(900, 600);
    EXPECT_TRUE(traceAt(lower(1), lower(1)->Width() / 2, lower(1)->Height() * 0.7, kWhite)); // MV 30
    EXPECT_EQ(countOf(upper(0), kWhite), 0);
    EXPECT_GT(countOf(upper(0), kGridColor), 0); // the grid is drawn on both

    // What "グラフ消去" erased stays erased.
    click("cmdClear");
    resize(1000, 650);
    EXPECT_EQ(countOf(upper(1), kWhite) + countOf(lower(1), kWhite), 0);
}

TEST_F(ControllerPanel, ResizeDuringARunKeepsRecordingInPlace) {
    startStill();
    for (int n = 0; n < 20; ++n)
        tick();
    const int before = state.rec.TrendSamples[0];
    panel->resize(900, 600);
    QApplication::processEvents();
    for (int n = 0; n < 20; ++n)
        tick();
    EXPECT_EQ(state.rec.SampleTime[0], 0.0);
    EXPECT_EQ(state.rec.TrendTime[0][0], 0.0);
    EXPECT_EQ(state.sim.SamplesRecorded, before + 10); // every second step of 0.1 s
    EXPECT_EQ(state.rec.TrendSamples[0], state.sim.SamplesRecorded);
    // The next replay draws the run from its start.
    panel->resize(1000, 650);
    QApplication::processEvents();
    EXPECT_TRUE(traceAt(upper(0), 0, upper(0)->Height() / 2, kSvPenColor)); // SV 50
}

TEST_F(ControllerPanel, PauseDuringFastLeavesTheRunPaused) {
    auto* pause = child<QPushButton>("cmdPause");
    startStill();
    ASSERT_TRUE(pause->isEnabled());
    // The fast run lets events run between its steps; the Pause click arrives at the first one.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bool pressed = false;
    QTimer::singleShot(0, panel.get(), [&] {
        QTest::mouseClick(pause, Qt::LeftButton);
        pressed = true;
    });
    click("cmdFast");
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(state.sim.Paused);
    EXPECT_FALSE(state.sim.Running);
    EXPECT_EQ(pause->text(), "再開");
    const double at = state.sim.SimTime;
    EXPECT_GT(at, 0.0);
    EXPECT_LT(at, state.chart.GraphTime);

    tick();
    tick();
    EXPECT_DOUBLE_EQ(state.sim.SimTime, at); // paced ticks do nothing while paused
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), "ポーズ");
    tick();
    EXPECT_NEAR(state.sim.SimTime, at + state.params.dt, 1e-9);
}

TEST_F(ControllerPanel, ClearResetsCaptionAndAnnotationsAndErasesBothGraphs) {
    run();
    click("Option1_1");
    run();
    for (int k = 0; k < 2; ++k)
        ASSERT_GT(countOf(upper(k), kWhite), 0);
    panel->setWindowTitle("コントローラパネル　図5.3");
    for (int n = 1; n <= 7; ++n)
        panel->Tcoment(n)->show();
    click("cmdClear");
    EXPECT_EQ(panel->windowTitle(), "コントローラパネル");
    for (int n = 1; n <= 7; ++n)
        EXPECT_FALSE(panel->Tcoment(n)->isVisibleTo(panel.get())) << n;
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(countOf(upper(k), kWhite) + countOf(lower(k), kWhite), 0) << k;
        EXPECT_GT(countOf(upper(k), kGridColor), 0) << k;
    }
}

TEST_F(ControllerPanel, LayoutKeepsTheMinimumSizeAndTheStripsFollowTheWidth) {
    struct Case {
        int w, h, expectW, expectH; // pixels: requested and given
    } const cases[] = {
        {100, 100, 520, 414}, {520, 414, 520, 414}, {804, 516, 804, 516}, {1100, 760, 1100, 760}};
    const char* commandRow[] = {"cmdStart", "cmdPause", "cmdFast", "cmdClear", "cmdPrint", "cmdTip"};
    panel->setLessonButtonVisible(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        panel->resize(c.w, c.h);
        QApplication::processEvents();
        EXPECT_EQ(panel->width(), c.expectW);
        EXPECT_EQ(panel->height(), c.expectH);
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(upper(k)->Width(), panel->width() * 15.0 - 2980, 15) << k;
            EXPECT_NEAR(lower(k)->Width(), panel->width() * 15.0 - 2980, 15) << k;
        }
        // The upper strip spans the PV bar's height, the range scale matching the SV scale.
        EXPECT_EQ(upper(0)->height(), child("PVbar0")->height());

        // The command row under the lower strip, inside the panel, no button over another.
        const QRect client(0, 0, panel->width() * 15, panel->height() * 15);
        for (const char* name : commandRow) {
            const QRect r = twipsRect(child(name));
            EXPECT_TRUE(client.contains(r)) << name;
            EXPECT_GT(r.top(), twipsRect(lower(0)).bottom()) << name;
            for (const char* other : commandRow)
                EXPECT_TRUE(other == name || !r.intersects(twipsRect(child(other)))) << name << "/" << other;
        }
        // The mode lamps stand under OK and above the bar's bottom, whatever the height.
        for (const char* name : {"shapeMode0", "shapeMode1", "shapeMode2", "LabelC"}) {
            const QRect r = twipsRect(child(name));
            EXPECT_GT(r.top(), twipsRect(child("OKButton")).bottom()) << name;
            EXPECT_LE(r.bottom(), twipsRect(child("PVbar0")).bottom()) << name;
        }
        EXPECT_FALSE(twipsRect(child("shapeMode2")).intersects(twipsRect(child("shapeMode1"))));
    }
}

TEST_F(ControllerPanel, EveryBoxAndLabelHoldsItsWidestText) {
    // The panel in the program's own font.
    const test::ProgramFont font;
    panel.reset();
    panel = std::make_unique<frmController>(state, *doc, messages);
    panel->show();
    QApplication::processEvents();
    struct Box {
        const char* name;
        const char* widest;
    } const boxes[] = {{"txtRH", "-100.0"},  {"txtRL", "-100.0"},   {"txtRH", "125.0"},
                       {"txtTM", "300"},     {"txtSV", "-100.0"},   {"txtMV", "-100.0"},
                       {"txtPV", "-4019.4"}, {"txtPV", "-123456.7"}};
    for (const Box& b : boxes) {
        auto* e = child<QLineEdit>(b.name);
        e->setText(b.widest);
        EXPECT_LE(e->fontMetrics().horizontalAdvance(b.widest), textRoom(e)) << b.name << " " << b.widest;
    }
    // The pen recorder's value and range boxes.
    frmPENrec& recorder = panel->penRecorder();
    recorder.show();
    QApplication::processEvents();
    for (const char* name : {"txtRH_0", "txtRL_0", "Text1_0", "txtRH_10", "Text1_10"}) {
        auto* e = recorder.findChild<QLineEdit*>(name);
        ASSERT_NE(e, nullptr) << name;
        e->setText("-100.0");
        EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), textRoom(e)) << name;
    }
    struct Label {
        const char* name;
        const char* text;
    } const labels[] = {{"LblDvp_1", "-100"},
                        {"LblDvp_0", "外乱"},
                        {"LabTM", "グラフ表示時間（秒）"},
                        {"LabTYPE", "偏差ＰＩＤ制御"}};
    for (const Label& l : labels) {
        auto* w = child<QLabel>(l.name);
        w->setText(l.text);
        EXPECT_LE(w->fontMetrics().horizontalAdvance(l.text), w->contentsRect().width()) << l.name;
    }
}

TEST_F(ControllerPanel, GridEveryFiveUnitsAndEveryFewSecondsForTheRangeItAdopts) {
    struct Case {
        int widthPx;
        const char *rl, *rh, *tm;
        int rows, columns; // horizontal lines of the upper strip, vertical lines of the lower one
    } const cases[] = {
        {804, "0", "100", "60", 19, 29},      // 5 .. 95; every 2 s
        {804, "50", "60", "50", 1, 49},       // Clear draws the grid for the range it takes on
        {2400, "-100", "200", "300", 59, 49}, // a strip wider than 32767 twips; every 6 s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.widthPx) + " px, " + c.rl + ".." + c.rh + ", " + c.tm + " s");
        panel->resize(c.widthPx, 516);
        QApplication::processEvents();
        ASSERT_EQ(panel->width(), c.widthPx);
        type("txtRL", c.rl);
        type("txtRH", c.rh);
        type("txtTM", c.tm);
        click("cmdClear");
        std::map<int, int> perRow;
        for (const QPoint& p : test::pixelsOf(upper(0), kGridColor))
            ++perRow[p.y()];
        int rows = 0, columns = 0;
        for (const auto& [y, n] : perRow)
            rows += n > upper(0)->image().width() / 5;
        const QImage low = lower(0)->image().transformed(QTransform().rotate(90));
        for (int x = 0; x < low.height(); ++x) {
            int n = 0;
            for (int y = 0; y < low.width(); ++y)
                n += fromQColor(low.pixelColor(y, x)) == kGridColor;
            columns += n > low.width() / 5;
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(upper(0)->drawStyle(), PictureBox::Solid); // the traces are drawn solid again
    }
}

TEST_F(ControllerPanel, SvFieldFollowsTheLoopAgainWhenLeftOrDisabled) {
    QApplication::setActiveWindow(panel.get());
    auto* sv = child<QLineEdit>("txtSV");
    // Focus into the field stops its live display: the typed text stays.
    sv->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(sv->hasFocus());
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
    EXPECT_TRUE(state.sim.SvDisplayLive);
    tick();
    EXPECT_EQ(text("txtSV").toStdString(), formatNumber(state.sim.SV[0], "###.0"));
}

TEST_F(ControllerPanel, DvPointerReadsDvLessTheRunsOffsetAndDropsItWhenTheRunEnds) {
    auto* dvp = child("Dvp");
    auto dragInPlace = [&] {
        panel->trendChart().DvpMouseDown();
        panel->trendChart().DvpMouseMove(0);
        panel->trendChart().DvpMouseUp();
    };
    // A click at the level of 30 on the 0..100 scale: the pointer's top at Y - d reads
    // (bottom - Y + 2d) / H of the scale, d = q/2 - 200.
    auto clickAt30 = [&] {
        const double bottom = upper(0)->y() * 15.0 + upper(0)->Height(), d = dvp->height() * 15.0 / 2 - 200;
        panel->Form_MouseDown(dvp->x() * 15.0 + 100, bottom - upper(0)->Height() * 0.3 + 2 * d);
    };
    for (const bool paced : {true, false}) {
        SCOPED_TRACE(paced ? "paced run" : "fast run");
        click("cmdClear");
        type("txtTM", "10");
        state.sim.DV[0] = 0.0;
        startStill();
        EXPECT_DOUBLE_EQ(state.chart.DvOffset, 10.0); // the trace starts 10 above the bottom
        dragInPlace();
        EXPECT_DOUBLE_EQ(state.sim.DV[0], 0.0);
        clickAt30();
        EXPECT_NEAR(state.sim.DV[0], 20.0, 0.15);
        state.sim.DV[0] = 0.0;
        panel->DvPointerUpdate();

        if (paced) {
            for (int n = 0; n < 200 && state.sim.Running; ++n)
                tick();
        } else {
            click("cmdFast");
        }
        ASSERT_FALSE(state.sim.Running);
        EXPECT_DOUBLE_EQ(state.chart.DvOffset, 0.0);
        dragInPlace();
        EXPECT_DOUBLE_EQ(state.sim.DV[0], 0.0);
        clickAt30();
        EXPECT_NEAR(state.sim.DV[0], 30.0, 0.15);

        // A replay draws DV where the run drew it.
        panel->resize(900 + paced * 50, 600);
        QApplication::processEvents();
        EXPECT_TRUE(traceAt(upper(0), upper(0)->Width() / 2, upper(0)->Height() * 0.9, kDvPenColor));
        state.sim.DV[0] = 0.0;
    }
}

TEST_F(ControllerPanel, PvBarFillsFromTheBottomInThePenColour) {
    auto* bar = child("PVbar0");
    auto* fill = child("PVbar1");
    const int bottom = bar->y() + bar->height(), h = bar->height();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(child("cmbQB"), Qt::Key_Down); // red
    struct Case {
        double pv, filled; // fraction of the bar
    } const cases[] = {{0, 0}, {25, 0.25}, {100, 1}, {150, 1}, {-10, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pv);
        state.sim.PV[0] = c.pv;
        panel->PvBarUpdate();
        EXPECT_NEAR(fill->height(), h * c.filled, 1);
        if (c.filled > 0) {
            EXPECT_NEAR(fill->y() + fill->height(), bottom, 1);
        }
    }
    state.sim.PV[0] = 50;
    panel->PvBarUpdate();
    const QImage shown = fill->grab().toImage();
    EXPECT_EQ(fromQColor(shown.pixelColor(shown.width() / 2, shown.height() / 2)), kRed);
}

TEST_F(ControllerPanel, ShiftUpAndAClickBesideTheBarSetTheirValues) {
    click("ShiftUp");
    EXPECT_EQ(text("txtRH"), "115.0");
    EXPECT_EQ(text("txtRL"), "15.0");
    click("cmdClear");

    // A click in the pointer's column sets SV there (plus half a unit); the release keeps it.
    auto* frame = child("Frame1");
    auto* svp = child("svp");
    const auto* bar = child("PVbar0");
    const double h = bar->height() * 15.0, bottom = (bar->y() + bar->height()) * 15.0,
                 p = svp->height() * 15.0;
    const QPoint at(svp->x() + svp->width() / 2, bar->y() + bar->height() * 3 / 4);
    ASSERT_EQ(state.chart.RL, 15); // Clear adopted the shifted range
    const double expected = 15 + (bottom - at.y() * 15.0 + p - 200) * 100 / h + 0.5;
    for (const char* mode : {"LabelA", "LabelC"}) {
        SCOPED_TRACE(mode);
        state.sim.SV[0] = 80.0;
        click(mode);
        const double before = state.sim.SV[0];
        QTest::mousePress(frame, Qt::LeftButton, {}, at);
        EXPECT_NEAR(state.sim.SV[0], std::string(mode) == "LabelC" ? before : expected, 0.051);
        QTest::mouseRelease(frame, Qt::LeftButton, {}, at);
        if (std::string(mode) == "LabelA") {
            EXPECT_NEAR(state.sim.SV[0], expected, 0.051);
            EXPECT_EQ(text("txtSV").toStdString(), formatNumber(state.sim.SV[0], "###.0"));
        }
    }
}

} // namespace
} // namespace kestrel
