#include "forms/conversionpart.h"

#include "core/convert.h"
#include "setup/setupdocument.h"
#include "tuning/conversions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>
#include <vector>

namespace kestrel {

namespace {

struct Row {
    const char* label;
    std::vector<std::pair<const char*, const char*>> fields; // short name, caption
    std::vector<std::pair<const char*, ConversionPart::Kind>> buttons;
};

QString number(double v) {
    return QString::number(v, 'g', 6);
}

} // namespace

ConversionPart::ConversionPart(SetupDocument& doc, QWidget* parent)
    : QWidget(parent), mDoc(doc), mResult(new QPlainTextEdit(this)) {
    setObjectName("conversionPart");
    mResult->setObjectName("conversionResult");
    mResult->setReadOnly(true);
    mResult->setMinimumHeight(90);

    using K = Kind;
    const std::vector<std::pair<const char*, std::vector<Row>>> groups{
        {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "PID の形式"),
         {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "理想形 Kp(1 + 1/(Ti·s) + Td·s)"),
           {{"Kp", "Kp"},
            {"Ti", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Ti 秒")},
            {"Td", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Td 秒")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 並列形"), K::IdealToParallel},
            {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 直列形"), K::IdealToSeries}}},
          {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "並列形 Kp + Ki/s + Kd·s"),
           {{"pKp", "Kp"},
            {"Ki", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Ki 1/秒")},
            {"Kd", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Kd 秒")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 理想形"), K::ParallelToIdeal}}},
          {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "直列形 Kp'(1 + 1/(Ti'·s))(1 + Td'·s)"),
           {{"sKp", "Kp'"},
            {"sTi", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Ti' 秒")},
            {"sTd", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Td' 秒")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 理想形"), K::SeriesToIdeal}}}}},
        {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "比例帯"),
         {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "比例ゲイン"),
           {{"gain", "Kp"}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 比例帯"), K::GainToBand}}},
          {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "比例帯"),
           {{"pb", "PB %"}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "→ 比例ゲイン"), K::BandToGain}}}}},
        {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "積分時間"),
         {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "秒"),
           {{"sec", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Ti 秒")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "変換"), K::FromSeconds}}},
          {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "分"),
           {{"min", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "Ti 分")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "変換"), K::FromMinutes}}},
          {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "リピート/分"),
           {{"rpm", QT_TRANSLATE_NOOP("kestrel::ConversionPart", "リピート/分")}},
           {{QT_TRANSLATE_NOOP("kestrel::ConversionPart", "変換"), K::FromRepeats}}}}},
        {QT_TRANSLATE_NOOP("kestrel::ConversionPart", "目標値の重み"),
         {{"α, β, γ", {{"alpha", "α"}, {"beta", "β"}, {"gamma", "γ"}}, {{"→ b, c", K::WeightsToBC}}},
          {"b, c", {{"b", "b"}, {"c", "c"}}, {{"→ α, β, γ", K::BCToWeights}}}}},
    };

    auto* layout = new QVBoxLayout(this);
    auto* load = new QPushButton(tr("現在の値"), this);
    load->setObjectName("loadInForce");
    load->setToolTip(tr("調節計の欄の値（入力中の値を含む）を読み込みます。"));
    connect(load, &QPushButton::clicked, this, &ConversionPart::loadInForce);
    layout->addWidget(load, 0, Qt::AlignLeft);
    for (const auto& [title, rows] : groups) {
        auto* box = new QGroupBox(tr(title), this);
        auto* grid = new QGridLayout(box);
        int r = 0;
        for (const Row& row : rows) {
            grid->addWidget(new QLabel(tr(row.label), box), r, 0);
            int c = 1;
            for (const auto& [name, caption] : row.fields) {
                grid->addWidget(new QLabel(tr(caption), box), r, c++, Qt::AlignRight);
                grid->addWidget(addField(name), r, c++);
                mCaptions[name] = tr(row.fields.size() > 1 ? caption : row.label);
            }
            c = 7;
            for (const auto& [text, kind] : row.buttons) {
                auto* button = new QPushButton(tr(text), box);
                const Kind k = kind;
                connect(button, &QPushButton::clicked, this, [this, k] { convert(k); });
                grid->addWidget(button, r, c++);
            }
            ++r;
        }
        layout->addWidget(box);
    }
    layout->addWidget(new QLabel(tr("計算式・注意"), this));
    layout->addWidget(mResult, 1);
    for (const char* name : {"alpha", "beta", "gamma", "b", "c"})
        mFields[name]->setText("1");
}

QLineEdit* ConversionPart::addField(const std::string& name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromStdString("conv_" + name));
    e->setMaximumWidth(90);
    mFields[name] = e;
    return e;
}

QLineEdit* ConversionPart::field(const std::string& name) const {
    const auto it = mFields.find(name);
    return it == mFields.end() ? nullptr : it->second;
}

QString ConversionPart::resultText() const {
    return mResult->toPlainText();
}

void ConversionPart::showResult(const std::string& text, const std::string& note) {
    QString all = QString::fromStdString(text);
    if (!note.empty())
        all += "\n" + tr("注意: %1").arg(QString::fromStdString(note));
    mResult->setPlainText(all);
}

void ConversionPart::loadInForce() {
    auto put = [this](const char* name, Field f) {
        mFields[name]->setText(QString::fromStdString(mDoc.fieldText(f)));
    };
    put("Kp", Kp), put("Ti", Ti), put("Td", Td), put("gain", Kp), put("sec", Ti);
    put("alpha", Alpha), put("beta", Beta), put("gamma", Gamma);
    mResult->setPlainText(tr("調節計の欄の値を読み込みました。"));
}

bool ConversionPart::convert(Kind kind) {
    // The inputs of the conversion, read in order; the first that is no number is named.
    std::vector<double> v;
    auto inputs = [&](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const std::string text = mFields[name]->text().trimmed().toStdString();
            if (!isNumeric(text)) {
                const QString caption = mCaptions[name];
                mResult->setPlainText(tr("「%1」の値「%2」は数値ではありません。数値を入れてください。")
                                          .arg(caption, QString::fromStdString(text)));
                return false;
            }
            v.push_back(toDouble(text));
        }
        return true;
    };
    auto set = [this](std::initializer_list<std::pair<const char*, double>> values) {
        for (const auto& [name, x] : values)
            mFields[name]->setText(number(x));
    };
    auto finish = [this](const auto& r, auto fill) {
        showResult(r.text, r.note);
        if (r.value)
            fill(*r.value);
        return r.value.has_value();
    };
    auto integral = [&](const tuning::IntegralTime& t) {
        set({{"sec", t.seconds}, {"min", t.minutes}});
        mFields["rpm"]->setText(t.repeatsPerMinute ? number(*t.repeatsPerMinute) : QString("—"));
    };
    switch (kind) {
    case Kind::IdealToParallel:
        return inputs({"Kp", "Ti", "Td"}) &&
               finish(tuning::idealToParallel({v[0], v[1], v[2]}), [&](const tuning::ParallelPid& p) {
                   set({{"pKp", p.Kp}, {"Ki", p.Ki}, {"Kd", p.Kd}});
               });
    case Kind::ParallelToIdeal:
        return inputs({"pKp", "Ki", "Kd"}) &&
               finish(tuning::parallelToIdeal({v[0], v[1], v[2]}), [&](const tuning::IdealPid& p) {
                   set({{"Kp", p.Kp}, {"Ti", p.Ti}, {"Td", p.Td}});
               });
    case Kind::IdealToSeries:
        return inputs({"Kp", "Ti", "Td"}) &&
               finish(tuning::idealToSeries({v[0], v[1], v[2]}), [&](const tuning::SeriesPid& p) {
                   set({{"sKp", p.Kp}, {"sTi", p.Ti}, {"sTd", p.Td}});
               });
    case Kind::SeriesToIdeal:
        return inputs({"sKp", "sTi", "sTd"}) &&
               finish(tuning::seriesToIdeal({v[0], v[1], v[2]}), [&](const tuning::IdealPid& p) {
                   set({{"Kp", p.Kp}, {"Ti", p.Ti}, {"Td", p.Td}});
               });
    case Kind::GainToBand:
        return inputs({"gain"}) && finish(tuning::gainToBand(v[0]), [&](double pb) { set({{"pb", pb}}); });
    case Kind::BandToGain:
        return inputs({"pb"}) && finish(tuning::bandToGain(v[0]), [&](double kp) { set({{"gain", kp}}); });
    case Kind::FromSeconds:
        return inputs({"sec"}) && finish(tuning::integralFromSeconds(v[0]), integral);
    case Kind::FromMinutes:
        return inputs({"min"}) && finish(tuning::integralFromMinutes(v[0]), integral);
    case Kind::FromRepeats:
        return inputs({"rpm"}) && finish(tuning::integralFromRepeats(v[0]), integral);
    case Kind::WeightsToBC:
        return inputs({"alpha", "beta", "gamma"}) &&
               finish(tuning::weightsToBC({v[0], v[1], v[2]}), [&](const tuning::WeightsBC& w) {
                   set({{"b", w.b}, {"c", w.c}});
               });
    case Kind::BCToWeights:
        return inputs({"b", "c"}) &&
               finish(tuning::bcToWeights({v[0], v[1]}), [&](const tuning::WeightsAlphaBetaGamma& w) {
                   set({{"alpha", w.alpha}, {"beta", w.beta}, {"gamma", w.gamma}});
               });
    }
    return false;
}

} // namespace kestrel
