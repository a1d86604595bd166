#pragma once
// AnalysisWindow ("解析"): the kept runs side by side. A list of the runs (the checked ones are
// drawn), the channels to draw (the inner loop's SV2, PV2, P2, I2, D2 offered while a kept run has
// them), the chart with its time cursor, a read-out of every drawn run's
// values at the cursor, the measures of every run, and hard copies (CSV, image, PDF report) and
// CSV import.
//
// The window is a view over the panel's RunStore: a kept run is appended as a new checked row;
// an imported run is added to the store and listed the same way.

#include "analysis/runstore.h"
#include "core/messageservice.h"
#include "panel/frmcontroller.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrel {

class AnalysisChart;

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    AnalysisWindow(RunStore& store, MessageService& messages, QWidget* parent = nullptr);

    /// A run was kept in the store: its row is appended, checked (runs the store dropped go).
    void runKept(int number);

    /// The checked runs, in the list's order.
    std::vector<const KeptRun*> drawnRuns() const;
    /// Checks or unchecks the row of run `number`.
    void setRunDrawn(int number, bool on);
    /// Puts the time cursor at t (s), as a click on the chart does.
    void setCursorTime(double t);

    // What the buttons do once they have a path; each tells the learner about a failure itself.
    /// The checked runs (or `runs`) as CSV (UTF-8).
    bool saveCsv(const QString& path);
    bool saveCsv(const QString& path, const std::vector<const KeptRun*>& runs);
    /// Adds the runs of a CSV file to the store and the list; nothing when the file is no such CSV.
    bool loadCsv(const QString& path);
    /// The chart at `size`: PNG, or SVG when the path ends in ".svg".
    bool saveImage(const QString& path, QSize size);
    /// The PDF report of the drawn runs.
    bool saveReport(const QString& path);

    /// The panel's export of the runs on its graph: asks for a path, then writes them as `kind`
    /// with this window's channels.
    void exportRuns(RunExport kind, const QList<int>& numbers);

    AnalysisChart& chart() { return *mChart; }
    /// The learner's colour-safe pens and run line styles: the chart, the exports and the
    /// list's colour swatches follow them.
    void setPenOptions(bool safeColours, bool runLineStyles);

signals:
    /// "調整...": the tuning workbench.
    void tuningRequested();

private:
    void buildControls();
    void appendRun(const KeptRun& run, bool drawn);
    void dropVanishedRuns();
    /// The inner loop's channel boxes and read-out columns, shown while a kept run has the channel.
    void offerChannels();
    void refreshDrawn();
    void updateReadout();
    std::vector<Channel> chosenChannels() const;
    bool writeImage(const AnalysisChart& chart, QString path, QSize size);
    bool writeReport(const AnalysisChart& chart, QString path);
    /// A chart of `runs` as this one draws them, for the panel's exports.
    void configureLike(AnalysisChart& chart, const std::vector<const KeptRun*>& runs) const;
    QString askSavePath(const QString& title, const QString& name, const QString& filters,
                        QString* selectedFilter = nullptr);
    bool askImageSize(QSize& size);

    void onSaveCsv();
    void onLoadCsv();
    void onSaveImage();
    void onReport();

    RunStore& mStore;
    MessageService& mMessages;
    QString mFolder; ///< where the last file was saved or read

    QTreeWidget* mList = nullptr;
    std::array<QCheckBox*, kChannelCount> mChannels{};
    QCheckBox* mLimits = nullptr;
    AnalysisChart* mChart = nullptr;
    QTableWidget* mReadout = nullptr;
    QTableWidget* mMetrics = nullptr;
};

} // namespace kestrel
