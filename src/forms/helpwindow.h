#pragma once
// The help window: the help page shown inside the program.
//
// A text browser over Doc/help.html with back and forward, a table of contents built from the
// page's headings (second-level headings with their third-level headings below them), and a
// search box that finds text in the page forwards or backwards, wrapping at the page's ends, and
// says "見つかりません" when the text is nowhere in the page. The program keeps one help window:
// every help label and "ヘルプ" move it to their place in the page and bring it to the front.
//
// The page's images (the drawings of the run measures) are files beside the page, loaded by the
// text browser relative to the page.
//
// With a glossary given, the textbook terms in the page link to it ("glossary:<id>"): the page's
// text is linked as it is read, before the browser lays it out, in the page's language (a file
// whose name ends in "_en.html" is English). Following such a link asks for the glossary.

#include <QTextCursor>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrel {

class Glossary;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kNotFound = QT_TR_NOOP("見つかりません");

    explicit HelpWindow(QWidget* parent = nullptr);

    /// Shows `page` (a file URL) scrolled to its fragment, or at its top without one, and brings
    /// the window to the front. The page is read again only when it is not the one shown.
    void showPage(const QUrl& page);

    /// Finds `text` in the page after the current selection (before it when `backward`), wrapping
    /// around at the end (start) of the page, and selects it. False, with "見つかりません" shown
    /// beside the search box, when the page does not hold the text.
    bool find(const QString& text, bool backward = false);

    /// The terms to link in the pages read from now on; null for none.
    void setGlossary(std::shared_ptr<const Glossary> glossary);

    QTextBrowser* browser() const { return mBrowser; }
    QTreeWidget* contents() const { return mContents; }
    QLineEdit* findEdit() const { return mFind; }
    QLabel* findStatus() const { return mFindStatus; }
    QToolButton* backButton() const { return mBack; }
    QToolButton* forwardButton() const { return mForward; }

    /// The anchor that a table-of-contents entry leads to.
    static QString anchorOf(const QTreeWidgetItem* item);

signals:
    /// A link to the glossary term with that id was followed.
    void glossaryRequested(const QString& id);

private:
    void followLink(const QUrl& url);
    void pageChanged(const QUrl& url);
    void buildContents();
    /// Names every h2/h3 heading without an id of its own ("heading-1", … in page order) and
    /// returns the headings' level, title and anchor. A reload of the page drops the names, so
    /// they are given again after every navigation.
    struct Heading {
        int level;
        QString title, anchor;
    };
    std::vector<Heading> nameHeadings();
    void selectContentsEntry(const QString& anchor);
    void openContentsEntry(QTreeWidgetItem* item);
    QTextCursor searchStart() const;
    bool findFrom(const QTextCursor& from, const QString& text, bool backward);
    void findFromEdit(bool backward);
    void findAsTyped();

    QTextBrowser* mBrowser;
    QTreeWidget* mContents;
    QLineEdit* mFind;
    QLabel* mFindStatus;
    QToolButton* mBack;
    QToolButton* mForward;
    QUrl mContentsPage; ///< the page the table of contents was built from, without fragment
    std::shared_ptr<const Glossary> mGlossary;
};

} // namespace kestrel
