#include "forms/frmglossary.h"
#include "forms/helpwindow.h"

#include "english.h"
#include "guiapp.h"
#include "tempfolder.h"

#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

#include <fstream>
#include <memory>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const char* const kTerms =
    "kp\t比例ゲイン\tひれいげいん\tproportional gain\t偏差に掛ける係数。\tThe factor.\n"
    "gain\tゲイン\tげいん\tgain\t変化の比。\tA ratio.\n"
    "ti\t積分時間\tせきぶんじかん\tintegral time\t積分の時間。\tThe integral's time.\n";

QStringList listed(const frmGlossary& w) {
    QStringList ids;
    for (int i = 0; i < w.list()->topLevelItemCount(); ++i)
        ids << w.list()->topLevelItem(i)->data(0, Qt::UserRole).toString();
    return ids;
}

using GlossaryWindow = test::GuiTest;

TEST_F(GlossaryWindow, SearchFiltersAsTypedAndTheKeyboardReachesEveryPart) {
    frmGlossary w(Glossary::parse(kTerms));
    w.open();
    test::activate(&w);
    EXPECT_EQ(QApplication::focusWidget(), w.searchEdit());
    EXPECT_EQ(listed(w).join(' '), "kp gain ti");

    w.searchEdit()->insert("ｹﾞｲﾝ"); // as typed through an input method
    EXPECT_EQ(std::pair(listed(w).join(' '), w.currentId()), std::pair(QString("kp gain"), QString("kp")));
    EXPECT_TRUE(w.definition()->toPlainText().contains("偏差に掛ける係数。"));

    // Down moves into the list, the next term is defined; a search that finds nothing says so.
    QTest::keyClick(w.searchEdit(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w.list());
    QTest::keyClick(w.list(), Qt::Key_Down);
    EXPECT_EQ(w.currentId(), "gain");
    const QString definition = w.definition()->toPlainText();
    EXPECT_LT(definition.indexOf("変化の比。"),
              definition.indexOf("A ratio.")); // Japanese texts: Japanese first
    w.searchEdit()->setText("xyz");
    EXPECT_TRUE(listed(w).isEmpty() && w.currentId().isEmpty());

    w.showTerm("ti");
    EXPECT_EQ(std::tuple(w.searchEdit()->text(), listed(w).size(), w.currentId()),
              std::tuple(QString(), 3, QString("ti")));
    QTest::keyClick(w.searchEdit(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(GlossaryWindow, InEnglishTheEnglishDefinitionComesFirstAndEveryTextFits) {
    for (const bool english : {false, true}) {
        std::unique_ptr<test::EnglishScope> scope;
        if (english)
            scope = std::make_unique<test::EnglishScope>();
        frmGlossary w(Glossary::parse(kTerms));
        w.open();
        w.showTerm("kp");
        const QString definition = w.definition()->toPlainText();
        EXPECT_EQ(definition.indexOf("The factor.") < definition.indexOf("偏差に掛ける係数。"), english);
        const std::vector<std::string> cut = test::clippedTexts(&w);
        EXPECT_TRUE(cut.empty()) << cut.front();
    }
}

TEST_F(GlossaryWindow, TheHelpPageLinksItsTermsAndALinkOpensTheGlossaryAtTheTerm) {
    test::TempFolder folder{"kestrel-glossary"};
    const fs::path page = folder.path() / "page.html";
    std::ofstream(page) << "<html><body><h2>比例ゲイン</h2><p>まず比例ゲインを決めます。</p></body></html>";
    HelpWindow help;
    auto glossary = std::make_shared<const Glossary>(Glossary::parse(kTerms));
    help.setGlossary(glossary);
    frmGlossary window(*glossary);
    QObject::connect(&help, &HelpWindow::glossaryRequested, &window, &frmGlossary::showTerm);
    help.showPage(QUrl::fromLocalFile(QString::fromStdString(page.string())));

    // The heading keeps its text; the paragraph's term is a link.
    QTextBrowser* browser = help.browser();
    const QTextBlock paragraph = browser->document()->lastBlock();
    QString href;
    for (auto it = paragraph.begin(); !it.atEnd(); ++it)
        if (it.fragment().text() == "比例ゲイン")
            href = it.fragment().charFormat().anchorHref();
    EXPECT_EQ(href, "glossary:kp");
    EXPECT_TRUE(browser->document()->firstBlock().charFormat().anchorHref().isEmpty());

    QTextCursor link(paragraph);
    link.setPosition(paragraph.position() + 3);
    const QPoint at = browser->cursorRect(link).center() + QPoint(4, 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::pair(window.isVisible(), window.currentId()), std::pair(true, QString("kp")));
    EXPECT_EQ(browser->source().fileName(), "page.html");
}

} // namespace
} // namespace kestrel
