#include "forms/frmmain.h"

#include "core/palette.h"
#include "forms/blockdiagram.h"
#include "forms/parameterrow.h"
#include "forms/processdetail.h"
#include "forms/secondaryloop.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/settingsfile.h"
#include "widgets/halfwidthinput.h"
#include "widgets/language.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace kestrel {

namespace {

constexpr double kRow = kParameterRow;
constexpr double kFieldLeft = kParameterFieldLeft;
constexpr double kFieldWidth = kParameterFieldWidth;

const std::array<LessonItem, 13> kLessons{{
    {"c5171", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "5.1.7 (1) P制御特性  (設定値変化)"), "C0501071.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 5.1.7 (1) P制御特性  (設定値変化)")},
    {"c5172", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "5.1.7 (2) P制御特性  (外乱変化)"), "C0501072.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 5.1.7 (2) P制御特性  (外乱変化)")},
    {"c527", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "5.2.7 PI制御特性"), "C050207.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習: 5.2.7 ＰＩ制御特性")},
    {"c536", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "5.3.6 PID制御特性"), "C050306.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 5.3.6 ＰＩＤ制御特性")},
    {"c7341", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "7.3.4 (1)上下限制限による引き戻し　"), "C0703041.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 7.3.4 (1)上下限制限による引き戻し")},
    {"c7342", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "7.3.4 (2)上下限制限による飽和時変動問題"),
     "C0703042.txt", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 7.3.4 (2)上下限制限による飽和時変動問題")},
    {"c7343", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "7.3.4 (3)変化率制限による引き戻し"), "C0703043.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 7.3.4 (3)変化率制限による引き戻し")},
    {"c95", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "9.5  具体的なPIDパラメータの決定と調整"), "C090500.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 9.5  具体的なPIDパラメータの決定と調整")},
    {"c1051", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "10.5 (1)１自由度ＰＩＤ制御と２自由度ＰＩＤ制御の比較"),
     "C100501.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 10.5 (1)１自由度ＰＩＤ制御と２自由度ＰＩＤ制御の比較")},
    {"c1159", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "11.5.9 シミュレーションによるFF／FB制御特性の確認"),
     "C110509.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 11.5.9 シミュレーションによるFF／FB制御特性の確認")},
    {"c121", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "12.1 微分動作とノイズ"), "C120100.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 12.1 微分動作とノイズ")},
    {"c122", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "12.2 バルブのスティクションによるハンチング"),
     "C120200.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 12.2 バルブのスティクションによるハンチング")},
    {"c131", QT_TRANSLATE_NOOP("kestrel::frmMAIN", "13.1 カスケード制御"), "C130100.txt",
     QT_TRANSLATE_NOOP("kestrel::frmMAIN", "学習： 13.1 カスケード制御")},
}};

// The captions of the setup tables that the windows show (setupCaption): control-type tabs,
// calculation forms, loop structures, process types and secondary controller types.
[[maybe_unused]] constexpr const char* kSetupCaptions[] = {
    QT_TRANSLATE_NOOP("SetupCaptions", "Ｐ 制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "Ｐ Ｉ 制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "偏差ＰＩＤ制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "Ｉ－ＰＤ制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "ＰＩ－Ｄ制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "２自由度ＰＩＤ"),
    QT_TRANSLATE_NOOP("SetupCaptions", "ＰＩＤ制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "位置型"),
    QT_TRANSLATE_NOOP("SetupCaptions", "速度型"),
    QT_TRANSLATE_NOOP("SetupCaptions", "速度型（本質継承）"),
    QT_TRANSLATE_NOOP("SetupCaptions", "単ループ"),
    QT_TRANSLATE_NOOP("SetupCaptions", "カスケード制御"),
    QT_TRANSLATE_NOOP("SetupCaptions", "単ループ（二段プロセス）"),
    QT_TRANSLATE_NOOP("SetupCaptions", "一次遅れ＋無駄時間"),
    QT_TRANSLATE_NOOP("SetupCaptions", "二次遅れ＋無駄時間"),
    QT_TRANSLATE_NOOP("SetupCaptions", "積分（液位）"),
};

} // namespace

const std::array<LessonItem, 13>& frmMAIN::lessons() {
    return kLessons;
}

frmMAIN::frmMAIN(AppState& state, SetupDocument& document, MessageService& messages, frmController& panel,
                 QWidget* parent)
    : QMainWindow(parent), mState(state), mDocument(document), mMessages(messages), mPanel(panel) {
    setObjectName("frmMAIN");
    setWindowTitle("Kestrel");
    setCentralWidget(new QWidget(this));
    centralWidget()->setObjectName("central");
    mProcessDetail = new frmProcessDetail(document, this);
    connect(mProcessDetail, &frmProcessDetail::helpRequested, this, &frmMAIN::helpRequested);
    mSecondaryLoop = new frmSecondaryLoop(document, this);
    connect(mSecondaryLoop, &frmSecondaryLoop::helpRequested, this, &frmMAIN::helpRequested);
    buildMenus();
    mPanel.addRunShortcuts(this);
    buildDiagram();
    buildGroups();

    mCmdPrint = new QPushButton(tr("ﾊｰﾄﾞｺﾋﾟｰ"), centralWidget());
    mCmdPrint->setObjectName("cmdPrint");
    place(mCmdPrint, 120 + 3900 + 120 + 3900 - 1215, 7420, 1215, 375);
    connect(mCmdPrint, &QPushButton::clicked, this, &frmMAIN::printRequested);
    // The fifth group has no room in the window: a button under the process group opens it.
    mCmdDetail = new QPushButton(tr("プロセス詳細..."), centralWidget());
    mCmdDetail->setObjectName("cmdProcessDetail");
    place(mCmdDetail, 120, 7420, 1815, 375);
    connect(mCmdDetail, &QPushButton::clicked, mProcessDetail, &frmProcessDetail::open);
    mCmdSecondary = new QPushButton(tr("二次ループ..."), centralWidget());
    mCmdSecondary->setObjectName("cmdSecondaryLoop");
    place(mCmdSecondary, 120 + 1815 + 120, 7420, 1815, 375);
    connect(mCmdSecondary, &QPushButton::clicked, mSecondaryLoop, &frmSecondaryLoop::open);
    mCmdTip = new QPushButton(tr("学習表示"), centralWidget());
    mCmdTip->setObjectName("cmdTip");
    place(mCmdTip, 120 + 3900 + 120 + 3900 - 1215 - 120 - 1215, 7420, 1215, 375);
    mCmdTip->hide();
    connect(mCmdTip, &QPushButton::clicked, this, [this] {
        mDocument.applyAll();
        mCmdTip->hide();
        mMessages.beep();
        emit lessonRequested();
    });

    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setInterval(50);
    connect(mTimer1, &QTimer::timeout, this, [this] {
        mTimer1->stop();
        mCmdTip->show();
        mCmdTip->setFocus();
        mMessages.beep();
    });

    setKeyboardOrder();
    mListener =
        mDocument.addListener([this](SetupChange what, int index) { onDocumentChanged(what, index); });
    for (int f = 0; f < FieldCount; ++f)
        showField(static_cast<Field>(f));
    showVisibility();
    onDocumentChanged(SetupChange::TypeTab, 0);
    onDocumentChanged(SetupChange::CalcForm, 0);
    onDocumentChanged(SetupChange::Feedback, 0);
    onDocumentChanged(SetupChange::Bias, 0);
    showProcessDetail();
    showLoopStructure();

    // The window keeps its outer size of 12100 × 9000 twips (the frame and title bar take about
    // 6 × 30 pixels of it); any resize is undone.
    setFixedSize(px(12100) - 6, px(9000) - 30);
}

frmMAIN::~frmMAIN() {
    mDocument.removeListener(mListener);
}

// --- Construction --------------------------------------------------------------------------------

void frmMAIN::buildMenus() {
    menuBar()->setNativeMenuBar(false);
    auto action = [this](QMenu* menu, const QString& caption, const char* name) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };

    QMenu* disp = menuBar()->addMenu(tr("表示(&V)"));
    disp->setObjectName("disp");
    connect(action(disp, tr("コントローラパネル"), "contoroler"), &QAction::triggered, this,
            [this] { mPanel.openFromMenu(); });
    connect(action(disp, tr("SV折線、DV折線"), "svdis"), &QAction::triggered, this,
            &frmMAIN::editorRequested);
    connect(action(disp, tr("ペンレコーダ"), "penrec"), &QAction::triggered, this, [this] {
        frmPENrec& rec = mPanel.penRecorder();
        rec.show();
        rec.raise();
        rec.activateWindow();
    });
    connect(action(disp, tr("パラメータ初期化"), "ParaInz"), &QAction::triggered, this,
            [this] { mDocument.ParaInz_Click(); });
    connect(action(disp, tr("プロセス詳細..."), "procDetail"), &QAction::triggered, mProcessDetail,
            &frmProcessDetail::open);
    connect(action(disp, tr("二次ループ..."), "secondaryLoop"), &QAction::triggered, mSecondaryLoop,
            &frmSecondaryLoop::open);
    connect(action(disp, tr("ハードコピー画像"), "bmp"), &QAction::triggered, this,
            &frmMAIN::imageListRequested);
    disp->addSeparator();
    QAction* safe = disp->addAction(tr("色覚に配慮したペン色"));
    safe->setObjectName("safeColors");
    QAction* styles = disp->addAction(tr("ランを線種で区別"));
    styles->setObjectName("runLineStyles");
    for (QAction* a : {safe, styles})
        a->setCheckable(true);
    connect(disp, &QMenu::aboutToShow, this, [this, safe, styles] {
        safe->setChecked(mState.chart.SafeColours);
        styles->setChecked(mState.chart.RunLineStyles);
    });
    // Each switches the option as it stands in the state, which start-up read from the settings.
    connect(safe, &QAction::triggered, this, [this, safe] {
        setChartOption(Setting::SafeColours, mState.chart.SafeColours, !mState.chart.SafeColours);
        safe->setChecked(mState.chart.SafeColours);
    });
    connect(styles, &QAction::triggered, this, [this, styles] {
        setChartOption(Setting::RunLineStyles, mState.chart.RunLineStyles, !mState.chart.RunLineStyles);
        styles->setChecked(mState.chart.RunLineStyles);
    });
    // The language menu reads the same in both languages, so that a learner finds it in either.
    disp->addSeparator();
    QMenu* language = disp->addMenu("Language/言語");
    language->setObjectName("language");
    auto* languages = new QActionGroup(language);
    const char* const choices[][3] = {{"", "日本語", "languageJa"}, {"en", "English", "languageEn"}};
    for (const auto& choice : choices) {
        QAction* a = action(language, choice[1], choice[2]);
        a->setCheckable(true);
        a->setChecked(currentLanguage() == choice[0]);
        languages->addAction(a);
        const QString code = choice[0];
        connect(a, &QAction::triggered, this, [this, code] { emit languageRequested(code); });
    }

    QMenu* study = menuBar()->addMenu(tr("学習(&S)"));
    study->setObjectName("gmenu");
    struct Chapter {
        const char* name;
        const char* caption;
        int first, count;
    };
    const Chapter chapters[] = {{"c5", QT_TR_NOOP("第５章　ＰＩＤ制御基本式"), 0, 4},
                                {"c6", QT_TR_NOOP("第６章　理想形ＰＩＤから実用形ＰＩＤへ"), -1, 0},
                                {"c7", QT_TR_NOOP("第７章　本質継承PID"), 4, 3},
                                {"c9", QT_TR_NOOP("第９章　ＰＩＤパラメータの調整方法"), 7, 1},
                                {"c10", QT_TR_NOOP("第１０章　ＰＩＤ制御の２自由度化"), 8, 1},
                                {"c11", QT_TR_NOOP("第１１章　アドバンスト制御"), 9, 1},
                                {"c12", QT_TR_NOOP("第１２章　ノイズとバルブの不具合"), 10, 2},
                                {"c13", QT_TR_NOOP("第１３章　カスケード制御"), 12, 1}};
    for (const Chapter& c : chapters) {
        QMenu* sub = study->addMenu(tr(c.caption));
        sub->setObjectName(c.name);
        sub->menuAction()->setObjectName(c.name);
        if (c.first < 0) {
            // Chapter 6 is not part of the course: its items are shown greyed and open nothing.
            const char* items[][2] = {{"c651", QT_TR_NOOP("6.5.1 偏差PID制御")},
                                      {"c652", QT_TR_NOOP("6.5.2 測定値微分先行形PID(PI-D)制御")},
                                      {"c653", QT_TR_NOOP("6.5.3 測定値比例微分先行形PID(P-ID)制御")},
                                      {"c66", QT_TR_NOOP("6.6   副作用対策")}};
            for (auto& item : items)
                action(sub, tr(item[1]), item[0])->setEnabled(false);
            sub->menuAction()->setEnabled(false);
            continue;
        }
        for (int i = c.first; i < c.first + c.count; ++i)
            connect(action(sub, tr(kLessons[i].menuCaption), kLessons[i].item), &QAction::triggered, this,
                    [this, i] { openLesson(i); });
    }

    study->addSeparator();
    connect(action(study, tr("挑戦..."), "challenge"), &QAction::triggered, this,
            &frmMAIN::challengeRequested);

    QMenu* self = menuBar()->addMenu(tr("自習(&J)"));
    self->setObjectName("self");
    connect(action(self, tr("新しいﾌﾟﾛｼﾞｪｸﾄ"), "newfn"), &QAction::triggered, this,
            &frmMAIN::newProjectRequested);
    connect(action(self, tr("ﾌﾟﾛｼﾞｪｸﾄを開く"), "selectfn"), &QAction::triggered, this,
            &frmMAIN::openProjectRequested);

    QMenu* analysis = menuBar()->addMenu(tr("解析"));
    analysis->setObjectName("analysis");
    connect(action(analysis, tr("ラン解析..."), "runAnalysis"), &QAction::triggered, this,
            &frmMAIN::analysisRequested);

    QMenu* tuning = menuBar()->addMenu(tr("調整(&T)"));
    tuning->setObjectName("tuning");
    connect(action(tuning, tr("調整ワークベンチ..."), "tuningWorkbench"), &QAction::triggered, this,
            &frmMAIN::tuningRequested);

    QMenu* help = menuBar()->addMenu(tr("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName("help");
    connect(action(help, tr("ヘルプ"), "helpdoc"), &QAction::triggered, this,
            &frmMAIN::helpDocumentRequested);
    connect(action(help, tr("ヘルプポインタの表示・非表示"), "helpPointer"), &QAction::triggered, this,
            &frmMAIN::helpPointerToggled);
    // The glossary reads the same in both languages, as its window's title does.
    connect(action(help, "用語集 / Glossary...", "glossary"), &QAction::triggered, this,
            &frmMAIN::glossaryRequested);
    connect(action(help, tr("ﾊﾞｰｼﾞｮﾝ情報"), "var"), &QAction::triggered, this, &frmMAIN::versionRequested);
}

void frmMAIN::setKeyboardOrder() {
    // Tab goes through the groups from the top down, each ending in its OK and Cancel; the loop
    // structure list belongs to the process group; then the buttons along the bottom, left to right.
    QWidget::setTabOrder(mFields[Lpl], mCboLoop);
    QWidget::setTabOrder(mCmdDetail, mCmdSecondary);
    QWidget::setTabOrder(mCmdSecondary, mCmdTip);
    QWidget::setTabOrder(mCmdTip, mCmdPrint);
}

void frmMAIN::setChartOption(Setting key, bool& option, bool on) {
    option = on;
    writeSetting(mDocument.userDir(), key, on ? "1" : "0");
    mPanel.redrawCharts();
    emit chartOptionsChanged();
}

void frmMAIN::buildDiagram() {
    mTab = new QTabWidget(centralWidget());
    mTab->setObjectName("ContTypeTab");
    place(mTab, 120, 60, 7920, 4700);
    for (int page = 0; page < 6; ++page) {
        mDiagrams[page] = new BlockDiagram(page);
        mTab->addTab(mDiagrams[page], setupCaption(kTypePages[page]));
    }
    mTab->setCurrentIndex(mDocument.typeTab());
    connect(mTab, &QTabWidget::currentChanged, this, [this](int page) {
        if (page != mDocument.typeTab())
            mDocument.ContTypeTab_Click(page);
    });
    mHelp[0] = new HelpLabel("C43", centralWidget());
    place(mHelp[0], 120 + 7920 - 260, 60, 240, 240);
}

QGroupBox* frmMAIN::buildGroup(FieldGroup group, const QString& title, const char* name, double left,
                               double top, double width, double height) {
    auto* box = new QGroupBox(title, centralWidget());
    box->setObjectName(name);
    place(box, left, top, width, height);
    // Labels are aligned with blanks, as on a fixed-pitch face.
    QFont labelFont("ＭＳ ゴシック");
    labelFont.setPointSizeF(QApplication::font().pointSizeF());
    double row = 330;
    for (int f = 0; f < FieldCount; ++f) {
        if (kFields[f].group != group)
            continue;
        const auto [label, edit] = addParameterRow(box, kFields[f], row, labelFont);
        const Field field = static_cast<Field>(f);
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& t) { mDocument.setFieldText(field, t.toStdString()); });
        mFields[f] = edit;
        mLabels[f] = label;
        row += kRow;
        if (f == dML) {
            mUnitLabel = new QLabel(tr("(％／dＴ)"), box);
            mUnitLabel->setObjectName("Label_dMLunit");
            // Right of the field there is no room for it: it stands just before the field.
            mUnitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            place(mUnitLabel, kFieldLeft - 60 - 900, row - kRow, 900, 270);
        }
    }
    if (group == FieldGroup::Controller) {
        auto* label = new QLabel(tr("バイアス(％)   bA"), box);
        label->setObjectName("Label_txtbA");
        label->setFont(labelFont);
        place(label, 90, row, kFieldLeft - 120, 270);
        mTxtbA = new QLineEdit("50", box);
        mTxtbA->setObjectName("txtbA");
        mTxtbA->setAlignment(Qt::AlignRight);
        mTxtbA->setEnabled(false);
        place(mTxtbA, kFieldLeft, row - 15, kFieldWidth, 285);
        row += kRow + 60;
        for (int i = 0; i < 3; ++i) {
            mOptCtype[i] = new QRadioButton(setupCaption(kCalcForms[i]), box);
            mOptCtype[i]->setObjectName(QString("optCtype_%1").arg(i));
            place(mOptCtype[i], 90, row, width - 180, 285);
            connect(mOptCtype[i], &QRadioButton::clicked, this, [this, i] {
                if (i != mDocument.calcForm())
                    mDocument.optCtype_Click(i);
            });
            row += 285;
        }
        mChkFB = new QCheckBox(tr("フィードバックする"), box);
        mChkFB->setObjectName("ChkFB");
        place(mChkFB, 90, row + 45, width - 180, 285);
        connect(mChkFB, &QCheckBox::clicked, this, [this](bool on) { mDocument.ChkFB_Click(on); });
        row += 285 + 60;
    }
    const char* suffix = group == FieldGroup::Controller    ? ""
                         : group == FieldGroup::Process     ? "PL"
                         : group == FieldGroup::Disturbance ? "DS"
                                                            : "FF";
    auto* ok = new QPushButton("OK", box);
    ok->setObjectName(QString("OKButton") + suffix);
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), box);
    cancel->setObjectName(QString("CancelButton") + suffix);
    const double buttonTop = height - 375 - 120;
    place(ok, width - 2 * 900 - 180, buttonTop, 900, 375);
    place(cancel, width - 900 - 90, buttonTop, 900, 375);
    connect(ok, &QPushButton::clicked, this, [this, group] { mDocument.okButton(group); });
    connect(cancel, &QPushButton::clicked, this, [this, group] { mDocument.cancelButton(group); });
    return box;
}

void frmMAIN::buildGroups() {
    QGroupBox* controller =
        buildGroup(FieldGroup::Controller, tr("制御ﾊﾟﾗﾒｰﾀ"), "FrameController", 8160, 0, 3810, 5760);
    QGroupBox* process =
        buildGroup(FieldGroup::Process, tr("制御対象ﾊﾟﾗﾒｰﾀ"), "FramePL", 120, 4860, 3900, 2460);
    QGroupBox* disturbance =
        buildGroup(FieldGroup::Disturbance, tr("外乱伝達関数ﾊﾟﾗﾒｰﾀ"), "FrameDS", 4140, 4860, 3900, 2460);
    // The feedforward group ends clear of the window's bottom edge, whatever the menu bar's height.
    QGroupBox* feedforward =
        buildGroup(FieldGroup::Feedforward, tr("FFモデルﾊﾟﾗﾒｰﾀ"), "FrameFF", 8160, 5820, 3810, 2160);
    // The loop structure stands under the process's fields: it decides what the process is made of.
    {
        const double row = 330 + 3 * kRow + 60;
        QFont labelFont("ＭＳ ゴシック");
        labelFont.setPointSizeF(QApplication::font().pointSizeF());
        // The English caption is longer: the list moves right to make room for it.
        const double comboLeft = currentLanguage() == "en" ? 1440 : 1020;
        auto* label = new QLabel(tr("制御構造"), process);
        label->setObjectName("Label_loop");
        label->setFont(labelFont);
        place(label, 90, row, comboLeft - 120, 270);
        mCboLoop = new QComboBox(process);
        mCboLoop->setObjectName("cboLoop");
        for (std::string_view structure : kLoopStructures)
            mCboLoop->addItem(setupCaption(structure));
        place(mCboLoop, comboLeft, row - 30, 3900 - comboLeft - 90, 330);
        connect(mCboLoop, &QComboBox::activated, this, [this](int index) {
            if (index != mDocument.loopStructure())
                mDocument.optLoop_Click(index);
        });
    }
    QGroupBox* groups[] = {controller, process, disturbance, feedforward};
    for (int i = 0; i < 4; ++i) {
        mHelp[i + 1] = new HelpLabel(QString("C%1").arg(44 + i), groups[i]);
        place(mHelp[i + 1], groups[i]->width() * kTwipsPerPixel - 300, 30, 240, 240);
    }
    for (HelpLabel* h : mHelp)
        connect(h, &HelpLabel::activated, this, &frmMAIN::helpRequested);
}

// --- Following the document ----------------------------------------------------------------------

void frmMAIN::showField(Field f) {
    const bool hidden = mDocument.processHidden() && SetupDocument::isProcessField(f);
    showParameter(mFields[f], mDocument.fieldText(f), mDocument.fieldEdited(f), hidden);
}

void frmMAIN::showVisibility() {
    for (int f = 0; f < FieldCount; ++f) {
        const bool visible = mDocument.fieldVisible(static_cast<Field>(f));
        mFields[f]->setVisible(visible);
        mLabels[f]->setVisible(visible);
    }
    mUnitLabel->setVisible(mDocument.fieldVisible(dML));
}

void frmMAIN::showProcessDetail() {
    const ParameterSet& p = mState.params;
    BlockDiagram::ProcessDetail detail;
    detail.hidden = mDocument.processHidden();
    detail.type = static_cast<int>(p.processType());
    detail.valve = p.valveActive();
    detail.sensor = p.sensorActive();
    detail.loop = static_cast<int>(p.loopStructure());
    detail.secondaryType = std::clamp(static_cast<int>(p.TYPE2), 0, 2);
    for (BlockDiagram* d : mDiagrams)
        d->setProcessDetail(detail);
}

void frmMAIN::onDocumentChanged(SetupChange what, int index) {
    switch (what) {
    case SetupChange::FieldText:
        showField(static_cast<Field>(index));
        // Hiding or showing the process is announced through its fields.
        if (index == Kpl)
            showProcessDetail();
        break;
    case SetupChange::DetailText:
    case SetupChange::ProcessType:
    case SetupChange::SecondaryOption:
        showProcessDetail();
        break;
    case SetupChange::LoopStructure:
        showLoopStructure();
        showProcessDetail();
        break;
    case SetupChange::FieldVisibility:
        showVisibility();
        break;
    case SetupChange::TypeTab:
        if (mTab->currentIndex() != mDocument.typeTab()) {
            const QSignalBlocker block(mTab);
            mTab->setCurrentIndex(mDocument.typeTab());
        }
        break;
    case SetupChange::CalcForm:
        if (mDocument.calcForm() >= 0 && mDocument.calcForm() < 3)
            mOptCtype[mDocument.calcForm()]->setChecked(true);
        break;
    case SetupChange::Feedback:
        mChkFB->setChecked(mDocument.feedbackChecked());
        for (BlockDiagram* d : mDiagrams)
            d->setFeedbackConnected(mDocument.feedbackChecked());
        break;
    case SetupChange::Bias:
        mTxtbA->setText(qtext(mDocument.biasText()));
        break;
    default:
        break;
    }
}

// --- Operations ----------------------------------------------------------------------------------

void frmMAIN::openLesson(int index) {
    const LessonItem& lesson = kLessons[index];
    auto& study = mState.study;
    study.CurFile = (mDocument.studyFolder() / lesson.file).string();
    study.ProjectMode = false;
    study.StepNo = 1;
    emit studyRequested(tr(lesson.caption));
}

void frmMAIN::startReturnPrompt() {
    mTimer1->start();
}

void frmMAIN::SetHelpPointer(bool visible) {
    for (HelpLabel* h : mHelp) {
        h->setVisible(visible);
        h->raise();
    }
    mProcessDetail->SetHelpPointer(visible);
    mSecondaryLoop->SetHelpPointer(visible);
}

void frmMAIN::showLoopStructure() {
    if (mCboLoop->currentIndex() != mDocument.loopStructure())
        mCboLoop->setCurrentIndex(mDocument.loopStructure());
}

void frmMAIN::closeEvent(QCloseEvent* event) {
    // The main window lives as long as the program: closing it ends the program.
    QMainWindow::closeEvent(event);
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace kestrel
