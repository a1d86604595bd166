#include "forms/frmabout.h"

#include "widgets/picturebox.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <cmath>

// KESTREL_VERSION is the project version of the build (CMake's project()), the one the package and
// the software-centre description carry; a build without it is a mistake, not version 0.0.0.
#ifndef KESTREL_VERSION
#error "KESTREL_VERSION must be defined by the build"
#endif

namespace kestrel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The rights lines and the warning shown under them.
const char* const kRights[3] = {"Copyright © 2026", "The Kestrel developers", "All rights reserved."};
const char* const kDescription = QT_TRANSLATE_NOOP(
    "kestrel::frmAbout", "制御ループを組み立て、SV・PV・MV の動きを見ながら PID 制御を学ぶための教材です。");
const char* const kNotice = QT_TRANSLATE_NOOP(
    "kestrel::frmAbout",
    "警告：このプログラムは PID 制御を学ぶための教材です。表示される応答は数式モデルによる計算結果であり、"
    "実際のプラントの動きを保証するものではありません。実設備の運転や調整には使用しないで下さい。");

} // namespace

QString frmAbout::versionNumber(const QString& buildVersion) {
    const QStringList parts = buildVersion.trimmed().split('.');
    QStringList out;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint n = i < parts.size() ? parts[i].toUInt(&ok) : 0u;
        out << QString::number(ok ? n : 0u);
    }
    return out.join('.');
}

QString frmAbout::buildVersion() {
    return versionNumber(QStringLiteral(KESTREL_VERSION));
}

QPixmap frmAbout::drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    // The chart paper of the controller panel.
    p.setPen(QPen(QColor(128, 128, 128), std::max(1.0, s / 48)));
    p.setBrush(QColor(64, 64, 64));
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s / 8, s / 8);
    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    for (int i = 1; i <= 3; ++i)
        p.drawLine(QPointF(s * 0.1, s * i / 4), QPointF(s * 0.9, s * i / 4));

    // SV steps up at t0; PV answers as an underdamped loop: overshoot, then it settles on SV.
    const double left = s * 0.1, right = s * 0.9, low = s * 0.78, high = s * 0.36;
    const double t0 = s * 0.22;
    p.setPen(QPen(QColor(0, 255, 0), std::max(1.0, s / 28)));
    p.drawPolyline(
        QPolygonF({QPointF(left, low), QPointF(t0, low), QPointF(t0, high), QPointF(right, high)}));

    QPainterPath pv(QPointF(left, low));
    pv.lineTo(t0, low);
    const double zeta = 0.3, wn = 11.0; // damping ratio, natural frequency over the width
    const double wd = wn * std::sqrt(1 - zeta * zeta);
    for (int i = 1; i <= 60; ++i) {
        const double t = i / 60.0; // fraction of the span after the step
        const double r = 1 - std::exp(-zeta * wn * t) *
                                 (std::cos(wd * t) + zeta / std::sqrt(1 - zeta * zeta) * std::sin(wd * t));
        pv.lineTo(t0 + t * (right - t0), low - r * (low - high));
    }
    p.setPen(QPen(QColor(255, 255, 0), std::max(1.5, s / 20), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pv);
    return pixmap;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(QString::fromUtf8(kTitle)));
    setModal(false);

    mPicIcon = new QLabel(this);
    mPicIcon->setObjectName("picIcon");
    place(mPicIcon, 240, 240, 720, 720);
    const qreal dpr = devicePixelRatioF();
    QPixmap icon = drawIcon(static_cast<int>(std::lround(px(720) * dpr)));
    icon.setDevicePixelRatio(dpr);
    mPicIcon->setPixmap(icon);
    setWindowIcon(QIcon(drawIcon(64)));

    mLblTitle = new QLabel(kCrLf + QString::fromUtf8(kTitle) + kCrLf + tr(kSubtitle), this);
    mLblTitle->setObjectName("lblTitle");
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(font().pointSizeF() * 1.35);
    mLblTitle->setFont(titleFont);
    mLblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(mLblTitle, 1200, 0, 5040, 1080);

    mLblVersion = new QLabel(tr("ﾊﾞｰｼﾞｮﾝ %1").arg(buildVersion()), this);
    mLblVersion->setObjectName("lblVersion");
    place(mLblVersion, 1200, 1140, 5040, 285);

    mLblDescription = new QLabel(tr(kDescription), this);
    mLblDescription->setObjectName("lblDescription");
    mLblDescription->setWordWrap(true);
    mLblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(mLblDescription, 1200, 1485, 5040, 555);

    auto* rule = new QFrame(this);
    rule->setObjectName("Line1");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    place(rule, 120, 2100, 6180, 30);

    QString rights;
    for (const char* line : kRights)
        rights += kCrLf + QString::fromUtf8(line);
    mLblRights = new QLabel(rights, this);
    mLblRights->setObjectName("lblRights");
    mLblRights->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(mLblRights, 240, 2040, 4320, 1020);

    mCmdOK = new QPushButton("OK", this);
    mCmdOK->setObjectName("cmdOK");
    mCmdOK->setDefault(true);
    place(mCmdOK, 4980, 2400, 1260, 375);
    connect(mCmdOK, &QPushButton::clicked, this, &QDialog::close);

    mLblDisclaimer = new QLabel(kCrLf + tr(kNotice), this);
    mLblDisclaimer->setObjectName("lblDisclaimer");
    mLblDisclaimer->setWordWrap(true);
    mLblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(mLblDisclaimer, 240, 3060, 6000, 1140);

    setFixedSize(px(6420), px(4320));
}

void frmAbout::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Another window became active: the version window goes away.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        close();
}

} // namespace kestrel
