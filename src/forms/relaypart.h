#pragma once
// 限界感度: the relay test on the process model. An on-off controller of amplitude d (with
// hysteresis ε) about a bias drives PV into a steady oscillation; its amplitude a and period Pu
// give the describing-function estimate Ku = 4d/(π·√(a² − ε²)). Beside it the exact ultimate
// point of the continuous model, so the learner sees how good the estimate is; either pair can be
// handed on to the tuning rules.

#include "tuning/relay.h"

#include <QWidget>

#include <optional>
#include <string>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace kestrel {

struct AppState;
class SetupDocument;
class PlotCanvas;
struct ProcessModel;

class RelayPart : public QWidget {
    Q_OBJECT
public:
    RelayPart(AppState& state, SetupDocument& doc, QWidget* parent = nullptr);
    ~RelayPart() override;

    /// Uses this process model instead of the process fields, until a process field is typed.
    void setModel(double K, double L, double T);

    /// "実行": runs the relay test with the amplitude, hysteresis and bias of the fields. True
    /// when it gave a result; otherwise the reason is shown.
    bool run();
    const std::optional<tuning::RelayResult>& result() const { return mResult; }
    /// The exact ultimate point of the model in use; empty where the model has none.
    const std::optional<tuning::UltimatePoint>& exact() const { return mExact; }
    /// What the part tells the learner (the figures, the reason of a failure).
    QString summary() const;

    void setAmplitude(double d);
    void setHysteresis(double epsilon);
    void setBias(double bias);

signals:
    /// The learner chose an ultimate gain and period for the tuning rules.
    void ultimateChosen(double Ku, double Pu);

private:
    std::optional<tuning::Fopdt> model(std::string& error) const;
    void modelChanged();
    bool tank() const;
    void paintTrace(QPainter& p, const QRectF& r) const;
    void showFigures();

    AppState& mState;
    SetupDocument& mDoc;
    int mListener = -1;
    std::optional<tuning::Fopdt> mModel;
    std::optional<tuning::RelayResult> mResult;
    std::optional<tuning::UltimatePoint> mExact;
    std::string mError;
    bool mCoarse = false; ///< the last run's control period was long beside the dead time
    QDoubleSpinBox* mAmplitude;
    QDoubleSpinBox* mHysteresis;
    QDoubleSpinBox* mBias;
    PlotCanvas* mCanvas;
    QLabel* mFigures;
    QPushButton* mUseEstimate;
    QPushButton* mUseExact;
};

} // namespace kestrel
