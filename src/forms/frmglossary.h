#pragma once
// The glossary window "用語集 / Glossary": the textbook terms with their reading and English name,
// a search that filters as the learner types, and the chosen term's definition in both languages
// (the language of the window's texts first).
//
// Keyboard: the search field has the focus when the window opens, Down moves into the list, the
// list's current term is the one defined below it, and Esc closes the window.

#include "study/glossary.h"

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrel {

class frmGlossary : public QWidget {
    Q_OBJECT
public:
    explicit frmGlossary(Glossary glossary, QWidget* parent = nullptr);

    /// Shows the window with every term listed and the focus in the search field.
    void open();
    /// Shows the window at the term with that id (every term listed); an unknown id opens it as
    /// open() does.
    void showTerm(const QString& id);

    /// True when the window's texts are English (a translation is loaded).
    static bool englishTexts();

    /// The id of the term defined below the list; empty when none is.
    QString currentId() const;
    QLineEdit* searchEdit() const { return mSearch; }
    QTreeWidget* list() const { return mList; }
    QTextBrowser* definition() const { return mDefinition; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(const QString& query);
    void showDefinition(QTreeWidgetItem* item);
    void present();

    Glossary mGlossary;
    QLineEdit* mSearch;
    QTreeWidget* mList;
    QTextBrowser* mDefinition;
};

} // namespace kestrel
