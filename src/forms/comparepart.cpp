#include "forms/comparepart.h"

#include "forms/analysischart.h"
#include "forms/frequencypart.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kestrel {

namespace {

QString number(double v) {
    return QString::number(v, 'g', 4);
}

// The ranking choices, in the combo box's order, with the column each one orders.
struct RankChoice {
    tuning::RankBy by;
    const char* name;
    int column;
};
constexpr RankChoice kRankChoices[] = {
    {tuning::RankBy::IAE, QT_TRANSLATE_NOOP("kestrel::ComparePart", "IAE（偏差の絶対値の積分）"), 5},
    {tuning::RankBy::ITAE, "ITAE", 6},
    {tuning::RankBy::ISE, "ISE", 7},
    {tuning::RankBy::Overshoot, QT_TRANSLATE_NOOP("kestrel::ComparePart", "オーバーシュート"), 8},
    {tuning::RankBy::Settling, QT_TRANSLATE_NOOP("kestrel::ComparePart", "整定時間"), 9},
    {tuning::RankBy::DvPeak, QT_TRANSLATE_NOOP("kestrel::ComparePart", "外乱による最大偏差"), 10},
    {tuning::RankBy::MvTravel, QT_TRANSLATE_NOOP("kestrel::ComparePart", "MV 変化量"), 11},
};

/// The run's colour as a small square with a frame, so a white run shows on a white table.
QPixmap swatch(Rgb colour) {
    QPixmap square(12, 12);
    square.fill(toQColor(colour));
    QPainter p(&square);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, 11, 11);
    return square;
}

} // namespace

ComparePart::ComparePart(const AppState& state, QWidget* parent) : QWidget(parent), mState(state) {
    setObjectName("comparePart");
    auto spin = [this](const char* name, double lo, double hi, const char* suffix) {
        auto* s = new QDoubleSpinBox(this);
        s->setObjectName(name);
        s->setRange(lo, hi);
        s->setDecimals(1);
        s->setSuffix(QString::fromUtf8(suffix));
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] { mTestChosen |= !mFilling; });
        return s;
    };
    mSv0 = spin("compareSv0", -100, 200, " %");
    mSvStep = spin("compareSvStep", -100, 100, " %");
    mSvAt = spin("compareSvAt", 0.1, 300, " s");
    mDvStep = spin("compareDvStep", -100, 100, " %");
    mDvAt = spin("compareDvAt", 0.1, 300, " s");
    mGraphTime = new QSpinBox(this);
    mGraphTime->setObjectName("compareGraphTime");
    mGraphTime->setRange(10, 300);
    mGraphTime->setSuffix(" s");
    connect(mGraphTime, &QSpinBox::valueChanged, this, [this] { mTestChosen |= !mFilling; });

    mRankBy = new QComboBox(this);
    mRankBy->setObjectName("compareRankBy");
    for (const RankChoice& c : kRankChoices)
        mRankBy->addItem(tr(c.name));
    connect(mRankBy, &QComboBox::currentIndexChanged, this, [this] { showTable(); });

    auto* runButton = new QPushButton(tr("比較を実行"), this);
    runButton->setObjectName("compareRun");
    connect(runButton, &QPushButton::clicked, this, [this] { run(); });
    auto* defaults = new QPushButton(tr("既定の試験"), this);
    defaults->setObjectName("compareDefaults");
    defaults->setToolTip(tr("プロセスの L と T に合わせた試験（ステップの時刻と時間）に戻します。"));
    connect(defaults, &QPushButton::clicked, this, [this] {
        useDefaultTest();
        run();
    });

    auto* form = new QHBoxLayout;
    auto pair = [this, form](const QString& label, QWidget* a, QWidget* b) {
        auto* f = new QFormLayout;
        f->addRow(label, a);
        if (b)
            f->addRow(tr("時刻"), b);
        form->addLayout(f);
        form->addSpacing(10);
    };
    pair(tr("SV の初期値"), mSv0, nullptr);
    pair(tr("SV ステップ"), mSvStep, mSvAt);
    pair(tr("外乱 DV ステップ"), mDvStep, mDvAt);
    pair(tr("時間"), mGraphTime, nullptr);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(runButton);
    buttons->addWidget(defaults);
    form->addLayout(buttons);
    form->addStretch();

    mNote = new QLabel(this);
    mNote->setObjectName("compareNote");
    mNote->setWordWrap(true);

    mChart = new AnalysisChart(this);
    mChart->setObjectName("compareChart");
    mChart->setChannels({Channel::SV, Channel::PV});
    mChart->setLimitsShown(false);
    mWithMv = new QCheckBox(tr("MV も描く"), this);
    mWithMv->setObjectName("compareWithMv");
    connect(mWithMv, &QCheckBox::toggled, this, [this](bool on) {
        mChart->setChannels(on ? std::vector{Channel::SV, Channel::PV, Channel::MV}
                               : std::vector{Channel::SV, Channel::PV});
        mChart->resetView();
    });

    mTable = new QTableWidget(0, 13, this);
    mTable->setObjectName("compareTable");
    mTable->setHorizontalHeaderLabels({tr("順位"), tr("調整則"), "Kp", "Ti s", "Td s", "IAE", "ITAE", "ISE",
                                       tr("ｵｰﾊﾞｰｼｭｰﾄ %"), tr("整定時間 s"), tr("外乱 最大偏差"),
                                       tr("MV 変化量 %"), tr("リミット s")});
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->verticalHeader()->hide();
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    mTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    mApply = new QPushButton(tr("選んだ行を適用"), this);
    mApply->setObjectName("compareApply");
    mApply->setToolTip(tr("選んだ行の制御の種類と Kp, Ti, Td をパラメータ欄に書き込みます。"
                          "メインウィンドウの OK で設定されます。"));
    mApply->setEnabled(false);
    connect(mTable, &QTableWidget::itemSelectionChanged, this,
            [this] { mApply->setEnabled(!mTable->selectedItems().isEmpty()); });
    auto applyRow = [this](int row) {
        if (row >= 0 && row < static_cast<int>(mOrder.size()))
            emit applyRequested(mTrials[mOrder[row]].candidate);
    };
    connect(mApply, &QPushButton::clicked, this, [this, applyRow] { applyRow(mTable->currentRow()); });
    connect(mTable, &QTableWidget::cellDoubleClicked, this, applyRow);

    auto* rankRow = new QHBoxLayout;
    rankRow->addWidget(new QLabel(tr("順位の基準"), this));
    rankRow->addWidget(mRankBy);
    rankRow->addSpacing(20);
    rankRow->addWidget(mWithMv);
    rankRow->addStretch();
    rankRow->addWidget(mApply);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mNote);
    layout->addWidget(mChart, 3);
    layout->addLayout(rankRow);
    layout->addWidget(mTable, 2);
    useDefaultTest();
    mNote->setText(tr("「調整則」で行を選んで（Ctrl や Shift "
                      "で複数）「比較」を押すと、ここで同じ試験を走らせて比べます。"));
}

tuning::CompareTest ComparePart::test() const {
    tuning::CompareTest t;
    t.sv0 = mSv0->value();
    t.svStep = mSvStep->value();
    t.svAt = mSvAt->value();
    t.dvStep = mDvStep->value();
    t.dvAt = mDvAt->value();
    t.graphTime = mGraphTime->value();
    return t;
}

void ComparePart::setTest(const tuning::CompareTest& t) {
    mFilling = true;
    mSv0->setValue(t.sv0);
    mSvStep->setValue(t.svStep);
    mSvAt->setValue(t.svAt);
    mDvStep->setValue(t.dvStep);
    mDvAt->setValue(t.dvAt);
    mGraphTime->setValue(t.graphTime);
    mFilling = false;
}

void ComparePart::setRankBy(tuning::RankBy by) {
    for (int i = 0; i < static_cast<int>(std::size(kRankChoices)); ++i)
        if (kRankChoices[i].by == by)
            mRankBy->setCurrentIndex(i);
}

void ComparePart::useDefaultTest() {
    // The loop starts where it stands: at the SV in force when the controller works, where the
    // process stands in manual mode (a step test leaves SV wherever it was), to a whole percent.
    const double at = mState.params.mode() == Mode::Manual ? mState.sim.PV[0] : mState.sim.SV[0];
    const double sv0 = std::round(at);
    setTest(tuning::defaultTest(mState.params, std::isfinite(sv0) ? sv0 : 50.0));
    mTestChosen = false;
}

void ComparePart::compare(std::vector<tuning::Candidate> candidates) {
    mCandidates = std::move(candidates);
    if (!mTestChosen)
        useDefaultTest();
    run();
}

void ComparePart::run() {
    mTrials.clear();
    const tuning::CompareTest t = test();
    for (std::size_t i = 0; i < mCandidates.size(); ++i)
        mTrials.push_back(tuning::runTrial(mState.params, mCandidates[i], t, static_cast<int>(i)));

    QStringList notes;
    if (mTrials.empty()) {
        notes << tr("比べる設定がありません。「調整則」で行を選んで「比較」を押してください。");
    } else {
        const ParameterSet& p = mState.params;
        notes << tr("どの設定も、パラメータ（OK で設定済みのもの: 形式、リミット、dt %1 s、プロセス %2、"
                    "外乱、フィードフォワード）でフィードバックを閉じ、SV・DV "
                    "プログラムで同じ試験を走らせています。")
                     .arg(number(p.dt), describeProcess(processOf(p)));
        if (p.PV_NOISE > 0 || std::max({p.VALVE_DB, p.VALVE_BL, p.STICK_S, p.STICK_J}) > 0)
            notes << tr("ランはシミュレータそのものなので、設定中のノイズやバルブの不感帯・バックラッシュ・"
                        "スティクションも含みます（周波数応答のモデルには入りません）。");
        if (mTrials.front().loadAtInput)
            notes << tr("外乱の経路がないので、DV はプロセスの入力に加えています（Kd = 1）。");
        if (t.dvStep != 0.0 && t.dvAt >= t.graphTime)
            notes << tr("外乱ステップの時刻が時間を過ぎています。");
    }
    mNote->setText(notes.join('\n'));

    std::vector<const KeptRun*> runs;
    for (const tuning::Trial& trial : mTrials)
        runs.push_back(&trial.run);
    mChart->setRuns(std::move(runs));
    mChart->resetView();
    showTable();
}

void ComparePart::showTable() {
    const RankChoice& choice = kRankChoices[std::max(0, mRankBy->currentIndex())];
    mOrder = tuning::rankTrials(mTrials, choice.by);
    mTable->setRowCount(static_cast<int>(mOrder.size()));
    for (int r = 0; r < static_cast<int>(mOrder.size()); ++r) {
        const tuning::Trial& trial = mTrials[mOrder[r]];
        const tuning::Candidate& c = trial.candidate;
        const RunMetrics& m = trial.run.metrics;
        const bool failed = !trial.error.empty();
        const bool ranked = tuning::rankValue(trial, choice.by).has_value();
        const auto sv = m.svStep;
        QStringList cells{ranked ? QString::number(r + 1) : "—",
                          qtext(c.label),
                          number(c.Kp),
                          c.Ti ? number(*c.Ti) : "—",
                          c.Td ? number(*c.Td) : "—",
                          number(m.iae),
                          number(m.itae),
                          number(m.ise),
                          sv ? number(sv->overshootPct) : "—",
                          !sv                ? "—"
                          : sv->settlingTime ? number(*sv->settlingTime)
                                             : tr("整定せず"),
                          m.dvStep ? number(m.dvStep->peakDeviation) : "—",
                          number(m.mvTravel),
                          number(m.timeAtLimit)};
        if (failed)
            cells[0] = tr("エラー");
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment((col == 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (col == 1) {
                item->setData(Qt::DecorationRole, swatch(trial.run.pens[1]));
                if (failed)
                    item->setToolTip(qtext(trial.error));
            }
            if (col == choice.column) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            mTable->setItem(r, col, item);
        }
    }
    mApply->setEnabled(!mTable->selectedItems().isEmpty());
}

} // namespace kestrel
