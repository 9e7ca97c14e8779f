#pragma once

#include "app/WinFrm.h"
#include "holdings/HoldingFindFrm.h"

#include <memory>

class QAction;
class QPushButton;
class QToolBar;
class QToolButton;
class QWidget;
class TCatalogTree;
class THoldingListBase;
class TlwDBGrid;
class TlwEdit;
struct RCatalog;

// The list window of one kind of title (books or journals): the classification tree on the left,
// the keyword search and the advanced search above a grid of the titles, and a toolbar with the
// list's commands. It owns its list and frees it when it closes.
class THoldingListFrm : public TWinFrm
{
    Q_OBJECT

public:
    // What tells the book window from the journal window.
    struct TSetup
    {
        QString ObjectName;
        QString Caption;
        int LayoutId = 0;
        QString FindCaption;
        QList<THoldingFindFrm::TRow> FindRows;
        // the journal window fills its tree while it is being built, the book window once shown
        bool TreeAtCreation = false;
    };

    ~THoldingListFrm() override;

    THoldingListBase* List() const { return m_list.get(); }
    TCatalogTree* CatalogTree1() const { return m_tree; }
    TlwDBGrid* DBGrid1() const { return m_grid; }
    TlwEdit* edtKeyword1() const { return m_keyword; }
    QToolBar* ToolBar1() const { return m_tools; }
    QWidget* TreePanel1() const { return m_treePanel; }
    // The toolbar button or action with this caption (trimmed), for tests and help.
    QAction* ToolAction(const QString& caption) const;

    // "搜索一下": every title whose code, name, ISBN/ISSN, pinyin or author/editor holds the keyword,
    // whatever class the tree shows.
    void KeywordSearch();
    // "高级..." and "查找": the advanced-search dialog; its OK runs the search.
    bool AdvancedSearch();
    // The tree's class (the root lists every title).
    void ClassSearch(const QString& classCode);

protected:
    THoldingListFrm(std::unique_ptr<THoldingListBase> list, TSetup setup, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar();
    void fitColumns();
    QWidget* buildTreePanel();
    // Runs the list's search with the wait cursor; a failing statement has been shown already.
    void search();
    void reloadTree();

    std::unique_ptr<THoldingListBase> m_list;
    TSetup m_setup;
    QToolBar* m_tools = nullptr;
    QWidget* m_treePanel = nullptr;
    TCatalogTree* m_tree = nullptr;
    TlwEdit* m_keyword = nullptr;
    TlwDBGrid* m_grid = nullptr;
    bool m_shown = false;
};
