#pragma once
// Dialog3, the hard-copy image list ("ハードコピー画像"): the bitmaps of the BMP folder of the
// application folder, newest last, with "開く" (or a double click), "削除" and "ｷｬﾝｾﾙ".
//
// The list holds the plain files of the folder whose names end in ".BMP" in any letter case
// (the hard copy writes ".BMP"; a copy renamed by hand to ".bmp" is still an image to open), and
// sorts them by name, which for "yymmddhhmmss.BMP" is the order of capture. Each time the dialog
// becomes the active window it stops Timer1, reads the folder anew and selects the last (newest)
// file. While it is not the active window Timer1 (30 s, single shot) runs; when it fires the
// dialog closes. Shown without blocking the other windows; the owner calls SetHelpPointer after
// showing it.
//
// Only names read from the folder are opened or deleted, and only plain files inside it.

#include "core/messageservice.h"

#include <QDialog>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>

class QListWidget;
class QPushButton;
class QTimer;

namespace kestrel {

class HelpLabel;

class Dialog3 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdleCloseMs = 30000;
    /// Opens a file as the desktop's Open does; false when it could not.
    using Opener = std::function<bool(const QUrl&)>;

    /// `appFolder` holds the BMP folder. Files open through QDesktopServices unless setOpener
    /// says otherwise.
    Dialog3(std::filesystem::path appFolder, MessageService& messages, QWidget* parent = nullptr);

    void setOpener(Opener opener) { mOpener = std::move(opener); }
    /// Shows the dialog, not modal, brings it to the front and reads the folder.
    void openList();
    /// Reads the BMP folder anew and selects the last (newest) file; nothing is selected when the
    /// folder is empty or missing.
    void refreshList();
    /// "開く" and a double click: opens the selected image. Without a selection nothing happens;
    /// when the desktop cannot open it: "エラーが発生しました　正しいフォルダ名を指定して下さい".
    void OKButton_Click();
    /// "削除": asks "<file>を削除しますか？"; Yes deletes the selected file and reads the list anew.
    void Command1_Click();
    /// Shows or hides the help label "?" (labelC8).
    void SetHelpPointer(bool visible);

    QListWidget* File1() const { return mFile1; }
    QTimer* Timer1() const { return mTimer1; }
    std::filesystem::path imageFolder() const { return mAppFolder / "BMP"; }

signals:
    /// labelC8 was clicked: open the help at `anchor` ("C8").
    void helpRequested(const QString& anchor);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// The selected file's name as stored on disk, or empty without a selection.
    std::string selectedName() const;
    void Timer1_Timer();

    std::filesystem::path mAppFolder;
    MessageService& mMessages;
    Opener mOpener;

    QListWidget* mFile1 = nullptr;
    QPushButton* mOKButton = nullptr;
    QPushButton* mCommand1 = nullptr;
    QPushButton* mCancelButton = nullptr;
    HelpLabel* mLabelC8 = nullptr;
    QTimer* mTimer1 = nullptr;
    /// A message of this dialog is up: the idle timer must not close the dialog under it.
    bool mOwnMessage = false;
};

} // namespace kestrel
