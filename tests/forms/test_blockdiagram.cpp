#include "forms/blockdiagram.h"

#include "english.h"
#include "forms/blockdiagramlayout.h"
#include "guiapp.h"

#include <QPalette>
#include <QRegularExpression>

#include <cmath>

namespace kestrel {
namespace {

class BlockDiagramTest : public test::GuiTest {
protected:
    static QImage paint(BlockDiagram& d, int w, int h) {
        d.resize(w, h);
        return d.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

int inkPixels(const QImage& img, const QColor& back) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) != back;
    return n;
}

/// The pixel of the area farthest from the background, that is the most fully covered one.
QColor strongestPixel(const QImage& img, const QRect& area, const QColor& back) {
    QColor best = back;
    int bestDistance = -1;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const int d = std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                          std::abs(c.blue() - back.blue());
            if (d > bestDistance)
                bestDistance = d, best = c;
        }
    return best;
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6;
}

TEST_F(BlockDiagramTest, EachPagePaintsItsStructureAndItsFeedbackLine) {
    const char* const captions[] = {"（P)",           "（P+I)",      "（P+I) （D)",
                                    "（I) （P) （D)", "（P+I) （D)", "２自由度付加機能 （P+I) （D)"};
    const QColor grey(192, 192, 192);
    std::vector<QImage> images;
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(page);
        BlockDiagram d(page);
        const QColor back = d.palette().color(QPalette::Window);
        const QColor ink = d.palette().color(QPalette::WindowText);
        images.push_back(paint(d, 550, 280));
        EXPECT_GT(inkPixels(images.back(), back), 3000);
        const QStringList shown = d.labels().filter(QRegularExpression("^（|^２自由度付加機能$"));
        EXPECT_EQ(shown.join(' ').toStdString(), captions[page]);

        ASSERT_TRUE(d.feedbackConnected());
        for (const bool connected : {false, true}) {
            d.setFeedbackConnected(connected);
            const QImage img = paint(d, 1100, 560);
            EXPECT_TRUE(near(strongestPixel(img, d.feedbackLineRect(), back), connected ? ink : grey))
                << (connected ? "closed loop" : "open loop");
        }
    }
    for (size_t a = 0; a < images.size(); ++a)
        for (size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << "pages " << a << " and " << b;
    EXPECT_EQ(std::pair(BlockDiagram(-3).page(), BlockDiagram(9).page()), std::pair(0, 5));
}

TEST_F(BlockDiagramTest, ProcessDetailsDrawTheirBlocksAndTheIdealLoopStaysAsItWas) {
    using Detail = BlockDiagram::ProcessDetail;
    struct Case {
        Detail detail;
        const char* added; // texts the page shows beyond the ideal loop
        bool processShown; // the process block keeps its Kpl・e
    };
    const Case cases[] = {
        {{1, false, false, false}, "1 1+Tpl2・s", true},
        {{2, true, false, false}, "弁 1 s バルブ", true},
        {{0, false, true, false}, "1 1+Tf・s ノイズ", true},
        {{2, true, true, true}, "？ 1 1+Tf・s ノイズ", false},
    };
    // Pages whose controller draws no "1" of its own.
    for (int page : {0, 3}) {
        BlockDiagram d(page);
        const QStringList ideal = d.labels();
        const QImage before = paint(d, 550, 280);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.added);
            d.setProcessDetail(c.detail);
            QStringList added = d.labels();
            for (const QString& s : ideal)
                added.removeOne(s);
            EXPECT_EQ(added.join(' ').toStdString(), c.added);
            EXPECT_EQ(d.labels().contains("Kpl・e"), c.processShown);
            EXPECT_NE(paint(d, 550, 280), before);
        }
        d.setProcessDetail({});
        EXPECT_EQ(paint(d, 550, 280), before);
    }
}

TEST_F(BlockDiagramTest, ATwoPartProcessDrawsItsInnerPartAndCascadeItsSecondaryController) {
    using Detail = BlockDiagram::ProcessDetail;
    const QRegularExpression blocks("調節計|制御$|^Kin|^Kpl|^Kdin|^PV2$|^？$|^OP$|^MV$");
    const std::pair<Detail, const char*> cases[] = {
        {{0, false, false, false, 1, 2},
         "主調節計|二次調節計|偏差ＰＩＤ制御|ＰＩＤ制御|Kin・e|Kdin|Kpl・e|OP|MV|PV2"},
        {{1, true, false, false, 2, 0}, "主調節計|偏差ＰＩＤ制御|Kin・e|Kdin|Kpl・e|MV|PV2"},
        {{0, false, false, true, 1, 0}, "主調節計|二次調節計|偏差ＰＩＤ制御|Ｐ 制御|？|Kdin|？|OP|MV|PV2"},
    };
    BlockDiagram d(2);
    const QImage single = paint(d, 550, 280);
    const QColor back = d.palette().color(QPalette::Window);
    for (const auto& [detail, shown] : cases) {
        SCOPED_TRACE(shown);
        d.setProcessDetail(detail);
        QStringList texts = d.labels().filter(blocks);
        texts.sort();
        QStringList expected = QString(shown).split('|');
        expected.sort();
        EXPECT_EQ(texts, expected);
        // The primary's feedback line runs along the bottom, grey while the loop is open.
        d.setFeedbackConnected(false);
        const QImage img = paint(d, 664, 280);
        EXPECT_TRUE(near(strongestPixel(img, d.feedbackLineRect(), back), QColor(192, 192, 192)));
        d.setFeedbackConnected(true);
    }
    d.setProcessDetail({});
    EXPECT_EQ(paint(d, 550, 280), single);
}

/// The captions of every page and process detail that run out of the drawing or into a block or
/// another caption, as drawn at the diagram's font size.
QStringList misplacedCaptions() {
    using Detail = BlockDiagram::ProcessDetail;
    QFont font = QApplication::font();
    font.setPixelSize(12);
    const QFontMetricsF fm(font);
    QStringList out;
    for (int page = 0; page < 6; ++page)
        for (const Detail& detail :
             {Detail{}, Detail{1, true, true, false, 0, 1}, Detail{0, true, true, false, 1, 2},
              Detail{2, true, false, false, 2, 0}}) {
            const BlockDiagram::Layout& l = diagram::layoutOf(page, detail);
            std::vector<QRectF> taken;
            for (const auto& b : l.boxes)
                taken.push_back(b.rect);
            for (const auto& t : l.texts) {
                // Signal names (MV, OP, PV2, …) sit on their wires by design and read the same in
                // every language; the words are what a translation may lengthen.
                if (!t.text.contains(QRegularExpression("[^\\x{0}-\\x{7f}]")))
                    continue;
                const QString s = BlockDiagram::tr(t.text.toUtf8().constData());
                QRectF r = fm.tightBoundingRect(s);
                const double left = t.align & Qt::AlignLeft    ? t.at.x()
                                    : t.align & Qt::AlignRight ? t.at.x() - r.width()
                                                               : t.at.x() - r.width() / 2;
                r.moveTo(left, t.at.y() - r.height() / 2);
                const bool overlaps =
                    std::any_of(taken.begin(), taken.end(), [&](const QRectF& o) { return o.intersects(r); });
                if (overlaps || !QRectF(0, 0, l.width, diagram::kH).contains(r))
                    out << QString("page %1 loop %2: %3").arg(page).arg(detail.loop).arg(s);
                taken.push_back(r);
            }
        }
    return out;
}

TEST_F(BlockDiagramTest, CaptionsStayClearOfTheBlocksAndEachOtherInJapaneseAndInEnglish) {
    EXPECT_EQ(misplacedCaptions(), QStringList());
    const test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    EXPECT_EQ(misplacedCaptions(), QStringList());
    // Words in English; the signal names and formulas as they were.
    const std::pair<int, BlockDiagram::ProcessDetail> cases[] = {{5, {0, true, true, false, 0, 1}},
                                                                 {2, {0, true, true, false, 1, 2}}};
    QStringList labels;
    for (const auto& [page, detail] : cases) {
        BlockDiagram d(page);
        d.setProcessDetail(detail);
        labels += d.labels();
    }
    for (const char* caption : {"2-DOF add-on", "(P+I)", "Valve", "Noise", "Primary", "Error PID",
                                "Secondary controller", "PID control", "1+Tin・s"})
        EXPECT_TRUE(labels.contains(caption)) << caption;
}

} // namespace
} // namespace kestrel
