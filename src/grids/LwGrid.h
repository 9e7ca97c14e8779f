#pragma once

#include "data/LwDataSet.h"
#include "grids/DataWriter.h"
#include "grids/GridLayout.h"
#include "grids/SortText.h"

#include <QPointer>
#include <QTableView>
#include <functional>

class QAction;
class QMenu;
class TGridDelegate;
class TGridFooter;
class TGridHeader;

// The enhanced grid every list shows its rows in: a table view straight over a TLwDataSet (no
// copied rows, no widgets per row) with its own column collection, stored layouts, multi-column
// sort markers, a footer of sums, a popup menu and the grid commands (sort, column choice, layout,
// exports, filter, batch update). Windows use one of its two faces, TlwDBGrid and TlwGridcx,
// which differ only in a few settings and messages.
class TLwGrid : public QTableView
{
    Q_OBJECT

public:
    using TBatchProc = std::function<void()>;

    ~TLwGrid() override;

    TLwDataSet* DataSet() const { return m_dataSet; }
    // Shows `dataSet` (not owned) with default columns.
    void SetDataSet(TLwDataSet* dataSet);
    // The window's number for this grid; the layout id where no other is given.
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    QMenu* PopupMenuLw() const { return m_popup; }
    QAction* ActionExport() const { return m_actionExport; }
    QAction* ActionExport2Excel() const { return m_actionExcel; }
    QAction* ActionExport2Html() const { return m_actionHtml; }
    QAction* ActionColVisible() const { return m_actionColumns; }
    QAction* ActionTableStyleSave() const { return m_actionSaveLayout; }
    QAction* ActionSort() const { return m_actionSort; }

    // ---- columns
    // The columns in display order.
    const TGridColumns& Columns() const { return m_columns; }
    // One column per visible field, in field order: title = display label, width = display width;
    // every column gets `visible`.
    void BuildDefaultColumns(bool visible = true);
    // Position in the column collection of the column showing `fieldName` (exact name), or -1.
    int ColumnOf(const QString& fieldName) const;
    void SetColumnVisible(int column, bool visible);
    void SetColumnWidth(int column, int width);
    // The layout text of the current columns, and applying one over default columns.
    QString LayoutText() const;
    void ApplyLayoutText(const QString& text);
    // Applies the layout stored for `id`; no stored row gives the default columns. True when a
    // row existed.
    bool LoadLayout(int id);
    // Stores the current layout under `id`; true when one row was written.
    virtual bool StoreLayout(int id);
    // Pixel width of a field's display width in this grid's font.
    int DefaultWidth(const TField& field) const;

    // ---- sort markers, in marking order
    RSortItems SortMarkers() const { return m_marks; }

    // ---- footer
    // Shows the sum of the field's column in the footer (and switches the footer on).
    void AddFooterSum(const QString& fieldName);
    bool FooterVisible() const { return m_footerVisible; }
    void SetFooterVisible(bool visible);
    // The footer text under the field's column; empty when it has none.
    QString FooterText(const QString& fieldName) const;

    // ---- rows
    int SelectedCount() const;
    int RowCount() const;
    // Bookmarks of the selected records, in row order (`inSelectionOrder`: the order they were chosen).
    QList<TLwDataSet::TBookmark> SelectedBookmarks(bool inSelectionOrder = false) const;
    void SetMultiSelect(bool on);
    void SetBatchProc(TBatchProc proc) { m_batchProc = std::move(proc); }
    bool HasBatchProc() const { return bool(m_batchProc); }

    // Tells the operator what is missing and returns false unless there is an open data set.
    bool DataReady();
    // The visible columns as export columns, in display order.
    RExportColumns VisibleExportColumns() const;

    // Pops the popup menu up under `control` (a toolbar button).
    void PopupButtonClick(QWidget* control);

    // ---- commands (each checks its right first; a refusal ends it)
    void SortClick();
    void FilterClick();
    void ExportClick();
    void BatchUpdateClick();
    virtual void SaveToExcelClick();
    virtual void SaveToHtmlClick();
    virtual void SaveLayoutClick();
    virtual void PickColumnsClick();

    // A colour written as $00BBGGRR: blue, green, red from the high byte down.
    static QColor FromBgr(quint32 bgr);

signals:
    // After the grid's own key handling, every key pressed in it.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The current record changed; `selected` is false when no record is current.
    void SelectChanged(bool selected);
    // A cell was clicked or double-clicked; the field of its column.
    void CellClick(const QString& fieldName);
    void CellDblClick(const QString& fieldName);
    void DblClick();
    // The current column changed.
    void FocusedItemChanged();

protected:
    enum class TFace {
        DBGrid,
        Gridcx,
    };

    TLwGrid(TFace face, QWidget* parent);

    TFace Face() const { return m_face; }
    // Runs `command`, ending it quietly on EAbort and showing database errors.
    void guarded(const std::function<void()>& command);
    // Edits `field` to `text` in every record of `bookmarks`, calling `proc` after each post; the
    // current record and the selection come back afterwards, also when a step fails.
    void runBatch(const QString& field, const QString& text, const QList<TLwDataSet::TBookmark>& bookmarks,
                  const TBatchProc& proc);
    // The export formats' shared ending: writes, then reports failure; true when written.
    bool writeExport(TExportFormat format, const QString& path);
    // The id the save-layout command stores under.
    virtual int layoutStoreId() const { return m_tag; }
    // The question asked after an HTML export.
    virtual QString htmlDoneQuestion() const;

    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void syncHeader();
    void columnsFromHeader();
    void fieldsChanged();
    void followDataSet(int recNo);
    void titleClicked(int logical);
    void dataChangedSomehow();
    QString footerTextOf(int logical) const;
    int fieldOfColumn(int column) const;
    int columnOfLogical(int logical) const;
    void moveColumn(int step);
    void applyMetrics();

    TFace m_face;
    QPointer<TLwDataSet> m_dataSet;
    int m_tag = 0;
    TGridColumns m_columns;
    QStringList m_fieldNames; // the data set's fields when the columns were built
    RSortItems m_marks;
    QStringList m_sumFields;
    mutable QHash<int, QString> m_footerCache;
    bool m_footerVisible = false;
    bool m_syncing = false;
    bool m_following = false;
    bool m_inGeometries = false;
    TBatchProc m_batchProc;

    TGridHeader* m_header = nullptr;
    TGridHeader* m_rowHeader = nullptr;
    TGridFooter* m_footer = nullptr;
    TGridDelegate* m_delegate = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_actionExport = nullptr;
    QAction* m_actionExcel = nullptr;
    QAction* m_actionHtml = nullptr;
    QAction* m_actionColumns = nullptr;
    QAction* m_actionSaveLayout = nullptr;
    QAction* m_actionSort = nullptr;
    QList<QMetaObject::Connection> m_dataConnections;
};
