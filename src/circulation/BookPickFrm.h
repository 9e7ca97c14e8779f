#pragma once

#include "app/aFrm.h"
#include "holdings/BookListFrm.h"

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TCatalogTree;
class TlwDBGrid;
class THoldingListBase;

// What the book and the journal picker share ("选择"): the classification tree on the left, which
// lists the titles of the chosen class, the keyword box narrowing the loaded rows, the title grid,
// "新添" for a title not yet catalogued, and the button handing the current title to the caller.
class TTitlePickFrm : public TaFrm
{
    Q_OBJECT

public:
    TTitlePickFrm(std::unique_ptr<THoldingListBase> list, int layoutId, const QString& pickCaption, QWidget* parent);

    TCatalogTree* Tree() const { return m_tree; }
    TlwDBGrid* Grid() const { return m_grid; }
    QLineEdit* KeywordBox() const { return m_keyword; }

protected:
    THoldingListBase& list() const { return *m_list; }
    // Lists the titles of a class ("sys-all": every title).
    void showClass(const QString& code);
    void showEvent(QShowEvent* event) override;

private:
    void pick();

    std::unique_ptr<THoldingListBase> m_list;
    TCatalogTree* m_tree = nullptr;
    QWidget* m_treePanel = nullptr;
    TlwDBGrid* m_grid = nullptr;
    QLineEdit* m_keyword = nullptr;
    bool m_loaded = false;
    bool m_fitColumns = false; // no layout stored for the picker yet
};

// The book picker of the loan and write-off windows.
class TBookPickFrm : public TTitlePickFrm
{
    Q_OBJECT

public:
    using TOnPick = std::function<bool(const RBook& book)>;

    TBookPickFrm(TOnPick onPick, QWidget* parent = nullptr);

    TBookList& List() const { return static_cast<TBookList&>(list()); }
    // Shows the picker modally; each title handed over goes to `onPick`, and the picker closes when
    // it takes one. True when a title was taken.
    static bool Pick(TOnPick onPick, QWidget* parent = nullptr);
};
