#include "forms/blockdiagram.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kestrel {

namespace {

// Design area in pixels (8250 × 4200 twips) and its rows: the main signal path, the row of
// the second path below it, the feedback line at the bottom and the DV line at the top.
constexpr double kW = 550, kH = 280;
constexpr double kMain = 150, kSub = 212, kFb = 264, kDv = 26;
constexpr double kR = 7;            // summing point radius
constexpr double kSvStart = 2;      // where the SV line starts
constexpr double kMvEnd = 327 - kR; // where the controller output meets the FF summing point
constexpr double kFontPx = 12, kSupScale = 0.75;
constexpr double kLineWidth = 1.1;
const QColor kOpenLoopColor(192, 192, 192);

enum class Side { Left, Top, Bottom };

/// One piece of a block's content: a text with an optional superscript, or a fraction (text
/// and superscript over den), or a text whose run of spaces holds a small fraction num2 / den2,
/// as in "Kp(1+ 1/Ti・s )".
struct Term {
    QString text, sup, den, num2, den2;
};

struct Box {
    QRectF rect;
    std::vector<Term> terms;
};

struct Wire {
    QPolygonF points;
    bool feedback = false; // carries PV: drawn grey while the loop is open
    bool branch = false;   // starts at a junction dot on another line
    bool bridge = false;   // passes over the lines it crosses, which get a gap
};

struct Sum {
    QPointF centre;
    std::vector<std::pair<Side, bool>> inputs; // side the input enters from, plus or minus
};

struct Text {
    QPointF at;
    QString text;
    Qt::Alignment align = Qt::AlignHCenter; // horizontally around `at`; always centred vertically
};

} // namespace

struct BlockDiagram::Layout {
    std::vector<Box> boxes;
    std::vector<Wire> wires;
    std::vector<Sum> sums;
    std::vector<Text> texts;
    std::vector<QRectF> frames; // dashed outlines of a group of blocks

    void box(QRectF r, std::vector<Term> t) { boxes.push_back({r, std::move(t)}); }
    void wire(std::initializer_list<QPointF> p, bool feedback = false, bool branch = false) {
        wires.push_back({QPolygonF(QList<QPointF>(p)), feedback, branch, false});
    }
    void sum(QPointF c, std::vector<std::pair<Side, bool>> in) { sums.push_back({c, std::move(in)}); }
    void text(QPointF at, const QString& s, Qt::Alignment a = Qt::AlignHCenter) {
        texts.push_back({at, s, a});
    }
};

namespace {

using Layout = BlockDiagram::Layout;

Term txt(const QString& t, const QString& sup = {}) {
    return {t, sup, {}, {}, {}};
}
Term frac(const QString& num, const QString& den, const QString& sup = {}) {
    return {num, sup, den, {}, {}};
}
Term inset(const QString& t, const QString& num, const QString& den) {
    return {t, {}, {}, num, den};
}

const QString kDerivNum = QStringLiteral("KpTd・s");
const QString kDerivDen = QStringLiteral("1+ηTd・s");

/// A box centred on (cx, cy) holding one line of text, or a fraction when tall is set.
QRectF boxAt(double cx, double cy, double w, bool tall) {
    const double h = tall ? 40 : 26;
    return {cx - w / 2, cy - h / 2, w, h};
}

void addPI(Layout& l, double left, double width) {
    l.box(boxAt(left + width / 2, kMain, width, true), {inset("Kp(1+      )", "1", "Ti・s")});
    l.text({left + width / 2, kMain - 28}, "（P+I)");
}

/// A derivative block on the second row fed from the left, its caption below.
void addDerivativeOnRow(Layout& l, double left) {
    l.box(boxAt(left + 33, kSub, 66, true), {frac(kDerivNum, kDerivDen)});
    l.text({left + 33, kSub + 29}, "（D)");
}

/// A block under the summing point at x on the main row, fed upwards from the feedback line and
/// subtracted there.
void addMeasurementBlock(Layout& l, double x, Term term, double width, bool tall, const QString& caption,
                         bool captionLeft) {
    const QRectF r = boxAt(x, kSub, width, tall);
    l.box(r, {std::move(term)});
    l.wire({{x, kFb}, {x, r.bottom()}}, true, true);
    l.wire({{x, r.top()}, {x, kMain + kR}});
    if (captionLeft)
        l.text({r.left() - 4, kSub}, caption, Qt::AlignRight);
    else
        l.text({r.right() + 4, kSub}, caption, Qt::AlignLeft);
}

/// SV entering and the first summing point at x, which subtracts PV coming up from the bottom.
void addInput(Layout& l, double sumX) {
    l.text({kSvStart + 2, kMain - 10}, "SV", Qt::AlignLeft);
    l.wire({{kSvStart, kMain}, {sumX - kR, kMain}});
    l.sum({sumX, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
}

/// Everything right of the controller: MV, the feedforward and Kd summing points, the process,
/// the disturbance path, PV and the feedback line back to the summing point at `to` that it
/// enters from below.
void addPlantSide(Layout& l, double controllerEnd, QPointF to) {
    constexpr double ffX = kMvEnd + kR, kdX = 391, plantL = 413, plantW = 78, distX = 509, fbX = 527;
    constexpr double topBox = 44, topH = 38;

    l.wire({{controllerEnd, kMain}, {kMvEnd, kMain}});
    l.text({kMvEnd - 11, kMain - 10}, "MV", Qt::AlignRight);
    l.sum({ffX, kMain}, {{Side::Left, true}, {Side::Top, false}});
    l.wire({{ffX + kR, kMain}, {kdX - kR, kMain}});
    l.sum({kdX, kMain}, {{Side::Left, true}, {Side::Top, true}});
    l.wire({{kdX + kR, kMain}, {plantL, kMain}});
    l.box(boxAt(plantL + plantW / 2, kMain, plantW, true), {frac("Kpl・e", "1+Tpl・s", "-Lpl・s")});
    l.wire({{plantL + plantW, kMain}, {distX - kR, kMain}});
    l.sum({distX, kMain}, {{Side::Left, true}, {Side::Top, true}});
    l.wire({{distX + kR, kMain}, {kW - 2, kMain}});
    l.text({fbX + 2, kMain - 10}, "PV", Qt::AlignLeft);

    // DV runs along the top and branches down to the three blocks it drives.
    const double ffW = 104, dsX = plantL + plantW / 2;
    l.text({ffX - ffW / 2 + 2, kDv - 10}, "DV", Qt::AlignLeft);
    l.wire({{ffX - ffW / 2, kDv}, {dsX, kDv}, {dsX, topBox}});
    l.wire({{ffX, kDv}, {ffX, topBox}}, false, true);
    l.box(QRectF(ffX - ffW / 2, topBox, ffW, topH),
          {txt("Kf"), frac("1+Tfp・s", "1+Tfd・s"), txt("e", "-Lf・s")});
    l.wire({{ffX, topBox + topH}, {ffX, kMain - kR}});
    l.wire({{kdX, kDv}, {kdX, 100}}, false, true);
    l.box(QRectF(kdX - 14, 100, 28, 24), {txt("Kd")});
    l.wire({{kdX, 124}, {kdX, kMain - kR}});
    l.box(QRectF(plantL, topBox, plantW, topH), {frac("Kds・e", "1+Tds・s", "-Lds・s")});
    l.wire({{plantL + plantW, topBox + topH / 2}, {distX, topBox + topH / 2}, {distX, kMain - kR}});

    // The feedback line: from PV down, back along the bottom and up into the first summing point.
    l.wire({{fbX, kMain}, {fbX, kFb}, {to.x(), kFb}, {to.x(), to.y() + kR}}, true, true);
    l.text({430, kFb - 10}, "測定値");
}

Layout makeLayout(int page) {
    Layout l;
    switch (page) {
    case 0: { // P
        addInput(l, 90);
        l.wire({{90 + kR, kMain}, {150, kMain}});
        l.box(boxAt(170, kMain, 40, false), {txt("Kp")});
        l.text({170, kMain - 22}, "（P)");
        addPlantSide(l, 190, {90, kMain});
        break;
    }
    case 1: { // PI
        addInput(l, 80);
        l.wire({{80 + kR, kMain}, {140, kMain}});
        addPI(l, 140, 86);
        addPlantSide(l, 226, {80, kMain});
        break;
    }
    case 2: { // PID on the error: P+I and D in parallel
        addInput(l, 70);
        l.wire({{70 + kR, kMain}, {130, kMain}});
        addPI(l, 130, 86);
        l.wire({{100, kMain}, {100, kSub}, {140, kSub}}, false, true);
        addDerivativeOnRow(l, 140);
        l.wire({{216, kMain}, {270 - kR, kMain}});
        l.wire({{206, kSub}, {270, kSub}, {270, kMain + kR}});
        l.sum({270, kMain}, {{Side::Left, true}, {Side::Bottom, true}});
        addPlantSide(l, 270 + kR, {70, kMain});
        break;
    }
    case 3: { // I-PD: I on the error, P and D on the measurement
        addInput(l, 70);
        l.wire({{70 + kR, kMain}, {110, kMain}});
        l.box(boxAt(135, kMain, 50, true), {frac("Kp", "Ti・s")});
        l.text({135, kMain - 28}, "（I)");
        l.wire({{160, kMain}, {200 - kR, kMain}});
        l.sum({200, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
        addMeasurementBlock(l, 200, txt("Kp"), 32, false, "（P)", true);
        l.wire({{200 + kR, kMain}, {260 - kR, kMain}});
        l.sum({260, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
        addMeasurementBlock(l, 260, frac(kDerivNum, kDerivDen), 66, true, "（D)", false);
        addPlantSide(l, 260 + kR, {70, kMain});
        break;
    }
    case 4: { // PI-D: P+I on the error, D on the measurement
        addInput(l, 70);
        l.wire({{70 + kR, kMain}, {120, kMain}});
        addPI(l, 120, 86);
        l.wire({{206, kMain}, {260 - kR, kMain}});
        l.sum({260, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
        addMeasurementBlock(l, 260, frac(kDerivNum, kDerivDen), 66, true, "（D)", false);
        addPlantSide(l, 260 + kR, {70, kMain});
        break;
    }
    default: { // two degrees of freedom: set-point filter for P+I, α·γ weight for D
        constexpr double j = 26, s1 = 172, s2 = 150, s3 = 284;
        l.text({kSvStart + 2, kMain - 10}, "SV", Qt::AlignLeft);
        l.wire({{kSvStart, kMain}, {44, kMain}});
        l.frames.push_back(QRectF(36, kMain - 30, 92, kSub + 22 - (kMain - 30)));
        l.text({82, kMain - 40}, "２自由度付加機能");
        l.box(boxAt(82, kMain, 76, true), {frac("1+αβTi・s", "1+βTi・s")});
        l.wire({{120, kMain}, {s1 - kR, kMain}});
        l.sum({s1, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
        l.wire({{s1 + kR, kMain}, {188, kMain}});
        addPI(l, 188, 76);
        l.wire({{264, kMain}, {s3 - kR, kMain}});
        l.sum({s3, kMain}, {{Side::Left, true}, {Side::Bottom, true}});

        l.wire({{j, kMain}, {j, kSub}, {59, kSub}}, false, true);
        l.box(boxAt(82, kSub, 46, false), {txt("α・γ")});
        l.wire({{105, kSub}, {s2 - kR, kSub}});
        l.sum({s2, kSub}, {{Side::Left, true}, {Side::Bottom, false}});
        l.wire({{s2 + kR, kSub}, {190, kSub}});
        addDerivativeOnRow(l, 190);
        l.wire({{256, kSub}, {s3, kSub}, {s3, kMain + kR}});

        addPlantSide(l, s3 + kR, {s2, kSub});
        // PV rises to the first summing point across the D path.
        l.wire({{s1, kFb}, {s1, kMain + kR}}, true, true);
        l.wires.back().bridge = true;
        break;
    }
    }
    return l;
}

const Layout& layoutOf(int page) {
    static const std::array<Layout, 6> layouts{makeLayout(0), makeLayout(1), makeLayout(2),
                                               makeLayout(3), makeLayout(4), makeLayout(5)};
    return layouts[static_cast<size_t>(page)];
}

struct Fonts {
    QFont main, sup;
    QFontMetricsF mm, sm;
    explicit Fonts(QFont f)
        : main(withSize(f, kFontPx)), sup(withSize(f, kFontPx * kSupScale)), mm(main), sm(sup) {}
    static QFont withSize(QFont f, double px) {
        f.setPixelSize(static_cast<int>(px + 0.5));
        // The same advance widths at every scale, so that measured layouts stay put when zoomed.
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }
};

double runWidth(const Fonts& f, const QString& text, const QString& sup) {
    return f.mm.horizontalAdvance(text) + (sup.isEmpty() ? 0 : 1 + f.sm.horizontalAdvance(sup));
}

/// Draws text and its superscript with the baseline at y, starting at x.
void drawRun(QPainter& p, const Fonts& f, double x, double y, const QString& text, const QString& sup) {
    p.setFont(f.main);
    p.drawText(QPointF(x, y), text);
    if (sup.isEmpty()) return;
    p.setFont(f.sup);
    p.drawText(QPointF(x + f.mm.horizontalAdvance(text) + 1, y - f.mm.ascent() * 0.45), sup);
    p.setFont(f.main);
}

struct InsetParts {
    QString prefix, spaces, suffix;
};
InsetParts splitInset(const QString& t) {
    const qsizetype a = t.indexOf(' ');
    if (a < 0) return {t, {}, {}};
    qsizetype b = a;
    while (b < t.size() && t[b] == ' ')
        ++b;
    return {t.left(a), t.mid(a, b - a), t.mid(b)};
}

double fractionWidth(const Fonts& f, const QString& num, const QString& sup, const QString& den) {
    return std::max(runWidth(f, num, sup), f.mm.horizontalAdvance(den)) + 6;
}

double termWidth(const Fonts& f, const Term& t) {
    if (!t.den.isEmpty()) return fractionWidth(f, t.text, t.sup, t.den);
    if (!t.num2.isEmpty()) {
        const InsetParts s = splitInset(t.text);
        const double gap = std::max(f.mm.horizontalAdvance(s.spaces), fractionWidth(f, t.num2, {}, t.den2));
        return f.mm.horizontalAdvance(s.prefix) + gap + f.mm.horizontalAdvance(s.suffix);
    }
    return runWidth(f, t.text, t.sup);
}

/// A fraction of width w starting at x with its bar at y.
void drawFraction(QPainter& p, const Fonts& f, double x, double y, double w, const QString& num,
                  const QString& sup, const QString& den) {
    const double numW = runWidth(f, num, sup), denW = f.mm.horizontalAdvance(den);
    drawRun(p, f, x + (w - numW) / 2, y - 2.5 - f.mm.descent(), num, sup);
    drawRun(p, f, x + (w - denW) / 2, y + 2.5 + f.mm.ascent() - 1, den, {});
    p.drawLine(QPointF(x + 1.5, y), QPointF(x + w - 1.5, y));
}

void drawTerm(QPainter& p, const Fonts& f, double x, double cy, const Term& t) {
    const double baseline = cy + (f.mm.ascent() - f.mm.descent()) / 2;
    if (!t.den.isEmpty()) {
        drawFraction(p, f, x, cy, termWidth(f, t), t.text, t.sup, t.den);
    } else if (!t.num2.isEmpty()) {
        const InsetParts s = splitInset(t.text);
        const double gap = std::max(f.mm.horizontalAdvance(s.spaces), fractionWidth(f, t.num2, {}, t.den2));
        drawRun(p, f, x, baseline, s.prefix, {});
        const double fx = x + f.mm.horizontalAdvance(s.prefix);
        // The bar sits on the middle of the "+" of the prefix.
        drawFraction(p, f, fx, baseline - f.mm.xHeight() * 0.55, gap, t.num2, {}, t.den2);
        drawRun(p, f, fx + gap, baseline, s.suffix, {});
    } else {
        drawRun(p, f, x, baseline, t.text, t.sup);
    }
}

void drawBox(QPainter& p, const Fonts& f, const Box& b) {
    p.drawRect(b.rect);
    constexpr double gap = 3, pad = 4;
    double w = gap * static_cast<double>(b.terms.size() - 1);
    for (const Term& t : b.terms)
        w += termWidth(f, t);
    // A wider font than the design's is shrunk to fit rather than spilling out of the box.
    const double k = std::min(1.0, (b.rect.width() - 2 * pad) / w);
    p.save();
    p.translate(b.rect.center());
    p.scale(k, k);
    double x = -w / 2;
    for (const Term& t : b.terms) {
        drawTerm(p, f, x, 0, t);
        x += termWidth(f, t) + gap;
    }
    p.restore();
}

void drawArrowHead(QPainter& p, QPointF tip, QPointF from) {
    QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    d /= len;
    const QPointF n(-d.y(), d.x());
    constexpr double l = 7, h = 2.8;
    const QPointF pts[3] = {tip, tip - d * l + n * h, tip - d * l - n * h};
    p.drawPolygon(pts, 3);
}

void drawWire(QPainter& p, const Wire& w, const QColor& colour, const QColor& back) {
    const QPolygonF& pts = w.points;
    if (w.bridge) {
        // Clear a gap in what this wire crosses, away from its own ends.
        p.setPen(QPen(back, 5, Qt::SolidLine, Qt::FlatCap));
        for (qsizetype i = 1; i < pts.size(); ++i) {
            QPointF a = pts[i - 1], b = pts[i];
            const QPointF d = b - a;
            const double len = std::hypot(d.x(), d.y());
            if (len < 24) continue;
            p.drawLine(a + d * (10 / len), b - d * (10 / len));
        }
    }
    p.setPen(QPen(colour, kLineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    // The line stops inside the arrow head so that its end does not show past the tip.
    const QLineF last(pts[pts.size() - 2], pts.back());
    QPainterPath path(pts.front());
    for (qsizetype i = 1; i + 1 < pts.size(); ++i)
        path.lineTo(pts[i]);
    path.lineTo(last.pointAt(std::max(0.0, 1 - 6 / last.length())));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    drawArrowHead(p, last.p2(), last.p1());
    if (w.branch) p.drawEllipse(pts.front(), 2.2, 2.2);
    p.setBrush(Qt::NoBrush);
}

/// The signs stand beside the arrow heads: a left input's above it, or below it when another
/// input comes from above; a top input's to its right; a bottom input's to its left.
void drawSum(QPainter& p, const Sum& s) {
    p.drawEllipse(s.centre, kR, kR);
    const bool fromTop =
        std::any_of(s.inputs.begin(), s.inputs.end(), [](const auto& in) { return in.first == Side::Top; });
    constexpr double a = 3, d = kR + 5;
    for (const auto& [side, plus] : s.inputs) {
        QPointF at = s.centre;
        switch (side) {
        case Side::Left:
            at += QPointF(-d, fromTop ? d : -d + 1);
            break;
        case Side::Top:
            at += QPointF(d, -d + 1);
            break;
        case Side::Bottom:
            at += QPointF(-d, d);
            break;
        }
        p.drawLine(at - QPointF(a, 0), at + QPointF(a, 0));
        if (plus) p.drawLine(at - QPointF(0, a), at + QPointF(0, a));
    }
}

void drawText(QPainter& p, const Fonts& f, const Text& t) {
    constexpr double big = 400;
    QRectF r(t.at.x() - big / 2, t.at.y() - big / 2, big, big);
    if (t.align & Qt::AlignLeft) r.moveLeft(t.at.x());
    if (t.align & Qt::AlignRight) r.moveRight(t.at.x());
    p.setFont(f.main);
    p.drawText(r, static_cast<int>((t.align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter), t.text);
}

} // namespace

BlockDiagram::BlockDiagram(int page, QWidget* parent)
    : QWidget(parent), mPage(std::clamp(page, 0, 5)), mLayout(layoutOf(mPage)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

BlockDiagram::~BlockDiagram() = default;

void BlockDiagram::setFeedbackConnected(bool connected) {
    if (connected == mFeedback) return;
    mFeedback = connected;
    update();
}

QSize BlockDiagram::sizeHint() const {
    return {static_cast<int>(kW), static_cast<int>(kH)};
}
QSize BlockDiagram::minimumSizeHint() const {
    return {static_cast<int>(kW / 2), static_cast<int>(kH / 2)};
}

QTransform BlockDiagram::designToWidget() const {
    const double s = std::min(width() / kW, height() / kH);
    QTransform t;
    t.translate((width() - kW * s) / 2, (height() - kH * s) / 2);
    t.scale(s, s);
    return t;
}

QStringList BlockDiagram::labels() const {
    QStringList out;
    for (const Box& b : mLayout.boxes)
        for (const Term& t : b.terms)
            for (const QString& s : {t.text, t.sup, t.den, t.num2, t.den2})
                if (!s.isEmpty()) out << s;
    for (const Text& t : mLayout.texts)
        out << t.text;
    return out;
}

QRect BlockDiagram::feedbackLineRect() const {
    // The longest horizontal run among the feedback wires is the one along the bottom.
    QLineF best;
    for (const Wire& w : mLayout.wires) {
        if (!w.feedback) continue;
        for (qsizetype i = 1; i < w.points.size(); ++i) {
            const QLineF seg(w.points[i - 1], w.points[i]);
            if (seg.dy() == 0 && std::abs(seg.dx()) > std::abs(best.dx())) best = seg;
        }
    }
    const QTransform t = designToWidget();
    const QRectF r = QRectF(t.map(best.p1()), t.map(best.p2())).normalized();
    return r.adjusted(0, -2, 0, 2).toAlignedRect();
}

void BlockDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = palette().color(QPalette::Window);
    const QColor ink = palette().color(QPalette::WindowText);
    p.fillRect(rect(), back);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setTransform(designToWidget());
    const Fonts f(font());

    p.setPen(QPen(ink, 0.9, Qt::DashLine));
    for (const QRectF& r : mLayout.frames)
        p.drawRect(r);
    for (int pass = 0; pass < 2; ++pass)
        for (const Wire& w : mLayout.wires)
            if (w.feedback == (pass == 1))
                drawWire(p, w, w.feedback && !mFeedback ? kOpenLoopColor : ink, back);

    p.setPen(QPen(ink, kLineWidth));
    p.setBrush(back);
    for (const Box& b : mLayout.boxes)
        drawBox(p, f, b);
    for (const Sum& s : mLayout.sums)
        drawSum(p, s);
    p.setBrush(Qt::NoBrush);
    for (const Text& t : mLayout.texts)
        drawText(p, f, t);
}

} // namespace kestrel
