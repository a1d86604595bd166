#pragma once
// IdentifyPart ("同定"): a kept step test read three ways. The learner picks a run; its PV (and MV
// on a strip below) is drawn with the response of each method's model over it and the tangent
// construction as the textbook draws it; a table sets the methods side by side, and "採用" on a
// row makes that model the workbench's model in force. A run on a cascade loop offers the
// signals the loop is tuned from, inner loop first: PV2 from MV (the secondary in manual), then
// PV from SV2 (the outer loop with the inner one closed).

#include "analysis/runstore.h"
#include "tuning/identify.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kestrel {

/// The chart of one step test: PV with the methods' model responses on the upper strip, MV on the
/// lower one; time in s from the run's start, both strips in %.
class StepTestChart : public QWidget {
    Q_OBJECT
public:
    explicit StepTestChart(QWidget* parent = nullptr);

    struct Curve {
        QString name;
        QColor colour;
        std::vector<double> t, y;
    };
    /// The run's series (t, pv, mv), the model curves and the tangent construction (none: not drawn).
    void setData(std::vector<double> t, std::vector<double> pv, std::vector<double> mv,
                 std::vector<Curve> curves, std::optional<tuning::TangentConstruction> tangent);
    /// The names of the response and the step ("PV", "MV" until told otherwise).
    void setNames(const QString& output, const QString& input);
    void clear();

    QSize sizeHint() const override { return {760, 420}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> mT, mPv, mMv;
    std::vector<Curve> mCurves;
    std::optional<tuning::TangentConstruction> mTangent;
    QString mOutput = "PV", mInput = "MV";
};

class IdentifyPart : public QWidget {
    Q_OBJECT
public:
    explicit IdentifyPart(const RunStore& store, QWidget* parent = nullptr);

    /// The runs in the store again (after a run was kept); the newest is chosen when it is new.
    void refreshRuns();
    /// Chooses run `number` in the list (nothing when it is not there).
    void selectRun(int number);
    /// The identification of the chosen run, none when it gave nothing.
    const std::optional<tuning::Identification>& identification() const { return mResult; }
    /// "閉ループで当てはめ": the closed loop of the chosen run fitted with its own controller,
    /// starting from the least-squares model; false (with the reason shown) when it cannot be.
    bool fitClosedLoop();
    const std::optional<tuning::ResponseFit>& closedLoopFit() const { return mClosedLoop; }
    /// The signals the chosen run is read from: PV from MV unless the learner chose another pair
    /// the run has.
    tuning::Signals signalPair() const;

signals:
    /// "採用" on a method's row.
    void modelAdopted(double K, double L, double T);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRun();

    const RunStore& mStore;
    /// The pairs of signals the chosen run offers.
    void offerSignals(const KeptRun* run);

    QComboBox* mRuns = nullptr;
    QComboBox* mSignals = nullptr;
    QLabel* mSignalsLabel = nullptr;
    StepTestChart* mChart = nullptr;
    QTableWidget* mTable = nullptr;
    QLabel* mError = nullptr;
    std::optional<tuning::Identification> mResult;
    std::optional<tuning::ResponseFit> mClosedLoop;
    int mClosedLoopRun = 0; ///< the run mClosedLoop was fitted to
    QPushButton* mFitClosedLoop = nullptr;
    int mNewest = 0;             ///< the newest run the list has shown
    std::uint64_t mRevision = 0; ///< the store's revision the list shows
};

} // namespace kestrel
