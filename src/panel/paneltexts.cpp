#include "panel/paneltexts.h"

#include <QCoreApplication>

#include <string>

namespace kestrel {

namespace {

// The names the setup document sets, for the translation tools; each is looked up as it is
// shown. The strips' names differ by control type: two-degree-of-freedom PID shows two errors.
[[maybe_unused]] constexpr const char* kKnownNames[] = {
    QT_TRANSLATE_NOOP("Panel", "Ｐ 制御"),
    QT_TRANSLATE_NOOP("Panel", "Ｐ Ｉ 制御"),
    QT_TRANSLATE_NOOP("Panel", "偏差ＰＩＤ制御"),
    QT_TRANSLATE_NOOP("Panel", "Ｉ－ＰＤ制御"),
    QT_TRANSLATE_NOOP("Panel", "ＰＩ－Ｄ制御"),
    QT_TRANSLATE_NOOP("Panel", "２自由度ＰＩＤ"),
    QT_TRANSLATE_NOOP("Panel", "白"),
    QT_TRANSLATE_NOOP("Panel", "黄"),
    QT_TRANSLATE_NOOP("Panel", "ﾏｾﾞﾝﾀﾞ"),
    QT_TRANSLATE_NOOP("Panel", "赤"),
    QT_TRANSLATE_NOOP("Panel", "ｼｱﾝ"),
    QT_TRANSLATE_NOOP("Panel", "①　目標値（SV）"),
    QT_TRANSLATE_NOOP("Panel", "②　偏差（ｅ）"),
    QT_TRANSLATE_NOOP("Panel", "③　比例項（Ｐ）"),
    QT_TRANSLATE_NOOP("Panel", "④　積分項（Ｉ）"),
    QT_TRANSLATE_NOOP("Panel", "⑤　微分（Ｄ）"),
    QT_TRANSLATE_NOOP("Panel", "⑥　操作出力（MV）"),
    QT_TRANSLATE_NOOP("Panel", "⑦　外乱（ＤS）"),
    QT_TRANSLATE_NOOP("Panel", "⑧　FF補正量（FF）"),
    QT_TRANSLATE_NOOP("Panel", "⑨　外乱１（DS１）"),
    QT_TRANSLATE_NOOP("Panel", "⑩　外乱２（DS２）"),
    QT_TRANSLATE_NOOP("Panel", "⑪　ﾌﾟﾛｾｽ値（PV）"),
    QT_TRANSLATE_NOOP("Panel", "⑫　真のPV（PVtrue）"),
    QT_TRANSLATE_NOOP("Panel", "⑬　ﾊﾞﾙﾌﾞ開度（VP）"),
    QT_TRANSLATE_NOOP("Panel", "⑭　二次目標値（SV2）"),
    QT_TRANSLATE_NOOP("Panel", "⑮　二次PV（PV2）"),
    QT_TRANSLATE_NOOP("Panel", "⑯　二次比例項（P2）"),
    QT_TRANSLATE_NOOP("Panel", "⑰　二次積分項（I2）"),
    QT_TRANSLATE_NOOP("Panel", "⑱　二次微分（D2）"),
    QT_TRANSLATE_NOOP("Panel", "② 偏差（ｅ）"),
    QT_TRANSLATE_NOOP("Panel", "③ 比例項（Ｐ）"),
    QT_TRANSLATE_NOOP("Panel", "④ 積分項（Ｉ）"),
    QT_TRANSLATE_NOOP("Panel", "⑤ 微分（Ｄ）"),
    QT_TRANSLATE_NOOP("Panel", "② 偏差１（ｅ1）"),
    QT_TRANSLATE_NOOP("Panel", "③ 偏差２（ｅ2）"),
    QT_TRANSLATE_NOOP("Panel", "④ Ｐ＋Ｉ　項"),
};

} // namespace

QString panelText(std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate("Panel", source.c_str());
}

} // namespace kestrel
