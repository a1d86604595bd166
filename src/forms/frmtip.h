#pragma once
// frmTip, the study window: leads the learner through a lesson (or a self-study project) step by
// step — the lesson's explanation, the step's title and text, the settings the step makes written
// out in words, and the buttons that apply them, run the simulation and move between steps.

#include "session/studysession.h"
#include "setup/setupdocument.h"
#include "widgets/helplabel.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class QBoxLayout;
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
    /// The window runs the lesson sequence of `session`; it shows, raises and focuses `panel` and
    /// `mainWindow` around it.
    frmTip(StudySession& session, SetupDocument& document, MessageService& messages, frmController& panel,
           frmMAIN& mainWindow, QWidget* parent = nullptr);

    /// Shows the window for CurFile and StepNo with `caption`. Every open (a lesson, a project,
    /// the same file again) loads the window afresh, as its first show does: the panel cleared,
    /// a project's parameters initialised, the texts, step and read-only state of the file
    /// opened, "書き込み" only for a project. Texts left from the file shown before would
    /// otherwise be saved into the one opened.
    /// `project`: the caller opened a project (and set ProjectMode).
    void showFor(const QString& caption, bool project);

    /// Shows step StepNo; with `prompt` the "ﾊﾟﾗﾒｰﾀ設定" button is pointed out when the step
    /// makes settings.
    void Step_disp(bool prompt);

    void cmdParaSet_Click();
    void cmdSimExec_Click();
    void cmdNextTip_Click();
    void cmdPrevTip_Click();
    void cmdOK_Click();
    /// "書き込み": the texts and settings into the step on screen. Writes nothing (and tells the
    /// learner) unless a project is open and CurFile and StepNo are the file and step the window
    /// shows; a lesson file is never written.
    void cmdIniWrite_Click();
    void SetHelpPointer(bool visible);

    /// The anchor of the help label: "C103" in a project, "C9" in a lesson.
    QString helpAnchor() const;

signals:
    void helpRequested(const QString& anchor);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    /// The lesson's and the step's texts, each with its "残り N バイト" label, and the description.
    void buildTexts(QBoxLayout* layout);
    /// The page buttons, the simulator buttons with "最大表示", and the help label.
    void buildButtons(QBoxLayout* layout);
    void connectWidgets();
    /// The window load: run at every open; `project` puts the window in project mode.
    void Form_Load(bool project);
    StepTexts currentTexts() const;
    /// The bytes left of a value's room under each editable text box, red when over.
    void showBytesLeft();

    StudySession& mSession;
    SetupDocument& mDocument;
    MessageService& mMessages;
    frmController& mPanel;
    frmMAIN& mMain;

    QLineEdit* mTxtTitle1 = nullptr;
    QPlainTextEdit* mTxtText1 = nullptr;
    QLabel* mLblTitle = nullptr;
    QLineEdit* mTxtTitle2 = nullptr;
    QPlainTextEdit* mTxtText2 = nullptr;
    QPlainTextEdit* mTbox1 = nullptr;
    /// "残り N バイト" under txtTitle1, txtText1, txtTitle2, txtText2 (project mode only).
    std::array<QLabel*, 4> mBytesLeft{};
    QPushButton *mCmdIniWrite = nullptr, *mCmdOK = nullptr, *mCmdNextTip = nullptr, *mCmdPrevTip = nullptr;
    QCheckBox* mChkMax = nullptr;
    QPushButton *mCmdSimExec = nullptr, *mCmdParaSet = nullptr;
    HelpLabel* mLabelC9 = nullptr;
    QTimer* mPrompt = nullptr;
};

} // namespace kestrel
