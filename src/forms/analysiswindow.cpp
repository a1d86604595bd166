#include "forms/analysiswindow.h"

#include "analysis/runcsv.h"
#include "forms/analysischart.h"
#include "forms/runexport.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>
#include <sstream>

namespace kestrel {

namespace {

const QString kNone = "—";
constexpr int kNumberRole = Qt::UserRole;
constexpr int kLimitColumn = kChannelCount + 1;

QIcon swatch(Rgb colour) {
    QPixmap pm(14, 14);
    pm.fill(toQColor(colour));
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

QString runName(const KeptRun& run) {
    return AnalysisWindow::tr("ラン %1").arg(run.number);
}

/// Pens for an imported run that came without them (black would vanish on the chart's black).
constexpr std::array<Rgb, 6> kImportPens{rgb(255, 255, 255), rgb(255, 255, 0), rgb(255, 0, 255),
                                         rgb(255, 0, 0),     rgb(0, 255, 255), rgb(0, 255, 0)};

} // namespace

AnalysisWindow::AnalysisWindow(RunStore& store, MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), mStore(store), mMessages(messages), mFolder(QDir::homePath()) {
    setObjectName("frmAnalysis");
    setWindowTitle(tr("解析"));
    buildControls();
    mList->setUpdatesEnabled(false);
    for (const KeptRun& run : mStore.runs())
        appendRun(run, true);
    mList->setUpdatesEnabled(true);
    refreshDrawn();
    resize(1180, 780);
}

void AnalysisWindow::buildControls() {
    auto button = [this](const QString& caption, const char* name, void (AnalysisWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    mChart = new AnalysisChart(this);
    connect(mChart, &AnalysisChart::cursorMoved, this, [this] { updateReadout(); });

    auto* top = new QHBoxLayout;
    auto* reset = new QPushButton(tr("リセット"), this);
    reset->setObjectName("cmdReset");
    connect(reset, &QPushButton::clicked, mChart, &AnalysisChart::resetView);
    mLimits = new QCheckBox(tr("制限の表示"), this);
    mLimits->setObjectName("chkLimits");
    mLimits->setChecked(true);
    connect(mLimits, &QCheckBox::toggled, mChart, &AnalysisChart::setLimitsShown);
    auto* hint =
        new QLabel(tr("クリック: カーソル　ホイール: 時間軸の拡大　右ドラッグ (Shift+ドラッグ): 範囲の拡大"
                      "　ダブルクリック: 全体"),
                   this);
    hint->setStyleSheet("color: #555;");
    top->addWidget(reset);
    top->addWidget(mLimits);
    top->addSpacing(12);
    top->addWidget(hint, 1);
    top->addWidget(button(tr("CSV保存..."), "cmdSaveCsv", &AnalysisWindow::onSaveCsv));
    top->addWidget(button(tr("CSV読込..."), "cmdLoadCsv", &AnalysisWindow::onLoadCsv));
    top->addWidget(button(tr("画像保存..."), "cmdSaveImage", &AnalysisWindow::onSaveImage));
    top->addWidget(button(tr("レポート..."), "cmdReport", &AnalysisWindow::onReport));
    auto* tuning = new QPushButton(tr("調整..."), this);
    tuning->setObjectName("cmdTuning");
    tuning->setToolTip(tr("ステップ試験のランからモデルを同定し、調整則で PID のパラメータを求めます。"));
    connect(tuning, &QPushButton::clicked, this, &AnalysisWindow::tuningRequested);
    top->addWidget(tuning);

    mList = new QTreeWidget(this);
    mList->setObjectName("runList");
    mList->setColumnCount(2);
    mList->setHeaderLabels({tr("ラン"), tr("設定")});
    mList->setRootIsDecorated(false);
    mList->setUniformRowHeights(true);
    // The settings are long: the list scrolls sideways rather than cutting them off.
    mList->header()->setStretchLastSection(false);
    mList->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    mList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    mList->setColumnWidth(0, 170);
    connect(mList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column == 0)
            refreshDrawn();
    });

    auto* channels = new QGroupBox(tr("チャンネル"), this);
    auto* grid = new QGridLayout(channels);
    for (int c = 0; c < kChannelCount; ++c) {
        const Channel ch = static_cast<Channel>(c);
        mChannels[c] = new QCheckBox(qtext(channelName(ch)), channels);
        mChannels[c]->setObjectName(QString("chkChannel%1").arg(c));
        mChannels[c]->setChecked(ch == Channel::SV || ch == Channel::PV || ch == Channel::MV);
        connect(mChannels[c], &QCheckBox::toggled, this, [this] { mChart->setChannels(chosenChannels()); });
        // The inner loop's channels on rows of their own, under the loop's.
        const int at = isInnerChannel(ch) ? c - static_cast<int>(Channel::SV2) + 20 : c;
        grid->addWidget(mChannels[c], at / 4, at % 4);
    }

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(mList, 1);
    leftLayout->addWidget(channels);

    QStringList readoutHeaders{tr("時刻")};
    for (int c = 0; c < kChannelCount; ++c)
        readoutHeaders << qtext(channelName(static_cast<Channel>(c)));
    readoutHeaders << tr("制限");
    mReadout = new QTableWidget(0, static_cast<int>(readoutHeaders.size()), this);
    mReadout->setObjectName("readout");
    mReadout->setHorizontalHeaderLabels(readoutHeaders);
    mReadout->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mReadout->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    mReadout->horizontalHeader()->setSectionResizeMode(kLimitColumn, QHeaderView::ResizeToContents);
    mReadout->horizontalHeader()->setMinimumSectionSize(44);

    mMetrics = new QTableWidget(0, 1 + static_cast<int>(metricsHeaders().size()), this);
    mMetrics->setObjectName("metrics");
    mMetrics->setHorizontalHeaderLabels(QStringList{tr("ラン")} + metricsHeaders());
    mMetrics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mMetrics->verticalHeader()->hide();
    mMetrics->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("analysisTabs");
    tabs->addTab(mReadout, tr("読み取り"));
    tabs->addTab(mMetrics, tr("評価"));

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(mChart);
    right->addWidget(tabs);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({330, 850});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
}

// --- The list of runs ----------------------------------------------------------------------------

void AnalysisWindow::appendRun(const KeptRun& run, bool drawn) {
    const QSignalBlocker quiet(mList);
    auto* item = new QTreeWidgetItem(mList);
    item->setData(0, kNumberRole, run.number);
    item->setText(0, runTitle(run));
    item->setToolTip(0, qtext(run.label) + (run.source.empty() ? "" : "\n" + qtext(run.source)));
    item->setIcon(0, swatch(penShown(run.pens[1], mChart->safeColours())));
    item->setCheckState(0, drawn ? Qt::Checked : Qt::Unchecked);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const QString summary = qtext(settingsSummary(run));
    item->setText(1, summary);
    item->setToolTip(1, summary);

    const int row = mMetrics->rowCount();
    mMetrics->insertRow(row);
    mMetrics->setItem(row, 0, new QTableWidgetItem(runName(run)));
    const QStringList cells = metricsCells(run);
    for (int c = 0; c < cells.size(); ++c) {
        auto* cell = new QTableWidgetItem(cells[c]);
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        mMetrics->setItem(row, c + 1, cell);
    }
}

void AnalysisWindow::dropVanishedRuns() {
    // The store keeps the latest runs only; the oldest rows go first.
    while (mList->topLevelItemCount() > 0 &&
           !mStore.find(mList->topLevelItem(0)->data(0, kNumberRole).toInt())) {
        delete mList->takeTopLevelItem(0);
        mMetrics->removeRow(0);
    }
}

void AnalysisWindow::runKept(int number) {
    dropVanishedRuns();
    if (const KeptRun* run = mStore.find(number)) {
        appendRun(*run, true);
        refreshDrawn();
    }
}

void AnalysisWindow::setRunDrawn(int number, bool on) {
    for (int i = 0; i < mList->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* item = mList->topLevelItem(i); item->data(0, kNumberRole).toInt() == number)
            item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

std::vector<const KeptRun*> AnalysisWindow::drawnRuns() const {
    std::vector<const KeptRun*> runs;
    for (int i = 0; i < mList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = mList->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            if (const KeptRun* run = mStore.find(item->data(0, kNumberRole).toInt()))
                runs.push_back(run);
    }
    return runs;
}

std::vector<Channel> AnalysisWindow::chosenChannels() const {
    std::vector<Channel> chosen;
    for (int c = 0; c < kChannelCount; ++c)
        if (mChannels[c]->isChecked())
            chosen.push_back(static_cast<Channel>(c));
    return chosen;
}

void AnalysisWindow::offerChannels() {
    for (int c = static_cast<int>(Channel::SV2); c < kChannelCount; ++c) {
        const auto channel = static_cast<Channel>(c);
        const bool offered = std::any_of(mStore.runs().begin(), mStore.runs().end(),
                                         [&](const KeptRun& run) { return channelInUse(run, channel); });
        mChannels[c]->setVisible(offered);
        mReadout->setColumnHidden(c + 1, !offered);
    }
}

void AnalysisWindow::refreshDrawn() {
    offerChannels();
    const std::vector<const KeptRun*> runs = drawnRuns();
    mChart->setRuns(runs);

    // The read-out: one row per drawn run, its cells made here and only rewritten as the cursor moves.
    mReadout->setRowCount(static_cast<int>(runs.size()));
    for (int r = 0; r < static_cast<int>(runs.size()); ++r) {
        auto* head = new QTableWidgetItem(swatch(penShown(runs[r]->pens[1], mChart->safeColours())),
                                          runName(*runs[r]));
        mReadout->setVerticalHeaderItem(r, head);
        for (int c = 0; c < mReadout->columnCount(); ++c)
            if (!mReadout->item(r, c)) {
                auto* cell = new QTableWidgetItem(kNone);
                cell->setTextAlignment((c == kLimitColumn ? Qt::AlignLeft : Qt::AlignRight) |
                                       Qt::AlignVCenter);
                mReadout->setItem(r, c, cell);
            }
    }
    updateReadout();

    // The metrics table marks the drawn runs.
    std::set<int> drawn;
    for (const KeptRun* run : runs)
        drawn.insert(run->number);
    for (int i = 0; i < mList->topLevelItemCount() && i < mMetrics->rowCount(); ++i) {
        const int number = mList->topLevelItem(i)->data(0, kNumberRole).toInt();
        const bool on = drawn.count(number) > 0;
        QTableWidgetItem* cell = mMetrics->item(i, 0);
        const QString text = (on ? tr("● ラン %1") : tr("　 ラン %1")).arg(number);
        if (cell->text() != text)
            cell->setText(text);
    }
}

void AnalysisWindow::setCursorTime(double t) {
    mChart->setCursorTime(t);
    updateReadout();
}

void AnalysisWindow::updateReadout() {
    const std::optional<double> t = mChart->cursorTime();
    const auto& runs = mChart->runs();
    auto set = [this](int r, int c, const QString& text) {
        QTableWidgetItem* cell = mReadout->item(r, c);
        if (cell && cell->text() != text)
            cell->setText(text);
    };
    for (int r = 0; r < static_cast<int>(runs.size()) && r < mReadout->rowCount(); ++r) {
        const KeptRun& run = *runs[r];
        const std::optional<std::size_t> i = t ? sampleAt(run, *t) : std::nullopt;
        if (!i) {
            for (int c = 0; c < mReadout->columnCount(); ++c)
                set(r, c, kNone);
            continue;
        }
        set(r, 0, QString::number(run.time[*i], 'f', 2));
        for (int c = 0; c < kChannelCount; ++c) {
            const auto channel = static_cast<Channel>(c);
            const bool shown = channelInUse(run, channel) && signalPresent(channel, run.value(channel, *i));
            set(r, c + 1, shown ? QString::number(run.value(channel, *i), 'f', 2) : kNone);
        }
        const std::optional<std::size_t> k = stepAt(run, *t);
        set(r, kLimitColumn, k ? qtext(limitName(limitAt(run, *k))) : kNone);
    }
}

// --- Files ---------------------------------------------------------------------------------------

bool AnalysisWindow::saveCsv(const QString& path) {
    return saveCsv(path, drawnRuns());
}

bool AnalysisWindow::saveCsv(const QString& path, const std::vector<const KeptRun*>& runs) {
    if (runs.empty()) {
        mMessages.showMessage(tr("保存するランがありません。チェックしたランが保存されます。").toStdString());
        return false;
    }
    std::ostringstream text;
    writeRunsCsv(text, runs);
    const std::string bytes = text.str();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        mMessages.showMessage(tr("ファイルに書き込めませんでした。\n%1").arg(path).toStdString());
        return false;
    }
    return true;
}

bool AnalysisWindow::loadCsv(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        mMessages.showMessage(tr("ファイルを読み込めませんでした。\n%1").arg(path).toStdString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::istringstream in(bytes.toStdString());
    std::string error;
    std::vector<KeptRun> runs = readRunsCsv(in, path.toStdString(), error);
    if (runs.empty()) {
        mMessages.showMessage(tr("ランの CSV ファイルとして読み込めませんでした。\n%1\n%2")
                                  .arg(path, qtext(error))
                                  .toStdString());
        return false;
    }
    dropVanishedRuns();
    std::size_t pen = 0;
    for (KeptRun& run : runs) {
        if (run.pens[1] == 0)
            run.pens[1] = kImportPens[pen++ % kImportPens.size()];
        const KeptRun& kept = mStore.add(std::move(run));
        dropVanishedRuns();
        appendRun(kept, true);
    }
    refreshDrawn();
    return true;
}

void AnalysisWindow::setPenOptions(bool safeColours, bool runLineStyles) {
    mChart->setPenOptions(safeColours, runLineStyles);
    for (int i = 0; i < mList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = mList->topLevelItem(i);
        if (const KeptRun* run = mStore.find(item->data(0, kNumberRole).toInt()))
            item->setIcon(0, swatch(penShown(run->pens[1], safeColours)));
    }
    updateReadout();
}

void AnalysisWindow::configureLike(AnalysisChart& chart, const std::vector<const KeptRun*>& runs) const {
    chart.setPenOptions(mChart->safeColours(), mChart->runLineStyles());
    chart.setChannels(mChart->channels());
    chart.setLimitsShown(mChart->limitsShown());
    chart.setRuns(runs);
}

bool AnalysisWindow::writeImage(const AnalysisChart& chart, QString path, QSize size) {
    QString error;
    if (!writeChartImage(chart, path, size, error)) {
        mMessages.showMessage(error.toStdString());
        return false;
    }
    return true;
}

bool AnalysisWindow::writeReport(const AnalysisChart& chart, QString path) {
    if (chart.runs().empty()) {
        mMessages.showMessage(
            tr("レポートに載せるランがありません。チェックしたランが載ります。").toStdString());
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty())
        path += ".pdf";
    QString error;
    if (!writeRunReport(chart, path, QDateTime::currentDateTime(), error)) {
        mMessages.showMessage(error.toStdString());
        return false;
    }
    return true;
}

bool AnalysisWindow::saveImage(const QString& path, QSize size) {
    return writeImage(*mChart, path, size);
}

bool AnalysisWindow::saveReport(const QString& path) {
    return writeReport(*mChart, path);
}

void AnalysisWindow::exportRuns(RunExport kind, const QList<int>& numbers) {
    std::vector<const KeptRun*> runs;
    for (int n : numbers)
        if (const KeptRun* run = mStore.find(n))
            runs.push_back(run);
    if (runs.empty()) {
        mMessages.showMessage(tr("グラフに描かれたランがありません。").toStdString());
        return;
    }
    AnalysisChart chart;
    chart.resize(mChart->isVisible() ? mChart->size() : QSize(900, 480));
    configureLike(chart, runs);
    if (kind == RunExport::Csv) {
        if (const QString path = askSavePath(tr("CSV保存"), "kestrel-runs.csv", tr("CSV ファイル (*.csv)"));
            !path.isEmpty())
            saveCsv(path, runs);
    } else if (kind == RunExport::Image) {
        QString filter;
        QString path = askSavePath(tr("画像保存"), "kestrel-chart.png",
                                   tr("PNG 画像 (*.png);;SVG 画像 (*.svg)"), &filter);
        QSize size = chart.size();
        if (path.isEmpty() || !askImageSize(size))
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += filter.contains("svg") ? ".svg" : ".png";
        writeImage(chart, path, size);
    } else if (const QString path = askSavePath(tr("レポート"), "kestrel-report.pdf", "PDF (*.pdf)");
               !path.isEmpty()) {
        writeReport(chart, path);
    }
}

// --- The buttons ---------------------------------------------------------------------------------

QString AnalysisWindow::askSavePath(const QString& title, const QString& name, const QString& filters,
                                    QString* selectedFilter) {
    const QString path =
        QFileDialog::getSaveFileName(this, title, QDir(mFolder).filePath(name), filters, selectedFilter);
    if (!path.isEmpty())
        mFolder = QFileInfo(path).absolutePath();
    return path;
}

bool AnalysisWindow::askImageSize(QSize& size) {
    QDialog dialog(this);
    dialog.setWindowTitle(tr("画像の大きさ"));
    auto* form = new QFormLayout(&dialog);
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(160, 8000);
        box->setSuffix(" px");
    }
    width->setValue(size.width());
    height->setValue(size.height());
    form->addRow(tr("幅"), width);
    form->addRow(tr("高さ"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    size = QSize(width->value(), height->value());
    return true;
}

void AnalysisWindow::onSaveCsv() {
    if (drawnRuns().empty()) {
        saveCsv(QString());
        return;
    }
    if (const QString path = askSavePath(tr("CSV保存"), "kestrel-runs.csv", tr("CSV ファイル (*.csv)"));
        !path.isEmpty())
        saveCsv(path);
}

void AnalysisWindow::onLoadCsv() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("CSV読込"), mFolder, tr("CSV ファイル (*.csv);;すべて (*)"));
    if (path.isEmpty())
        return;
    mFolder = QFileInfo(path).absolutePath();
    loadCsv(path);
}

void AnalysisWindow::onSaveImage() {
    QString filter;
    QString path =
        askSavePath(tr("画像保存"), "kestrel-chart.png", tr("PNG 画像 (*.png);;SVG 画像 (*.svg)"), &filter);
    QSize size = mChart->size();
    if (path.isEmpty() || !askImageSize(size))
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains("svg") ? ".svg" : ".png";
    saveImage(path, size);
}

void AnalysisWindow::onReport() {
    if (drawnRuns().empty()) {
        saveReport(QString());
        return;
    }
    if (const QString path = askSavePath(tr("レポート"), "kestrel-report.pdf", "PDF (*.pdf)");
        !path.isEmpty())
        saveReport(path);
}

} // namespace kestrel
