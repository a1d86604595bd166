// The analysis window over runs built by hand: its list follows the store, the cursor's read-out,
// the measures table and the files it writes or refuses to read.

#include "forms/analysischart.h"
#include "forms/analysiswindow.h"

#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "tempfolder.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

/// A run of `n` steps at 0.1 s, one sample per step: channel c at sample i is c·10 + i/2; MV held
/// at MH from step 50 to 59.
KeptRun makeRun(int n = 100, Rgb pen = rgb(255, 255, 0)) {
    KeptRun r;
    r.label = "テスト";
    r.dt = 0.1;
    r.graphTime = 10;
    r.params.CALC_TYPE = static_cast<std::int16_t>(CalcForm::Velocity);
    r.pens = {pen, pen, pen, pen};
    for (int i = 0; i < n; ++i) {
        const double t = i * 0.1;
        r.time.push_back(t);
        for (int c = 0; c < kChannelCount; ++c)
            r.values[c].push_back(c * 10 + i * 0.5);
        const bool held = i >= 50 && i < 60;
        r.steps.push_back(
            {t, 50, 40, held ? r.params.MH : 50, 0, held, held ? StepLimit::High : StepLimit::None});
    }
    r.metrics = measureRun(r.steps, r.dt);
    return r;
}

class Analysis : public test::GuiTest {
protected:
    void SetUp() override {
        store.add(makeRun());
        store.add(makeRun(40, rgb(0, 255, 255)));
        window = std::make_unique<AnalysisWindow>(store, messages);
    }
    QString readout(int row, int column) { return table("readout")->item(row, column)->text(); }
    QTableWidget* table(const char* name) { return test::childOf<QTableWidget>(window.get(), name); }
    fs::path file(const char* name) { return dir.path() / name; }
    QString qfile(const char* name) { return QString::fromStdString(file(name).string()); }

    RunStore store;
    test::FakeMessages messages;
    std::unique_ptr<AnalysisWindow> window;
    test::TempFolder dir{"kestrel-analysis"};
};

TEST_F(Analysis, ListsTheStoreAndAppendsAKeptRunCheckedKeepingTheOthersState) {
    auto* list = test::childOf<QTreeWidget>(window.get(), "runList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    window->setRunDrawn(1, false);
    store.add(makeRun());
    window->runKept(3);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(list->topLevelItem(2)->checkState(0), Qt::Checked);
    EXPECT_EQ(table("readout")->rowCount(), 2);
    EXPECT_EQ(table("metrics")->rowCount(), 3);
    ASSERT_EQ(window->drawnRuns().size(), 2u);
    EXPECT_EQ(window->drawnRuns()[0]->number, 2);
}

TEST_F(Analysis, CursorReadsTheHeldSampleAndTheLimitOfEachRun) {
    window->setCursorTime(5.23); // sample 52 of run 1 (held since 5.2 s); run 2 ended at 3.9 s
    EXPECT_EQ(readout(0, 0), "5.20");
    EXPECT_EQ(readout(0, 1 + static_cast<int>(Channel::PV)), "36.00");
    EXPECT_EQ(readout(0, 1 + static_cast<int>(Channel::DS)), "126.00");
    EXPECT_EQ(readout(0, 1 + static_cast<int>(Channel::VP)), "146.00");
    EXPECT_EQ(readout(0, 1 + kChannelCount), "上限 MH");
    EXPECT_EQ(readout(1, 1), "—");
    // Right steps one control period, Shift+Right ten; the read-out follows the keys.
    QTest::keyClick(&window->chart(), Qt::Key_Right);
    EXPECT_EQ(readout(0, 0), "5.30");
    QTest::keyClick(&window->chart(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(readout(0, 0), "6.30");
    EXPECT_EQ(readout(0, 1 + kChannelCount), "");
    // A click on the chart puts the cursor under the mouse.
    window->chart().resize(400, 300);
    const QRectF plot = AnalysisChart::plotArea(QRectF(0, 0, 400, 300));
    QTest::mouseClick(&window->chart(), Qt::LeftButton, {}, QPoint(int(plot.left()), 150));
    EXPECT_EQ(readout(1, 0), "0.00");
}

TEST_F(Analysis, MeasuresSayWhenPvNeverSettledAndWhichStepIsMissing) {
    KeptRun r = makeRun();
    r.metrics.svStep = SvStepMetrics{1.5, 10, 10, 12.5, 2, std::nullopt, 3};
    r.metrics.dvStep.reset();
    store.add(std::move(r));
    window->runKept(3);
    QTableWidget* m = table("metrics");
    auto cell = [m](int column) { return m->item(2, column)->text(); };
    EXPECT_EQ(cell(0), "● ラン 3");
    EXPECT_EQ(cell(7), "1.500");
    EXPECT_EQ(cell(9), "12.500");
    EXPECT_EQ(cell(11), "整定せず");
    EXPECT_EQ(cell(13), "—");
}

TEST(AnalysisView, ValueAxisIsTheDataWithAMarginOutToWholeSteps) {
    KeptRun r = makeRun(); // SV 0..49.5, PV 10..59.5, DS 100..149.5
    r.graphTime = 30;
    const struct {
        std::vector<Channel> channels;
        double v0, v1;
    } cases[] = {{{Channel::SV, Channel::PV}, -10, 70},
                 {{Channel::PV, Channel::DS}, -20, 180},
                 {{Channel::I}, 0, 100},
                 {{Channel::PV2}, 135, 195}}; // 140.5..189.5: the mark at sample 0 is no data
    r.params.TYPE_SELECT = 0;                 // P control has no I (its −1000 marks are not data)
    r.values[int(Channel::PV2)][0] = kNoSignal;
    for (const auto& c : cases) {
        const ChartView v = fullView({&r}, c.channels);
        EXPECT_DOUBLE_EQ(v.t1, 30);
        EXPECT_NEAR(v.v0, c.v0, 1e-9);
        EXPECT_NEAR(v.v1, c.v1, 1e-9);
    }
}

TEST_F(Analysis, OffersTheInnerLoopsChannelsWhileAKeptRunHasThem) {
    RunStore runs;
    KeptRun single = makeRun(), cascade = makeRun();
    for (int c = int(Channel::SV2); c < kChannelCount; ++c)
        single.values[c].assign(single.samples(), kNoSignal);
    cascade.values[int(Channel::I2)] = single.values[int(Channel::I2)]; // a P secondary
    cascade.values[int(Channel::PV2)][52] = kNoSignal;
    runs.add(single);
    AnalysisWindow w(runs, messages);
    auto offered = [&] {
        QString boxes;
        for (int c = int(Channel::SV2); c < kChannelCount; ++c)
            boxes += test::childOf<QCheckBox>(&w, "chkChannel" + std::to_string(c))->isHidden() ? '-' : '+';
        return boxes;
    };
    auto* readout = test::childOf<QTableWidget>(&w, "readout");
    EXPECT_EQ(offered(), "-----");
    EXPECT_TRUE(readout->isColumnHidden(1 + int(Channel::PV2)));
    runs.add(cascade);
    w.runKept(2);
    EXPECT_EQ(offered(), "+++-+");
    EXPECT_FALSE(readout->isColumnHidden(1 + int(Channel::PV2)));
    w.setCursorTime(5.23);
    EXPECT_EQ(std::tuple(readout->item(1, 1 + int(Channel::PV2))->text(),
                         readout->item(1, 1 + int(Channel::SV2))->text(),
                         readout->item(0, 1 + int(Channel::SV2))->text()),
              std::tuple("—", "156.00", "—"));
}

TEST_F(Analysis, ImagesComeAtTheAskedSizeInPngOrSvg) {
    ASSERT_TRUE(window->saveImage(qfile("chart.png"), QSize(320, 200)));
    const QImage png(qfile("chart.png"));
    EXPECT_EQ(png.size(), QSize(320, 200));
    bool traced = false; // the first run's yellow pen shows
    for (int y = 0; y < png.height() && !traced; ++y)
        for (int x = 60; x < png.width() && !traced; ++x)
            traced = png.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(traced);
    ASSERT_TRUE(window->saveImage(qfile("chart.svg"), QSize(320, 200)));
    const std::string svg = test::readBytes(file("chart.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Analysis, ReportIsAPdfAndAnUnwritableFolderIsReportedForEveryFile) {
    ASSERT_TRUE(window->saveReport(qfile("report.pdf")));
    EXPECT_EQ(test::readBytes(file("report.pdf")).rfind("%PDF", 0), 0u);
    for (const QString ext : {".pdf", ".png", ".svg", ".csv"}) {
        messages.shown.clear();
        const QString to = qfile("missing/folder/x") + ext;
        EXPECT_FALSE(ext == ".pdf"   ? window->saveReport(to)
                     : ext == ".csv" ? window->saveCsv(to)
                                     : window->saveImage(to, {50, 50}));
        ASSERT_EQ(messages.shown.size(), 1u) << ext.toStdString();
        EXPECT_NE(messages.shown[0].find("書き込めません"), std::string::npos);
    }
}

TEST_F(Analysis, TextsFitInJapaneseAndInEnglish) {
    window->show();
    EXPECT_TRUE(test::clippedTexts(window.get()).empty())
        << ::testing::PrintToString(test::clippedTexts(window.get()));

    test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    AnalysisWindow w(store, messages);
    w.show();
    const std::vector<std::string> cut = test::clippedTexts(&w);
    EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
    EXPECT_EQ(w.windowTitle(), "Run Analysis");
    EXPECT_EQ(test::childOf<QPushButton>(&w, "cmdSaveCsv")->text(), "Save CSV...");
    EXPECT_EQ(test::childOf<QTabWidget>(&w, "analysisTabs")->tabText(1), "Measures");
    // The measures table marks the drawn runs the way the list's check boxes say.
    w.setRunDrawn(2, false);
    auto* metrics = test::childOf<QTableWidget>(&w, "metrics");
    EXPECT_EQ(metrics->item(0, 0)->text(), "● Run 1");
    EXPECT_EQ(metrics->item(1, 0)->text(), "　 Run 2");
}

TEST_F(Analysis, CsvOfTheCheckedRunsReadsBackAsNewRowsAndABadOneAddsNothing) {
    window->setRunDrawn(1, false);
    ASSERT_TRUE(window->saveCsv(qfile("runs.csv")));
    ASSERT_TRUE(window->loadCsv(qfile("runs.csv")));
    ASSERT_EQ(store.runs().size(), 3u);
    EXPECT_EQ(store.runs().back().samples(), 40u);
    test::writeBytes(file("bad.csv"), "this,is\nnot,a run\n");
    EXPECT_FALSE(window->loadCsv(qfile("bad.csv")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("bad.csv"), std::string::npos);
    EXPECT_EQ(store.runs().size(), 3u);
    EXPECT_EQ(test::childOf<QTreeWidget>(window.get(), "runList")->topLevelItemCount(), 3);
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

TEST(AnalysisOverlay, SafeColoursAndRunStylesFollowTheLearnersOptions) {
    test::ensureGuiApplication();
    // Two flat runs: PV 30 in the yellow pen, PV 60 in the cyan one.
    KeptRun a = makeRun(50, penChoiceColor(1)), b = makeRun(50, penChoiceColor(4));
    a.values[static_cast<int>(Channel::PV)].assign(50, 30.0);
    b.values[static_cast<int>(Channel::PV)].assign(50, 60.0);
    a.graphTime = b.graphTime = 4.9; // the runs fill the time axis
    AnalysisChart chart;
    chart.setRuns({&a, &b});
    chart.setChannels({Channel::PV});
    // The longest stretch of `colour` along any row of the plot, and the pixels of that colour on it.
    auto trace = [&](Rgb colour) {
        QImage image(640, 360, QImage::Format_RGB32);
        QPainter p(&image);
        chart.render(p, image.rect(), false);
        p.end();
        const QRectF plot = AnalysisChart::plotArea(image.rect());
        int best = 0;
        for (int y = static_cast<int>(plot.top()) + 1; y < plot.bottom(); ++y) {
            int n = 0;
            for (int x = static_cast<int>(plot.left()) + 1; x < plot.right() - 1; ++x)
                n += fromQColor(image.pixelColor(x, y)) == colour;
            best = std::max(best, n);
        }
        return best / (plot.width() - 2);
    };
    EXPECT_GT(trace(penChoiceColor(1)), 0.95);
    EXPECT_GT(trace(penChoiceColor(4)), 0.95);
    chart.setPenOptions(true, true);
    EXPECT_EQ(trace(penChoiceColor(4)), 0.0);
    EXPECT_GT(trace(kSafePenChoiceColors[1]), 0.95); // the first run solid
    const double dashed = trace(kSafePenChoiceColors[4]);
    EXPECT_TRUE(dashed > 0.4 && dashed < 0.8) << dashed;
}

} // namespace
} // namespace kestrel
