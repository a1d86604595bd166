#include "forms/filelistdialog.h"

#include "core/systemerror.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <system_error>
#include <vector>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

// Layout in twips: the file list on the left, the buttons in a column on the right.
constexpr double kMargin = 240;
constexpr double kListWidth = 3300, kListHeight = 2760;
constexpr double kButtonLeft = kMargin + kListWidth + 240;
constexpr double kButtonWidth = 1215, kButtonHeight = 375;
constexpr double kClientWidth = kButtonLeft + kButtonWidth + kMargin;
constexpr double kClientHeight = kMargin + kListHeight + kMargin;
// Rows of the button column: OK, ｷｬﾝｾﾙ, then a gap before 削除.
constexpr double kRow0 = kMargin, kRow1 = kRow0 + kButtonHeight + 105, kRow2 = kRow1 + kButtonHeight + 330;

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

FileListDialog::FileListDialog(MessageService& messages, FileListTexts texts, QWidget* parent)
    : QDialog(parent), mMessages(messages), mTexts(std::move(texts)) {
    mFile1 = new QListWidget(this);
    mFile1->setObjectName("File1");
    mFile1->setSelectionMode(QAbstractItemView::SingleSelection);
    mOKButton = makeButton(mTexts.ok, "OKButton", this);
    mOKButton->setDefault(true);
    mCancelButton = makeButton(tr("ｷｬﾝｾﾙ"), "CancelButton", this);
    mCommand1 = makeButton(tr("削除"), "Command1", this);
    mHelpLabel = new HelpLabel(mTexts.helpAnchor, this);
    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setInterval(kIdleCloseMs);
    mTimer1->setSingleShot(true);

    place(mFile1, kMargin, kMargin, kListWidth, kListHeight);
    place(mOKButton, kButtonLeft, kRow0, kButtonWidth, kButtonHeight);
    place(mCancelButton, kButtonLeft, kRow1, kButtonWidth, kButtonHeight);
    place(mCommand1, kButtonLeft, kRow2, kButtonWidth, kButtonHeight);
    mHelpLabel->move(px(kButtonLeft + kButtonWidth) - mHelpLabel->width(),
                     px(kMargin + kListHeight) - mHelpLabel->height());
    setFixedSize(px(kClientWidth), px(kClientHeight));

    connect(mOKButton, &QPushButton::clicked, this, &FileListDialog::OKButton_Click);
    connect(mFile1, &QListWidget::itemDoubleClicked, this, &FileListDialog::OKButton_Click);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(mCommand1, &QPushButton::clicked, this, &FileListDialog::Command1_Click);
    connect(mHelpLabel, &HelpLabel::activated, this, &FileListDialog::helpRequested);
    connect(mTimer1, &QTimer::timeout, this, &FileListDialog::Timer1_Timer);
}

void FileListDialog::openList() {
    if (isVisible())
        refreshList(); // a hidden dialog reads the folder as it is shown
    show();
    raise();
    activateWindow();
}

void FileListDialog::refreshList() {
    const fs::path folder = listFolder();
    beforeRead(folder);

    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        const fs::file_status st = it->symlink_status(sec);
        std::string name = it->path().filename().string();
        if (!sec && fs::is_regular_file(st) && !name.empty() && name.front() != '.' && listsName(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [this](const std::string& a, const std::string& b) { return listedBefore(a, b); });

    mFile1->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(qpath(name), mFile1);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    mFile1->setCurrentRow(-1);
    afterRead();
}

std::string FileListDialog::selectedName() const {
    const QList<QListWidgetItem*> selected = mFile1->selectedItems();
    if (selected.isEmpty())
        return {};
    return selected.front()->data(Qt::UserRole).toByteArray().toStdString();
}

void FileListDialog::OKButton_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name))
        return;
    openFile(listFolder() / name, mFile1->selectedItems().front()->text());
}

void FileListDialog::Command1_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name))
        return;
    if (!askOwnQuestion(tr("%1を削除しますか？").arg(qtext(name)).toStdString()))
        return;

    std::error_code ec;
    const fs::path file = listFolder() / name;
    // Only a plain file: a folder of that name appearing since the list was read stays.
    if (fs::is_regular_file(fs::symlink_status(file, ec)))
        fs::remove(file, ec);
    // The advisory lock file a project's saves left beside it goes with it.
    if (!ec && !fs::exists(file)) {
        std::error_code ignored;
        fs::remove(listFolder() / ("." + name + ".lock"), ignored);
    }
    if (ec)
        showOwnMessage(mTexts.cannotDelete.arg(qtext(name), qtext(systemErrorText(ec, {}))).toStdString());
    refreshList();
}

void FileListDialog::SetHelpPointer(bool visible) {
    mHelpLabel->setVisible(visible);
}

void FileListDialog::showOwnMessage(const std::string& text) {
    QScopedValueRollback<bool> guard(mOwnMessage, true);
    if (mTexts.messageTitle.empty())
        mMessages.showMessage(text);
    else
        mMessages.showMessage(text, mTexts.messageTitle);
}

bool FileListDialog::askOwnQuestion(const std::string& text) {
    QScopedValueRollback<bool> guard(mOwnMessage, true);
    return mTexts.messageTitle.empty() ? mMessages.askYesNo(text)
                                       : mMessages.askYesNo(text, mTexts.messageTitle);
}

void FileListDialog::Timer1_Timer() {
    if (isVisible() && !isActiveWindow() && !mOwnMessage)
        reject();
}

void FileListDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        mTimer1->stop();
        becameActive();
    } else if (isVisible() && !mTimer1->isActive()) {
        mTimer1->start();
    }
}

void FileListDialog::showEvent(QShowEvent* event) {
    refreshList();
    QDialog::showEvent(event);
}

void FileListDialog::hideEvent(QHideEvent* event) {
    mTimer1->stop();
    QDialog::hideEvent(event);
}

} // namespace kestrel
