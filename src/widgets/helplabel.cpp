#include "widgets/helplabel.h"

#include <QMouseEvent>

namespace kestrel {

HelpLabel::HelpLabel(const QString& anchor, QWidget* parent) : QLabel("?", parent), mAnchor(anchor) {
    setObjectName("label" + anchor);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setStyleSheet(
        "QLabel { background: rgb(255,255,0); color: black; font-weight: bold; border: 1px solid gray; }");
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("ヘルプを開きます"));
    setFixedSize(16, 16);
    hide();
}

void HelpLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit activated(mAnchor);
    QLabel::mousePressEvent(event);
}

} // namespace kestrel
