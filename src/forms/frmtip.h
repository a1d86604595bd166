#pragma once
// frmTip, the study window: leads the learner through a lesson (or a self-study project) step by
// step — the lesson's explanation, the step's title and text, the settings the step makes written
// out in words, and the buttons that apply them, run the simulation and move between steps.

#include "engine/appstate.h"
#include "setup/setupdocument.h"
#include "widgets/helplabel.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kestrel {

class frmController;
class frmMAIN;

class frmTip : public QWidget {
    Q_OBJECT
public:
    frmTip(AppState& state, SetupDocument& document, MessageService& messages, frmController& panel,
           frmMAIN& mainWindow, QWidget* parent = nullptr);

    /// Shows the window for CurFile and StepNo with `caption`. The first show loads the window
    /// (texts and step 1); while it is open only the caption changes and the texts follow at the
    /// next "次へ" or "戻る".
    void showFor(const QString& caption, bool project);
    bool loaded() const { return mLoaded; }

    /// Shows step StepNo; with `prompt` the "ﾊﾟﾗﾒｰﾀ設定" button is pointed out when the step
    /// makes settings.
    void Step_disp(bool prompt);

    void cmdParaSet_Click();
    void cmdSimExec_Click();
    void cmdNextTip_Click();
    void cmdPrevTip_Click();
    void cmdOK_Click();
    void cmdIniWrite_Click();
    void SetHelpPointer(bool visible);

    /// The anchor of the help label: "C103" in a project, "C9" in a lesson.
    QString helpAnchor() const;

signals:
    void helpRequested(const QString& anchor);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    StepTexts currentTexts() const;

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;
    frmController& mPanel;
    frmMAIN& mMain;
    bool mLoaded = false;
    bool mClosingByCommand = false;

    QLineEdit* mTxtTitle1 = nullptr;
    QPlainTextEdit* mTxtText1 = nullptr;
    QLabel* mLblTitle = nullptr;
    QLineEdit* mTxtTitle2 = nullptr;
    QPlainTextEdit* mTxtText2 = nullptr;
    QPlainTextEdit* mTbox1 = nullptr;
    QPushButton *mCmdIniWrite = nullptr, *mCmdOK = nullptr, *mCmdNextTip = nullptr, *mCmdPrevTip = nullptr;
    QCheckBox* mChkMax = nullptr;
    QPushButton *mCmdSimExec = nullptr, *mCmdParaSet = nullptr;
    HelpLabel* mLabelC9 = nullptr;
    QTimer* mPrompt = nullptr;
};

} // namespace kestrel
