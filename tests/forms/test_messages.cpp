#include "widgets/qtmessageservice.h"

#include "english.h"
#include "guiapp.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTranslator>

#include <memory>
#include <tuple>

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

TEST(MessageIcon, EnglishMessagesWarnWhereTheJapaneseDoAndTitlesAreEnglish) {
    test::ensureGuiApplication();
    // The learner's messages of the document and the step save, failures and not.
    const std::pair<const char*, const char*> messages[] = {
        {"Messages", "ﾌﾟﾛｼﾞｪｸﾄ名にはﾌｧｲﾙ名だけを指定してください（フォルダの区切りや \\ / : * ? \" < > | "
                     "は使えません）。"},
        {"Messages", "同じﾌｧｲﾙが既に存在しています。"},
        {"Messages", "ﾌﾟﾛｼﾞｪｸﾄを作成できませんでした（%1）。"},
        {"Messages",
         "「%1」は長すぎて保存できません（%2 バイトまで。全角文字は 2 バイト、改行は 4 バイトと数えます）。"},
        {"Messages", "学習の教材には書き込めません（書き込めるのはﾌﾟﾛｼﾞｪｸﾄだけです）。"},
        {"Messages", "学習ファイルには書き込みできません。"},
        {"Messages", "表示している手順が現在のプロジェクトの手順と一致しないため、書き込みませんでした。"},
        {"Messages", "パラメータを初期化しますか？"},
        {"Errors", "ファイルに書き込めませんでした（%1）。"},
        {"Errors", "「%1」に保存できない文字が含まれています。"},
    };
    EXPECT_EQ(boxTitle("確認"), "確認");
    test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    for (const auto& [context, source] : messages) {
        const QString text = QCoreApplication::translate(context, source);
        EXPECT_NE(text, QString::fromUtf8(source));
        EXPECT_EQ(reportsFailure(text.toStdString()), reportsFailure(source)) << text.toStdString();
    }
    EXPECT_EQ(std::tuple(boxTitle("確認"), boxTitle("ﾍﾙﾌﾟ"), boxTitle("ﾊｰﾄﾞｺﾋﾟｰ"), boxTitle("Kestrel")),
              std::tuple("Confirm", "Help", "Hard Copy", "Kestrel"));
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
