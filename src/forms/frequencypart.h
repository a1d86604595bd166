#pragma once
// 周波数応答: the Bode plot and the Nyquist curve of the loop L(jω) = C(jω)·P(jω) of the controller
// and process in force, with the gain and phase margins, their crossover frequencies and the
// maximum sensitivity Ms in a table. The simulator runs in discrete time; where its control period
// is long beside the dead time the sampled loop's figures are shown beside the continuous ones.
// It follows the parameter fields as they are typed (before OK), so a learner sees what a change
// would do before applying it.

#include "setup/setupdocument.h"
#include "tuning/frequency.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace kestrel {

class PlotCanvas;

/// The process model of the process fields and the process details as typed: K·e^(−L·s)/(1 + T·s),
/// the second lag T2 of a second-order process, the valve lag Tv and the sensor filter Tf, and for a
/// level tank the integrator (K a rate). The valve's deadband, backlash and stick-slip and the
/// noise are not linear and have no place in it.
struct ProcessModel {
    double K = 1, L = 0, T = 1;
    double T2 = 0, Tv = 0, Tf = 0;
    bool integrating = false;
};
/// Empty (with `error`) when a field is not a number.
std::optional<ProcessModel> processInForce(const SetupDocument& doc, std::string& error);
/// The model of a parameter set's process (as applied).
ProcessModel processOf(const ParameterSet& p);
/// The model named for the learner: its type and each time that acts, e.g.
/// "積分（液位） K 0.05 %/s/%, L 1 s, T 2 s, Tv 1 s".
QString describeProcess(const ProcessModel& m);
/// What a linear model leaves out, said once wherever the workbench uses the process in force.
extern const char* const kNonlinearNote;
/// The value of a parameter field as typed; empty when it is not a number.
std::optional<double> fieldNumber(const SetupDocument& doc, Field f);

class FrequencyPart : public QWidget {
    Q_OBJECT
public:
    FrequencyPart(AppState& state, SetupDocument& doc, QWidget* parent = nullptr);
    ~FrequencyPart() override;

    /// Uses this process model instead of the process fields, until a process field is typed or
    /// the process type changes. It stands for the whole process as identified (valve lag and
    /// sensor filter included); a tank's model integrates.
    void setModel(double K, double L, double T);

    /// What the part shows: the loop, its margins, and the sampled loop's where they matter.
    struct Figures {
        std::string error; ///< why nothing is drawn; empty when the loop is analysed
        QString process;   ///< the process the loop holds, named
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
