#include "forms/frmsvdis.h"

#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "widgets/helplabel.h"

#include <QSignalSpy>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <tuple>

namespace kestrel {
namespace {

constexpr Rgb kGreen = rgb(0, 255, 0);
// Both graphs are 4950 x 2670 twips (330 x 178 pixels); the graph time is 50 s and the range
// 0..100 unless a test changes them.
constexpr double kW = 4950, kH = 2670;

double xAt(double t, double tm = 50) {
    return kW * t / tm;
}
double yAt(double v, double top = 100, double bottom = 0) {
    return kH * (top - v) / (top - bottom);
}

/// Rows (pixels) of one column (twips) where the curve is drawn.
std::vector<int> greenRows(const PictureBox* pic, double x) {
    std::vector<int> rows;
    for (int y = 0; y < pic->image().height(); ++y)
        if (pic->colorAt(x, y * 15.0) == kGreen)
            rows.push_back(y);
    return rows;
}

class SvDvEditor : public test::GuiTest {
protected:
    void SetUp() override { open(); }

    void open() { window = std::make_unique<frmSvDis>(state, doc, messages); }

    template <class T = QWidget> T* child(const QString& name) { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(name); }
    /// The texts of several labels or fields, separated by blanks.
    QString texts(std::initializer_list<const char*> names) {
        QStringList texts;
        for (const char* name : names)
            texts << child(name)->property("text").toString();
        return texts.join(' ');
    }

    /// Replaces fields' texts by typing, one field after the other.
    void type(std::initializer_list<std::pair<const char*, const char*>> fields) {
        for (const auto& [name, text] : fields) {
            box(name)->selectAll();
            QTest::keyClick(box(name), Qt::Key_Delete);
            QTest::keyClicks(box(name), text);
        }
    }

    void click(const char* name) { test::click(window.get(), name); }

    AppState state;
    test::FakeMessages messages;
    SetupDocument doc{state, messages, std::filesystem::temp_directory_path()};
    std::unique_ptr<frmSvDis> window;
};

TEST_F(SvDvEditor, OpeningFixedSizePrintAndHelpLabel) {
    // Opening shows the applied programs; point 0 sits at time 0 and cannot be moved.
    EXPECT_EQ(std::pair(texts({"txtCSVv_0", "txtCDVv_0", "txtCSVt_0", "txtCDVt_0"}),
                        box("txtCSVt_0")->isEnabled() || box("txtCDVt_0")->isEnabled()),
              std::pair(QString("50 0 0 0"), false));

    QSignalSpy print(window.get(), &frmSvDis::printRequested);
    QSignalSpy help(window.get(), &frmSvDis::helpRequested);
    click("cmdPrint");
    window->show();
    window->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(std::pair(int(print.count()), window->size()),
              std::pair(1, QSize(601, 500))); // 9015 x 7500 twips

    window->SetHelpPointer(true);
    QTest::mouseClick(child<HelpLabel>("labelC6"), Qt::LeftButton);
    EXPECT_EQ(help, QList<QList<QVariant>>{{QString("C6")}});
}

TEST_F(SvDvEditor, ApplyStoresTextsAsTypedAndClearsParaSetDone) {
    state.study.ParaSetDone = true;
    type({{"txtCSVv_0", "20"}, {"txtCSVt_1", "10"}, {"txtCSVv_1", "abc"}});
    type({{"txtCSVt_2", ""}, {"txtCSVv_2", " 7.5 "}, {"txtCDVv_0", "33"}});
    // Typing goes to the document's fields, not yet to the engine.
    EXPECT_EQ(std::pair(doc.programField(SetupDocument::kSvValue + 1), state.params.SVv[1]),
              std::pair(std::string("abc"), std::string()));

    click("Command1");
    const ParameterSet& p = state.params;
    // The SV apply leaves the DV program alone.
    EXPECT_EQ(std::tuple(p.SVv[0], p.SVv[1], p.SVt[1], p.SVv[2], state.study.ParaSetDone, p.DVv[0]),
              std::tuple("20", "abc", "10", " 7.5 ", false, "0"));
    // "abc" counts 0: from 10 s on the program holds 0, the bottom of the range, drawn on the
    // picture's last row; before, the ramp from 20 passes 9.6 at 5.2 s.
    EXPECT_EQ(std::tuple(greenRows(window->pictSV(), xAt(31)), window->pictSV()->colorAt(xAt(5.2), yAt(9.6)),
                         messages.shown.empty()),
              std::tuple(std::vector<int>{177}, kGreen, true));

    state.study.ParaSetDone = true;
    click("Command2");
    EXPECT_EQ(std::pair(state.params.DVv[0], state.study.ParaSetDone), std::pair(std::string("33"), false));

    // A time that is not a number is stored too; the curve reports it once, not once per stair.
    type({{"txtCSVt_2", "x20"}});
    click("Command1");
    EXPECT_EQ(std::pair(state.params.SVt[2], messages.shown),
              std::pair(std::string("x20"), std::vector<std::string>{"型が一致しません。  P007"}));
}

TEST_F(SvDvEditor, CurveFollowsTheProgramAtEachControlPeriod) {
    // 20 % at 0 s rising to 80 % at 10 s, falling to 30 % at 40 s, then held.
    const ProgramTexts values{"20", "80", "30", "", "", "", "", "", ""};
    const ProgramTexts times{"0", "10", "40", "", "", "", "", "", ""};
    const std::pair<double, double> cases[] = {{0, 20},  {2.5, 35}, {5, 50},   {10, 80},
                                               {25, 55}, {40, 30},  {47.5, 30}};

    for (double dt : {0.1, 0.5}) {
        ErrorTrap trap(messages, "  P007");
        const std::vector<StairPoint> stairs = programStairs(values, times, {kW, kH, 50, dt, 100, 0}, trap);
        const double step = kW * dt / 50;
        // The start, then one stair per control period up to one period beyond the right edge.
        ASSERT_EQ(stairs.size(), static_cast<std::size_t>(std::floor(kW / step) + 3)) << dt;
        EXPECT_DOUBLE_EQ(stairs.front().y, yAt(20));
        EXPECT_GE(stairs.back().x, kW);
        for (const auto& [t, v] : cases) {
            const auto k = static_cast<std::size_t>(std::lround(t / dt));
            EXPECT_NEAR(stairs[k + 1].x, k * step, 1e-9) << dt << " " << t;
            EXPECT_NEAR(stairs[k + 1].y, yAt(v), 1e-3) << dt << " " << t;
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SvDvEditor, PanelSettingsShowOnlyAtNextApplyOrOpeningAndTheDvGraphKeepsItsRange) {
    const QImage sv = window->pictSV()->image().copy();
    const QImage dv = window->pictDV()->image().copy();
    doc.setRangeHighText("200");
    doc.setRangeLowText("-100");
    doc.setGraphTimeText("120");
    QApplication::processEvents();
    EXPECT_EQ(std::tuple(window->pictSV()->image(), window->pictDV()->image(),
                         texts({"lblSVhigh", "lblSVtimeEnd"})),
              std::tuple(sv, dv, QString("100 50秒")));

    click("Command1");
    // SV 50 now lies at the middle of -100..200; the DV graph waits for its own apply.
    EXPECT_EQ(std::tuple(texts({"lblSVhigh", "lblSVmid", "lblSVlow", "lblSVtimeEnd"}),
                         greenRows(window->pictSV(), xAt(3, 120)), window->pictDV()->image(),
                         window->pictSV()->image() != sv),
              std::tuple(QString("200 50 -100 120秒"), std::vector<int>{px(yAt(50, 200, -100))}, dv, true));

    window->show();
    window->close();
    window->show();
    EXPECT_NE(window->pictDV()->image(), dv);
    // The DV graph keeps its fixed range: the DV program 0 lies in its middle.
    EXPECT_EQ(std::pair(texts({"lblDVhigh", "lblDVmid", "lblDVlow", "lblDVtimeEnd"}),
                        greenRows(window->pictDV(), xAt(17, 120))),
              std::pair(QString("+50 0 -50 120秒"), std::vector<int>{px(yAt(0, 50, -50))}));
    type({{"txtCDVv_0", "30"}, {"txtCDVt_1", "20"}, {"txtCDVv_1", "-30"}});
    click("Command2");
    EXPECT_EQ(window->pictDV()->colorAt(xAt(2.5, 120), yAt(22.5, 50, -50)), kGreen);
    EXPECT_EQ(greenRows(window->pictDV(), xAt(31, 120)), std::vector<int>{px(yAt(-30, 50, -50))});

    // The graph time is taken as the chart takes it: its leading number, whole seconds, 10..300.
    const std::pair<std::string, QString> times[] = {
        {"1000", "300秒"}, {"abc", "10秒"}, {"75.6", "76秒"}, {"120s", "120秒"}};
    for (const auto& [text, shown] : times) {
        doc.setGraphTimeText(text);
        click("Command2");
        EXPECT_EQ(texts({"lblDVtimeEnd"}), shown) << text;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SvDvEditor, RangeFailuresAreReportedOnceAndDrawNothing) {
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"50", "50", {"0 で除算しました。  P007"}},
        {"1e400", "0", {"オーバーフローしました。  P005", "オーバーフローしました。  P007"}},
    };
    for (const auto& [high, low, shown] : cases) {
        messages.shown.clear();
        doc.setRangeHighText(high);
        doc.setRangeLowText(low);
        click("Command1");
        // The SV curve is not drawn; the DV graph, with its own range, keeps its curve.
        EXPECT_EQ(std::tuple(messages.shown, test::pixelsOf(window->pictSV(), kGreen).empty(),
                             test::pixelsOf(window->pictDV(), kGreen).empty()),
                  std::tuple(shown, true, false))
            << high;
    }
}

TEST_F(SvDvEditor, Timer1ClosesAnInactiveWindowWithNothingPendingAndACloseDropsWhatWasNotApplied) {
    QTimer* timer = window->Timer1();
    QWidget other;
    window->show();
    other.show();
    type({{"txtCSVv_0", "77"}});
    // Leaving the window starts the count, coming back stops it, leaving again starts it anew.
    for (QWidget* w :
         {static_cast<QWidget*>(window.get()), &other, static_cast<QWidget*>(window.get()), &other}) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_EQ(timer->isActive(), w == &other);
    }
    // A text typed and not applied (yellow) keeps the window open and the count going.
    const QColor base = box("txtCSVv_1")->palette().color(QPalette::Base);
    EXPECT_NE(box("txtCSVv_0")->palette().color(QPalette::Base), base);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(std::tuple(window->isVisible(), timer->isActive(), doc.programField(SetupDocument::kSvValue)),
              std::tuple(true, true, "77"));

    // Typed back to the applied text, nothing is pending: the next idle period closes it.
    type({{"txtCSVv_0", "50"}, {"txtCDVv_2", "9"}});
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(std::pair(box("txtCSVv_0")->palette().color(QPalette::Base), window->isVisible()),
              std::pair(base, true));
    doc.Command2_(); // applied from another window
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(std::pair(window->isVisible(), timer->isActive()), std::pair(false, false));

    // Texts not applied are gone after a close.
    window->show();
    type({{"txtCSVv_1", "60"}, {"txtCSVt_1", "20"}});
    click("Command1");
    type({{"txtCSVv_1", "77"}, {"txtCDVt_1", "5"}, {"txtCDVv_1", "10"}});
    window->close();
    // The document holds the applied programs again, so a step save stores those.
    EXPECT_EQ(std::tuple(doc.programField(SetupDocument::kSvValue + 1),
                         doc.programField(SetupDocument::kDvTime + 1), state.params.SVv[1]),
              std::tuple("60", "", "60"));

    window->show();
    EXPECT_EQ(texts({"txtCSVv_1", "txtCSVt_1", "txtCDVt_1", "txtCDVv_1"}), "60 20  ");

    // A window created afresh shows the same, and the curve of the applied program.
    window.reset();
    open();
    EXPECT_EQ(std::pair(box("txtCSVv_1")->text(), window->pictSV()->colorAt(xAt(25), yAt(60))),
              std::pair(QString("60"), kGreen));

    // What another window loads into the document shows in the fields at once.
    doc.setProgramField(SetupDocument::kDvValue + 3, "12");
    EXPECT_EQ(box("txtCDVv_3")->text(), "12");
}

TEST_F(SvDvEditor, EveryTextFitsInJapaneseAndInEnglish) {
    auto check = [&] {
        window->show();
        QApplication::processEvents();
        const std::vector<std::string> cut = test::clippedTexts(window.get());
        EXPECT_TRUE(cut.empty()) << (cut.empty() ? "" : cut.front());
    };
    check();
    const test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    open();
    check();
    EXPECT_EQ(std::tuple(texts({"lblSVt", "lblDVv"}), child<QPushButton>("Command1")->text(),
                         child<QLabel>("lblSVtimeEnd")->text()),
              std::tuple(QString("SV time (s) DV value (%)"), QString("Apply"), QString("50 s")));
}

} // namespace
} // namespace kestrel
