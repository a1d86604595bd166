#include "forms/dialog3.h"

#include "core/strings.h"
#include "widgets/qtext.h"

#include <QDesktopServices>
#include <QFile>
#include <QListWidget>

namespace kestrel {

Dialog3::Dialog3(std::filesystem::path appFolder, MessageService& messages, QWidget* parent)
    : FileListDialog(messages,
                     {.ok = tr("開く"),
                      .helpAnchor = "C8",
                      .messageTitle = tr("ﾊｰﾄﾞｺﾋﾟｰ").toStdString(),
                      .cannotDelete = tr("%1を削除出来ませんでした（%2）。")},
                     parent),
      mAppFolder(std::move(appFolder)),
      mOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName("Dialog3");
    setWindowTitle(tr("ハードコピー画像"));
}

bool Dialog3::listsName(const std::string& name) const {
    return name.size() > 4 && endsWithIgnoringAsciiCase(name, ".BMP");
}

void Dialog3::afterRead() {
    File1()->setCurrentRow(File1()->count() - 1); // -1 on an empty list: nothing selected
}

void Dialog3::becameActive() {
    refreshList(); // a capture made meanwhile shows and is selected
}

void Dialog3::openFile(const std::filesystem::path& file, const QString& /*shownName*/) {
    if (mOpener(QUrl::fromLocalFile(qpath(file))))
        return;
    showOwnMessage(tr("エラーが発生しました　正しいフォルダ名を指定して下さい").toStdString());
}

} // namespace kestrel
