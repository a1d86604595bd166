#include "forms/blockdiagram.h"

#include "forms/blockdiagramlayout.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kestrel {

using namespace diagram;

namespace {

/// A caption of the layout (kept as its Japanese source) in the learner's language: the diagram's
/// own words, or a controller block named after its control type as the tabs name it. Formulas
/// have no translation and stay as they are.
QString shown(const QString& text) {
    if (text.isEmpty())
        return text;
    const QByteArray source = text.toUtf8();
    const QString own = BlockDiagram::tr(source.constData());
    return own != text ? own : QCoreApplication::translate("SetupCaptions", source.constData());
}

constexpr double kFontPx = 12, kSupScale = 0.75;
constexpr double kLineWidth = 1.1;
const QColor kOpenLoopColor(192, 192, 192);

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
    if (sup.isEmpty())
        return;
    p.setFont(f.sup);
    p.drawText(QPointF(x + f.mm.horizontalAdvance(text) + 1, y - f.mm.ascent() * 0.45), sup);
    p.setFont(f.main);
}

struct InsetParts {
    QString prefix, spaces, suffix;
};
InsetParts splitInset(const QString& t) {
    const qsizetype a = t.indexOf(' ');
    if (a < 0)
        return {t, {}, {}};
    qsizetype b = a;
    while (b < t.size() && t[b] == ' ')
        ++b;
    return {t.left(a), t.mid(a, b - a), t.mid(b)};
}

double fractionWidth(const Fonts& f, const QString& num, const QString& sup, const QString& den) {
    return std::max(runWidth(f, num, sup), f.mm.horizontalAdvance(den)) + 6;
}

double termWidth(const Fonts& f, const Term& t) {
    if (!t.den.isEmpty())
        return fractionWidth(f, t.text, t.sup, t.den);
    if (!t.num2.isEmpty()) {
        const InsetParts s = splitInset(t.text);
        const double gap = std::max(f.mm.horizontalAdvance(s.spaces), fractionWidth(f, t.num2, {}, t.den2));
        return f.mm.horizontalAdvance(s.prefix) + gap + f.mm.horizontalAdvance(s.suffix);
    }
    return runWidth(f, shown(t.text), t.sup);
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
        drawRun(p, f, x, baseline, shown(t.text), t.sup);
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
    if (len <= 0)
        return;
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
            if (len < 24)
                continue;
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
    if (w.branch)
        p.drawEllipse(pts.front(), 2.2, 2.2);
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
        case Side::Right:
            at += QPointF(d, fromTop ? d : -d + 1);
            break;
        }
        p.drawLine(at - QPointF(a, 0), at + QPointF(a, 0));
        if (plus)
            p.drawLine(at - QPointF(0, a), at + QPointF(0, a));
    }
}

void drawText(QPainter& p, const Fonts& f, const Text& t) {
    constexpr double big = 400;
    QRectF r(t.at.x() - big / 2, t.at.y() - big / 2, big, big);
    if (t.align & Qt::AlignLeft)
        r.moveLeft(t.at.x());
    if (t.align & Qt::AlignRight)
        r.moveRight(t.at.x());
    p.setFont(f.main);
    p.drawText(r, static_cast<int>((t.align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter), shown(t.text));
}

} // namespace

BlockDiagram::BlockDiagram(int page, QWidget* parent)
    : QWidget(parent), mPage(std::clamp(page, 0, 5)), mLayout(&layoutOf(mPage)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("ブロック図"));
    setAccessibleDescription(tr("制御ループの構成を示すブロック図"));
}

BlockDiagram::~BlockDiagram() = default;

void BlockDiagram::setFeedbackConnected(bool connected) {
    if (connected == mFeedback)
        return;
    mFeedback = connected;
    update();
}

void BlockDiagram::setProcessDetail(const ProcessDetail& detail) {
    if (detail == mDetail)
        return;
    mDetail = detail;
    mLayout = &layoutOf(mPage, mDetail);
    update();
}

QSize BlockDiagram::sizeHint() const {
    return {static_cast<int>(kW), static_cast<int>(kH)};
}
QSize BlockDiagram::minimumSizeHint() const {
    return {static_cast<int>(kW / 2), static_cast<int>(kH / 2)};
}

QTransform BlockDiagram::designToWidget() const {
    const double w = mLayout->width;
    const double s = std::min(width() / w, height() / kH);
    QTransform t;
    t.translate((width() - w * s) / 2, (height() - kH * s) / 2);
    t.scale(s, s);
    return t;
}

QStringList BlockDiagram::labels() const {
    QStringList out;
    for (const Box& b : mLayout->boxes)
        for (const Term& t : b.terms)
            for (const QString& s : {t.text, t.sup, t.den, t.num2, t.den2})
                if (!s.isEmpty())
                    out << shown(s);
    for (const Text& t : mLayout->texts)
        out << shown(t.text);
    return out;
}

QRect BlockDiagram::feedbackLineRect() const {
    // The longest horizontal run among the feedback wires is the one along the bottom.
    QLineF best;
    for (const Wire& w : mLayout->wires) {
        if (!w.feedback)
            continue;
        for (qsizetype i = 1; i < w.points.size(); ++i) {
            const QLineF seg(w.points[i - 1], w.points[i]);
            if (seg.dy() == 0 && std::abs(seg.dx()) > std::abs(best.dx()))
                best = seg;
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
    for (const QRectF& r : mLayout->frames)
        p.drawRect(r);
    for (int pass = 0; pass < 2; ++pass)
        for (const Wire& w : mLayout->wires)
            if (w.feedback == (pass == 1))
                drawWire(p, w, w.feedback && !mFeedback ? kOpenLoopColor : ink, back);

    p.setPen(QPen(ink, kLineWidth));
    p.setBrush(back);
    for (const Box& b : mLayout->boxes)
        drawBox(p, f, b);
    for (const Sum& s : mLayout->sums)
        drawSum(p, s);
    p.setBrush(Qt::NoBrush);
    for (const Text& t : mLayout->texts)
        drawText(p, f, t);
}

} // namespace kestrel
