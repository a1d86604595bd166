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

#include "forms/filelistdialog.h"

#include <QUrl>

#include <filesystem>
#include <functional>

namespace kestrel {

class Dialog3 : public FileListDialog {
    Q_OBJECT
public:
    /// Opens a file as the desktop's Open does; false when it could not.
    using Opener = std::function<bool(const QUrl&)>;

    /// `appFolder` holds the BMP folder. Files open through QDesktopServices unless setOpener
    /// says otherwise.
    Dialog3(std::filesystem::path appFolder, MessageService& messages, QWidget* parent = nullptr);

    void setOpener(Opener opener) { mOpener = std::move(opener); }
    // openList, refreshList (which here selects the last, newest file; nothing on an empty or
    // missing folder), OKButton_Click ("開く"), Command1_Click, SetHelpPointer (labelC8), File1,
    // Timer1 and helpRequested ("C8") come from FileListDialog. "開く" on an image the desktop
    // cannot open tells "エラーが発生しました　正しいフォルダ名を指定して下さい".

    std::filesystem::path imageFolder() const { return mAppFolder / "BMP"; }

protected:
    std::filesystem::path listFolder() const override { return imageFolder(); }
    bool listsName(const std::string& name) const override;
    void afterRead() override;
    void becameActive() override;
    void openFile(const std::filesystem::path& file, const QString& shownName) override;

private:
    std::filesystem::path mAppFolder;
    Opener mOpener;
};

} // namespace kestrel
