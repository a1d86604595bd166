#include "forms/helpwindow.h"

#include "study/glossary.h"
#include "study/glossarylinks.h"

#include <QDesktopServices>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <functional>

namespace kestrel {

namespace {

/// The first anchor name carried by `block` (an id of an element around it lands on the block
/// itself) or by its text; empty when it has none.
QString firstAnchor(const QTextBlock& block) {
    if (const QStringList names = block.charFormat().anchorNames(); !names.isEmpty())
        return names.constFirst();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isAnchor() && !format.anchorNames().isEmpty())
            return format.anchorNames().constFirst();
    }
    return {};
}

QToolButton* toolButton(const QString& text, const char* name, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

/// A text browser that passes every page it reads through `filter` before laying it out, so that
/// the page is never edited while the browser lays it out.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    std::function<QString(const QUrl& page, const QString& html)> filter;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant data = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || !filter || data.typeId() != QMetaType::QByteArray)
            return data;
        return filter(name, QString::fromUtf8(data.toByteArray()));
    }
};

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(tr("ヘルプ"));
    resize(980, 720);

    mBack = toolButton(tr("戻る"), "helpBack", QStyle::SP_ArrowBack, this);
    mForward = toolButton(tr("進む"), "helpForward", QStyle::SP_ArrowForward, this);
    mBack->setShortcut(QKeySequence::Back);
    mForward->setShortcut(QKeySequence::Forward);
    mBack->setEnabled(false);
    mForward->setEnabled(false);

    mFind = new QLineEdit(this);
    mFind->setObjectName("helpFind");
    mFind->setPlaceholderText(tr("ページ内を検索"));
    mFind->setClearButtonEnabled(true);
    mFind->setMinimumWidth(200);
    auto* previous = toolButton(tr("前へ"), "helpFindPrevious", QStyle::SP_ArrowUp, this);
    auto* next = toolButton(tr("次へ"), "helpFindNext", QStyle::SP_ArrowDown, this);
    mFindStatus = new QLabel(this);
    mFindStatus->setObjectName("helpFindStatus");
    mFindStatus->setStyleSheet("color: #c00000;");

    auto* bar = new QHBoxLayout;
    bar->addWidget(mBack);
    bar->addWidget(mForward);
    bar->addStretch(1);
    bar->addWidget(new QLabel(tr("検索:"), this));
    bar->addWidget(mFind);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(mFindStatus);

    mContents = new QTreeWidget(this);
    mContents->setObjectName("helpContents");
    mContents->setHeaderLabel(tr("目次"));
    mContents->header()->hide();
    mContents->setRootIsDecorated(true);

    auto* browser = new HelpBrowser(this);
    browser->filter = [this](const QUrl& page, const QString& html) {
        if (!mGlossary || mGlossary->terms().empty())
            return html;
        const bool english =
            isEnglishPage(page.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery).path().toStdString());
        return QString::fromStdString(
            linkGlossaryTerms(html.toStdString(), glossaryLinkTerms(*mGlossary, english)));
    };
    mBrowser = browser;
    mBrowser->setObjectName("helpBrowser");
    // Links are followed here: glossary links open the glossary, other pages open in the browser
    // of the desktop.
    mBrowser->setOpenLinks(false);
    // The glossary links keep the page's link colour without an underline, so as not to clutter it.
    mBrowser->document()->setDefaultStyleSheet("a.term { text-decoration: none; }");
    // The program's small dialog font is hard to read for pages of text.
    QFont text = mBrowser->font();
    if (text.pointSizeF() > 0 && text.pointSizeF() < 10.5) {
        text.setPointSizeF(10.5);
        mBrowser->setFont(text);
    }

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(mContents);
    splitter->addWidget(mBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 720});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    connect(mBack, &QToolButton::clicked, mBrowser, &QTextBrowser::backward);
    connect(mForward, &QToolButton::clicked, mBrowser, &QTextBrowser::forward);
    connect(mBrowser, &QTextBrowser::backwardAvailable, mBack, &QToolButton::setEnabled);
    connect(mBrowser, &QTextBrowser::forwardAvailable, mForward, &QToolButton::setEnabled);
    connect(mBrowser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);
    connect(mBrowser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(mContents, &QTreeWidget::itemClicked, this, &HelpWindow::openContentsEntry);
    connect(mContents, &QTreeWidget::itemActivated, this, &HelpWindow::openContentsEntry);

    connect(mFind, &QLineEdit::textEdited, this, &HelpWindow::findAsTyped);
    connect(mFind, &QLineEdit::returnPressed, this, [this] { findFromEdit(false); });
    connect(next, &QToolButton::clicked, this, [this] { findFromEdit(false); });
    connect(previous, &QToolButton::clicked, this, [this] { findFromEdit(true); });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { findFromEdit(false); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { findFromEdit(true); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        mFind->setFocus(Qt::ShortcutFocusReason);
        mFind->selectAll();
    });
}

void HelpWindow::showPage(const QUrl& page) {
    // Shown first, so that the page is laid out at the window's width before it scrolls.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    mBrowser->setSource(page);
}

void HelpWindow::setGlossary(std::shared_ptr<const Glossary> glossary) {
    mGlossary = std::move(glossary);
}

void HelpWindow::followLink(const QUrl& url) {
    if (url.scheme() == "glossary")
        emit glossaryRequested(url.path());
    else if (!url.isRelative() && url.scheme() != "file" && url.scheme() != "qrc")
        QDesktopServices::openUrl(url);
    else
        mBrowser->setSource(url);
}

void HelpWindow::pageChanged(const QUrl& url) {
    const QUrl page = url.adjusted(QUrl::RemoveFragment);
    if (page != mContentsPage) {
        mContentsPage = page;
        const QString title = mBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("ヘルプ") : title);
        buildContents();
    } else {
        // The browser may have read the page again for the new fragment, losing the names given
        // to headings without an id, and so found no place to scroll to: name them and go there.
        nameHeadings();
        if (!url.fragment().isEmpty())
            mBrowser->scrollToAnchor(url.fragment());
    }
    selectContentsEntry(url.fragment());
}

std::vector<HelpWindow::Heading> HelpWindow::nameHeadings() {
    std::vector<Heading> headings;
    int unnamed = 0;
    bool named = false;
    for (QTextBlock block = mBrowser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3)
            continue;
        const QString title = block.text().remove(QChar::ObjectReplacementCharacter).simplified();
        if (title.isEmpty())
            continue;
        QString anchor = firstAnchor(block);
        if (anchor.isEmpty()) {
            // A heading without an id of its own gets a name here, so that the table of contents
            // leads to it through the browser's history like any link in the page.
            anchor = QString("heading-%1").arg(++unnamed);
            QTextCursor text(block);
            text.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat name;
            name.setAnchor(true);
            name.setAnchorNames({anchor});
            text.mergeCharFormat(name);
            named = true;
        }
        headings.push_back({level, title, anchor});
    }
    // The browser lays a page out a piece at a time; an edit while it does so stops it
    // half-way, leaving the rest of the page blank. The whole page is laid out again.
    if (named)
        mBrowser->document()->markContentsDirty(0, mBrowser->document()->characterCount());
    return headings;
}

void HelpWindow::buildContents() {
    mContents->clear();
    QTreeWidgetItem* section = nullptr;
    for (const Heading& h : nameHeadings()) {
        auto* item =
            (h.level == 2 || !section) ? new QTreeWidgetItem(mContents) : new QTreeWidgetItem(section);
        if (h.level == 2)
            section = item;
        item->setText(0, h.title);
        item->setToolTip(0, h.title);
        item->setData(0, Qt::UserRole, h.anchor);
    }
    mContents->expandAll();
}

QString HelpWindow::anchorOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void HelpWindow::selectContentsEntry(const QString& anchor) {
    if (anchor.isEmpty())
        return;
    for (QTreeWidgetItemIterator it(mContents); *it; ++it) {
        if (anchorOf(*it) == anchor) {
            mContents->setCurrentItem(*it);
            mContents->scrollToItem(*it);
            return;
        }
    }
}

void HelpWindow::openContentsEntry(QTreeWidgetItem* item) {
    const QString anchor = anchorOf(item);
    if (anchor.isEmpty() || mContentsPage.isEmpty())
        return;
    QUrl target = mContentsPage;
    target.setFragment(anchor);
    if (mBrowser->source() == target)
        mBrowser->scrollToAnchor(anchor); // the learner scrolled away: back to the heading
    else
        mBrowser->setSource(target);
}

QTextCursor HelpWindow::searchStart() const {
    // The search goes on from the last match while it is in view; otherwise from what the learner
    // is reading now.
    const QTextCursor cursor = mBrowser->textCursor();
    if (mBrowser->viewport()->rect().intersects(mBrowser->cursorRect(cursor)))
        return cursor;
    return mBrowser->cursorForPosition(QPoint(0, 0));
}

bool HelpWindow::find(const QString& text, bool backward) {
    return findFrom(searchStart(), text, backward);
}

bool HelpWindow::findFrom(const QTextCursor& from, const QString& text, bool backward) {
    mFindStatus->clear();
    if (text.isEmpty())
        return false;
    QTextDocument* document = mBrowser->document();
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    QTextCursor hit = document->find(text, from, flags);
    if (hit.isNull()) {
        QTextCursor wrap(document);
        wrap.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        hit = document->find(text, wrap, flags);
    }
    if (hit.isNull()) {
        mFindStatus->setText(tr(kNotFound));
        return false;
    }
    mBrowser->setTextCursor(hit);
    return true;
}

void HelpWindow::findFromEdit(bool backward) {
    find(mFind->text(), backward);
}

void HelpWindow::findAsTyped() {
    // Typing extends the match in place rather than jumping to the next one.
    QTextCursor from = searchStart();
    from.setPosition(from.selectionStart());
    findFrom(from, mFind->text(), false);
}

} // namespace kestrel
