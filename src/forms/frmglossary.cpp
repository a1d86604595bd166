#include "forms/frmglossary.h"

#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrel {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

frmGlossary::frmGlossary(Glossary glossary, QWidget* parent)
    : QWidget(parent, Qt::Window), mGlossary(std::move(glossary)) {
    setObjectName("frmGlossary");
    setWindowTitle(tr("用語集 / Glossary"));
    resize(760, 620);
    // The program's small dialog font is hard to read for definitions.
    if (QFont text = font(); text.pointSizeF() > 0 && text.pointSizeF() < 10.5) {
        text.setPointSizeF(10.5);
        setFont(text);
    }

    mSearch = new QLineEdit(this);
    mSearch->setObjectName("glossarySearch");
    mSearch->setPlaceholderText(tr("日本語・よみ・英語・説明で検索"));
    mSearch->setClearButtonEnabled(true);
    mSearch->installEventFilter(this);

    mList = new QTreeWidget(this);
    mList->setObjectName("glossaryList");
    mList->setColumnCount(3);
    mList->setHeaderLabels({tr("日本語"), tr("よみ"), tr("英語")});
    mList->setRootIsDecorated(false);
    mList->setUniformRowHeights(true);
    mList->header()->setSectionResizeMode(QHeaderView::Interactive);
    mList->setColumnWidth(0, 250);
    mList->setColumnWidth(1, 190);

    mDefinition = new QTextBrowser(this);
    mDefinition->setObjectName("glossaryDefinition");
    mDefinition->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(mList);
    splitter->addWidget(mDefinition);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* search = new QHBoxLayout;
    auto* label = new QLabel(tr("検索(&S):"), this);
    label->setBuddy(mSearch);
    search->addWidget(label);
    search->addWidget(mSearch, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(search);
    layout->addWidget(splitter, 1);

    connect(mSearch, &QLineEdit::textChanged, this, &frmGlossary::fill);
    connect(mSearch, &QLineEdit::returnPressed, mList, [this] { mList->setFocus(Qt::OtherFocusReason); });
    connect(mList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showDefinition(item); });
    connect(mList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showDefinition(item); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    fill({});
}

bool frmGlossary::englishTexts() {
    // The column title "英語" reads "English" only when the window's translation is loaded.
    return tr("英語") != QStringLiteral("英語");
}

void frmGlossary::fill(const QString& query) {
    const QString current = currentId();
    mList->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const GlossaryTerm* t : mGlossary.search(query.toStdString())) {
        auto* item = new QTreeWidgetItem(mList, {q(t->japanese), q(t->reading), q(t->english)});
        item->setData(0, Qt::UserRole, q(t->id));
        if (q(t->id) == current)
            keep = item;
    }
    // The term shown stays chosen while the search still finds it; otherwise the best match is.
    QTreeWidgetItem* chosen = keep ? keep : mList->topLevelItem(0);
    mList->setCurrentItem(chosen);
    if (chosen)
        mList->scrollToItem(chosen);
    showDefinition(chosen);
}

void frmGlossary::showDefinition(QTreeWidgetItem* item) {
    const GlossaryTerm* t =
        item ? mGlossary.term(item->data(0, Qt::UserRole).toString().toStdString()) : nullptr;
    if (!t) {
        mDefinition->setHtml(mGlossary.terms().empty() ? tr("用語集のファイルを読めませんでした。")
                                                       : tr("見つかりません"));
        return;
    }
    const auto e = [](const std::string& s) { return q(s).toHtmlEscaped(); };
    const QString japanese =
        QString("<p><b>%1</b>　（%2）<br>%3</p>").arg(e(t->japanese), e(t->reading), e(t->definitionJa));
    const QString english = QString("<p><b>%1</b><br>%2</p>").arg(e(t->english), e(t->definitionEn));
    mDefinition->setHtml(englishTexts() ? english + japanese : japanese + english);
}

QString frmGlossary::currentId() const {
    const QTreeWidgetItem* item = mList->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

bool frmGlossary::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mSearch && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && mList->topLevelItemCount() > 0) {
        if (!mList->currentItem())
            mList->setCurrentItem(mList->topLevelItem(0));
        mList->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmGlossary::present() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    mSearch->setFocus(Qt::OtherFocusReason);
}

void frmGlossary::open() {
    mSearch->clear();
    present();
}

void frmGlossary::showTerm(const QString& id) {
    mSearch->clear();
    for (int i = 0; i < mList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = mList->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toString() == id) {
            mList->setCurrentItem(item);
            mList->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        }
    }
    present();
}

} // namespace kestrel
