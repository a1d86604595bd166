#pragma once
// Small pointer images of the controller panel (the SV pointer beside the PV bar, the DV pointer
// beside the chart) that report the mouse in twips, as the panel's drag rules are written. With the
// focus (Tab or a click) they show a focus frame, and the arrow keys step them: Up and Down by one
// unit of their scale, Page Up and Page Down by ten.

#include "core/palette.h"

#include <QWidget>

namespace kestrel {

class PointerImage : public QWidget {
    Q_OBJECT
public:
    /// A triangle of the given size in pixels, its tip towards the left or the right.
    PointerImage(int widthPx, int heightPx, bool pointsLeft, Rgb colour, QWidget* parent = nullptr);
    void setColour(Rgb colour);

signals:
    /// A key asked to move the pointer by `units` of its scale (positive: up).
    void stepped(int units);
    void mouseDown();
    /// The mouse moved with a button held; y in twips within the image.
    void mouseMove(double y);
    void mouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool mLeft;
    Rgb mColour;
};

/// The MV slider: 0..100, a press sets the value from where the mouse is on its 1090-twip track.
class MvSlider : public QWidget {
    Q_OBJECT
public:
    explicit MvSlider(QWidget* parent = nullptr);
    int value() const { return mValue; }
    void setValue(int v);

    static constexpr double kTrackStart = 130.0; // twips from the left edge
    static constexpr double kTrackLength = 1090.0;

signals:
    /// A press at x twips from the left edge.
    void pressed(double x);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int mValue = 50;
};

} // namespace kestrel
