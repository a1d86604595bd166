#include "forms/projectdialogs.h"

#include "widgets/helplabel.h"
#include "widgets/picturebox.h"

#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace kestrel {
namespace {

const QString kCaptionPrefix = QStringLiteral("自習： ");

// Layout in twips. Buttons in a column on the right, the name field or file list on the left.
constexpr double kMargin = 240;
constexpr double kFieldWidth = 3300;
constexpr double kButtonLeft = kMargin + kFieldWidth + 240;
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 375;
constexpr double kClientWidth = kButtonLeft + kButtonWidth + kMargin;

constexpr double kLabelTop = 240, kLabelHeight = 300;
constexpr double kTextTop = 600, kTextHeight = 345;
constexpr double kDialog1Height = 1440;

constexpr double kListHeight = 2760;
constexpr double kDialog2Height = kMargin + kListHeight + kMargin;

// Row y of the button column: OK, Cancel, then a gap before "削除".
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

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

// --- Dialog1 ------------------------------------------------------------------------------------

Dialog1::Dialog1(AppState& state, SetupDocument& document, MessageService& /*messages*/, QWidget* parent)
    : QDialog(parent), mState(state), mDocument(document) {
    setObjectName("Dialog1");
    setWindowTitle("新しいﾌﾟﾛｼﾞｪｸﾄ");

    mLabel1 = new QLabel("保存ﾌｧｲﾙ名", this);
    mLabel1->setObjectName("Label1");
    mText1 = new QLineEdit(this);
    mText1->setObjectName("Text1");
    mLabel1->setBuddy(mText1);
    mOKButton = makeButton("OK", "OKButton", this);
    mOKButton->setDefault(true);
    mCancelButton = makeButton("ｷｬﾝｾﾙ", "CancelButton", this);
    mLabelC10 = new HelpLabel("C10", this);

    place(mLabel1, kMargin, kLabelTop, kFieldWidth - 600, kLabelHeight);
    place(mText1, kMargin, kTextTop, kFieldWidth, kTextHeight);
    place(mOKButton, kButtonLeft, kRow0, kButtonWidth, kButtonHeight);
    place(mCancelButton, kButtonLeft, kRow1, kButtonWidth, kButtonHeight);
    mLabelC10->move(px(kMargin + kFieldWidth) - mLabelC10->width(),
                    px(kLabelTop) + (px(kLabelHeight) - mLabelC10->height()) / 2);
    setFixedSize(px(kClientWidth), px(kDialog1Height));

    connect(mOKButton, &QPushButton::clicked, this, &Dialog1::OKButton_Click);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(mLabelC10, &HelpLabel::activated, this, &Dialog1::helpRequested);
}

void Dialog1::openNew(const QDate& today) {
    setWindowTitle("新しいﾌﾟﾛｼﾞｪｸﾄ");
    mText1->setText(
        QString::fromStdString(mDocument.proposedProjectName(today.toString("yyMMdd").toStdString())));
    mText1->setFocus();
    show();
    raise();
    activateWindow();
}

void Dialog1::OKButton_Click() {
    const QString typed = mText1->text();
    std::filesystem::path created;
    {
        // The document reports a refused name in a message box, which takes the activation.
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        created = mDocument.createProject(typed.toStdString());
    }
    if (created.empty()) return;

    StudyState& study = mState.study;
    study.CurFile = created.string();
    study.ProjectMode = true;
    study.StepNo = 1;
    {
        // The owner shows the study window, which takes the activation; the dialog closes below.
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        emit projectOpened(kCaptionPrefix + typed);
    }
    accept();
}

void Dialog1::SetHelpPointer(bool visible) {
    mLabelC10->setVisible(visible);
}

void Dialog1::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !mOwnMessage)
        reject();
}

// --- Dialog2 ------------------------------------------------------------------------------------

Dialog2::Dialog2(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent)
    : QDialog(parent), mState(state), mDocument(document), mMessages(messages) {
    setObjectName("Dialog2");
    setWindowTitle("ﾌﾟﾛｼﾞｪｸﾄを開く");

    mFile1 = new QListWidget(this);
    mFile1->setObjectName("File1");
    mFile1->setSelectionMode(QAbstractItemView::SingleSelection);
    mOKButton = makeButton("OK", "OKButton", this);
    mOKButton->setDefault(true);
    mCancelButton = makeButton("ｷｬﾝｾﾙ", "CancelButton", this);
    mCommand1 = makeButton("削除", "Command1", this);
    mLabelC10 = new HelpLabel("C10", this);
    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setInterval(kIdleCloseMs);
    mTimer1->setSingleShot(true);

    place(mFile1, kMargin, kMargin, kFieldWidth, kListHeight);
    place(mOKButton, kButtonLeft, kRow0, kButtonWidth, kButtonHeight);
    place(mCancelButton, kButtonLeft, kRow1, kButtonWidth, kButtonHeight);
    place(mCommand1, kButtonLeft, kRow2, kButtonWidth, kButtonHeight);
    mLabelC10->move(px(kButtonLeft + kButtonWidth) - mLabelC10->width(),
                    px(kMargin + kListHeight) - mLabelC10->height());
    setFixedSize(px(kClientWidth), px(kDialog2Height));

    connect(mOKButton, &QPushButton::clicked, this, &Dialog2::OKButton_Click);
    connect(mFile1, &QListWidget::itemDoubleClicked, this, &Dialog2::OKButton_Click);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(mCommand1, &QPushButton::clicked, this, &Dialog2::Command1_Click);
    connect(mLabelC10, &HelpLabel::activated, this, &Dialog2::helpRequested);
    connect(mTimer1, &QTimer::timeout, this, &Dialog2::Timer1_Timer);
}

void Dialog2::openList() {
    if (isVisible()) refreshList(); // a hidden dialog reads the folder as it is shown
    show();
    raise();
    activateWindow();
}

void Dialog2::refreshList() {
    namespace fs = std::filesystem;
    const fs::path folder = mDocument.projectFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);

    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        const fs::file_status st = it->symlink_status(sec);
        std::string name = it->path().filename().string();
        if (!sec && fs::is_regular_file(st) && !name.empty() && name.front() != '.')
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });

    mFile1->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), mFile1);
        // The name's bytes as on disk, so a name that is not valid UTF-8 still finds its file.
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    mFile1->setCurrentRow(-1);
}

std::string Dialog2::selectedName() const {
    const QList<QListWidgetItem*> selected = mFile1->selectedItems();
    if (selected.isEmpty()) return {};
    return selected.front()->data(Qt::UserRole).toByteArray().toStdString();
}

void Dialog2::OKButton_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name)) return;

    StudyState& study = mState.study;
    study.CurFile = (mDocument.projectFolder() / name).string();
    study.ProjectMode = true;
    study.StepNo = 1;
    const QString caption = kCaptionPrefix + mFile1->selectedItems().front()->text();
    emit projectOpened(caption);
    accept();
}

void Dialog2::Command1_Click() {
    const std::string name = selectedName();
    if (!isPlainName(name)) return;

    bool yes = false;
    {
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        yes = mMessages.askYesNo(name + "を削除しますか？");
    }
    if (!yes) return;

    std::error_code ec;
    const std::filesystem::path file = mDocument.projectFolder() / name;
    // Only a plain file: a folder of that name appearing since the list was read stays.
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)))
        std::filesystem::remove(file, ec);
    if (ec) {
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        mMessages.showMessage(name + "を削除できませんでした（" + ec.message() + "）。");
    }
    refreshList();
}

void Dialog2::SetHelpPointer(bool visible) {
    mLabelC10->setVisible(visible);
}

void Dialog2::Timer1_Timer() {
    if (isVisible() && !isActiveWindow() && !mOwnMessage) reject();
}

void Dialog2::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        mTimer1->stop();
    else if (isVisible() && !mTimer1->isActive())
        mTimer1->start();
}

void Dialog2::showEvent(QShowEvent* event) {
    refreshList();
    QDialog::showEvent(event);
}

void Dialog2::hideEvent(QHideEvent* event) {
    mTimer1->stop();
    QDialog::hideEvent(event);
}

} // namespace kestrel
