#include "panel/frmcontroller.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "panel/frmpenrec.h"
#include "panel/paneltexts.h"
#include "panel/panelwidgets.h"

#include "widgets/halfwidthinput.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

#include <cmath>

namespace kestrel {

namespace {

constexpr double kDesignWidth = 12060, kDesignHeight = 7740; // client area, twips
constexpr double kMinWidth = 7800, kMinHeight = 6200;
// The column between the faceplate and the chart holds the range boxes and, right of them, the
// DV pointer; the boxes are wide enough for "-100.0".
constexpr double kRangeLeft = 1770, kRangeWidth = 510;
constexpr double kChartLeft = 2580, kChartRightMargin = 400;
constexpr double kButtonWidth = 1215, kButtonHeight = 375, kButtonGap = 120, kAnalysisWidth = 855;

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

} // namespace

frmController::frmController(AppState& state, SetupDocument& document, MessageService& messages,
                             QWidget* parent)
    : QWidget(parent), HeadlessPanel(document), mState(state), mMessages(messages) {
    setObjectName("frmController");
    setWindowTitle(tr("コントローラパネル"));
    mLoop = std::make_unique<ControlLoop>(mState, mMessages, mDocument, *this, *this,
                                          ControlLoop::Settings::Stored);
    buildTimers();

    mFaceplate = new Faceplate(mState, mDocument, mMessages, this);
    connect(mFaceplate, &Faceplate::fieldLeft, this, [this] { mTimer2->start(); });
    mSecondary = new SecondaryFaceplate(mState, mDocument, mMessages, this);
    connect(mSecondary, &SecondaryFaceplate::helpRequested, this, &frmController::helpRequested);
    mChart = new TrendChart(mState, mMessages, this);
    for (int k = 0; k < 2; ++k) {
        mOption1[k] = new QRadioButton(k == 0 ? tr("グラフ１") : tr("グラフ２"), this);
        mOption1[k]->setObjectName(QString("Option1_%1").arg(k));
        connect(mOption1[k], &QRadioButton::clicked, this, [this, k] { Option1_Click(k); });
    }
    mOption1[0]->setChecked(true);
    buildRangeControls();
    buildSettings();
    buildRunButtons();
    addRunShortcuts(this);
    buildHelpLabels();
    bindDocument();
    // Whole pixels at or above the minimum: 6200 twips is 413.3 px, so 414.
    setMinimumSize(static_cast<int>(std::ceil(kMinWidth / kTwipsPerPixel)),
                   static_cast<int>(std::ceil(kMinHeight / kTwipsPerPixel)));
    resize(px(kDesignWidth), px(kDesignHeight));
    Form_Load();
}

frmController::~frmController() {
    // Closing the window while it is destroyed moves the focus out of a field, and the field's
    // signals would reach this window's handlers after its members are gone.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    mDocument.removeListener(mListener);
    if (mPenRec)
        delete mPenRec.data();
}

// --- Construction --------------------------------------------------------------------------------

void frmController::buildTimers() {
    mTimer1 = named(new QTimer(this), "Timer1");
    mTimer1->setTimerType(Qt::PreciseTimer);
    connect(mTimer1, &QTimer::timeout, this, [this] { runControl().PacingTick(); });
    mTimer2 = named(new QTimer(this), "Timer2");
    mTimer2->setSingleShot(true);
    mTimer2->setInterval(500);
    connect(mTimer2, &QTimer::timeout, this, [this] {
        runControl().DisplayTimerTick();
        mFaceplate->holdTypedText();
    });
    mTimer3 = named(new QTimer(this), "Timer3");
    mTimer3->setSingleShot(true);
    mTimer3->setInterval(100);
    connect(mTimer3, &QTimer::timeout, this, [this] { runControl().EndOfRunTick(); });
}

void frmController::buildRangeControls() {
    mTxtRH = named(new QLineEdit("100.0", this), "txtRH");
    mTxtRL = named(new QLineEdit("0.0", this), "txtRL");
    mTxtTM = named(new QLineEdit("50", this), "txtTM");
    for (QLineEdit* e : {mTxtRH, mTxtRL, mTxtTM}) {
        acceptFullWidthNumbers(e);
        e->setAlignment(Qt::AlignRight);
        e->setTextMargins(0, 0, 0, 0);
    }
    // The range boxes share the narrow column left of the chart with the DV pointer.
    for (QLineEdit* e : {mTxtRH, mTxtRL}) {
        // Five characters ("115.0", "-15.0") must fit the column.
        QFont f = e->font();
        f.setPixelSize(9);
        e->setFont(f);
        e->setFrame(false);
        e->setStyleSheet("QLineEdit { padding: 0px; border: 1px solid gray; }");
    }
    mLabTM = named(new QLabel(tr("グラフ表示時間（秒）"), this), "LabTM");
    mShiftDown = named(new QPushButton("▲", this), "ShiftDown");
    mShiftDown->setToolTip(tr("表示レンジを 15 下げます（波形が上に移ります）"));
    mShiftUp = named(new QPushButton("▼", this), "ShiftUp");
    mShiftUp->setToolTip(tr("表示レンジを 15 上げます（波形が下に移ります）"));
    connect(mShiftDown, &QPushButton::clicked, this, &frmController::ShiftDown_Click);
    connect(mShiftUp, &QPushButton::clicked, this, &frmController::ShiftUp_Click);
    for (QLineEdit* e : {mTxtRH, mTxtRL, mTxtTM}) {
        mValueBoxes.emplace_back(e, e->font());
        connect(e, &QLineEdit::textChanged, this, [e, base = e->font()] { fitText(e, base); });
    }
}

void frmController::buildSettings() {
    mLabTYPE = named(new QLabel(panelText("偏差ＰＩＤ制御"), this), "LabTYPE");
    mLabTYPE->setStyleSheet("font-weight: bold;");
    mChrRHAuto = named(new QCheckBox(tr("レンジ自動シフト"), this), "chrRHAuto");
    mChkQB = named(new QCheckBox(tr("ペン色自動"), this), "ChkQB");
    mCmbQB = named(new QComboBox(this), "cmbQB");
    for (auto c : kPenChoices)
        mCmbQB->addItem(panelText(c));
}

void frmController::buildRunButtons() {
    mCmdStart = named(new QPushButton(tr("スタート"), this), "cmdStart");
    mCmdPause = named(new QPushButton(tr("ポーズ"), this), "cmdPause");
    mCmdFast = named(new QPushButton(tr("早送り"), this), "cmdFast");
    mCmdClear = named(new QPushButton(tr("グラフ消去"), this), "cmdClear");
    mCmdPrint = named(new QPushButton(tr("ﾊｰﾄﾞｺﾋﾟｰ"), this), "cmdPrint");
    mCmdTip = named(new QPushButton(tr("学習表示"), this), "cmdTip");
    mCmdTip->hide();
    mCmdAnalysis = named(new QPushButton(tr("解析"), this), "cmdAnalysis");
    connect(mCmdAnalysis, &QPushButton::clicked, this, &frmController::analysisRequested);
    for (int k = 0; k < 2; ++k)
        for (PictureBox* strip : {Picture1(k), Picture2(k)}) {
            strip->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(strip, &QWidget::customContextMenuRequested, this,
                    [this, strip](const QPoint& at) { showStripMenu(strip, at); });
        }
    mCmdPause->setEnabled(false);
    mCmdFast->setEnabled(false);
    connect(mCmdStart, &QPushButton::clicked, this, &frmController::cmdStart_Click);
    connect(mCmdPause, &QPushButton::clicked, this, &frmController::cmdPause_Click);
    connect(mCmdFast, &QPushButton::clicked, this, &frmController::cmdFast_Click);
    connect(mCmdClear, &QPushButton::clicked, this, &frmController::cmdClear_Click);
    connect(mCmdPrint, &QPushButton::clicked, this, &frmController::printRequested);
    connect(mCmdTip, &QPushButton::clicked, this, [this] {
        mCmdTip->hide();
        mMessages.beep();
        emit lessonRequested();
    });
}

void frmController::addRunShortcuts(QWidget* window) {
    const std::pair<QKeyCombination, QPushButton*> keys[] = {
        {Qt::Key_F5, mCmdStart}, {Qt::Key_F6, mCmdPause}, {Qt::Key_F7, mCmdFast}, {Qt::Key_F8, mCmdClear}};
    for (const auto& [key, button] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::WindowShortcut);
        // A disabled button ignores its key, as it ignores a click.
        connect(shortcut, &QShortcut::activated, button, [this, button] {
            if (isVisible())
                button->click();
        });
    }
    if (window != this)
        return;
    mCmdStart->setToolTip(tr("スタート (F5)"));
    mCmdPause->setToolTip(tr("ポーズ／再開 (F6)"));
    mCmdFast->setToolTip(tr("早送り (F7)"));
    mCmdClear->setToolTip(tr("グラフ消去 (F8)"));
}

void frmController::showStripMenu(QWidget* strip, const QPoint& at) {
    QList<int> numbers;
    for (const KeptRun& run : mRuns.runs())
        if (run.graph == mState.chart.CurrentGraph && run.chartClear == mState.rec.ChartClears)
            numbers << run.number;
    QMenu menu(this);
    const std::pair<QString, RunExport> items[] = {{tr("CSV保存..."), RunExport::Csv},
                                                   {tr("画像保存..."), RunExport::Image},
                                                   {tr("レポート..."), RunExport::Report}};
    for (const auto& [caption, kind] : items)
        connect(menu.addAction(caption), &QAction::triggered, this,
                [this, kind, numbers] { emit runsExportRequested(kind, numbers); });
    menu.setEnabled(!numbers.isEmpty());
    menu.exec(strip->mapToGlobal(at));
}

void frmController::buildHelpLabels() {
    const char* anchors[] = {"C51", "C52", "C53", "C54", "C55"};
    for (int i = 0; i < 5; ++i) {
        mHelp[i] = new HelpLabel(anchors[i], this);
        connect(mHelp[i], &HelpLabel::activated, this, &frmController::helpRequested);
    }
    mChart->setPointerHelp(mHelp[1]);
}

void frmController::bindDocument() {
    connect(mTxtRH, &QLineEdit::textEdited, this, [this](const QString& t) {
        mDocument.setRangeHighText(t.toStdString());
        mTimer2->start();
    });
    connect(mTxtRL, &QLineEdit::textEdited, this, [this](const QString& t) {
        mDocument.setRangeLowText(t.toStdString());
        mTimer2->start();
    });
    connect(mTxtTM, &QLineEdit::textEdited, this,
            [this](const QString& t) { mDocument.setGraphTimeText(t.toStdString()); });
    connect(mChrRHAuto, &QCheckBox::clicked, this, [this](bool on) { mDocument.setAutoRange(on); });
    connect(mChkQB, &QCheckBox::clicked, this, [this](bool on) { mDocument.setAutoPen(on); });
    connect(mCmbQB, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { mDocument.setPenChoice(i); });
    mListener = mDocument.addListener([this](SetupChange what, int) { onDocumentChanged(what); });
    onDocumentChanged(SetupChange::PanelSetting);
    onDocumentChanged(SetupChange::TypeLabel);
}

void frmController::onDocumentChanged(SetupChange what) {
    // The loop structure and the secondary's mode may come with any change of the set-up (a
    // lesson step, the secondary's window, its mode lamps).
    const auto& p = mState.params;
    if (what == SetupChange::PanelSetting || p.LOOP != mShownLoop || p.MODE2 != mShownMode2)
        followLoop(isVisible());
    if (what == SetupChange::TypeLabel) {
        mLabTYPE->setText(panelText(mDocument.typeLabel()));
        return;
    }
    if (what != SetupChange::PanelSetting)
        return;
    auto sync = [](QLineEdit* e, const std::string& text) {
        if (e->text() != qtext(text))
            e->setText(qtext(text));
    };
    sync(mTxtRH, mDocument.rangeHighText());
    sync(mTxtRL, mDocument.rangeLowText());
    sync(mTxtTM, mDocument.graphTimeText());
    mChrRHAuto->setChecked(mDocument.autoRange());
    mChkQB->setChecked(mDocument.autoPen());
    if (mCmbQB->currentIndex() != mDocument.penChoice()) {
        mCmbQB->setCurrentIndex(mDocument.penChoice());
    }
    mFaceplate->showPenColour();
}

void frmController::followLoop(bool shown, bool reopen) {
    reopen = reopen || mState.params.LOOP != mShownLoop;
    mShownLoop = mState.params.LOOP;
    mShownMode2 = mState.params.MODE2;
    mFaceplate->applyMode();
    mSecondary->follow(shown, reopen);
}

// --- Start-up and layout -------------------------------------------------------------------------

void frmController::Form_Load() {
    mLoading = true;
    runControl().loadPanel(mFaceplate->svText().toStdString(), mDocument.fieldText(Kpl));
    mDocument.setPenChoice(0);
    mLoading = false;
    Form_Resize();
    MvSliderUpdate();
    mFaceplate->applyMode();
}

void frmController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!mLoading)
        Form_Resize();
}

void frmController::Form_Resize() {
    auto& chart = mState.chart;
    auto t = trap("  P026");
    mChart->hideNotes();
    const double W = std::max(width() * kTwipsPerPixel, kMinWidth);
    const double H = std::max(height() * kTwipsPerPixel, kMinHeight);
    t([&] { layOut(W, H); });
    t([&] { SvPointerUpdate(); });
    t([&] { DvPointerUpdate(); });
    t([&] { runControl().chartClear(); });
    t([&] {
        const double dt = mState.params.dt;
        mState.sim.DecimationRatio = toInt16(chart.GraphTime / dt / 500.0 + 1.0);
        chart.PenAdvance = checkFinite(chartWidth() * dt / chart.GraphTime);
        // A run in progress goes on recording where it stands, so its start stays in the record.
    });
    // Replay every run kept on the selected graph since its last clear, in its own pens, then the
    // graph's own record as it was drawn (never another graph's, nor a slot left from an earlier
    // run).
    const int g = chart.CurrentGraph;
    const auto& rec = mState.rec;
    int overlay = 0;
    for (const KeptRun& run : mRuns.runs())
        if (run.graph == g && run.chartClear == rec.ChartClears && run.number != rec.TrendRun[g])
            mChart->drawRun(run, overlay++);
    const std::int16_t samples = rec.TrendSamples[g];
    for (std::int16_t i = 0; i < samples; ++i) {
        t([&] { Line_draw1(i); });
        if (t.ended())
            break;
    }
    PvBarUpdate();
}

void frmController::redrawCharts() {
    mFaceplate->showPenColour();
    mChart->showPenColours();
    Form_Resize();
    if (mPenRec)
        mPenRec->redraw();
}

void frmController::layOut(double W, double H) {
    place(mFaceplate, 120, 120, 1635, H - 2300);
    mFaceplate->layOut();
    // The upper strip stands level with the PV bar, so the range scale matches the SV scale.
    const double barHeight = mFaceplate->barHeight();
    const double picTop = topOf(mFaceplate) + Faceplate::kBarTop - 300;
    const double picW = W - kChartLeft - kChartRightMargin;
    mChart->layOut(kChartLeft, picTop, picW, barHeight, H - picTop - barHeight - 1300);
    placeSettings();
    placeRangeColumn(topOf(mFaceplate) + Faceplate::kBarTop, barHeight, kChartLeft + picW);
    placeRunButtons(topOf(Picture2(0)) + heightOf(Picture2(0)) + 120, kChartLeft + picW);
    for (const auto& [box, base] : mValueBoxes)
        fitText(box, base);
    place(mHelp[0], 120 + 1635 - 260, 120 + 40, 240, 240);
}

void frmController::placeSettings() {
    const double frameBottom = topOf(mFaceplate) + heightOf(mFaceplate);
    place(mLabTYPE, 150, frameBottom + 60, 1700, 255);
    place(mChrRHAuto, 150, topOf(mLabTYPE) + heightOf(mLabTYPE) + 60, 1900, 285);
    place(mHelp[4], 2060, topOf(mChrRHAuto), 240, 240);
    place(mChkQB, 150, topOf(mChrRHAuto) + heightOf(mChrRHAuto) + 60, 1150, 285);
    place(mCmbQB, 1320, topOf(mChkQB) - 15, 900, 315);
    place(mOption1[0], 150, topOf(mChkQB) + heightOf(mChkQB) + 200, 1050, 285);
    place(mOption1[1], 1200, topOf(mOption1[0]), 1050, 285);
}

void frmController::placeRangeColumn(double top, double height, double chartRight) {
    place(mTxtTM, chartRight - 600, topOf(Picture1(0)) - 285, 600, 285);
    place(mLabTM, leftOf(mTxtTM) - 2400, topOf(mTxtTM) + 20, 2350, 285);
    mLabTM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(mHelp[3], leftOf(mLabTM) - 300, topOf(mLabTM), 240, 240);

    place(mTxtRH, kRangeLeft, top, kRangeWidth, 255);
    place(mTxtRL, kRangeLeft, top + height - 255, kRangeWidth, 255);
    place(mShiftDown, kRangeLeft, top - 285 + 30, 315, 255);
    place(mShiftUp, kRangeLeft, top + height, 315, 255);
}

void frmController::placeRunButtons(double top, double chartRight) {
    double left = kChartLeft;
    for (QPushButton* b : {mCmdStart, mCmdPause, mCmdFast, mCmdClear}) {
        place(b, left, top, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kButtonGap;
    }
    // Print, analysis and the lesson button stand right-aligned with the strip; on a panel too
    // narrow for them beside the run buttons they take a second row instead of covering Clear.
    // "解析" is narrower, so the three still fit beside the run buttons at the design width.
    const double analysisLeft = chartRight - kButtonWidth - kButtonGap - kAnalysisWidth;
    const double tipLeft = analysisLeft - kButtonGap - kButtonWidth;
    const double rightRowTop = tipLeft < left ? top + kButtonHeight + 60 : top;
    place(mCmdPrint, chartRight - kButtonWidth, rightRowTop, kButtonWidth, kButtonHeight);
    place(mCmdAnalysis, analysisLeft, rightRowTop, kAnalysisWidth, kButtonHeight);
    place(mCmdTip, tipLeft, rightRowTop, kButtonWidth, kButtonHeight);
    place(mHelp[2], left, top + 60, 240, 240);
}

// --- The step's drawing --------------------------------------------------------------------------

void frmController::Line_draw1(std::int16_t i) {
    if (mState.chart.RunLineStyles) {
        // The record comes after the runs kept on its graph since the last clear.
        const int g = mState.chart.CurrentGraph;
        const auto& rec = mState.rec;
        int overlay = 0;
        for (const KeptRun& run : mRuns.runs())
            overlay += run.graph == g && run.chartClear == rec.ChartClears && run.number != rec.TrendRun[g];
        mChart->setRecordOverlay(overlay);
    }
    mChart->Line_draw1(i);
}
void frmController::Line_draw2(std::int16_t i) {
    penRecorder().Line_draw2(i);
}
void frmController::Pict_inz() {
    mChart->Pict_inz();
}
void frmController::PvBarUpdate() {
    mFaceplate->PvBarUpdate();
}
void frmController::MvSliderUpdate() {
    mFaceplate->MvSliderUpdate();
}
void frmController::SvPointerUpdate() {
    mFaceplate->SvPointerUpdate();
}
void frmController::DvPointerUpdate() {
    mChart->DvPointerUpdate();
}
void frmController::showSv(double sv) {
    mFaceplate->showSv(sv);
}
void frmController::showMv(double mv) {
    mFaceplate->showMv(mv);
}
void frmController::showPv(double pv) {
    mFaceplate->showPv(pv);
}
void frmController::showSecondary() {
    // A structure or mode set without a notification of the set-up is taken up here.
    const auto& p = mState.params;
    if (p.LOOP != mShownLoop || p.MODE2 != mShownMode2)
        followLoop(isVisible());
    mSecondary->showValues();
    // While the secondary is not in cascade the primary's output tracks SV2: its slider follows.
    if (mState.params.secondaryMode() != SecondaryMode::Cascade)
        mFaceplate->MvSliderUpdate();
}
void frmController::Note_draw(const std::string& id) {
    mChart->Note_draw(id);
}

// --- Operations ----------------------------------------------------------------------------------

void frmController::Option1_Click(int index) {
    mState.chart.CurrentGraph = static_cast<std::int16_t>(index);
    mChart->showGraph(index);
    mOption1[index]->setChecked(true);
}

void frmController::ShiftUp_Click() {
    auto t = trap("  P033");
    t([&] { mDocument.setRangeHighText(formatNumber(toDouble(mDocument.rangeHighText()) + 15.0, "###.0")); });
    t([&] { mDocument.setRangeLowText(formatNumber(toDouble(mDocument.rangeLowText()) + 15.0, "###.0")); });
}

void frmController::ShiftDown_Click() {
    runControl().ShiftDown();
}

void frmController::cmdStart_Click() {
    runControl().Start();
}
void frmController::cmdPause_Click() {
    runControl().Pause();
}
void frmController::cmdFast_Click() {
    runControl().Fast();
}
void frmController::cmdClear_Click() {
    runControl().Clear();
}

void frmController::Form_MouseDown(double x, double y) {
    mChart->dvPointerClick(x, y);
}

void frmController::openFromMenu() {
    show();
    raise();
    activateWindow();
    setPacingTimerEnabled(true);
    runControl().Data_inz();
}

void frmController::SetHelpPointer(bool visible) {
    mSecondary->SetHelpPointer(visible);
    for (HelpLabel* l : mHelp) {
        l->setVisible(visible);
        l->raise();
    }
}

// --- Events --------------------------------------------------------------------------------------

void frmController::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Form_MouseDown(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel);
    QWidget::mousePressEvent(event);
}

void frmController::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followLoop(true, true);
    mFaceplate->showPenColour();
    mChart->showPenColours();
}

void frmController::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    followLoop(false);
}

void frmController::closeEvent(QCloseEvent* event) {
    // The record is finished with: a later replay finds nothing to draw.
    runControl().adoptGraphTime();
    mState.rec.SampleTime[0] = mState.chart.GraphTime + 1;
    mState.sim.SamplesRecorded = 0;
    mState.rec.forgetTrends();
    ++mState.rec.PenClears; // nor the runs the pen recorder shows
    mTimer1->stop();
    QWidget::closeEvent(event);
}

} // namespace kestrel
