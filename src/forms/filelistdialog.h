#pragma once
// FileListDialog, the list of the files of one folder with OK (or a double click), "ｷｬﾝｾﾙ" and
// "削除": the common part of the project list (Dialog2) and the hard-copy image list (Dialog3).
//
// File1 holds the plain files of the folder: no sub-folders, no symbolic links, no hidden (dot)
// files, and only names the subclass lists (listsName), in the subclass's order (listedBefore,
// by default byte order). Each entry keeps the name's bytes as on disk, so a name that is not
// valid UTF-8 still finds its file. Only names read from the folder are opened or deleted, and
// only plain files inside it.
//
// The dialog is shown without blocking the other windows and reads the folder each time it is
// shown. While it is not the active window Timer1 (30 s, single shot) runs; when it fires the
// dialog closes. Becoming the active window again stops Timer1. A message or question of the
// dialog itself takes the activation: the timer never closes the dialog under it. The owner calls
// SetHelpPointer after showing the dialog.

#include "core/messageservice.h"

#include <QDialog>
#include <QString>

#include <filesystem>
#include <string>

class QListWidget;
class QPushButton;
class QTimer;

namespace kestrel {

class HelpLabel;

/// A push button of the dialogs' button column, named `name`; Enter does not press it unless it
/// is made the default.
QPushButton* makeButton(const QString& text, const char* name, QWidget* parent);

/// What differs between the file lists in their texts.
struct FileListTexts {
    /// Caption of OKButton: "OK", "開く".
    QString ok;
    /// Help anchor of the "?" label: "C10", "C8".
    QString helpAnchor;
    /// Title of the dialog's messages and questions; empty: the program's title.
    std::string messageTitle;
    /// The message when a delete fails: %1 the file name, %2 the reason.
    QString cannotDelete;
};

class FileListDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdleCloseMs = 30000;

    /// Shows the dialog, not modal, brings it to the front and reads the folder.
    void openList();
    /// Reads the folder anew. No file is selected afterwards unless the subclass selects one.
    void refreshList();
    /// OK and a double click: opens the selected file (openFile). Without a selection nothing
    /// happens.
    void OKButton_Click();
    /// "削除": asks "<file>を削除しますか？"; Yes deletes the selected file and reads the list
    /// anew. A failed delete is told with its reason.
    void Command1_Click();
    /// Shows or hides the help label "?".
    void SetHelpPointer(bool visible);

    QListWidget* File1() const { return mFile1; }
    QTimer* Timer1() const { return mTimer1; }

signals:
    /// The help label was clicked: open the help at `anchor`.
    void helpRequested(const QString& anchor);

protected:
    FileListDialog(MessageService& messages, FileListTexts texts, QWidget* parent);

    /// The folder whose files are listed.
    virtual std::filesystem::path listFolder() const = 0;
    /// Whether a plain, not hidden file of the folder is listed; by default every one.
    virtual bool listsName(const std::string& /*name*/) const { return true; }
    /// The list order; by default the names' bytes.
    virtual bool listedBefore(const std::string& a, const std::string& b) const { return a < b; }
    /// Called before each read of `folder`.
    virtual void beforeRead(const std::filesystem::path& /*folder*/) {}
    /// Called after each read, with the new entries in File1 and nothing selected.
    virtual void afterRead() {}
    /// Called when the dialog has become the active window, after Timer1 stopped.
    virtual void becameActive() {}
    /// OK on the selected `file` of the folder, shown in the list as `shownName`.
    virtual void openFile(const std::filesystem::path& file, const QString& shownName) = 0;

    /// A message of the dialog itself, under its title; the idle timer leaves the dialog open
    /// while it is up.
    void showOwnMessage(const std::string& text);

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// The selected file's name as stored on disk, or empty without a selection.
    std::string selectedName() const;
    bool askOwnQuestion(const std::string& text);
    void Timer1_Timer();

    MessageService& mMessages;
    FileListTexts mTexts;

    QListWidget* mFile1 = nullptr;
    QPushButton* mOKButton = nullptr;
    QPushButton* mCancelButton = nullptr;
    QPushButton* mCommand1 = nullptr;
    HelpLabel* mHelpLabel = nullptr;
    QTimer* mTimer1 = nullptr;
    /// A message of this dialog is up: the idle timer must not close the dialog under it.
    bool mOwnMessage = false;
};

} // namespace kestrel
