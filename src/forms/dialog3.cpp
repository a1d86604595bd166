#include "forms/dialog3.h"

#include "widgets/helplabel.h"
#include "widgets/picturebox.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const std::string kTitle = "ﾊｰﾄﾞｺﾋﾟｰ";

// Layout in twips: the file list on the left, the buttons in a column on the right.
constexpr double kMargin = 240;
constexpr double kListWidth = 3300, kListHeight = 2760;
constexpr double kButtonLeft = kMargin + kListWidth + 240;
constexpr double kButtonWidth = 1215, kButtonHeight = 375;
constexpr double kClientWidth = kButtonLeft + kButtonWidth + kMargin;
constexpr double kClientHeight = kMargin + kListHeight + kMargin;
// Rows of the button column: 開く, ｷｬﾝｾﾙ, then a gap before 削除.
constexpr double kRow0 = kMargin, kRow1 = kRow0 + kButtonHeight + 105, kRow2 = kRow1 + kButtonHeight + 330;

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void place(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

bool isImageName(const std::string& name) {
    if (name.size() <= 4 || name.front() == '.') return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext == ".BMP";
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

Dialog3::Dialog3(fs::path appFolder, MessageService& messages, QWidget* parent)
    : QDialog(parent), mAppFolder(std::move(appFolder)), mMessages(messages),
      mOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName("Dialog3");
    setWindowTitle("ハードコピー画像");

    mFile1 = new QListWidget(this);
    mFile1->setObjectName("File1");
    mFile1->setSelectionMode(QAbstractItemView::SingleSelection);
    mOKButton = makeButton("開く", "OKButton", this);
    mOKButton->setDefault(true);
    mCancelButton = makeButton("ｷｬﾝｾﾙ", "CancelButton", this);
    mCommand1 = makeButton("削除", "Command1", this);
    mLabelC8 = new HelpLabel("C8", this);
    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setInterval(kIdleCloseMs);
    mTimer1->setSingleShot(true);

    place(mFile1, kMargin, kMargin, kListWidth, kListHeight);
    place(mOKButton, kButtonLeft, kRow0, kButtonWidth, kButtonHeight);
    place(mCancelButton, kButtonLeft, kRow1, kButtonWidth, kButtonHeight);
    place(mCommand1, kButtonLeft, kRow2, kButtonWidth, kButtonHeight);
    mLabelC8->move(px(kButtonLeft + kButtonWidth) - mLabelC8->width(),
                   px(kMargin + kListHeight) - mLabelC8->height());
    setFixedSize(px(kClientWidth), px(kClientHeight));

    connect(mOKButton, &QPushButton::clicked, this, &Dialog3::OKButton_Click);
    connect(mFile1, &QListWidget::itemDoubleClicked, this, &Dialog3::OKButton_Click);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(mCommand1, &QPushButton::clicked, this, &Dialog3::Command1_Click);
    connect(mLabelC8, &HelpLabel::activated, this, &Dialog3::helpRequested);
    connect(mTimer1, &QTimer::timeout, this, &Dialog3::Timer1_Timer);
}

void Dialog3::openList() {
    if (isVisible()) refreshList(); // a hidden dialog reads the folder as it is shown
    show();
    raise();
    activateWindow();
}

void Dialog3::refreshList() {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(imageFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        const fs::file_status st = it->symlink_status(sec);
        std::string name = it->path().filename().string();
        if (!sec && fs::is_regular_file(st) && isImageName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());

    mFile1->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(name)), mFile1);
        // The name's bytes as on disk, so a name that is not valid UTF-8 still finds its file.
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    mFile1->setCurrentRow(mFile1->count() - 1); // -1 on an empty list: nothing selected
}

std::string Dialog3::selectedName() const {
    const QList<QListWidgetItem*> selected = mFile1->selectedItems();
    if (selected.isEmpty()) return {};
    return selected.front()->data(Qt::UserRole).toByteArray().toStdString();
}

void Dialog3::OKButton_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name)) return;

    const fs::path file = imageFolder() / name;
    if (mOpener(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(file.string()))))) return;
    QScopedValueRollback<bool> guard(mOwnMessage, true);
    mMessages.showMessage("エラーが発生しました　正しいフォルダ名を指定して下さい", kTitle);
}

void Dialog3::Command1_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name)) return;

    bool yes = false;
    {
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        yes = mMessages.askYesNo(name + "を削除しますか？", kTitle);
    }
    if (!yes) return;

    std::error_code ec;
    const fs::path file = imageFolder() / name;
    // Only a plain file: a folder of that name appearing since the list was read stays.
    if (fs::is_regular_file(fs::symlink_status(file, ec))) fs::remove(file, ec);
    if (ec) {
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        mMessages.showMessage(name + "を削除出来ませんでした（" + ec.message() + "）。", kTitle);
    }
    refreshList();
}

void Dialog3::SetHelpPointer(bool visible) {
    mLabelC8->setVisible(visible);
}

void Dialog3::Timer1_Timer() {
    if (isVisible() && !isActiveWindow() && !mOwnMessage) reject();
}

void Dialog3::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        mTimer1->stop();
        refreshList();
    } else if (isVisible() && !mTimer1->isActive()) {
        mTimer1->start();
    }
}

void Dialog3::showEvent(QShowEvent* event) {
    refreshList();
    QDialog::showEvent(event);
}

void Dialog3::hideEvent(QHideEvent* event) {
    mTimer1->stop();
    QDialog::hideEvent(event);
}

} // namespace kestrel
