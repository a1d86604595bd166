#include "widgets/qtmessageservice.h"

#include "guiapp.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTranslator>

#include <memory>

namespace kestrel {
namespace {

TEST(MessageIcon, FailuresWarnAndEverythingElseInforms) {
    const std::pair<const char*, QMessageBox::Icon> cases[] = {
        {"オーバーフローしました。  P034A", QMessageBox::Warning},
        // Failures without a code, among them the missing browser's "ヘルプを開けませんでした。".
        {"ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（File exists）。", QMessageBox::Warning},
        {"「TEXT2」に保存できない文字が含まれています。", QMessageBox::Warning},
        {"「TEXT2」が長すぎます。", QMessageBox::Warning},
        {"手順2 を保存しました。", QMessageBox::Information},
        {"P001", QMessageBox::Information}, // no code without its two blanks
    };
    for (const auto& [text, icon] : cases)
        EXPECT_EQ(messageIcon(text), icon) << text;
}

TEST(QtJapanese, StandardButtonsSpeakJapanese) {
    test::ensureGuiApplication();
    std::unique_ptr<QTranslator> translator(installQtJapanese(*qApp));
    ASSERT_NE(translator, nullptr) << "qtbase_ja.qm is missing (qt6-translations-l10n)";
    QMessageBox box(QMessageBox::Question, "Kestrel", "?", QMessageBox::Yes | QMessageBox::No);
    const QString yes = box.button(QMessageBox::Yes)->text(), no = box.button(QMessageBox::No)->text();
    EXPECT_TRUE(yes.startsWith("はい") && no.startsWith("いいえ")) << (yes + " " + no).toStdString();
}

} // namespace
} // namespace kestrel
