#pragma once
// BlockDiagram: the block diagram of one controller structure, shown on a page of the main
// window's control-type tab.
//
// Every page draws the same loop from left to right: SV enters, passes the controller of the
// page (set-point filter and α·γ weight for the two-degree-of-freedom page, summing points, the
// P, I and D blocks), leaves as MV, meets the feedforward compensator Kf·e^(−Lf·s)(1+Tfp·s)/
// (1+Tfd·s) of DV (subtracted) and the disturbance Kd·DV (added) at the process input, passes
// the process Kpl·e^(−Lpl·s)/(1+Tpl·s), receives the disturbance path Kds·e^(−Lds·s)/(1+Tds·s)
// of DV at the process output and leaves as PV, from where the feedback line ("測定値") runs
// back to every point that uses PV.
//
// The drawing is vector work on a design area of 550 × 280 pixels (8250 × 4200 twips), scaled
// to the widget's size with its aspect ratio kept and centred; lines, boxes and texts are in the
// window-text colour on the window background, texts in the widget's font family at a size that
// fits the design (a wider family is shrunk to fit inside its block). The feedback line is
// drawn in the window-text colour while the loop is closed and light grey (192, 192, 192) while
// it is open.
//
// Beyond the ideal loop the page shows what acts in the process: the valve block "弁" between
// the feedforward and the Kd summing points, a second lag 1/(1+Tpl2·s) or an integrator 1/s
// after the process (folded under it, entering the disturbance summing point from below), and the
// sensor on the feedback line (the noise σ·z added, then the filter 1/(1+Tf·s)). While the process
// is hidden the process block shows "？" and neither the valve nor the process type is drawn.
//
// On a two-part process (loop structure 1 or 2) the page draws the primary controller as one
// block named after its control type, fed by SV and by PV from below, and the process in its two
// parts: the inner part Kin·e^(−Lin·s)/(1+Tin·s) after the Kd summing point, the inner
// disturbance Kdin/(1+Tdin·s) of DV added to give PV2, then the outer part (the process block).
// In cascade control (1) the secondary controller, named after its type, stands between the
// primary's output OP and MV and PV2 is fed back to its summing point; the design area is then
// wider (664 × 280) and scaled down to fit. Hidden, the inner block shows "？" too.

#include <QStringList>
#include <QWidget>

namespace kestrel {

class BlockDiagram : public QWidget {
    Q_OBJECT
public:
    /// Pages in the order of the control-type tab: 0 P, 1 PI, 2 error PID, 3 I-PD, 4 PI-D,
    /// 5 two-degree-of-freedom PID. A page outside 0..5 is taken as the nearest of them.
    explicit BlockDiagram(int page, QWidget* parent = nullptr);
    ~BlockDiagram() override;

    int page() const { return mPage; }

    /// Closed loop (the feedback line in the window-text colour) or open loop (light grey).
    void setFeedbackConnected(bool connected);
    bool feedbackConnected() const { return mFeedback; }

    /// What the page shows beyond the ideal loop. The default is the ideal loop.
    struct ProcessDetail {
        int type = 0;          ///< 0 first order, 1 second order (Tpl2), 2 integrating
        bool valve = false;    ///< a valve stage acts
        bool sensor = false;   ///< noise or a sensor filter acts
        bool hidden = false;   ///< a challenge hides the process
        int loop = 0;          ///< loop structure: 0 single, 1 cascade, 2 single on the two-part process
        int secondaryType = 1; ///< the secondary controller's type (0 P, 1 PI, 2 PID), drawn in cascade
        bool operator==(const ProcessDetail&) const = default;
    };
    void setProcessDetail(const ProcessDetail& detail);
    const ProcessDetail& processDetail() const { return mDetail; }

    /// The design size of the single loop, 550 × 280 pixels.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// For tests: every text the page draws, in drawing order.
    QStringList labels() const;
    /// For tests: the bottom run of the feedback line in widget pixels, a few pixels high.
    QRect feedbackLineRect() const;

    /// The boxes, lines, summing points and texts of a page, built once per page.
    struct Layout;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// Design units to widget pixels for the current size.
    QTransform designToWidget() const;

    int mPage;
    bool mFeedback = true;
    ProcessDetail mDetail;
    const Layout* mLayout;
};

} // namespace kestrel
