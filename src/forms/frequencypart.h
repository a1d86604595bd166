#pragma once
// 周波数応答: the Bode plot and the Nyquist curve of the loop L(jω) = C(jω)·P(jω) of the controller
// and process in force, with the gain and phase margins, their crossover frequencies and the
// maximum sensitivity Ms in a table. The simulator runs in discrete time; where its control period
// is long beside the dead time the sampled loop's figures are shown beside the continuous ones.
// It follows the parameter fields as they are typed (before OK), so a learner sees what a change
// would do before applying it.

#include "setup/setupdocument.h"
#include "tuning/frequency.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace kestrel {

class PlotCanvas;

/// The process model K·e^(−L·s)/(1 + T·s) of the process fields as typed; empty (with `error`) when
/// a field is not a number.
struct ProcessModel {
    double K = 1, L = 0, T = 1;
};
std::optional<ProcessModel> processInForce(const SetupDocument& doc, std::string& error);
/// The value of a parameter field as typed; empty when it is not a number.
std::optional<double> fieldNumber(const SetupDocument& doc, Field f);

class FrequencyPart : public QWidget {
    Q_OBJECT
public:
    FrequencyPart(AppState& state, SetupDocument& doc, QWidget* parent = nullptr);
    ~FrequencyPart() override;

    /// Uses this process model instead of the process fields, until a process field is typed.
    void setModel(double K, double L, double T);

    /// What the part shows: the loop, its margins, and the sampled loop's where they matter.
    struct Figures {
        std::string error; ///< why nothing is drawn; empty when the loop is analysed
        tuning::Loop loop;
        double dt = 0.1;
        tuning::Margins continuous;
        std::optional<tuning::Margins> sampled;
    };
    const Figures& figures() const { return mFigures; }

    /// Reads the fields again and redraws.
    void refresh();

private:
    void paintBode(QPainter& p, const QRectF& r) const;
    void paintNyquist(QPainter& p, const QRectF& r) const;
    void fillTable();

    AppState& mState;
    SetupDocument& mDoc;
    int mListener = -1;
    std::optional<ProcessModel> mModel;
    Figures mFigures;
    std::vector<tuning::BodePoint> mBode;
    std::vector<tuning::NyquistPoint> mNyquist;
    PlotCanvas* mBodeCanvas;
    PlotCanvas* mNyquistCanvas;
    QTableWidget* mTable;
    QLabel* mNote;
};

} // namespace kestrel
