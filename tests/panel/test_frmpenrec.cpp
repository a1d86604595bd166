#include "panel/frmpenrec.h"

#include "english.h"
#include "panelfixture.h"
#include "widgets/helplabel.h"
#include "widgets/textroom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <memory>

namespace kestrel {
namespace {

using test::pixelsOf, test::twipsRect;

constexpr Rgb kYellow = rgb(255, 255, 0);

// The window opens 7545 x 12885 twips: strips 5115 twips wide (341 px) and
// (12885 - 820) / 18 - 60 = 610 twips high, 41 px = 615 twips on screen.

/// Grid pixels in one row (or with `column`, one column) of the picture.
int greyIn(const PictureBox* pic, int at, bool column = false) {
    int n = 0;
    for (const QPoint& p : pixelsOf(pic, kGridColor))
        n += (column ? p.x() : p.y()) == at;
    return n;
}

class PenRecorder : public test::PanelTest {
protected:
    void SetUp() override {
        state.chart.GraphTime = 50;
        state.chart.HistoryPenColor = kYellow; // the staircases take the run's pen, not the list's white
        open();
    }
    /// A new window over a record with nothing to replay, as after the panel closed.
    void open() {
        state.rec.SampleTime[0] = 51;
        window = std::make_unique<frmPENrec>(state, doc, messages);
        state.rec.SampleTime[0] = 0;
    }
    void resizeShown(int w, int h) {
        window->show();
        window->resize(w, h);
        QApplication::processEvents();
    }
    template <class T> T* child(const char* name) { return test::childOf<T>(window.get(), name); }
    void sample(int i, double t, int channel, double v) {
        state.rec.SampleTime[i] = t;
        state.rec.PenData[0][channel][i] = v;
    }

    std::unique_ptr<frmPENrec> window;
};

TEST_F(PenRecorder, DrawsStaircasesAndAnEditedRangeFromTheNextSampleUntilOkOrCancel) {
    PictureBox* sv = window->strip(0);
    PictureBox* error = window->strip(1);
    PictureBox* pv = window->strip(10);
    // Sample 0 is a single dot on every strip.
    sample(0, 0.0, 0, 0.0);
    sample(0, 0.0, 10, 120.0);
    window->Line_draw2(0);
    for (int j = 0; j < frmPENrec::kChannels; ++j)
        EXPECT_EQ(pixelsOf(window->strip(j), kYellow).size(), 1u) << "strip " << j;

    // Sample 1 at t = 10 s, x = 1023: SV from 0 (held at 565) up to 50 at 308, the error 0 of
    // -50..50 at 308 and PV above its range at 0 hold their levels. No diagonal.
    sample(1, 10.0, 0, 50.0);
    sample(1, 10.0, 10, 120.0);
    state.rec.PenData[0][1][1] = 12.34;
    window->setAutoRedraw(false); // the kept drawing is written all the same
    window->Line_draw2(1);
    window->setAutoRedraw(true);
    const struct {
        PictureBox* pic;
        double x, y;
        bool drawn;
    } points[] = {{sv, 530, 565, true},    {sv, 530, 580, false},    {sv, 1023, 436, true},
                  {sv, 1023, 308, true},   {sv, 530, 436, false},    {sv, 1200, 308, false},
                  {error, 530, 308, true}, {error, 530, 323, false}, {error, 530, 293, false},
                  {pv, 530, 0, true},      {pv, 1100, 0, false}}; // the line ends at x = 1023
    for (const auto& p : points)
        EXPECT_EQ(p.pic->colorAt(p.x, p.y) == kYellow, p.drawn)
            << p.pic->objectName().toStdString() << " " << p.x << " " << p.y;
    EXPECT_EQ(window->Text1(0)->text() + " " + window->Text1(1)->text(), "50.0 12.3");

    // Sample 2 at x = 2046 on the new scale 0..200 (50 at 461, 100 at 308); sample 1 keeps the old.
    QLineEdit* high = window->txtRH(0);
    test::retype(high, "200");
    sample(2, 20.0, 0, 100.0);
    window->Line_draw2(2);
    for (const auto& [x, y] : {std::pair{1500, 461}, {2046, 400}, {2046, 308}, {1023, 436}})
        EXPECT_EQ(sv->colorAt(x, y), kYellow) << x << " " << y;
    EXPECT_NE(sv->colorAt(2046, 100), kYellow); // where the old scale would have gone
    EXPECT_EQ(fromQColor(high->palette().color(QPalette::Base)), kEditedFieldColor);

    // OK confirms the ranges, Cancel brings the confirmed ones back and the normal background.
    const QColor normal = window->txtRH(5)->palette().color(QPalette::Base);
    QLineEdit* low = window->txtRL(1);
    high->setText("150.4");
    low->setText("-10.6");
    QTest::mouseClick(child<QPushButton>("OKButton"), Qt::LeftButton);
    EXPECT_EQ(high->text() + " " + low->text(), "150 -10.6"); // the low text is not rewritten

    high->setText("300");
    low->setText("20");
    window->txtRH(7)->setText("1");
    QTest::mouseClick(child<QPushButton>("CancelButton"), Qt::LeftButton);
    // The low saved as a 16-bit integer, rounded.
    EXPECT_EQ(high->text() + " " + low->text() + " " + window->txtRH(7)->text(), "150 -11 50");
    for (int j = 0; j < frmPENrec::kChannels; ++j)
        for (const QLineEdit* e : {window->txtRH(j), window->txtRL(j)})
            EXPECT_EQ(e->palette().color(QPalette::Base), normal) << j;

    // A high that is not a number cannot be confirmed; it is reported with OK's code.
    high->setText("abc");
    window->OKButton_Click();
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"型が一致しません。  P020"});
}

TEST_F(PenRecorder, ResizeKeepsTheMinimumLaysOutWithoutOverlapsAndReplaysTheCurrentRecord) {
    // Pixels asked for, client twips given (whole pixels). Lower than 18 strips of 550 twips with
    // their controls (11805 twips in whole pixels), the page scrolls.
    const std::tuple<int, int, double, double> cases[] = {
        {px(3000), px(5000), 4410, 9210}, {900, 700, 13500, 10500}, {600, 1000, 9000, 15000}};
    const test::ProgramFont font; // the range boxes hold -100.0 in the program's own face
    open();
    for (int i = 0; i <= 500; ++i)
        sample(i, i * 0.2, 0, 50.0);
    state.rec.PenData[0][0][251] = 60.0;
    state.rec.PenData[0][0][252] = 7.0; // a slot left from an earlier, longer run
    state.sim.SamplesRecorded = 252;
    window->SetHelpPointer(true);
    for (const auto& [widthPx, heightPx, expectWidth, expectHeight] : cases) {
        resizeShown(widthPx, heightPx);
        const double w = window->width() * 15.0, h = window->height() * 15.0;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(expectWidth, expectHeight));
        const QWidget* page = window->page();
        const bool scrolls = h < 11805;
        const double pageH = page->height() * 15.0, stripH = (pageH - 820) / 18 - 60;
        EXPECT_EQ(std::make_tuple(pageH, page->width() < window->width(),
                                  child<QScrollArea>("PenScroll")->verticalScrollBar()->maximum() > 0),
                  std::make_tuple(std::max(h, 11805.0), scrolls, scrolls));
        EXPECT_NEAR(window->strip(0)->Width(), page->width() * 15.0 - 2430, 15);
        EXPECT_NEAR(window->strip(5)->Height(), stripH, 8);
        EXPECT_NEAR(window->strip(5)->y() * 15.0, (stripH + 60) * 5 + 60, 8);
        expectApart(page, {"ChkQB", "cmbQB", "OKButton", "CancelButton", "cmdClear", "cmdPrint", "labelC7"},
                    window->strip(frmPENrec::kChannels - 1));
        // Beside each strip: label, value box and ranges, clear of each other and of the strip,
        // and the legend fits its box.
        for (int j = 0; j < frmPENrec::kChannels; ++j) {
            const QWidget* left[] = {window->Label1(j), window->Text1(j), window->txtRH(j), window->txtRL(j),
                                     window->strip(j)};
            for (const QWidget* a : left)
                for (const QWidget* b : left)
                    EXPECT_TRUE(a == b || !twipsRect(a).intersects(twipsRect(b)))
                        << a->objectName().toStdString() << "/" << b->objectName().toStdString();
            EXPECT_LE(window->txtRL(j)->fontMetrics().horizontalAdvance("-100.0"), textRoom(window->txtRL(j)))
                << j;
            const QLabel* label = window->Label1(j);
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << j;
        }
        PictureBox* sv = window->strip(0);
        EXPECT_EQ(sv->colorAt(sv->Width() / 2, std::nearbyint(sv->Height() / 2)), kYellow);
        EXPECT_EQ(window->Text1(0)->text(), "60.0"); // 251 drawn, 252 not
    }
    // A bad range is reported by the replay, once.
    window->txtRL(2)->setText("x");
    resizeShown(620, 600);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"型が一致しません。  P050"});
}

TEST_F(PenRecorder, ASecondarySignalTheLoopLacksHasNoTraceAndNoValueUntilItExists) {
    // SV2 missing for samples 0 and 1, 40 from sample 2 (x = 2046) on; the primary's I of P
    // control (-1000 too) stays at the foot of its strip.
    for (std::int16_t i = 0; i < 3; ++i) {
        sample(i, i * 10.0, 13, i < 2 ? -1000.0 : 40.0);
        state.rec.PenData[0][3][i] = -1000.0;
        window->Line_draw2(i);
        EXPECT_EQ(window->Text1(13)->text(), i < 2 ? "" : "40.0") << i;
    }
    const auto drawn = pixelsOf(window->strip(13), kYellow);
    EXPECT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn.empty() || drawn.front().x() == 136);
    EXPECT_TRUE(window->strip(3)->colorAt(1500, window->strip(3)->Height() - 50) == kYellow);
}

TEST_F(PenRecorder, ABadRangeIsReportedOnceAndLeavesItsStripUndrawn) {
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {3, "50", "abc", "型が一致しません。  P050"},
        {5, "20", "20", "0 で除算しました。  P050"},
    };
    for (const auto& [channel, high, low, message] : cases) {
        SCOPED_TRACE(channel);
        open();
        window->txtRH(channel)->setText(high);
        window->txtRL(channel)->setText(low);
        for (int i = 0; i < 4; ++i)
            sample(i, i * 1.0, channel, 20.0);
        for (std::int16_t i = 0; i < 3; ++i)
            window->Line_draw2(i);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{message}); // once, not at every sample
        EXPECT_TRUE(pixelsOf(window->strip(channel), kYellow).empty());
        EXPECT_FALSE(pixelsOf(window->strip(channel + 1), kYellow).empty()); // the next still drawn
        // The corrected range draws; a range broken again (the next case) is reported again.
        window->txtRH(channel)->setText("100");
        window->txtRL(channel)->setText("0");
        window->Line_draw2(3);
        EXPECT_TRUE(messages.shown.empty() && !pixelsOf(window->strip(channel), kYellow).empty());
    }
}

TEST_F(PenRecorder, GridAndClear) {
    for (int i = 0; i < 5; ++i) {
        sample(i, i * 5.0, 0, 10.0 * i);
        window->Line_draw2(static_cast<std::int16_t>(i));
    }
    QTest::mouseClick(child<QPushButton>("cmdClear"), Qt::LeftButton);
    for (int j = 0; j < frmPENrec::kChannels; ++j)
        EXPECT_TRUE(pixelsOf(window->strip(j), kYellow).empty()) << j;

    // Graph time 50 s, dt 0.1 s: lines every 102.3 twips from 102 on (column 7); dotted lines at
    // the quarters (rows 10 and 31). A column between the vertical lines meets only the rows.
    const PictureBox* pic = window->strip(4);
    EXPECT_GT(std::min(greyIn(pic, 10), greyIn(pic, 31)), 341 / 4);
    EXPECT_GT(greyIn(pic, 7, true), 41 / 4);
    EXPECT_LE(greyIn(pic, 3, true), 4);

    // A graph time that gives no whole grid second draws no vertical lines (and does not hang);
    // one that is not a number is reported, and the horizontal lines are still drawn.
    doc.setGraphTimeText("0.001");
    window->Pict_inz();
    EXPECT_LE(greyIn(pic, 7, true), 4);
    ASSERT_TRUE(messages.shown.empty());
    doc.setGraphTimeText("abc");
    window->cmdClear_Click();
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"0 で除算しました。  P056"});
    EXPECT_GT(greyIn(pic, 31), 341 / 4);
}

TEST_F(PenRecorder, PenListFollowsTheDocumentAndHelpAndHardCopyAreAsked) {
    // The list sets the recorder's own pen, not the panel's.
    auto* list = child<QComboBox>("cmbQB");
    list->setCurrentIndex(4); // cyan
    EXPECT_EQ(std::make_tuple(doc.penRecorderPenChoice(), doc.penChoice()), std::make_tuple(4, 0));
    QTest::mouseClick(child<QCheckBox>("ChkQB"), Qt::LeftButton);
    EXPECT_TRUE(doc.penRecorderAutoPen());
    doc.PenColorAdvance(); // cyan is followed by white
    EXPECT_EQ(list->currentIndex(), 0);
    doc.setPenRecorderAutoPen(false);
    EXPECT_FALSE(child<QCheckBox>("ChkQB")->isChecked());
    window->SetHelpPointer(true);
    QSignalSpy helpSpy(window.get(), &frmPENrec::helpRequested);
    QSignalSpy printSpy(window.get(), &frmPENrec::printRequested);
    window->show();
    QTest::mouseClick(child<HelpLabel>("labelC7"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(std::make_tuple(helpSpy.count(), helpSpy.value(0).value(0).toString(), printSpy.count()),
              std::make_tuple(1, QString("C7"), 1));
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

// Every strip's name, the pen controls and the buttons fit in both languages, also at the least
// size, and the names follow the control type in English as they do in Japanese.
TEST_F(PenRecorder, StripNamesAndButtonsFitInJapaneseAndInEnglish) {
    const test::ProgramFont font;
    auto expectFits = [&](const char* language) {
        for (const int w : {px(7545), px(3000)}) {
            SCOPED_TRACE(std::string(language) + " " + std::to_string(w));
            resizeShown(w, px(12885));
            const auto cut = test::clippedTexts(window.get());
            EXPECT_TRUE(cut.empty()) << testing::PrintToString(cut);
            expectApart(window->page(),
                        {"ChkQB", "cmbQB", "OKButton", "CancelButton", "cmdClear", "cmdPrint", "labelC7"},
                        window->strip(frmPENrec::kChannels - 1));
        }
    };
    open();
    expectFits("ja");
    test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    open();
    expectFits("en");
    EXPECT_EQ(window->windowTitle(), "Pen Recorder");
    EXPECT_EQ(child<QLabel>("Label1_10")->text(), "⑪ Process var. (PV)");
    EXPECT_EQ(child<QComboBox>("cmbQB")->itemText(2), "magenta");
    doc.ContTypeTab_Click(5);
    EXPECT_EQ(child<QLabel>("Label1_1")->text(), "② Error 1 (e1)");
    expectFits("en, 2-DOF PID");
}

} // namespace
} // namespace kestrel
