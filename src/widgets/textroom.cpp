#include "widgets/textroom.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace kestrel {

int textRoom(const QLineEdit* e) {
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    return r.width() - e->textMargins().left() - e->textMargins().right() - 4;
}

} // namespace kestrel
