#include "forms/frmtip.h"

#include "core/convert.h"
#include "engine/errortrap.h"
#include "forms/frmmain.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/modinifile.h"
#include "setup/settingsfile.h"
#include "study/description.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace kestrel {

namespace {

/// Texts of the window keep CR LF line breaks, as the files' "<BR>" stand for.
QString crlfToView(const std::string& s) { return qtext(s).replace("\r\n", "\n"); }
std::string viewToCrlf(const QString& s) {
    QString t = s;
    return t.replace("\n", "\r\n").toStdString();
}

} // namespace

frmTip::frmTip(AppState& state, SetupDocument& document, MessageService& messages, frmController& panel,
               frmMAIN& mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), mState(state), mDocument(document), mMessages(messages), mPanel(panel),
      mMain(mainWindow) {
    setObjectName("frmTip");
    resize(640, 600);

    auto* layout = new QVBoxLayout(this);
    mTxtTitle1 = new QLineEdit(this);
    mTxtTitle1->setObjectName("txtTitle1");
    QFont titleFont = mTxtTitle1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    mTxtTitle1->setFont(titleFont);
    mTxtText1 = new QPlainTextEdit(this);
    mTxtText1->setObjectName("txtText1");
    mTxtText1->setMaximumHeight(110);
    const char* bytesNames[] = {"lblBytesTitle1", "lblBytesText1", "lblBytesTitle2", "lblBytesText2"};
    for (std::size_t i = 0; i < mBytesLeft.size(); ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(bytesNames[i]);
        QFont small = l->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        l->setFont(small);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->hide();
        mBytesLeft[i] = l;
    }
    auto* title1Row = new QHBoxLayout;
    title1Row->addWidget(mTxtTitle1, 1);
    title1Row->addWidget(mBytesLeft[0]);
    layout->addLayout(title1Row);
    layout->addWidget(mTxtText1);
    layout->addWidget(mBytesLeft[1]);

    auto* stepRow = new QHBoxLayout;
    mLblTitle = new QLabel(this);
    mLblTitle->setObjectName("LblTitle");
    mLblTitle->setFont(titleFont);
    mTxtTitle2 = new QLineEdit(this);
    mTxtTitle2->setObjectName("txtTitle2");
    mTxtTitle2->setFont(titleFont);
    stepRow->addWidget(mLblTitle);
    stepRow->addWidget(mTxtTitle2, 1);
    stepRow->addWidget(mBytesLeft[2]);
    layout->addLayout(stepRow);
    mTxtText2 = new QPlainTextEdit(this);
    mTxtText2->setObjectName("txtText2");
    layout->addWidget(mTxtText2, 2);
    layout->addWidget(mBytesLeft[3]);

    mTbox1 = new QPlainTextEdit(this);
    mTbox1->setObjectName("tbox1");
    mTbox1->setReadOnly(true);
    QFont fixed("ＭＳ ゴシック");
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPointSizeF(QApplication::font().pointSizeF());
    mTbox1->setFont(fixed);
    mTbox1->setStyleSheet("QPlainTextEdit { background: rgb(255,255,235); }");
    layout->addWidget(mTbox1, 3);

    auto* buttons = new QHBoxLayout;
    auto* page = new QGroupBox("ページ操作", this);
    page->setObjectName("FramePage");
    auto* pageRow = new QHBoxLayout(page);
    auto button = [this](const char* caption, const char* name, QBoxLayout* row) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        row->addWidget(b);
        return b;
    };
    mCmdIniWrite = button("書き込み", "cmdIniWrite", pageRow);
    mCmdIniWrite->hide();
    mCmdOK = button("終了", "cmdOK", pageRow);
    mCmdPrevTip = button("戻る", "cmdPrevTip", pageRow);
    mCmdNextTip = button("次へ", "cmdNextTip", pageRow);
    auto* sim = new QGroupBox("シミュレータ操作", this);
    sim->setObjectName("FrameSim");
    auto* simRow = new QHBoxLayout(sim);
    mChkMax = new QCheckBox("最大表示", this);
    mChkMax->setObjectName("ChkMax");
    simRow->addWidget(mChkMax);
    mCmdParaSet = button("ﾊﾟﾗﾒｰﾀ設定", "cmdParaSet", simRow);
    mCmdSimExec = button("ｼﾐｭﾚｰｼｮﾝ実行", "cmdSimExec", simRow);
    buttons->addWidget(page);
    buttons->addWidget(sim);
    mLabelC9 = new HelpLabel("C9", this);
    buttons->addWidget(mLabelC9, 0, Qt::AlignTop);
    layout->addLayout(buttons);

    mPrompt = new QTimer(this);
    mPrompt->setObjectName("Timer1");
    mPrompt->setInterval(100);
    connect(mPrompt, &QTimer::timeout, this, [this] {
        mPrompt->stop();
        mCmdParaSet->setFocus();
        mMessages.beep();
    });

    connect(mCmdIniWrite, &QPushButton::clicked, this, &frmTip::cmdIniWrite_Click);
    connect(mCmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(mCmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(mCmdPrevTip, &QPushButton::clicked, this, &frmTip::cmdPrevTip_Click);
    connect(mCmdParaSet, &QPushButton::clicked, this, &frmTip::cmdParaSet_Click);
    connect(mCmdSimExec, &QPushButton::clicked, this, &frmTip::cmdSimExec_Click);
    connect(mChkMax, &QCheckBox::clicked, this, [this](bool on) {
        writeSetting(mDocument.appDir(), Setting::Maximised, on ? "1" : "0");
    });
    connect(mLabelC9, &HelpLabel::activated, this, [this] { emit helpRequested(helpAnchor()); });
    connect(mTxtTitle1, &QLineEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtText1, &QPlainTextEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtTitle2, &QLineEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtText2, &QPlainTextEdit::textChanged, this, &frmTip::showBytesLeft);
}

QString frmTip::helpAnchor() const { return mState.study.ProjectMode ? "C103" : "C9"; }

void frmTip::showFor(const QString& caption, bool project) {
    setWindowTitle(caption);
    // The window is in project mode only when the caller opened a project and ProjectMode says so.
    Form_Load(project && mState.study.ProjectMode);
    show();
    raise();
    activateWindow();
}

void frmTip::Form_Load(bool project) {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P018");
    mShownFile.clear();
    mShownStep = 0;
    mShownProject = project;
    mPrompt->stop();
    IniPathSwitch sw(study.IniPath, study.CurFile);
    t([&] {
        mPanel.show();
        mPanel.cmdClear_Click();
    });
    t([&] { mDocument.setPenChoice(0); });
    t([&] { mPanel.penRecorder().cmdClear_Click(); });
    t([&] { mDocument.setPenChoice(0); });
    if (project)
        t([&] { mDocument.ParaInz_Click(); });
    // Lessons are read; a project's texts are the learner's to write.
    mTxtTitle1->setReadOnly(!project);
    mTxtText1->setReadOnly(!project);
    mTxtTitle2->setReadOnly(!project);
    mTxtText2->setReadOnly(!project);
    mCmdIniWrite->setVisible(project);
    for (QLabel* l : mBytesLeft)
        l->setVisible(project);
    t([&] {
        const StepTexts texts = mDocument.readStepTexts();
        mTxtTitle1->setText(qtext(texts.title1));
        mTxtText1->setPlainText(crlfToView(texts.text1));
    });
    Step_disp(true);
    t([&] {
        const std::string v = readSetting(mDocument.appDir(), Setting::Maximised);
        mChkMax->setChecked(toInt16(val(v)) != 0);
    });
}

void frmTip::Step_disp(bool prompt) {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P010");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        IniPathSwitch sw(study.IniPath, study.CurFile);
        const std::string section = "手順" + std::to_string(study.StepNo);
        mLblTitle->setText(qtext(section + " : "));
        t([&] {
            const StepTexts texts = mDocument.readStepTexts();
            mTxtTitle2->setText(qtext(texts.title2));
            mPanel.setWindowTitle("コントローラパネル    " + qtext(texts.title2));
            mTxtText2->setPlainText(crlfToView(texts.text2));
            mShownFile = study.CurFile;
            mShownStep = study.StepNo;
        });
        mTbox1->clear();
        t([&] {
            const std::filesystem::path file = study.CurFile;
            const auto description = buildDescription(
                [&, snapshot = ReadProfile(file)](std::string_view key) { return snapshot->value(section, key); },
                mDocument.typeTab(),
                mDocument.calcForm(), [] { QCoreApplication::processEvents(); });
            mTbox1->setPlainText(crlfToView(description.text));
            if (prompt && description.hasSettings)
                mPrompt->start();
        });
    }
    QApplication::restoreOverrideCursor();
}

void frmTip::cmdParaSet_Click() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P014");
    t([&] { mMain.show(); });
    if (study.StepNo > 0) {
        t([&] { mDocument.Ini_Param_set(); });
        mCmdSimExec->setFocus();
        study.ParaSetDone = true;
        t([&] { mMain.startReturnPrompt(); });
    }
    mMain.show();
    mMain.raise();
    mMain.activateWindow();
}

void frmTip::cmdSimExec_Click() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P017");
    mCmdNextTip->setFocus();
    if (mChkMax->isChecked())
        t([&] { mPanel.showMaximized(); });
    if (study.StepNo >= 1) {
        t([&] {
            mPanel.show();
            mPanel.raise();
        });
        t([&] { mPanel.cmdStart_Click(); });
        t([&] { mPanel.setPacingTimerEnabled(true); });
        study.SimExecDone = true;
    }
}

void frmTip::cmdNextTip_Click() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P016");
    if (!mTxtTitle2->text().isEmpty()) {
        study.StepNo = static_cast<std::int16_t>(study.StepNo + 1);
        Step_disp(true);
        return;
    }
    // The end page: the lesson is over.
    t([&] {
        mState.rec.SampleTime[0] = val(mDocument.graphTimeText()) + 1;
        mState.sim.SamplesRecorded = 0;
        mState.rec.forgetTrends();
    });
    t([&] { mPanel.close(); });
    cmdOK_Click();
}

void frmTip::cmdPrevTip_Click() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P015");
    study.StepNo = static_cast<std::int16_t>(study.StepNo >= 2 ? study.StepNo - 1 : 1);
    Step_disp(true);
}

void frmTip::cmdOK_Click() {
    mState.study.StepNo = 0;
    if (mMessages.askYesNo("パラメータを初期化しますか？", "確認"))
        mDocument.ParaInz_Click();
    mClosingByCommand = true;
    close();
}

StepTexts frmTip::currentTexts() const {
    return StepTexts{mTxtTitle1->text().toStdString(), viewToCrlf(mTxtText1->toPlainText()),
                     mTxtTitle2->text().toStdString(), viewToCrlf(mTxtText2->toPlainText())};
}

void frmTip::showBytesLeft() {
    const QString texts[] = {mTxtTitle1->text(), mTxtText1->toPlainText(), mTxtTitle2->text(),
                             mTxtText2->toPlainText()};
    for (std::size_t i = 0; i < mBytesLeft.size(); ++i) {
        const std::optional<std::size_t> bytes = storedValueBytes(texts[i].toStdString());
        QLabel* l = mBytesLeft[i];
        bool over = true;
        if (!bytes) {
            l->setText("保存できない文字があります");
        } else {
            const long left = static_cast<long>(kMaxProfileValueBytes) - static_cast<long>(*bytes);
            l->setText(QString("残り %1 バイト").arg(left));
            over = left < 0;
        }
        l->setStyleSheet(over ? "color: red;" : "color: gray;");
    }
}

void frmTip::cmdIniWrite_Click() {
    const auto& study = mState.study;
    mPrompt->stop();
    if (!study.ProjectMode || !mShownProject) {
        mMessages.showMessage("学習ファイルには書き込みできません。");
        return;
    }
    if (study.CurFile != mShownFile || study.StepNo != mShownStep) {
        mMessages.showMessage("表示している手順が現在のプロジェクトの手順と一致しないため、書き込みませんでした。");
        return;
    }
    if (mDocument.saveStep(currentTexts()))
        mMessages.beep();
    Step_disp(false);
    mCmdNextTip->setFocus();
}

void frmTip::SetHelpPointer(bool visible) {
    mLabelC9->setVisible(visible);
    mLabelC9->raise();
}

void frmTip::closeEvent(QCloseEvent* event) {
    auto& study = mState.study;
    mPrompt->stop();
    study.ParaSetDone = false;
    study.SimExecDone = false;
    if (!mClosingByCommand)
        study.StepNo = 0; // closed from its title bar: the lesson is left like "終了" without the question
    mClosingByCommand = false;
    mCmdIniWrite->hide();
    // Nothing is left to go back to: the "学習表示" buttons would show a finished lesson.
    mPanel.cmdTip()->hide();
    mMain.cmdTip()->hide();
    QWidget::closeEvent(event);
}

} // namespace kestrel
