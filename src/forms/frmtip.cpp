#include "forms/frmtip.h"

#include "core/convert.h"
#include "engine/errortrap.h"
#include "forms/frmmain.h"
#include "panel/frmcontroller.h"
#include "setup/settingsfile.h"
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
QString crlfToView(const std::string& s) {
    return qtext(s).replace("\r\n", "\n");
}
std::string viewToCrlf(const QString& s) {
    QString t = s;
    return t.replace("\n", "\r\n").toStdString();
}

} // namespace

frmTip::frmTip(StudySession& session, SetupDocument& document, MessageService& messages, frmController& panel,
               frmMAIN& mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), mSession(session), mDocument(document), mMessages(messages), mPanel(panel),
      mMain(mainWindow) {
    setObjectName("frmTip");
    resize(640, 600);
    auto* layout = new QVBoxLayout(this);
    buildTexts(layout);
    buildButtons(layout);

    mPrompt = new QTimer(this);
    mPrompt->setObjectName("Timer1");
    mPrompt->setInterval(100);
    connectWidgets();
}

void frmTip::buildTexts(QBoxLayout* layout) {
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
}

void frmTip::buildButtons(QBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    auto* page = new QGroupBox(tr("ページ操作"), this);
    page->setObjectName("FramePage");
    auto* pageRow = new QHBoxLayout(page);
    auto button = [this](const QString& caption, const char* name, QBoxLayout* row) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        row->addWidget(b);
        return b;
    };
    mCmdIniWrite = button(tr("書き込み"), "cmdIniWrite", pageRow);
    mCmdIniWrite->hide();
    mCmdOK = button(tr("終了"), "cmdOK", pageRow);
    mCmdPrevTip = button(tr("戻る"), "cmdPrevTip", pageRow);
    mCmdNextTip = button(tr("次へ"), "cmdNextTip", pageRow);
    auto* sim = new QGroupBox(tr("シミュレータ操作"), this);
    sim->setObjectName("FrameSim");
    auto* simRow = new QHBoxLayout(sim);
    mChkMax = new QCheckBox(tr("最大表示"), this);
    mChkMax->setObjectName("ChkMax");
    simRow->addWidget(mChkMax);
    mCmdParaSet = button(tr("ﾊﾟﾗﾒｰﾀ設定"), "cmdParaSet", simRow);
    mCmdSimExec = button(tr("ｼﾐｭﾚｰｼｮﾝ実行"), "cmdSimExec", simRow);
    buttons->addWidget(page);
    buttons->addWidget(sim);
    mLabelC9 = new HelpLabel("C9", this);
    buttons->addWidget(mLabelC9, 0, Qt::AlignTop);
    layout->addLayout(buttons);
}

void frmTip::connectWidgets() {
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
    connect(mChkMax, &QCheckBox::clicked, this,
            [this](bool on) { writeSetting(mDocument.userDir(), Setting::Maximised, on ? "1" : "0"); });
    connect(mLabelC9, &HelpLabel::activated, this, [this] { emit helpRequested(helpAnchor()); });
    connect(mTxtTitle1, &QLineEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtText1, &QPlainTextEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtTitle2, &QLineEdit::textChanged, this, &frmTip::showBytesLeft);
    connect(mTxtText2, &QPlainTextEdit::textChanged, this, &frmTip::showBytesLeft);
}

QString frmTip::helpAnchor() const {
    return mSession.projectMode() ? "C103" : "C9";
}

void frmTip::showFor(const QString& caption, bool project) {
    setWindowTitle(caption);
    // The window is in project mode only when the caller opened a project and ProjectMode says so.
    Form_Load(project && mSession.projectMode());
    show();
    raise();
    activateWindow();
}

void frmTip::Form_Load(bool project) {
    ErrorTrap t(mMessages, "  P018");
    mPrompt->stop();
    mSession.load(project);
    // Lessons are read; a project's texts are the learner's to write.
    mTxtTitle1->setReadOnly(!project);
    mTxtText1->setReadOnly(!project);
    mTxtTitle2->setReadOnly(!project);
    mTxtText2->setReadOnly(!project);
    mCmdIniWrite->setVisible(project);
    for (QLabel* l : mBytesLeft)
        l->setVisible(project);
    t([&] {
        const StepTexts texts = mSession.readTexts();
        mTxtTitle1->setText(qtext(texts.title1));
        mTxtText1->setPlainText(crlfToView(texts.text1));
    });
    Step_disp(true);
    t([&] {
        const std::string v = readSetting(mDocument.userDir(), Setting::Maximised);
        mChkMax->setChecked(toInt16(val(v)) != 0);
    });
}

void frmTip::Step_disp(bool prompt) {
    ErrorTrap t(mMessages, "  P010");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    mLblTitle->setText(tr("手順%1 : ").arg(mSession.stepNo()));
    t([&] {
        const StepTexts texts = mSession.showTexts();
        mTxtTitle2->setText(qtext(texts.title2));
        mPanel.setWindowTitle(tr("コントローラパネル    %1").arg(qtext(texts.title2)));
        mTxtText2->setPlainText(crlfToView(texts.text2));
    });
    mTbox1->clear();
    t([&] {
        const StepDescription description = mSession.describeStep();
        mTbox1->setPlainText(crlfToView(description.text));
        if (prompt && description.hasSettings)
            mPrompt->start();
    });
    QApplication::restoreOverrideCursor();
}

void frmTip::cmdParaSet_Click() {
    ErrorTrap t(mMessages, "  P014");
    t([&] { mMain.show(); });
    if (mSession.applyStep())
        mCmdSimExec->setFocus();
    mMain.show();
    mMain.raise();
    mMain.activateWindow();
}

void frmTip::cmdSimExec_Click() {
    ErrorTrap t(mMessages, "  P017");
    mCmdNextTip->setFocus();
    if (mChkMax->isChecked())
        t([&] { mPanel.showMaximized(); });
    mSession.runStep();
}

void frmTip::cmdNextTip_Click() {
    if (!mTxtTitle2->text().isEmpty()) {
        mSession.nextStep();
        Step_disp(true);
        return;
    }
    // The end page: the lesson is over.
    mSession.endLesson();
    close();
}

void frmTip::cmdPrevTip_Click() {
    mSession.previousStep();
    Step_disp(true);
}

void frmTip::cmdOK_Click() {
    mSession.finish();
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
            l->setText(tr("保存できない文字があります"));
        } else {
            const long left = static_cast<long>(kMaxProfileValueBytes) - static_cast<long>(*bytes);
            l->setText(tr("残り %1 バイト").arg(left));
            over = left < 0;
        }
        l->setStyleSheet(over ? "color: red;" : "color: gray;");
    }
}

void frmTip::cmdIniWrite_Click() {
    mPrompt->stop();
    if (!mSession.saveStep(currentTexts()))
        return;
    Step_disp(false);
    mCmdNextTip->setFocus();
}

void frmTip::SetHelpPointer(bool visible) {
    mLabelC9->setVisible(visible);
    mLabelC9->raise();
}

void frmTip::closeEvent(QCloseEvent* event) {
    mPrompt->stop();
    mSession.closed();
    mCmdIniWrite->hide();
    // Nothing is left to go back to: the "学習表示" buttons would show a finished lesson.
    mPanel.cmdTip()->hide();
    mMain.cmdTip()->hide();
    QWidget::closeEvent(event);
}

} // namespace kestrel
