#include "forms/processdetail.h"

#include "core/palette.h"
#include "forms/parameterrow.h"
#include "widgets/halfwidthinput.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace kestrel {

namespace {

// The same measures as the main window's groups.
constexpr double kRow = kParameterRow, kHeadingRow = 285, kOptionRow = 285, kGap = 60;
constexpr double kFieldLeft = kParameterFieldLeft, kFieldWidth = kParameterFieldWidth;
constexpr double kGroupWidth = 3900;

} // namespace

frmProcessDetail::frmProcessDetail(SetupDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), mDocument(document) {
    setObjectName("frmProcessDetail");
    setWindowTitle(tr("プロセス詳細"));

    auto* box = new QGroupBox(tr("プロセス詳細"), this);
    box->setObjectName("FrameDetail");
    QFont labelFont("ＭＳ ゴシック");
    labelFont.setPointSizeF(QApplication::font().pointSizeF());
    QFont headingFont = QApplication::font();
    headingFont.setBold(true);

    double row = 330;
    auto heading = [&](const QString& text, const char* name) {
        auto* label = new QLabel(text, box);
        label->setObjectName(name);
        label->setFont(headingFont);
        place(label, 90, row, kGroupWidth - 180, 270);
        row += kHeadingRow;
    };
    auto addField = [&](DetailField d) {
        QLineEdit* edit = addParameterRow(box, kDetailFields[d], row, labelFont).edit;
        connect(edit, &QLineEdit::textEdited, this, [this, d](const QString& t) {
            // A hidden field's "？" is never taken for the learner's text.
            if (!hiddenField(d))
                mDocument.setDetailText(d, t.toStdString());
        });
        mFields[d] = edit;
        row += kRow;
    };

    heading(tr("測定（センサ）"), "Label_sensor");
    for (DetailField d : {PvNoise, NoiseSeed, PvFilter})
        addField(d);
    row += kGap;
    heading(tr("バルブ"), "Label_valve");
    for (DetailField d : {ValveDb, ValveBl, StickS, StickJ, ValveT})
        addField(d);
    row += kGap;
    heading(tr("プロセスの種類"), "Label_procType");
    mHiddenType = new QLabel("？", box);
    mHiddenType->setObjectName("Label_procTypeHidden");
    mHiddenType->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(mHiddenType, kFieldLeft, row - kHeadingRow, kFieldWidth - 60, 270);
    for (int i = 0; i < 3; ++i) {
        mOptProcType[i] = new QRadioButton(setupCaption(kProcessTypes[i]), box);
        mOptProcType[i]->setObjectName(QString("optProcType_%1").arg(i));
        place(mOptProcType[i], 90, row, kGroupWidth - 180, 285);
        connect(mOptProcType[i], &QRadioButton::clicked, this, [this, i] {
            if (i != mDocument.processType())
                mDocument.optProcType_Click(i);
        });
        row += kOptionRow;
    }
    row += kGap;
    addField(Tpl2);
    row += kGap;

    auto* ok = new QPushButton("OK", box);
    ok->setObjectName("OKButtonPD");
    auto* cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), box);
    cancel->setObjectName("CancelButtonPD");
    place(ok, kGroupWidth - 2 * 900 - 180, row, 900, 375);
    place(cancel, kGroupWidth - 900 - 90, row, 900, 375);
    connect(ok, &QPushButton::clicked, this, [this] { mDocument.okButton(FieldGroup::ProcessDetail); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { mDocument.cancelButton(FieldGroup::ProcessDetail); });
    const double height = row + 375 + 150;
    place(box, 120, 60, kGroupWidth, height);
    mHelp = new HelpLabel("detail", box);
    place(mHelp, kGroupWidth - 300, 30, 240, 240);
    mHelp->hide();
    connect(mHelp, &HelpLabel::activated, this, &frmProcessDetail::helpRequested);

    mListener =
        mDocument.addListener([this](SetupChange what, int index) { onDocumentChanged(what, index); });
    for (int i = 0; i < DetailCount; ++i)
        showDetail(static_cast<DetailField>(i));
    showProcessType();
    setFixedSize(px(120 + kGroupWidth + 120), px(60 + height + 120));
}

frmProcessDetail::~frmProcessDetail() {
    mDocument.removeListener(mListener);
}

void frmProcessDetail::open() {
    show();
    raise();
    activateWindow();
}

void frmProcessDetail::SetHelpPointer(bool visible) {
    mHelp->setVisible(visible);
    mHelp->raise();
}

bool frmProcessDetail::hiddenField(DetailField d) const {
    return mDocument.processHidden() && isHiddenWithProcess(d);
}

void frmProcessDetail::showDetail(DetailField d) {
    const bool hidden = hiddenField(d);
    showParameter(mFields[d], mDocument.detailText(d), mDocument.detailEdited(d) && !hidden, hidden);
}

void frmProcessDetail::showProcessType() {
    const bool hidden = mDocument.processHidden();
    const int type = mDocument.processType();
    for (int i = 0; i < 3; ++i) {
        mOptProcType[i]->setVisible(!hidden);
        if (i == type)
            mOptProcType[i]->setChecked(true);
    }
    mHiddenType->setVisible(hidden);
    // Tpl2 acts only in the second-order process.
    mFields[Tpl2]->setEnabled(hidden || type == static_cast<int>(ProcessType::SecondOrder));
}

void frmProcessDetail::onDocumentChanged(SetupChange what, int index) {
    switch (what) {
    case SetupChange::DetailText:
        if (index >= 0 && index < DetailCount)
            showDetail(static_cast<DetailField>(index));
        break;
    case SetupChange::ProcessType:
        showProcessType();
        break;
    case SetupChange::FieldText:
        // Hiding or showing the process is announced through its fields Kpl, Tpl and Lpl.
        if (index == Kpl) {
            for (int i = 0; i < DetailCount; ++i)
                showDetail(static_cast<DetailField>(i));
            showProcessType();
        }
        break;
    default:
        break;
    }
}

} // namespace kestrel
