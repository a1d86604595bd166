#pragma once
// The yellow "?" beside a control: a link into the help page at its anchor. Hidden until the
// help pointer is switched on.

#include <QLabel>

namespace kestrel {

class HelpLabel : public QLabel {
    Q_OBJECT
public:
    /// `anchor` is the help page's anchor without '#', e.g. "C51".
    HelpLabel(const QString& anchor, QWidget* parent = nullptr);
    const QString& anchor() const { return mAnchor; }

signals:
    /// The learner clicked the label: open the help at anchor().
    void activated(const QString& anchor);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString mAnchor;
};

} // namespace kestrel
