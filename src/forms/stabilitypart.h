#pragma once
// 安定領域: for PI control of the process model, the plane of Kp (across) and Ki = Kp/Ti (up) with
// the stable region shaded under its boundary, the curves of equal gain margin 2 and 3 (L scales
// linearly with (Kp, Ki), so the curve of GM = g is the boundary scaled by 1/g), the controller in
// force and the PI settings of the tuning rules. A click in the plane puts that Kp and
// Ti = Kp/Ki into the fields (PI page selected, fields yellow until OK).

#include "tuning/frequency.h"
#include "tuning/rules.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace kestrel {

struct AppState;
class SetupDocument;
class PlotCanvas;
struct PlotArea;

class StabilityPart : public QWidget {
    Q_OBJECT
public:
    StabilityPart(AppState& state, SetupDocument& doc, QWidget* parent = nullptr);
    ~StabilityPart() override;

    /// Uses this process model instead of the process fields, until a process field is typed.
    void setModel(double K, double L, double T);

    /// A marked point of the plane.
    struct Mark {
        QString label;
        double Kp, Ki;
    };
    /// What the plane shows: the boundary (empty with `error` when the model has none), Ku where
    /// it meets Ki = 0, the rules' PI settings and the controller in force (when its fields read).
    struct Figures {
        std::string error;
        std::vector<tuning::BoundaryPoint> boundary;
        double Ku = 0;
        std::vector<Mark> rules;
        std::optional<Mark> current;
    };
    const Figures& figures() const { return mFigures; }
    /// Whether (Kp, Ki) lies inside the stable region of the boundary drawn.
    bool stable(double Kp, double Ki) const;

    /// Chooses the point (Kp, Ki): selects the PI page when another is shown, then writes Kp and
    /// Ti = Kp/Ki into the fields. Refused (with the reason shown) for Kp or Ki not positive.
    bool clickAt(double Kp, double Ki);
    /// The line under the plane: what the last click did or why it was refused.
    QString status() const;

    void refresh();

private:
    PlotArea area(const QRectF& r) const;
    void paintPlane(QPainter& p, const QRectF& r) const;
    void clicked(QPointF at);

    AppState& mState;
    SetupDocument& mDoc;
    int mListener = -1;
    bool mWriting = false;
    std::optional<tuning::Loop> mModel; ///< the process of an adopted model (controller unused)
    Figures mFigures;
    PlotCanvas* mCanvas;
    QLabel* mStatus;
};

} // namespace kestrel
