#include "forms/rulespart.h"

#include "core/convert.h"
#include "core/vbformat.h"
#include "widgets/halfwidthinput.h"
#include "widgets/qtext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kestrel {

namespace {

QString number(double v) {
    return qtext(tuning::formulaNumber(v));
}

/// The control-type page of a rule's controller: P, PI or error PID.
int typePage(const std::string& controller) {
    return controller == "P" ? 0 : controller == "PI" ? 1 : 2;
}

/// A setting as the parameter field takes it: two decimals, the precision the field applies.
QString fieldText(double v) {
    return qtext(formatNumber(v, "##0.00"));
}

} // namespace

RulesPart::RulesPart(SetupDocument& document, QWidget* parent) : QWidget(parent), mDocument(document) {
    setObjectName("rulesPart");
    auto field = [this](const char* name, const QString& tip) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setToolTip(tip);
        e->setMaximumWidth(90);
        acceptFullWidthNumbers(e);
        connect(e, &QLineEdit::editingFinished, this, [this] { refresh(); });
        return e;
    };
    mKu = field("txtKu", tr("限界感度 Ku（空欄: 使わない）"));
    mPu = field("txtPu", tr("限界周期 Pu s（空欄: 使わない）"));
    mLambda = field("txtLambda", tr("ラムダ法と IMC の閉ループ時定数 λ s（空欄: 既定値）"));
    mTauc = field("txtTauc", tr("SIMC の閉ループ時定数 τc s（空欄: L）"));
    auto* options = new QHBoxLayout;
    for (auto [label, edit] : {std::pair{"Ku", mKu}, {"Pu s", mPu}, {"λ s", mLambda}, {"τc s", mTauc}}) {
        options->addWidget(new QLabel(label, this));
        options->addWidget(edit);
        options->addSpacing(10);
    }
    options->addStretch(1);

    mMessage = new QLabel(this);
    mMessage->setObjectName("lblRulesMessage");
    mMessage->setWordWrap(true);
    mMessage->setStyleSheet("color: #b00000;");

    mTable = new QTableWidget(0, 5, this);
    mTable->setObjectName("rules");
    mTable->setHorizontalHeaderLabels({tr("調整則"), tr("制御"), "Kp", "Ti s", "Td s"});
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mTable->verticalHeader()->hide();
    mTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    mTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(mTable, &QTableWidget::itemSelectionChanged, this, [this] { showFormulas(); });
    connect(mTable, &QTableWidget::cellDoubleClicked, this, [this](int row) { applyRow(row); });

    mFormulas = new QPlainTextEdit(this);
    mFormulas->setObjectName("formulas");
    mFormulas->setReadOnly(true);
    QFont formulaFont = mFormulas->font();
    formulaFont.setPointSizeF(formulaFont.pointSizeF() * 1.15);
    mFormulas->setFont(formulaFont);
    mFormulas->setPlaceholderText(tr("行を選ぶと、その値の求め方（式と代入した数値）が表示されます。"));

    mApply = new QPushButton(tr("適用"), this);
    mApply->setObjectName("cmdApply");
    mApply->setToolTip(tr("選んだ行の制御の種類と Kp, Ti, Td をパラメータ欄に書き込みます。"
                          "メインウィンドウの OK で設定されます。"));
    mApply->setEnabled(false);
    connect(mApply, &QPushButton::clicked, this, [this] { applyRow(mTable->currentRow()); });
    mCompare = new QPushButton(tr("比較"), this);
    mCompare->setObjectName("cmdCompare");
    mCompare->setToolTip(tr("選んだ行（Ctrl や Shift で複数選べます）を、同じ SV ステップと外乱で"
                            "一つずつ走らせ、重ねて描き、評価指標で順位を付けます。"));
    mCompare->setEnabled(false);
    connect(mCompare, &QPushButton::clicked, this, [this] { emit compareRequested(chosenCandidates()); });
    auto* applyRowLayout = new QHBoxLayout;
    applyRowLayout->addWidget(new QLabel(tr("選んだ行:"), this));
    applyRowLayout->addWidget(mApply);
    applyRowLayout->addWidget(mCompare);
    mApplied = new QLabel(this);
    mApplied->setObjectName("lblApplied");
    applyRowLayout->addWidget(mApplied, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(mMessage);
    layout->addWidget(mTable, 3);
    layout->addWidget(mFormulas, 1);
    layout->addLayout(applyRowLayout);
    mListener = mDocument.addListener([this](SetupChange what, int) {
        if (what == SetupChange::ProcessType)
            refresh();
    });
    refresh();
}

RulesPart::~RulesPart() {
    mDocument.removeListener(mListener);
}

void RulesPart::setModel(double K, double L, double T) {
    mModel = tuning::RuleInput{K, L, T, {}, {}, {}, {}};
    refresh();
}

void RulesPart::setUltimate(double Ku, double Pu) {
    mKu->setText(number(Ku));
    mPu->setText(number(Pu));
    refresh();
}

void RulesPart::refresh() {
    mRows.clear();
    mApplied->clear();
    mTable->setRowCount(0);
    mFormulas->clear();
    mApply->setEnabled(false);
    mCompare->setEnabled(false);
    if (!mModel) {
        mMessage->setText(
            tr("モデルがありません。「同定」で「採用」するか、上の K, L, T 欄に入れてください。"));
        mMessage->show();
        return;
    }
    tuning::RuleInput in = *mModel;
    in.integrating = mDocument.processType() == static_cast<int>(ProcessType::Integrating);
    QStringList bad;
    auto optional = [&bad](QLineEdit* e, const char* name, std::optional<double>& out) {
        const QString text = e->text().trimmed();
        if (text.isEmpty())
            return;
        bool ok = false;
        const double v = qtext(halfWidthNumberText(text.toStdString())).toDouble(&ok);
        if (ok && std::isfinite(v))
            out = v;
        else
            bad << name;
    };
    optional(mKu, "Ku", in.Ku);
    optional(mPu, "Pu", in.Pu);
    optional(mLambda, "λ", in.lambda);
    optional(mTauc, "τc", in.tauc);
    QString message;
    if (!bad.isEmpty())
        message = tr("%1 が数値ではありません（使わずに求めています）。").arg(bad.join(", "));
    if (in.Ku.has_value() != in.Pu.has_value()) {
        message += (message.isEmpty() ? "" : "\n") + tr("Ku と Pu は両方入れると使われます。");
        in.Ku.reset(), in.Pu.reset();
    }
    std::string error;
    mRows = tuning::tuningRules(in, error);
    if (!error.empty())
        message += (message.isEmpty() ? "" : "\n") + qtext(error);
    mMessage->setText(message);
    mMessage->setVisible(!message.isEmpty());

    mTable->setRowCount(static_cast<int>(mRows.size()));
    for (int r = 0; r < static_cast<int>(mRows.size()); ++r) {
        const tuning::RuleRow& row = mRows[r];
        const QString cells[5] = {qtext(row.name), qtext(row.controller), number(row.Kp),
                                  row.Ti ? number(*row.Ti) : "—", row.Td ? number(*row.Td) : "—"};
        for (int c = 0; c < 5; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            cell->setTextAlignment((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            mTable->setItem(r, c, cell);
        }
    }
}

void RulesPart::showFormulas() {
    const int r = mTable->currentRow();
    const bool chosen = r >= 0 && r < static_cast<int>(mRows.size()) && !mTable->selectedItems().isEmpty();
    mApply->setEnabled(chosen);
    mCompare->setEnabled(!mSecondary && !mTable->selectionModel()->selectedRows().isEmpty());
    if (!chosen) {
        mFormulas->clear();
        return;
    }
    const tuning::RuleRow& row = mRows[r];
    QStringList lines{tr("%1  %2 制御").arg(qtext(row.name), qtext(row.controller))};
    for (const std::string& g : row.given)
        lines << "  " + qtext(g);
    for (const std::string& f : row.formulas)
        lines << "  " + qtext(f);
    mFormulas->setPlainText(lines.join('\n'));
}

tuning::Candidate RulesPart::candidate(int r) const {
    const tuning::RuleRow& row = mRows[r];
    // The values as "適用" writes them, so a compared run is the run the applied settings give.
    auto asWritten = [](double v) { return fieldText(v).toDouble(); };
    tuning::Candidate c{row.name + " " + row.controller, row.controller, asWritten(row.Kp), {}, {}};
    if (row.Ti)
        c.Ti = asWritten(*row.Ti);
    if (row.Td)
        c.Td = asWritten(*row.Td);
    return c;
}

std::vector<tuning::Candidate> RulesPart::chosenCandidates() const {
    QList<QModelIndex> chosen = mTable->selectionModel()->selectedRows();
    std::sort(chosen.begin(), chosen.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<tuning::Candidate> out;
    for (const QModelIndex& index : chosen)
        if (index.row() < static_cast<int>(mRows.size()))
            out.push_back(candidate(index.row()));
    return out;
}

bool RulesPart::applyRow(int r) {
    if (r < 0 || r >= static_cast<int>(mRows.size()))
        return false;
    applySettings(candidate(r));
    return true;
}

void RulesPart::setSecondaryModel(bool secondary) {
    if (mSecondary == secondary)
        return;
    mSecondary = secondary;
    mApply->setToolTip(
        secondary ? tr("選んだ行の制御の種類と Kp, Ti, Td を二次ループの Kp2, Ti2, Td2 欄に書き込みます。"
                       "二次ループの OK で設定されます。")
                  : tr("選んだ行の制御の種類と Kp, Ti, Td をパラメータ欄に書き込みます。"
                       "メインウィンドウの OK で設定されます。"));
    mCompare->setToolTip(secondary
                             ? tr("比較は主調節計を走らせます。内側ループのモデルの調整則は、二次ループに"
                                  "適用してから内側ループのステップで確かめてください。")
                             : tr("選んだ行（Ctrl や Shift で複数選べます）を、同じ SV ステップと外乱で"
                                  "一つずつ走らせ、重ねて描き、評価指標で順位を付けます。"));
    showFormulas();
}

void RulesPart::applySettings(const tuning::Candidate& c) {
    writeSettings(c, mSecondary);
}

void RulesPart::applyPrimary(const tuning::Candidate& c) {
    writeSettings(c, false);
}

void RulesPart::writeSettings(const tuning::Candidate& c, bool secondary) {
    if (secondary) {
        // The secondary's types are P, PI and PID, in that order.
        const int type = c.controller == "P" ? 0 : c.controller == "PI" ? 1 : 2;
        if (mDocument.secondaryType() != type)
            mDocument.optType2_Click(type);
        mDocument.setSecondaryText(Kp2, fieldText(c.Kp).toStdString());
        if (c.Ti)
            mDocument.setSecondaryText(Ti2, fieldText(*c.Ti).toStdString());
        if (c.Td)
            mDocument.setSecondaryText(Td2, fieldText(*c.Td).toStdString());
        mApplied->setText(tr("%1 制御を二次ループの欄に書き込みました。二次ループの OK で設定されます。")
                              .arg(qtext(c.label)));
        return;
    }
    const int page = typePage(c.controller);
    if (mDocument.typeTab() != page)
        mDocument.ContTypeTab_Click(page);
    mDocument.setFieldText(Kp, fieldText(c.Kp).toStdString());
    if (c.Ti)
        mDocument.setFieldText(Ti, fieldText(*c.Ti).toStdString());
    if (c.Td)
        mDocument.setFieldText(Td, fieldText(*c.Td).toStdString());
    mApplied->setText(tr("%1 制御をパラメータ欄に書き込みました。メインウィンドウの OK で設定されます。")
                          .arg(qtext(c.label)));
}

} // namespace kestrel
