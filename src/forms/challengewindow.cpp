#include "forms/challengewindow.h"

#include "core/convert.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "forms/analysischart.h"
#include "setup/fieldtable.h"
#include "tuning/identify.h"
#include "widgets/halfwidthinput.h"
#include "widgets/qtext.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cmath>

namespace kestrel {

using namespace challenge;

namespace {

QString number(double v) {
    return QString::number(v, 'g', 4);
}

/// A goal's name or unit from the challenge layer's table, in the learner's language.
QString goalText(std::string_view text) {
    return text.empty() ? QString() : qtext(translate("Challenge", std::string(text).c_str()));
}

/// The learner's free settings as a run used them: the free keys of the challenge read from the
/// run's parameter set in the texts the step format writes (dt in whole milliseconds).
StepValues freeFromRun(const ParameterSet& p, const Challenge& c) {
    StepValues values;
    for (const std::string& key : c.freeKeys) {
        if (key == "TYPE_SELECT")
            values[key] = std::to_string(p.TYPE_SELECT);
        else if (key == "CALC_TYPE")
            values[key] = std::to_string(p.CALC_TYPE);
        else if (key == kProcTypeKey)
            values[key] = std::to_string(p.PROC_TYPE);
        else {
            for (const FieldDef& f : kFields)
                if (f.key == key)
                    values[key] = f.key == "dt" ? std::to_string(std::lround(p.dt * 1000.0))
                                                : shortestText(p.*f.target);
            for (const FieldDef& f : kDetailFields)
                if (f.key == key)
                    values[key] = shortestText(p.*f.target);
            for (const FieldDef& f : kSecondaryFields)
                if (f.key == key)
                    values[key] = shortestText(p.*f.target);
        }
    }
    return values;
}

bool sameMeasures(const RunMetrics& a, const RunMetrics& b) {
    return a.iae == b.iae && a.ise == b.ise && a.itae == b.itae && a.mvTravel == b.mvTravel &&
           a.timeAtLimit == b.timeAtLimit && a.offset == b.offset;
}

/// The response of a model to the MV of a measured run, as a run the chart can draw.
KeptRun modelCurve(const KeptRun& measured, const MysteryProcess& m, const std::string& label, Rgb colour) {
    KeptRun curve;
    curve.label = label;
    curve.dt = measured.dt;
    curve.graphTime = measured.graphTime;
    curve.pens[1] = colour;
    std::vector<double> mv;
    for (const StepSample& s : measured.steps)
        mv.push_back(s.mv);
    if (mv.empty())
        return curve;
    const std::vector<double> pv =
        tuning::simulateFopdt({m.K, m.L, m.T}, mv, measured.steps.front().pv, mv.front(), measured.dt);
    for (std::size_t k = 0; k < pv.size(); ++k) {
        curve.time.push_back(measured.steps[k].t);
        for (int c = 0; c < kChannelCount; ++c)
            curve.values[c].push_back(c == static_cast<int>(Channel::PV) ? pv[k] : mv[k]);
    }
    return curve;
}

} // namespace

ChallengeWindow::ChallengeWindow(const RunStore& runs, SetupDocument& document, AppState& state,
                                 MessageService& messages, std::filesystem::path scoreFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), mRuns(runs), mDocument(document), mState(state), mMessages(messages),
      mBook(std::move(scoreFolder)) {
    setObjectName("frmChallenge");
    setWindowTitle(tr("挑戦"));

    mList = new QTableWidget(0, 3, this);
    mList->setObjectName("challengeList");
    mList->setHorizontalHeaderLabels({tr("課題"), tr("最高点"), tr("回数")});
    mList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mList->setSelectionMode(QAbstractItemView::SingleSelection);
    mList->verticalHeader()->hide();
    mList->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    mList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    mList->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    connect(mList, &QTableWidget::itemSelectionChanged, this, [this] {
        mChosen = mList->currentRow();
        showChosen();
    });

    mTitle = new QLabel(this);
    mTitle->setObjectName("lblChallengeTitle");
    QFont big = mTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    mTitle->setFont(big);
    mTitle->setWordWrap(true);
    mText = new QTextBrowser(this);
    mText->setObjectName("challengeText");
    mFree = new QLabel(this);
    mFree->setObjectName("lblFree");
    mFree->setWordWrap(true);

    mGoals = new QTableWidget(0, 5, this);
    mGoals->setObjectName("goals");
    mGoals->setHorizontalHeaderLabels({tr("目標"), tr("上限"), tr("重み"), tr("結果"), tr("達成")});
    mGoals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mGoals->setSelectionMode(QAbstractItemView::NoSelection);
    mGoals->verticalHeader()->hide();
    mGoals->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    mGoals->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    mScoreLine = new QLabel(this);
    mScoreLine->setObjectName("lblScore");
    mScoreLine->setWordWrap(true);
    QFont scoreFont = mScoreLine->font();
    scoreFont.setBold(true);
    mScoreLine->setFont(scoreFont);
    mHints = new QLabel(this);
    mHints->setObjectName("lblHints");
    mHints->setWordWrap(true);
    mHints->setStyleSheet("color: #a04000;");

    // A mystery process's answer.
    mAnswerBox = new QWidget(this);
    auto* answerForm = new QHBoxLayout(mAnswerBox);
    answerForm->setContentsMargins(0, 0, 0, 0);
    auto field = [this, answerForm](const char* name, const char* label) {
        auto* e = new QLineEdit(mAnswerBox);
        e->setObjectName(name);
        e->setMaximumWidth(80);
        acceptFullWidthNumbers(e);
        answerForm->addWidget(new QLabel(label, mAnswerBox));
        answerForm->addWidget(e);
        return e;
    };
    mK = field("txtAnswerK", "K");
    mL = field("txtAnswerL", "L s");
    mT = field("txtAnswerT", "T s");
    auto* check = new QPushButton(tr("答え合わせ"), mAnswerBox);
    check->setObjectName("cmdAnswer");
    answerForm->addWidget(check);
    answerForm->addStretch();
    connect(check, &QPushButton::clicked, this, [this] {
        double v[3];
        QLineEdit* edits[] = {mK, mL, mT};
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            v[i] = qtext(halfWidthNumberText(edits[i]->text().trimmed().toStdString())).toDouble(&ok);
            if (!ok || !std::isfinite(v[i]) || v[i] <= 0) {
                mMessages.showMessage(tr("K, L, T には正の数を入れてください。").toStdString());
                return;
            }
        }
        answer(v[0], v[1], v[2]);
    });
    mChart = new AnalysisChart(this);
    mChart->setObjectName("answerChart");
    mChart->setChannels({Channel::PV});
    mChart->setLimitsShown(false);
    mChart->setMinimumHeight(200);

    mStart = new QPushButton(tr("挑戦する"), this);
    mStart->setObjectName("cmdStart");
    mStart->setToolTip(tr("課題の設定をパラメータ欄に入れます。自由に変えてよい欄を変えて OK を押し、"
                          "コントローラパネルで走らせると採点されます。"));
    mEnd = new QPushButton(tr("終了"), this);
    mEnd->setObjectName("cmdEnd");
    mSave = new QPushButton(tr("保存..."), this);
    mSave->setObjectName("cmdSave");
    mSave->setToolTip(
        tr("この挑戦の設定（自由な欄は最後に採点したランの値）をプロジェクトとして保存します。"));
    connect(mStart, &QPushButton::clicked, this, [this] { start(); });
    connect(mEnd, &QPushButton::clicked, this, [this] { end(); });
    connect(mSave, &QPushButton::clicked, this, [this] { onSave(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mStart);
    buttons->addWidget(mEnd);
    buttons->addStretch();
    buttons->addWidget(mSave);

    auto* right = new QWidget(this);
    auto* detail = new QVBoxLayout(right);
    detail->setContentsMargins(0, 0, 0, 0);
    detail->addWidget(mTitle);
    detail->addWidget(mText, 1);
    detail->addWidget(mFree);
    detail->addWidget(mGoals, 2);
    detail->addWidget(mAnswerBox);
    detail->addWidget(mChart, 3);
    detail->addWidget(mScoreLine);
    detail->addWidget(mHints);
    detail->addLayout(buttons);

    auto* split = new QSplitter(this);
    split->addWidget(mList);
    split->addWidget(right);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    resize(980, 720);
    reload();
}

ChallengeWindow::~ChallengeWindow() {
    if (mActive && mActive->hidden)
        mDocument.setProcessHidden(false);
}

void ChallengeWindow::reload() {
    mEntries.clear();
    for (const auto& file : challengeFiles(mDocument.studyFolder() / "Challenge")) {
        LoadedChallenge loaded = loadChallenge(file);
        mEntries.push_back({file, std::move(loaded.challenge), std::move(loaded.error)});
    }
    fillList();
    if (mChosen < 0 && !mEntries.empty())
        choose(0);
    showChosen();
}

void ChallengeWindow::fillList() {
    const QSignalBlocker block(mList);
    mList->setRowCount(static_cast<int>(mEntries.size()));
    for (int r = 0; r < static_cast<int>(mEntries.size()); ++r) {
        const Entry& e = mEntries[r];
        QString best, attempts;
        QString title = tr("%1（読めません）").arg(QString::fromStdString(e.file.filename().string()));
        if (e.challenge) {
            title = qtext(e.challenge->title);
            const ScoreBook::Entry s = mBook.entry(e.challenge->id());
            best = s.best ? number(*s.best) : "—";
            attempts = QString::number(s.attempts);
        }
        const QString cells[] = {title, best, attempts};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (!e.challenge)
                item->setForeground(QColor(150, 0, 0));
            mList->setItem(r, c, item);
        }
    }
    if (mChosen >= 0 && mChosen < mList->rowCount())
        mList->selectRow(mChosen);
}

void ChallengeWindow::choose(int row) {
    mList->selectRow(row);
    mChosen = row;
    showChosen();
}

void ChallengeWindow::showChosen() {
    const Entry* e = mChosen >= 0 && mChosen < count() ? &mEntries[mChosen] : nullptr;
    const bool activeShown = e && mActive && e->challenge && mActive->id() == e->challenge->id();
    mStart->setEnabled(e && e->challenge);
    mEnd->setEnabled(mActive.has_value());
    mSave->setEnabled(activeShown && (mLastFree || mLastAnswer));
    if (!e) {
        mTitle->setText(tr("挑戦がありません"));
        mText->setPlainText(tr("Study/Challenge フォルダに課題のファイルがありません。"));
        mGoals->setRowCount(0);
        mAnswerBox->hide();
        mChart->hide();
        return;
    }
    if (!e->challenge) {
        mTitle->setText(QString::fromStdString(e->file.filename().string()));
        mText->setPlainText(qtext(e->error));
        mGoals->setRowCount(0);
        mFree->clear();
        mAnswerBox->hide();
        mChart->hide();
        mScoreLine->clear();
        mHints->clear();
        return;
    }
    const Challenge& c = *e->challenge;
    mTitle->setText(qtext(c.title));
    mText->setPlainText(qtext(c.text));
    QStringList free;
    for (const std::string& k : c.freeKeys)
        free << (k == "TYPE_SELECT"                 ? tr("制御の種類")
                 : k == "CALC_TYPE"                 ? tr("計算形式（位置型・速度型）")
                 : k == kDetailFields[PvFilter].key ? qtext(detailFieldName(PvFilter))
                                                    : qtext(k));
    mFree->setText(c.mystery ? tr("手動（Ｍ）でステップ試験をして、K, L, T を求めて答えてください。")
                             : tr("自由に変えてよい設定: %1").arg(free.join(", ")) +
                                   (c.hidden ? tr("（プロセスは隠されています）") : QString()));
    mAnswerBox->setVisible(c.mystery.has_value());
    mChart->setVisible(c.mystery.has_value() && activeShown && mAnswerScore.has_value());
    mGoals->setVisible(!c.mystery);
    if (!c.mystery)
        showGoals(c, activeShown && mScore ? &*mScore : nullptr);
    if (!activeShown) {
        mScoreLine->setText(mActive ? tr("挑戦中: %1").arg(qtext(mActive->title)) : QString());
        // What the reader passed over in the file, for the teacher who wrote it.
        QStringList warnings;
        for (const std::string& w : c.warnings)
            warnings << qtext(w);
        mHints->setText(warnings.join('\n'));
    }
}

void ChallengeWindow::showGoals(const Challenge& c, const Score* score) {
    mGoals->setRowCount(static_cast<int>(c.goals.size()));
    for (int r = 0; r < static_cast<int>(c.goals.size()); ++r) {
        const Goal& g = c.goals[r];
        const GoalDef& def = goalDef(g.kind);
        const GoalResult* result = score ? &score->goals[r] : nullptr;
        const QString unit = goalText(def.unit);
        QString got;
        if (result)
            got = result->result ? number(*result->result) + " " + unit : qtext(result->reason);
        const QString cells[] = {goalText(def.name), number(g.limit) + " " + unit, number(g.weight), got,
                                 result ? (result->met ? "○" : "×") : ""};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment((col == 0 || col == 3 ? Qt::AlignLeft : Qt::AlignCenter) |
                                   Qt::AlignVCenter);
            if (result && col == 4)
                item->setForeground(result->met ? QColor(0, 120, 0) : QColor(180, 0, 0));
            mGoals->setItem(r, col, item);
        }
    }
}

bool ChallengeWindow::start() {
    if (mChosen < 0 || mChosen >= count() || !mEntries[mChosen].challenge)
        return false;
    const Challenge c = *mEntries[mChosen].challenge;
    // The free fields start from what the challenge gives them; the learner changes them next.
    if (!applySettings(mDocument, mState, attemptSettings(mDocument.folders(), c, {}))) {
        mMessages.showMessage(
            tr("課題の設定を適用できませんでした（一時ファイルを書けません）。").toStdString());
        return false;
    }
    mActive = c;
    mScore.reset();
    mAnswerScore.reset();
    mLastFree.reset();
    mLastAnswer.reset();
    setHidden(c.hidden || c.mystery.has_value());
    showChosen();
    mScoreLine->setText(
        c.mystery ? tr("挑戦中: ステップ試験をして K, L, T を答えてください。")
                  : tr("挑戦中: 自由な欄を変えて OK を押し、コントローラパネルで走らせてください。"));
    mHints->clear();
    return true;
}

void ChallengeWindow::end() {
    if (!mActive)
        return;
    setHidden(false);
    mActive.reset();
    mScoreLine->clear();
    mHints->clear();
    showChosen();
}

void ChallengeWindow::setHidden(bool hidden) {
    if (mDocument.processHidden() == hidden)
        return;
    mDocument.setProcessHidden(hidden);
    emit processHiddenChanged(hidden);
}

void ChallengeWindow::runKept(int number) {
    const KeptRun* run = mRuns.find(number);
    if (!mActive || mActive->mystery || !run)
        return;
    mLastRun = number;
    const StepValues free = freeFromRun(run->params, *mActive);
    const AttemptRun attempt = runAttempt(mDocument.folders(), *mActive, free);
    if (!sameMeasures(attempt.metrics, run->metrics)) {
        mScoreLine->setText(tr("このランは採点しません: 課題の設定と違う設定か運転で走りました。"
                               "固定の設定やモードを変えたときは「挑戦する」を押し直し、"
                               "スタートから終わりまで走らせてください。"));
        mHints->clear();
        return;
    }
    mScore = scoreRun(mActive->goals, run->metrics);
    mLastFree = free;
    mBook.record(mActive->id(), mScore->score);
    QStringList hints;
    for (const GoalResult& g : mScore->goals)
        if (!g.met && !g.hint.empty())
            hints << tr("・%1").arg(qtext(g.hint));
    fillList();
    showChosen();
    mScoreLine->setText(tr("得点 %1 点%2")
                            .arg(QString::number(mScore->score, 'f', 1),
                                 mScore->score >= 100 ? tr("　全部の目標を達成しました！") : QString()));
    mHints->setText(hints.join('\n'));
}

QString ChallengeWindow::scoreText() const {
    return mScoreLine->text();
}

bool ChallengeWindow::answer(double K, double L, double T) {
    if (!mActive || !mActive->mystery)
        return false;
    const MysteryProcess truth = *mysteryProcess(*mActive);
    const MysteryProcess given{K, L, T};
    mAnswerScore = scoreAnswer(given, truth);
    mLastAnswer = given;
    mBook.record(mActive->id(), mAnswerScore->score);
    // The answer is given: the process is shown.
    setHidden(false);
    mScoreLine->setText(tr("得点 %1 点　正解は K %2, L %3 s, T %4 s（それぞれ %5, %6, %7 点）")
                            .arg(QString::number(mAnswerScore->score, 'f', 1))
                            .arg(number(truth.K), number(truth.L), number(truth.T))
                            .arg(std::round(mAnswerScore->sK * 100))
                            .arg(std::round(mAnswerScore->sL * 100))
                            .arg(std::round(mAnswerScore->sT * 100)));
    mHints->setText(mAnswerScore->score >= 100
                        ? QString()
                        : tr("曲線が重なるほど、よい同定です。L は動き出すまでの時間、"
                             "T は変化幅の 63.2 % に達するまでの時間（L のあと）です。"));
    showAnswerChart(truth, given);
    fillList();
    showChosen();
    return true;
}

void ChallengeWindow::showAnswerChart(const MysteryProcess& truth, const MysteryProcess& given) {
    mCurves.clear();
    // The learner's latest step test, with the answer's response and the true one over it.
    const KeptRun* measured = mRuns.runs().empty() ? nullptr : &mRuns.runs().back();
    if (!measured || measured->steps.empty()) {
        mChart->setRuns({});
        return;
    }
    KeptRun shown = *measured;
    shown.label = tr("測定").toStdString();
    shown.number = 0;
    shown.pens[1] = rgb(255, 255, 255);
    mCurves.push_back(std::move(shown));
    mCurves.push_back(modelCurve(*measured, given, tr("あなたの答え").toStdString(), rgb(255, 255, 0)));
    mCurves.push_back(modelCurve(*measured, truth, tr("正解").toStdString(), rgb(0, 255, 255)));
    std::vector<const KeptRun*> runs;
    for (const KeptRun& r : mCurves)
        runs.push_back(&r);
    mChart->setRuns(std::move(runs));
    mChart->resetView();
    mChart->show();
}

bool ChallengeWindow::saveTo(const std::filesystem::path& project) {
    if (!mActive)
        return false;
    std::string error;
    const StepValues free = mLastFree ? *mLastFree : freeValues(mDocument, *mActive);
    if (!saveAttempt(project, *mActive, free, mLastAnswer, error)) {
        mMessages.showMessage(error);
        return false;
    }
    return true;
}

void ChallengeWindow::onSave() {
    if (!mActive)
        return;
    std::error_code ec;
    std::filesystem::create_directories(mDocument.projectFolder(), ec);
    const QString proposed = qtext((mDocument.projectFolder() /
                                    ("挑戦_" + std::filesystem::path(mActive->id()).stem().string() + ".txt"))
                                       .string());
    const QString path =
        QFileDialog::getSaveFileName(this, tr("挑戦を保存"), proposed, tr("プロジェクト (*.txt)"));
    if (!path.isEmpty())
        saveTo(std::filesystem::path(path.toStdString()));
}

} // namespace kestrel
