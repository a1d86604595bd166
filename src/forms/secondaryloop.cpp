#include "forms/secondaryloop.h"

#include "forms/parameterrow.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kestrel {

namespace {

// The same measures as the main window's groups.
constexpr double kRow = kParameterRow, kHeadingRow = 285, kOptionRow = 285, kGap = 60;
constexpr double kGroupWidth = 3900, kLeft = 120, kTop = 60, kSpace = 120;

} // namespace

frmSecondaryLoop::frmSecondaryLoop(SetupDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), mDocument(document) {
    setObjectName("frmSecondaryLoop");
    setWindowTitle(tr("二次ループ"));

    QFont labelFont("ＭＳ ゴシック");
    labelFont.setPointSizeF(QApplication::font().pointSizeF());
    QFont headingFont = QApplication::font();
    headingFont.setBold(true);

    auto* controller = new QGroupBox(tr("二次調節計"), this);
    controller->setObjectName("FrameSecondary");
    auto* process = new QGroupBox(tr("内側プロセス"), this);
    process->setObjectName("FrameInner");

    double row = 330;
    auto heading = [&](QWidget* box, const QString& text, const char* name) {
        auto* label = new QLabel(text, box);
        label->setObjectName(name);
        label->setFont(headingFont);
        place(label, 90, row, kGroupWidth - 180, 270);
        row += kHeadingRow;
    };
    auto addField = [&](QWidget* box, SecondaryField f) {
        QLineEdit* edit = addParameterRow(box, kSecondaryFields[f], row, labelFont).edit;
        connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& t) {
            // A hidden field's "？" is never taken for the learner's text.
            if (!hiddenField(f))
                mDocument.setSecondaryText(f, t.toStdString());
        });
        mFields[f] = edit;
        row += kRow;
    };
    // Each set of options in a widget of its own, so the two sets choose independently.
    auto addOptions = [&](std::array<QRadioButton*, 3>& buttons, auto captions, const char* name,
                          auto click) {
        auto* holder = new QWidget(controller);
        holder->setObjectName(QString(name) + "s");
        place(holder, 90, row, kGroupWidth - 180, 3 * kOptionRow);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new QRadioButton(setupCaption(captions[i]), holder);
            buttons[i]->setObjectName(QString("%1_%2").arg(name).arg(i));
            place(buttons[i], 0, i * kOptionRow, kGroupWidth - 180, 285);
            connect(buttons[i], &QRadioButton::clicked, this, [click, i] { click(i); });
        }
        row += 3 * kOptionRow;
    };

    heading(controller, tr("制御タイプ"), "Label_type2");
    addOptions(mOptType, kSecondaryTypes, "optType2", [this](int i) {
        if (i != mDocument.secondaryType())
            mDocument.optType2_Click(i);
    });
    row += kGap;
    heading(controller, tr("演算形式"), "Label_calc2");
    addOptions(mOptForm, kCalcForms, "optCtype2", [this](int i) {
        if (i != mDocument.secondaryCalcForm())
            mDocument.optCtype2_Click(i);
    });
    row += kGap;
    for (SecondaryField f : {Kp2, Ti2, Td2, MH2, ML2, dML2})
        addField(controller, f);
    const double height = row + 90;
    place(controller, kLeft, kTop, kGroupWidth, height);

    row = 330;
    heading(process, tr("入力 u → PV2"), "Label_inner");
    for (SecondaryField f : {Kin, Tin, Lin})
        addField(process, f);
    row += kGap;
    heading(process, tr("内側外乱（DV → PV2）"), "Label_innerDist");
    for (SecondaryField f : {Kdin, Tdin})
        addField(process, f);
    row += kGap;
    // What the two parts are, in the block diagram's terms.
    auto* model = new QLabel(tr("入力 u = バルブ開度 + Kd·DV\n"
                                "PV2 = Kin·e^(−Lin·s)/(1+Tin·s)·u\n"
                                "         + Kdin/(1+Tdin·s)·DV\n"
                                "PV ： PV2 から制御対象（Kpl, Tpl, Lpl）"),
                             process);
    model->setObjectName("Label_innerModel");
    model->setWordWrap(true);
    place(model, 90, row, kGroupWidth - 180, 4 * 270);
    const double left2 = kLeft + kGroupWidth + kSpace;
    place(process, left2, kTop, kGroupWidth, height - 375 - 120);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton2");
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName("CancelButton2");
    const double buttonTop = kTop + height - 375;
    place(ok, left2 + kGroupWidth - 2 * 900 - 180, buttonTop, 900, 375);
    place(cancel, left2 + kGroupWidth - 900 - 90, buttonTop, 900, 375);
    connect(ok, &QPushButton::clicked, this, [this] { mDocument.okButton(FieldGroup::SecondaryLoop); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { mDocument.cancelButton(FieldGroup::SecondaryLoop); });

    mHelp = new HelpLabel("secondary", controller);
    place(mHelp, kGroupWidth - 300, 30, 240, 240);
    mHelp->hide();
    connect(mHelp, &HelpLabel::activated, this, &frmSecondaryLoop::helpRequested);

    mListener =
        mDocument.addListener([this](SetupChange what, int index) { onDocumentChanged(what, index); });
    for (int i = 0; i < SecondaryCount; ++i)
        showField(static_cast<SecondaryField>(i));
    showOptions();
    setFixedSize(px(left2 + kGroupWidth + kLeft), px(kTop + height + 120));
}

frmSecondaryLoop::~frmSecondaryLoop() {
    mDocument.removeListener(mListener);
}

void frmSecondaryLoop::open() {
    show();
    raise();
    activateWindow();
}

void frmSecondaryLoop::SetHelpPointer(bool visible) {
    mHelp->setVisible(visible);
    mHelp->raise();
}

bool frmSecondaryLoop::hiddenField(SecondaryField f) const {
    return mDocument.processHidden() && isHiddenInnerField(f);
}

void frmSecondaryLoop::showField(SecondaryField f) {
    const bool hidden = hiddenField(f);
    showParameter(mFields[f], mDocument.secondaryText(f), mDocument.secondaryEdited(f) && !hidden, hidden);
}

void frmSecondaryLoop::showOptions() {
    const int type = mDocument.secondaryType();
    const int form = mDocument.secondaryCalcForm();
    for (int i = 0; i < 3; ++i) {
        if (i == type)
            mOptType[i]->setChecked(true);
        if (i == form)
            mOptForm[i]->setChecked(true);
    }
    // The integral acts from PI on, the derivative only in PID; the position form has no limits.
    mFields[Ti2]->setEnabled(type != static_cast<int>(SecondaryType::P));
    mFields[Td2]->setEnabled(type == static_cast<int>(SecondaryType::PID));
    for (SecondaryField f : {MH2, ML2, dML2})
        mFields[f]->setEnabled(form != static_cast<int>(CalcForm::Position));
}

void frmSecondaryLoop::onDocumentChanged(SetupChange what, int index) {
    switch (what) {
    case SetupChange::SecondaryText:
        if (index >= 0 && index < SecondaryCount)
            showField(static_cast<SecondaryField>(index));
        break;
    case SetupChange::SecondaryOption:
        showOptions();
        break;
    case SetupChange::FieldText:
        // Hiding or showing the process is announced through its fields Kpl, Tpl and Lpl.
        if (index == Kpl)
            for (SecondaryField f : {Kin, Tin, Lin})
                showField(f);
        break;
    default:
        break;
    }
}

} // namespace kestrel
