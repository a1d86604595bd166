#pragma once
// The two project dialogs of the study menu: Dialog1 creates a new self-study project from the
// template Study/BASE.txt, Dialog2 opens or deletes one of the Project folder.
//
// A project name is a file name, never a path: Dialog1 hands the typed text to
// SetupDocument::createProject, which refuses anything but a plain file name and creates the
// Project folder when it is missing; Dialog2 only ever offers names it read from that folder and
// deletes only plain files inside it. Nothing outside Project is written or removed.
//
// Both dialogs are shown without blocking the other windows. Opening a project sets CurFile to
// the project file, ProjectMode to true and StepNo to 1, then emits projectOpened with the study
// window's caption; the owner shows the study window with its step-save button and refreshes
// its help pointer. The owner also calls SetHelpPointer after showing a dialog.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "forms/filelistdialog.h"
#include "setup/setupdocument.h"

#include <QDialog>
#include <QString>

class QDate;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrel {

class HelpLabel;

/// "新しいﾌﾟﾛｼﾞｪｸﾄ": the project's file name in Text1, proposed as P<yymmdd><counter>.txt.
/// The dialog closes on Cancel and as soon as it stops being the active window, except while a
/// message of its own (a refused name) is up.
class Dialog1 : public QDialog {
    Q_OBJECT
public:
    /// A refused name is reported by the document through its message service; `messages` is
    /// that same service, the dialog has no message of its own.
    Dialog1(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent = nullptr);

    /// Proposes the first free name of the day `today` (counter 001, 002, ...) in Text1 and shows
    /// the dialog, not modal.
    void openNew(const QDate& today);
    /// OK: the project file created from the template under the name in Text1 (blanks around it
    /// removed). On success the project becomes the current one and the dialog closes; a refused
    /// name (the document tells the user why) leaves the dialog open.
    void OKButton_Click();
    /// Shows or hides the help label "?" (labelC10).
    void SetHelpPointer(bool visible);

    QLineEdit* Text1() const { return mText1; }

signals:
    /// A project was created and is now CurFile; `caption` is "自習： " + the name as typed.
    void projectOpened(const QString& caption);
    /// labelC10 was clicked: open the help at `anchor` ("C10").
    void helpRequested(const QString& anchor);

protected:
    void changeEvent(QEvent* event) override;

private:
    AppState& mState;
    SetupDocument& mDocument;

    QLabel* mLabel1 = nullptr;
    QLineEdit* mText1 = nullptr;
    QPushButton* mOKButton = nullptr;
    QPushButton* mCancelButton = nullptr;
    HelpLabel* mLabelC10 = nullptr;
    /// A message of this dialog is up: losing the activation to it must not close the dialog.
    bool mOwnMessage = false;
};

/// "ﾌﾟﾛｼﾞｪｸﾄを開く": the files of the Project folder (created when missing) sorted by name in
/// any letter case, with OK, a double click, "削除" and Cancel; nothing is selected after a read.
/// The list, the delete, the idle close (Timer1) and the help label (labelC10, "C10") come from
/// FileListDialog. Deleting leaves CurFile alone even when it names the deleted file.
class Dialog2 : public FileListDialog {
    Q_OBJECT
public:
    Dialog2(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent = nullptr);

signals:
    /// A project was chosen and is now CurFile; `caption` is "自習： " + its file name.
    void projectOpened(const QString& caption);

protected:
    std::filesystem::path listFolder() const override { return mDocument.projectFolder(); }
    bool listedBefore(const std::string& a, const std::string& b) const override;
    void beforeRead(const std::filesystem::path& folder) override;
    /// OK and a double click: the file becomes the current project and the dialog closes.
    void openFile(const std::filesystem::path& file, const QString& shownName) override;

private:
    AppState& mState;
    SetupDocument& mDocument;
};

} // namespace kestrel
