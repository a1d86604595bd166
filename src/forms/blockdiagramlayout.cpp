#include "forms/blockdiagramlayout.h"

#include "setup/fieldtable.h"
#include "widgets/qtext.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>

// The captions are kept as their Japanese sources; the diagram shows them in the learner's
// language when it paints (BlockDiagram::shown), so a kept layout serves both languages.

namespace kestrel::diagram {

namespace {

using Layout = BlockDiagram::Layout;

// Rows of the design area: the main signal path, the row of the second path below it, the
// feedback line at the bottom and the DV line at the top.
constexpr double kMain = 150, kSub = 212, kFb = 264, kDv = 26;
constexpr double kSvStart = 2;      // where the SV line starts
constexpr double kMvEnd = 327 - kR; // where the controller output meets the FF summing point

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
    l.text({left + width / 2, kMain - 28}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（P+I)"));
}

/// A derivative block on the second row fed from the left, its caption below.
void addDerivativeOnRow(Layout& l, double left) {
    l.box(boxAt(left + 33, kSub, 66, true), {frac(kDerivNum, kDerivDen)});
    l.text({left + 33, kSub + 29}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（D)"));
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

/// Everything right of the controller: MV, the feedforward and Kd summing points, the valve when
/// it acts, the process, the disturbance path, PV and the feedback line (through the sensor when
/// it acts) back to the summing point at `to` that it enters from below.
/// The process block centred at x (width w), its type's second lag or integrator, the disturbance
/// summing point at distX and the wire on to PV at the page's right edge `right`.
void addProcess(Layout& l, const BlockDiagram::ProcessDetail& d, double x, double w, double distX,
                double right) {
    if (d.hidden)
        l.box(boxAt(x, kMain, w, true), {txt("？")});
    else
        l.box(boxAt(x, kMain, w, true), {frac("Kpl・e", "1+Tpl・s", "-Lpl・s")});
    const int type = d.hidden ? 0 : d.type;
    if (type == 1 || type == 2) {
        // The second lag or the integrator folds under the process and enters the disturbance
        // summing point from below.
        constexpr double y = 200;
        const double sw = type == 1 ? 70 : 28;
        l.wire({{x, kMain + 20}, {x, y - 20}});
        if (type == 1)
            l.box(boxAt(x, y, sw, true), {frac("1", "1+Tpl2・s")});
        else
            l.box(boxAt(x, y, sw, true), {frac("1", "s")});
        l.wire({{x + sw / 2, y}, {distX, y}, {distX, kMain + kR}});
        l.sum({distX, kMain}, {{Side::Bottom, true}, {Side::Top, true}});
    } else {
        l.wire({{x + w / 2, kMain}, {distX - kR, kMain}});
        l.sum({distX, kMain}, {{Side::Left, true}, {Side::Top, true}});
    }
    l.wire({{distX + kR, kMain}, {right - 2, kMain}});
}

/// DV along the top from the feedforward block (centred at ffX, width ffW) to endX and down to
/// the box top there, with the branches down through the feedforward block and the Kd block at kdX.
void addDvFeeds(Layout& l, double ffX, double ffW, double kdX, double endX, double topBox, double topH) {
    l.text({ffX - ffW / 2 + 2, kDv - 10}, "DV", Qt::AlignLeft);
    l.wire({{ffX - ffW / 2, kDv}, {endX, kDv}, {endX, topBox}});
    l.wire({{ffX, kDv}, {ffX, topBox}}, false, true);
    l.box(QRectF(ffX - ffW / 2, topBox, ffW, topH),
          {txt("Kf"), frac("1+Tfp・s", "1+Tfd・s"), txt("e", "-Lf・s")});
    l.wire({{ffX, topBox + topH}, {ffX, kMain - kR}});
    l.wire({{kdX, kDv}, {kdX, 100}}, false, true);
    l.box(QRectF(kdX - 14, 100, 28, 24), {txt("Kd")});
    l.wire({{kdX, 124}, {kdX, kMain - kR}});
}

void addPlantSide(Layout& l, double controllerEnd, QPointF to, const BlockDiagram::ProcessDetail& d) {
    constexpr double ffX = kMvEnd + kR, kdX = 391, plantL = 413, plantW = 78, distX = 509, fbX = 527;
    constexpr double topBox = 44, topH = 38;
    constexpr double plantX = plantL + plantW / 2;

    l.wire({{controllerEnd, kMain}, {kMvEnd, kMain}});
    l.text({kMvEnd - 11, kMain - 10}, "MV", Qt::AlignRight);
    l.sum({ffX, kMain}, {{Side::Left, true}, {Side::Top, false}});
    if (d.valve && !d.hidden) {
        constexpr double valveX = (ffX + kdX) / 2, valveW = 24;
        l.wire({{ffX + kR, kMain}, {valveX - valveW / 2, kMain}});
        l.box(boxAt(valveX, kMain, valveW, false), {txt(QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "弁"))});
        l.wire({{valveX + valveW / 2, kMain}, {kdX - kR, kMain}});
        l.text({valveX, kMain + 28}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "バルブ"));
    } else {
        l.wire({{ffX + kR, kMain}, {kdX - kR, kMain}});
    }
    l.sum({kdX, kMain}, {{Side::Left, true}, {Side::Top, true}});
    l.wire({{kdX + kR, kMain}, {plantL, kMain}});
    addProcess(l, d, plantX, plantW, distX, kW);
    l.text({fbX + 2, kMain - 10}, "PV", Qt::AlignLeft);

    // DV runs along the top and branches down to the three blocks it drives.
    const double ffW = 104, dsX = plantX;
    addDvFeeds(l, ffX, ffW, kdX, dsX, topBox, topH);
    l.box(QRectF(plantL, topBox, plantW, topH), {frac("Kds・e", "1+Tds・s", "-Lds・s")});
    l.wire({{plantL + plantW, topBox + topH / 2}, {distX, topBox + topH / 2}, {distX, kMain - kR}});

    // The feedback line: from PV down, back along the bottom and up into the first summing point.
    if (!d.sensor) {
        l.wire({{fbX, kMain}, {fbX, kFb}, {to.x(), kFb}, {to.x(), to.y() + kR}}, true, true);
        l.text({430, kFb - 10}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "測定値"));
        return;
    }
    // The sensor on the way back: the noise is added, then the filter lags the sum.
    constexpr double noiseX = 500, filterX = 430, filterW = 64, filterH = 34;
    l.wire({{fbX, kMain}, {fbX, kFb}, {noiseX + kR, kFb}}, true, true);
    l.sum({noiseX, kFb}, {{Side::Right, true}, {Side::Top, true}});
    l.text({noiseX, kFb - 32}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "ノイズ"));
    l.wire({{noiseX, kFb - 24}, {noiseX, kFb - kR}});
    l.wire({{noiseX - kR, kFb}, {filterX + filterW / 2, kFb}}, true);
    l.box(QRectF(filterX - filterW / 2, kFb - filterH / 2, filterW, filterH), {frac("1", "1+Tf・s")});
    l.wire({{filterX - filterW / 2, kFb}, {to.x(), kFb}, {to.x(), to.y() + kR}}, true);
    l.text({360, kFb - 10}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "測定値"));
}

/// Proportional control alone.
void layoutP(Layout& l, const BlockDiagram::ProcessDetail& d) {
    addInput(l, 90);
    l.wire({{90 + kR, kMain}, {150, kMain}});
    l.box(boxAt(170, kMain, 40, false), {txt("Kp")});
    l.text({170, kMain - 22}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（P)"));
    addPlantSide(l, 190, {90, kMain}, d);
}

/// P+I.
void layoutPI(Layout& l, const BlockDiagram::ProcessDetail& d) {
    addInput(l, 80);
    l.wire({{80 + kR, kMain}, {140, kMain}});
    addPI(l, 140, 86);
    addPlantSide(l, 226, {80, kMain}, d);
}

/// PID on the error: P+I and D in parallel.
void layoutErrorPID(Layout& l, const BlockDiagram::ProcessDetail& d) {
    addInput(l, 70);
    l.wire({{70 + kR, kMain}, {130, kMain}});
    addPI(l, 130, 86);
    l.wire({{100, kMain}, {100, kSub}, {140, kSub}}, false, true);
    addDerivativeOnRow(l, 140);
    l.wire({{216, kMain}, {270 - kR, kMain}});
    l.wire({{206, kSub}, {270, kSub}, {270, kMain + kR}});
    l.sum({270, kMain}, {{Side::Left, true}, {Side::Bottom, true}});
    addPlantSide(l, 270 + kR, {70, kMain}, d);
}

/// I-PD: I on the error, P and D on the measurement.
void layoutIPD(Layout& l, const BlockDiagram::ProcessDetail& d) {
    addInput(l, 70);
    l.wire({{70 + kR, kMain}, {110, kMain}});
    l.box(boxAt(135, kMain, 50, true), {frac("Kp", "Ti・s")});
    l.text({135, kMain - 28}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（I)"));
    l.wire({{160, kMain}, {200 - kR, kMain}});
    l.sum({200, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
    addMeasurementBlock(l, 200, txt("Kp"), 32, false, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（P)"),
                        true);
    l.wire({{200 + kR, kMain}, {260 - kR, kMain}});
    l.sum({260, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
    addMeasurementBlock(l, 260, frac(kDerivNum, kDerivDen), 66, true,
                        QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（D)"), false);
    addPlantSide(l, 260 + kR, {70, kMain}, d);
}

/// PI-D: P+I on the error, D on the measurement.
void layoutPID(Layout& l, const BlockDiagram::ProcessDetail& d) {
    addInput(l, 70);
    l.wire({{70 + kR, kMain}, {120, kMain}});
    addPI(l, 120, 86);
    l.wire({{206, kMain}, {260 - kR, kMain}});
    l.sum({260, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
    addMeasurementBlock(l, 260, frac(kDerivNum, kDerivDen), 66, true,
                        QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "（D)"), false);
    addPlantSide(l, 260 + kR, {70, kMain}, d);
}

/// Two degrees of freedom: set-point filter for P+I, α·γ weight for D.
void layoutTwoDof(Layout& l, const BlockDiagram::ProcessDetail& d) {
    constexpr double j = 26, s1 = 172, s2 = 150, s3 = 284;
    l.text({kSvStart + 2, kMain - 10}, "SV", Qt::AlignLeft);
    l.wire({{kSvStart, kMain}, {44, kMain}});
    l.frames.push_back(QRectF(36, kMain - 30, 92, kSub + 22 - (kMain - 30)));
    l.text({82, kMain - 40}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "２自由度付加機能"));
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

    addPlantSide(l, s3 + kR, {s2, kSub}, d);
    // PV rises to the first summing point across the D path.
    l.wire({{s1, kFb}, {s1, kMain + kR}}, true, true);
    l.wires.back().bridge = true;
}

/// The two-part process: the primary as one block, in cascade the secondary controller with PV2
/// fed back to it, the inner part and its disturbance, the outer part (the process block with its
/// type) and the feedback line of PV, through the sensor when it acts.
void layoutTwoPart(Layout& l, int page, const BlockDiagram::ProcessDetail& d) {
    const bool cascade = d.loop == 1;
    constexpr double boxW = 78, topBox = 44, topH = 38;
    constexpr double primaryL = 24, primaryW = 96, primaryX = primaryL + primaryW / 2, ffX = 160, ffW = 104;

    l.text({kSvStart + 2, kMain - 10}, "SV", Qt::AlignLeft);
    l.wire({{kSvStart, kMain}, {primaryL, kMain}});
    l.box(boxAt(primaryX, kMain, primaryW, true), {txt(qtext(kTypePages[page]))});
    l.text({primaryX, kMain - 28}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "主調節計"));
    l.wire({{primaryL + primaryW, kMain}, {ffX - kR, kMain}});
    l.text({ffX - kR - 11, kMain - 10}, cascade ? "OP" : "MV", Qt::AlignRight);
    l.sum({ffX, kMain}, {{Side::Left, true}, {Side::Top, false}});

    // x0: where MV leaves for the valve.
    double x0 = ffX + kR;
    constexpr double sum2X = 205, secondaryL = 218, secondaryW = 80;
    if (cascade) {
        l.wire({{ffX + kR, kMain}, {sum2X - kR, kMain}});
        l.sum({sum2X, kMain}, {{Side::Left, true}, {Side::Bottom, false}});
        l.wire({{sum2X + kR, kMain}, {secondaryL, kMain}});
        const int type = std::clamp(d.secondaryType, 0, 2);
        l.box(boxAt(secondaryL + secondaryW / 2, kMain, secondaryW, true),
              {txt(qtext(kSecondaryTypes[type]))});
        l.text({secondaryL + secondaryW / 2, kMain - 28},
               QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "二次調節計"));
        x0 = secondaryL + secondaryW;
    }
    const double valveX = x0 + 34, kdX = x0 + 62, innerL = x0 + 82, innerX = innerL + boxW / 2;
    const double innerSum = innerL + boxW + 18, outerL = innerSum + 34, outerX = outerL + boxW / 2;
    const double distX = outerL + boxW + 18, fbX = distX + 28;
    l.width = std::max(kW, fbX + 30);

    if (cascade)
        l.text({valveX - 16, kMain - 10}, "MV", Qt::AlignRight);
    if (d.valve && !d.hidden) {
        constexpr double valveW = 24;
        l.wire({{x0, kMain}, {valveX - valveW / 2, kMain}});
        l.box(boxAt(valveX, kMain, valveW, false), {txt(QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "弁"))});
        l.wire({{valveX + valveW / 2, kMain}, {kdX - kR, kMain}});
        l.text({valveX, kMain + 28}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "バルブ"));
    } else {
        l.wire({{x0, kMain}, {kdX - kR, kMain}});
    }
    l.sum({kdX, kMain}, {{Side::Left, true}, {Side::Top, true}});
    l.wire({{kdX + kR, kMain}, {innerL, kMain}});
    if (d.hidden)
        l.box(boxAt(innerX, kMain, boxW, true), {txt("？")});
    else
        l.box(boxAt(innerX, kMain, boxW, true), {frac("Kin・e", "1+Tin・s", "-Lin・s")});
    l.wire({{innerL + boxW, kMain}, {innerSum - kR, kMain}});
    l.sum({innerSum, kMain}, {{Side::Left, true}, {Side::Top, true}});
    l.wire({{innerSum + kR, kMain}, {outerL, kMain}});
    if (cascade) {
        // PV2 back to the secondary's summing point, under the blocks.
        constexpr double y2 = 232;
        const double j = innerSum + 15;
        l.wire({{j, kMain}, {j, y2}, {sum2X, y2}, {sum2X, kMain + kR}}, false, true);
        l.text({(sum2X + j) / 2 + 60, y2 - 10}, "PV2");
    } else {
        l.text({innerSum + 19, kMain + 18}, "PV2");
    }

    addProcess(l, d, outerX, boxW, distX, l.width);
    l.text({fbX + 2, kMain - 10}, "PV", Qt::AlignLeft);

    // DV along the top, down to the feedforward, Kd, the inner disturbance and the outer path.
    addDvFeeds(l, ffX, ffW, kdX, outerX, topBox, topH);
    l.wire({{innerX, kDv}, {innerX, topBox}}, false, true);
    l.box(QRectF(innerL, topBox, boxW, topH), {frac("Kdin", "1+Tdin・s")});
    l.wire({{innerL + boxW, topBox + topH / 2}, {innerSum, topBox + topH / 2}, {innerSum, kMain - kR}});
    l.box(QRectF(outerL, topBox, boxW, topH), {frac("Kds・e", "1+Tds・s", "-Lds・s")});
    l.wire({{outerL + boxW, topBox + topH / 2}, {distX, topBox + topH / 2}, {distX, kMain - kR}});

    // PV back to the primary, entering its block from below.
    const QPointF to(primaryX, kMain + 20);
    if (!d.sensor) {
        l.wire({{fbX, kMain}, {fbX, kFb}, {to.x(), kFb}, {to.x(), to.y()}}, true, true);
        l.text({fbX - 97, kFb - 10}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "測定値"));
        return;
    }
    const double noiseX = fbX - 27, filterX = fbX - 97;
    constexpr double filterW = 64, filterH = 34;
    l.wire({{fbX, kMain}, {fbX, kFb}, {noiseX + kR, kFb}}, true, true);
    l.sum({noiseX, kFb}, {{Side::Right, true}, {Side::Top, true}});
    l.text({noiseX, kFb - 32}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "ノイズ"));
    l.wire({{noiseX, kFb - 24}, {noiseX, kFb - kR}});
    l.wire({{noiseX - kR, kFb}, {filterX + filterW / 2, kFb}}, true);
    l.box(QRectF(filterX - filterW / 2, kFb - filterH / 2, filterW, filterH), {frac("1", "1+Tf・s")});
    l.wire({{filterX - filterW / 2, kFb}, {to.x(), kFb}, {to.x(), to.y()}}, true);
    l.text({fbX - 167, kFb - 10}, QT_TRANSLATE_NOOP("kestrel::BlockDiagram", "測定値"));
}

Layout makeLayout(int page, const BlockDiagram::ProcessDetail& d) {
    Layout l;
    if (d.loop == 1 || d.loop == 2) {
        layoutTwoPart(l, page, d);
        return l;
    }
    switch (page) {
    case 0:
        layoutP(l, d);
        break;
    case 1:
        layoutPI(l, d);
        break;
    case 2:
        layoutErrorPID(l, d);
        break;
    case 3:
        layoutIPD(l, d);
        break;
    case 4:
        layoutPID(l, d);
        break;
    default:
        layoutTwoDof(l, d);
        break;
    }
    return l;
}

} // namespace

const Layout& layoutOf(int page, const BlockDiagram::ProcessDetail& given) {
    static std::map<int, Layout> layouts;
    BlockDiagram::ProcessDetail detail = given;
    detail.type = std::clamp(detail.type, 0, 2);
    detail.secondaryType = std::clamp(detail.secondaryType, 0, 2);
    int key = page +
              6 * (detail.type + 3 * (int(detail.valve) + 2 * (int(detail.sensor) + 2 * int(detail.hidden))));
    // Every other structure after the 144 single-loop layouts.
    if (detail.loop == 1 || detail.loop == 2)
        key += 144 * (detail.loop + 2 * detail.secondaryType);
    auto it = layouts.find(key);
    if (it == layouts.end())
        it = layouts.emplace(key, makeLayout(page, detail)).first;
    return it->second;
}

} // namespace kestrel::diagram
