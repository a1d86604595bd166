#include "forms/projectdialogs.h"

#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <filesystem>
#include <string>
#include <system_error>

namespace kestrel {
namespace {

// Layout in twips. Buttons in a column on the right, the name field on the left, as wide as the
// project list of Dialog2.
constexpr double kMargin = 240;
constexpr double kFieldWidth = 3300;
constexpr double kButtonLeft = kMargin + kFieldWidth + 240;
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 375;
constexpr double kClientWidth = kButtonLeft + kButtonWidth + kMargin;

constexpr double kLabelTop = 240, kLabelHeight = 300;
constexpr double kTextTop = 600, kTextHeight = 345;
constexpr double kDialog1Height = 1440;

// Row y of the button column, aligned with the project list's: OK, Cancel.
constexpr double kRow0 = kMargin, kRow1 = kRow0 + kButtonHeight + 105;

} // namespace

// --- Dialog1 ------------------------------------------------------------------------------------

Dialog1::Dialog1(AppState& state, SetupDocument& document, MessageService& /*messages*/, QWidget* parent)
    : QDialog(parent), mState(state), mDocument(document) {
    setObjectName("Dialog1");
    setWindowTitle(tr("新しいﾌﾟﾛｼﾞｪｸﾄ"));

    mLabel1 = new QLabel(tr("保存ﾌｧｲﾙ名"), this);
    mLabel1->setObjectName("Label1");
    mText1 = new QLineEdit(this);
    mText1->setObjectName("Text1");
    mLabel1->setBuddy(mText1);
    mOKButton = makeButton("OK", "OKButton", this);
    mOKButton->setDefault(true);
    mCancelButton = makeButton(tr("ｷｬﾝｾﾙ"), "CancelButton", this);
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
    setWindowTitle(tr("新しいﾌﾟﾛｼﾞｪｸﾄ"));
    mText1->setText(qtext(mDocument.proposedProjectName(today.toString("yyMMdd").toStdString())));
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
    if (created.empty())
        return;

    StudyState& study = mState.study;
    study.CurFile = created.string();
    study.ProjectMode = true;
    study.StepNo = 1;
    {
        // The owner shows the study window, which takes the activation; the dialog closes below.
        QScopedValueRollback<bool> guard(mOwnMessage, true);
        emit projectOpened(tr("自習： %1").arg(typed));
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
    : FileListDialog(messages,
                     {.ok = "OK",
                      .helpAnchor = "C10",
                      .messageTitle = {},
                      .cannotDelete = tr("%1を削除できませんでした（%2）。")},
                     parent),
      mState(state), mDocument(document) {
    setObjectName("Dialog2");
    setWindowTitle(tr("ﾌﾟﾛｼﾞｪｸﾄを開く"));
}

bool Dialog2::listedBefore(const std::string& a, const std::string& b) const {
    const int c = qtext(a).compare(qtext(b), Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void Dialog2::beforeRead(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
}

void Dialog2::openFile(const std::filesystem::path& file, const QString& shownName) {
    StudyState& study = mState.study;
    study.CurFile = file.string();
    study.ProjectMode = true;
    study.StepNo = 1;
    emit projectOpened(tr("自習： %1").arg(shownName));
    accept();
}

} // namespace kestrel
