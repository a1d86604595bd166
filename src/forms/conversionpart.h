#pragma once
// 形式変換: conversions between the ways controller settings are written — ideal, parallel and
// series PID, proportional band and gain, integral time in seconds, minutes and repeats per
// minute, the set-point weights α, β, γ of this program and b, c of two-degree-of-freedom texts.
// Each conversion fills the fields of the other side and shows its equations with the numbers
// put in, or in words why it does not exist.

#include <QString>
#include <QWidget>

#include <map>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace kestrel {

class SetupDocument;

class ConversionPart : public QWidget {
    Q_OBJECT
public:
    explicit ConversionPart(SetupDocument& doc, QWidget* parent = nullptr);

    enum class Kind {
        IdealToParallel,
        ParallelToIdeal,
        IdealToSeries,
        SeriesToIdeal,
        GainToBand,
        BandToGain,
        FromSeconds,
        FromMinutes,
        FromRepeats,
        WeightsToBC,
        BCToWeights
    };
    /// Runs one conversion on the input fields; false (reason shown) when an input is not a number
    /// or the conversion does not exist.
    bool convert(Kind kind);
    /// "現在の値": the controller fields in force (as typed) into the ideal form, the gain, the
    /// integral time and the set-point weights.
    void loadInForce();
    /// The equations, notes or reason of the last conversion.
    QString resultText() const;
    /// An input or result field by its short name ("Kp", "Ki", "sKp", "pb", "rpm", "b", …).
    QLineEdit* field(const std::string& name) const;

    /// A model is not used here; present so every part of the workbench can be told the model.
    void setModel(double, double, double) {}

private:
    QLineEdit* addField(const std::string& name);
    void showResult(const std::string& text, const std::string& note);

    SetupDocument& mDoc;
    std::map<std::string, QLineEdit*> mFields;
    std::map<std::string, QString> mCaptions;
    QPlainTextEdit* mResult;
};

} // namespace kestrel
