#include "grids/LwGrid.h"

#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "data/Notifier.h"
#include "grids/BatchUpdateFrm.h"
#include "grids/DataExporterFrm.h"
#include "grids/Desktop.h"
#include "grids/FltrDlgFrm.h"
#include "grids/GridDelegate.h"
#include "grids/GridFooter.h"
#include "grids/GridHeader.h"
#include "grids/SortFrm.h"
#include "grids/SyscolsSet.h"
#include "grids/xVisibleFrm.h"
#include "project/Operator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStyleOptionHeader>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Characters a field shows when it declares no display width.
int defaultChars(const TField& field)
{
    switch (field.Type) {
    case TFieldType::String:
    case TFieldType::WideString:
        return field.Size > 0 ? std::clamp(field.Size, 4, 60) : 20;
    case TFieldType::Memo:
        return 30;
    case TFieldType::Integer:
    case TFieldType::Float:
    case TFieldType::Blob:
        return 10;
    case TFieldType::DateTime:
        return 18;
    case TFieldType::Boolean:
        return 5;
    }
    return 10;
}

QString openFailedText(const QString& path)
{
    return u"文件已保存到:\r\n%1\r\n本机没有可以打开它的程序, 请到该位置查看."_s.arg(QDir::toNativeSeparators(path));
}

} // namespace

TLwGrid::TLwGrid(TFace face, QWidget* parent) : QTableView(parent), m_face(face)
{
    m_header = new TGridHeader(Qt::Horizontal, this);
    m_header->MarkerOf = [this](int logical) {
        if (!m_dataSet || logical < 0 || logical >= m_dataSet->FieldCount())
            return TGridHeader::TMarker::None;
        const QString& name = m_dataSet->Field(logical).Name;
        for (const RSortItem& mark : std::as_const(m_marks))
            if (mark.Field.compare(name, Qt::CaseInsensitive) == 0)
                return mark.Descending ? TGridHeader::TMarker::Descending : TGridHeader::TMarker::Ascending;
        return TGridHeader::TMarker::None;
    };
    setHorizontalHeader(m_header);
    m_rowHeader = new TGridHeader(Qt::Vertical, this);
    m_rowHeader->CurrentRow = [this] { return currentIndex().isValid() ? currentIndex().row() : -1; };
    m_rowHeader->SetIndicator(face == TFace::Gridcx ? TGridHeader::TIndicator::Numbers
                                                    : TGridHeader::TIndicator::Marker);
    setVerticalHeader(m_rowHeader);

    m_delegate = new TGridDelegate(this);
    if (face == TFace::Gridcx)
        m_delegate->SetAlternateColor(FromBgr(0xF0FBFF));
    setItemDelegate(m_delegate);

    m_footer = new TGridFooter(m_header, this);
    m_footer->TextOf = [this](int logical) { return footerTextOf(logical); };
    m_footer->hide();

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(face == TFace::DBGrid ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // no select-all from the corner; it carries the indicator's title instead
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setTabKeyNavigation(false);
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);
    applyMetrics();

    connect(m_header, &QHeaderView::sectionClicked, this, &TLwGrid::titleClicked);
    connect(m_header, &QHeaderView::sectionMoved, this, [this] {
        if (!m_syncing)
            columnsFromHeader();
        m_footer->update();
    });
    connect(m_header, &QHeaderView::sectionResized, this, [this](int logical, int, int newSize) {
        if (!m_syncing && newSize > 0) {
            const int column = columnOfLogical(logical);
            if (column >= 0)
                m_columns[column].Width = newSize;
        }
        m_footer->update();
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (m_dataSet && index.isValid() && index.column() < m_dataSet->FieldCount())
            emit CellClick(m_dataSet->Field(index.column()).Name);
    });
    buildMenu();
}

TLwGrid::~TLwGrid() = default;

QColor TLwGrid::FromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void TLwGrid::applyMetrics()
{
    // The classic 16-pixel rows and 20-pixel titles, grown where the font needs more room.
    const QFontMetrics metrics(font());
    const int row = std::max(16, metrics.height() + 4);
    m_rowHeader->setMinimumSectionSize(row);
    m_rowHeader->setDefaultSectionSize(row);
    m_header->setMinimumHeight(std::max(20, metrics.height() + 6));
    if (m_face == TFace::DBGrid)
        m_rowHeader->setFixedWidth(12);
    else
        m_rowHeader->setMinimumWidth(30);
}

void TLwGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyMetrics();
}

void TLwGrid::buildMenu()
{
    auto action = [this](const QString& text, const QString& name, auto command) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, command);
        return a;
    };
    m_actionExport = action(u"导出"_s, u"ActionExport"_s, [this] { ExportClick(); });
    m_actionExcel = action(u"导出到Excel文档"_s, u"ActionExport2Excel"_s, [this] { SaveToExcelClick(); });
    m_actionHtml = action(u"导出到Html网页文件"_s, u"ActionExport2Html"_s, [this] { SaveToHtmlClick(); });
    m_actionColumns = action(u"列选择"_s, u"ActionColVisible"_s, [this] { PickColumnsClick(); });
    m_actionSaveLayout = action(u"保存表格样式"_s, u"ActionTableStyleSave"_s, [this] { SaveLayoutClick(); });
    m_actionSort = action(u"排序"_s, u"ActionSort"_s, [this] { SortClick(); });

    m_popup = new QMenu(this);
    m_popup->setObjectName(u"PopupMenuLw"_s);
    m_popup->addAction(m_actionSort);
    m_popup->addSeparator();
    m_popup->addAction(m_actionColumns);
    m_popup->addAction(m_actionSaveLayout);
    m_popup->addSeparator();
    m_popup->addAction(m_actionExcel);
    m_popup->addAction(m_actionHtml);
}

// ---- data set ---------------------------------------------------------------------------------

void TLwGrid::SetDataSet(TLwDataSet* dataSet)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_dataConnections))
        disconnect(connection);
    m_dataConnections.clear();
    m_dataSet = dataSet;
    setModel(dataSet);
    m_marks.clear();
    m_footerCache.clear();
    if (dataSet) {
        m_dataConnections = {
            connect(dataSet, &TLwDataSet::CurrentChanged, this, &TLwGrid::followDataSet),
            connect(dataSet, &QAbstractItemModel::modelReset, this, &TLwGrid::fieldsChanged),
            connect(dataSet, &QAbstractItemModel::rowsInserted, this, &TLwGrid::dataChangedSomehow),
            connect(dataSet, &QAbstractItemModel::rowsRemoved, this, &TLwGrid::dataChangedSomehow),
            connect(dataSet, &QAbstractItemModel::dataChanged, this, &TLwGrid::dataChangedSomehow),
            connect(dataSet, &QAbstractItemModel::layoutChanged, this, &TLwGrid::dataChangedSomehow),
        };
    }
    BuildDefaultColumns(true);
    if (dataSet)
        followDataSet(dataSet->RecNo());
}

void TLwGrid::fieldsChanged()
{
    dataChangedSomehow();
    QStringList names;
    if (m_dataSet)
        for (const TField& field : m_dataSet->Fields())
            names.append(field.Name);
    if (names != m_fieldNames) {
        // new fields (a set that takes its fields from each query): lay them out afresh
        const QString layout = LayoutText();
        BuildDefaultColumns(true);
        TGridLayout::Apply(m_columns, layout);
    }
    syncHeader();
}

void TLwGrid::dataChangedSomehow()
{
    m_footerCache.clear();
    if (m_footerVisible)
        m_footer->update();
}

void TLwGrid::followDataSet(int recNo)
{
    if (!m_dataSet || m_dataSet->ControlsDisabled() || model() != m_dataSet)
        return;
    const int row = recNo - 1;
    if (row < 0 || row >= m_dataSet->rowCount()) {
        m_rowHeader->viewport()->update();
        return;
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    int column = current.isValid() ? current.column() : -1;
    if (column < 0)
        for (int c = 0; c < m_columns.size() && column < 0; ++c)
            if (m_columns.at(c).Visible)
                column = fieldOfColumn(c);
    if (column < 0)
        column = 0;
    m_following = true;
    selectionModel()->setCurrentIndex(m_dataSet->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_following = false;
    scrollTo(currentIndex());
}

void TLwGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_following && current.isValid() && m_dataSet && !m_dataSet->ControlsDisabled() &&
        current.row() != m_dataSet->RecNo() - 1)
        m_dataSet->SetRecNo(current.row() + 1);
    if (current.row() != previous.row() || current.isValid() != previous.isValid()) {
        m_rowHeader->viewport()->update();
        emit SelectChanged(current.isValid());
    }
    if (current.column() != previous.column())
        emit FocusedItemChanged();
}

// ---- columns ----------------------------------------------------------------------------------

int TLwGrid::DefaultWidth(const TField& field) const
{
    const int chars = field.DisplayWidth > 0 ? field.DisplayWidth : defaultChars(field);
    return std::min(chars * fontMetrics().horizontalAdvance(u'0') + 4, TGridLayout::MaxWidth);
}

void TLwGrid::BuildDefaultColumns(bool visible)
{
    m_columns.clear();
    m_fieldNames.clear();
    if (m_dataSet) {
        for (const TField& field : m_dataSet->Fields()) {
            m_fieldNames.append(field.Name);
            if (field.Visible)
                m_columns.append({field.Name, field.Title(), DefaultWidth(field), visible});
        }
    }
    syncHeader();
}

int TLwGrid::ColumnOf(const QString& fieldName) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).FieldName == fieldName)
            return c;
    return -1;
}

int TLwGrid::fieldOfColumn(int column) const
{
    if (!m_dataSet || column < 0 || column >= m_columns.size())
        return -1;
    return m_dataSet->FieldIndex(m_columns.at(column).FieldName);
}

int TLwGrid::columnOfLogical(int logical) const
{
    if (!m_dataSet || logical < 0 || logical >= m_dataSet->FieldCount())
        return -1;
    return ColumnOf(m_dataSet->Field(logical).Name);
}

void TLwGrid::SetColumnVisible(int column, bool visible)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].Visible = visible;
    syncHeader();
}

void TLwGrid::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].Width = std::clamp(width, 0, TGridLayout::MaxWidth);
    syncHeader();
}

// Puts the header's sections in the order, widths and visibility of the column collection; the
// fields without a column stay hidden behind them.
void TLwGrid::syncHeader()
{
    if (!m_dataSet || model() != m_dataSet)
        return;
    m_syncing = true;
    const int count = m_header->count();
    QList<bool> placed(count, false);
    int visual = 0;
    for (const TGridColumn& column : std::as_const(m_columns)) {
        const int logical = m_dataSet->FieldIndex(column.FieldName);
        if (logical < 0 || logical >= count || placed.at(logical))
            continue;
        placed[logical] = true;
        m_header->moveSection(m_header->visualIndex(logical), visual++);
        if (m_header->isSectionHidden(logical)) {
            if (column.Visible) {
                m_header->setSectionHidden(logical, false);
                m_header->resizeSection(logical, column.Width);
            }
        } else {
            m_header->resizeSection(logical, column.Width);
            if (!column.Visible)
                m_header->setSectionHidden(logical, true);
        }
    }
    for (int logical = 0; logical < count; ++logical)
        if (!placed.at(logical))
            m_header->setSectionHidden(logical, true);
    m_syncing = false;
    m_footer->update();
}

void TLwGrid::columnsFromHeader()
{
    if (!m_dataSet)
        return;
    std::stable_sort(m_columns.begin(), m_columns.end(), [this](const TGridColumn& a, const TGridColumn& b) {
        return m_header->visualIndex(m_dataSet->FieldIndex(a.FieldName)) <
               m_header->visualIndex(m_dataSet->FieldIndex(b.FieldName));
    });
}

QString TLwGrid::LayoutText() const
{
    return TGridLayout::Text(m_columns);
}

void TLwGrid::ApplyLayoutText(const QString& text)
{
    // The work-window face shows only what a stored layout lists as visible.
    BuildDefaultColumns(m_face == TFace::Gridcx ? text.isEmpty() : true);
    TGridLayout::Apply(m_columns, text);
    syncHeader();
}

bool TLwGrid::LoadLayout(int id)
{
    QString text;
    bool found = false;
    try {
        text = TSyscolsSet::Load(id, &found);
    } catch (const EAbort&) {
        // the select error has been shown; the window opens with default columns
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
    }
    ApplyLayoutText(text);
    return found;
}

bool TLwGrid::StoreLayout(int id)
{
    return TSyscolsSet::Store(id, LayoutText());
}

RExportColumns TLwGrid::VisibleExportColumns() const
{
    RExportColumns columns;
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).Visible) {
            const int field = fieldOfColumn(c);
            if (field >= 0)
                columns.append({field, m_columns.at(c).Title});
        }
    return columns;
}

// ---- sort markers -----------------------------------------------------------------------------

void TLwGrid::titleClicked(int logical)
{
    if (!m_dataSet || !m_dataSet->Active() || logical < 0 || logical >= m_dataSet->FieldCount())
        return;
    const TField& field = m_dataSet->Field(logical);
    // a calculated column's title is no button
    if (field.Calculated)
        return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < m_marks.size(); ++i)
        if (m_marks.at(i).Field.compare(field.Name, Qt::CaseInsensitive) == 0)
            at = i;
    if (at < 0)
        m_marks.append({field.Name, false});
    else if (!m_marks.at(at).Descending)
        m_marks[at].Descending = true;
    else
        m_marks.removeAt(at);
    const QString text = TSortText::FromMarkers(m_marks);
    guarded([&] { m_dataSet->SetSort(text); });
    m_header->viewport()->update();
}

// ---- footer -----------------------------------------------------------------------------------

void TLwGrid::AddFooterSum(const QString& fieldName)
{
    if (!m_dataSet || m_dataSet->FieldIndex(fieldName) < 0)
        return;
    const QString name = m_dataSet->Field(m_dataSet->FieldIndex(fieldName)).Name;
    if (!m_sumFields.contains(name, Qt::CaseInsensitive))
        m_sumFields.append(name);
    m_footerCache.clear();
    SetFooterVisible(true);
}

void TLwGrid::SetFooterVisible(bool visible)
{
    if (m_footerVisible == visible)
        return;
    m_footerVisible = visible;
    if (!visible) {
        const QMargins margins = viewportMargins();
        setViewportMargins(margins.left(), margins.top(), margins.right(), 0);
    }
    updateGeometries();
    m_footer->setVisible(visible);
}

QString TLwGrid::FooterText(const QString& fieldName) const
{
    if (!m_dataSet)
        return QString();
    return footerTextOf(m_dataSet->FieldIndex(fieldName));
}

QString TLwGrid::footerTextOf(int logical) const
{
    if (!m_dataSet || logical < 0 || logical >= m_dataSet->FieldCount())
        return QString();
    const TField& field = m_dataSet->Field(logical);
    if (!m_sumFields.contains(field.Name, Qt::CaseInsensitive))
        return QString();
    const auto cached = m_footerCache.constFind(logical);
    if (cached != m_footerCache.cend())
        return *cached;
    double sum = 0;
    const int rows = m_dataSet->RecordCount();
    for (int row = 0; row < rows; ++row) {
        const QVariant value = m_dataSet->CellValue(row, logical);
        if (!value.isNull())
            sum += value.toDouble();
    }
    QString text;
    if (m_face == TFace::Gridcx) {
        TField format;
        format.Type = TFieldType::Float;
        format.DisplayFormat = field.Type == TFieldType::Integer ? u"0"_s : u"0.##"_s;
        text = TLwDataSet::DisplayText(format, sum);
    } else {
        text = TLwDataSet::DisplayText(field, field.Type == TFieldType::Integer ? QVariant(qlonglong(std::llround(sum)))
                                                                                : QVariant(sum));
    }
    m_footerCache.insert(logical, text);
    return text;
}

void TLwGrid::updateGeometries()
{
    // The footer sits between the cells and the horizontal scroll bar, in a bottom viewport margin
    // the table view does not know about: it resets the margins on every pass, so the margin, the
    // row header's height and the row scroll range are put right after it.
    if (m_inGeometries)
        return;
    m_inGeometries = true;
    for (int pass = 0; pass < 3; ++pass) {
        const QSize before = viewport()->size();
        QTableView::updateGeometries();
        if (!m_footerVisible)
            break;
        const QMargins margins = viewportMargins();
        const int height = m_footer->PreferredHeight();
        setViewportMargins(margins.left(), margins.top(), margins.right(), height);
        const QRect cells = viewport()->geometry();
        m_footer->setGeometry(cells.left(), cells.bottom() + 1, cells.width(), height);
        if (!m_rowHeader->isHidden()) {
            QRect rows = m_rowHeader->geometry();
            rows.setHeight(cells.height());
            m_rowHeader->setGeometry(rows);
        }
        if (verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
            const int count = m_rowHeader->count();
            int fit = 0;
            for (int used = 0, visual = count - 1; visual >= 0; --visual) {
                const int logical = m_rowHeader->logicalIndex(visual);
                if (m_rowHeader->isSectionHidden(logical))
                    continue;
                used += m_rowHeader->sectionSize(logical);
                if (used > cells.height())
                    break;
                ++fit;
            }
            fit = std::max(fit, 1);
            verticalScrollBar()->setRange(0, std::max(0, count - m_rowHeader->hiddenSectionCount() - fit));
            verticalScrollBar()->setPageStep(fit);
        } else {
            verticalScrollBar()->setRange(0, std::max(0, m_rowHeader->length() - cells.height()));
            verticalScrollBar()->setPageStep(cells.height());
        }
        if (viewport()->size() == before)
            break;
    }
    m_inGeometries = false;
}

void TLwGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx != 0 && m_footerVisible)
        m_footer->update();
}

// ---- keys and mouse ---------------------------------------------------------------------------

void TLwGrid::moveColumn(int step)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int column = columnOfLogical(current.column());
    if (column < 0)
        return;
    for (int c = column + step; c >= 0 && c < m_columns.size(); c += step) {
        if (!m_columns.at(c).Visible)
            continue;
        const QModelIndex target = model()->index(current.row(), fieldOfColumn(c));
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        scrollTo(target);
        return;
    }
}

void TLwGrid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (m_face == TFace::DBGrid) {
        // The list grid moves by itself only with the four arrows; every other key is the window's.
        switch (key) {
        case Qt::Key_Left:
            moveColumn(-1);
            event->accept();
            break;
        case Qt::Key_Right:
            moveColumn(1);
            event->accept();
            break;
        case Qt::Key_Up:
            if (m_dataSet && m_dataSet->Active())
                m_dataSet->Prior();
            event->accept();
            break;
        case Qt::Key_Down:
            if (m_dataSet && m_dataSet->Active())
                m_dataSet->Next();
            event->accept();
            break;
        default:
            event->ignore();
        }
    } else {
        QTableView::keyPressEvent(event);
    }
    emit KeyDown(key, event->modifiers());
}

void TLwGrid::contextMenuEvent(QContextMenuEvent* event)
{
    m_popup->popup(event->globalPos());
    event->accept();
}

void TLwGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
    const QModelIndex current = currentIndex();
    if (m_dataSet && current.isValid() && current.column() < m_dataSet->FieldCount())
        emit CellDblClick(m_dataSet->Field(current.column()).Name);
}

bool TLwGrid::eventFilter(QObject* watched, QEvent* event)
{
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint) {
        // the corner above the row indicator, drawn as a header cell with the indicator's title
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        // the button is switched off (no select-all), its title is not
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = m_face == TFace::Gridcx ? u"NO"_s : QString();
        option.textAlignment = Qt::AlignCenter;
        style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void TLwGrid::PopupButtonClick(QWidget* control)
{
    if (control)
        m_popup->popup(control->mapToGlobal(QPoint(0, control->height())));
}

// ---- rows -------------------------------------------------------------------------------------

int TLwGrid::SelectedCount() const
{
    return selectionModel() ? int(selectionModel()->selectedRows().size()) : 0;
}

int TLwGrid::RowCount() const
{
    return model() ? model()->rowCount() : 0;
}

QList<TLwDataSet::TBookmark> TLwGrid::SelectedBookmarks(bool inSelectionOrder) const
{
    QList<TLwDataSet::TBookmark> bookmarks;
    if (!m_dataSet || !selectionModel())
        return bookmarks;
    QModelIndexList rows = selectionModel()->selectedRows();
    if (!inSelectionOrder)
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& index : std::as_const(rows))
        bookmarks.append(m_dataSet->BookmarkAt(index.row()));
    return bookmarks;
}

void TLwGrid::SetMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TLwGrid::DataReady()
{
    if (!m_dataSet) {
        InfoBox(m_face == TFace::DBGrid ? u"系统错误: 没有为DBGrid.DataSource指定DataSet对象,请与作者联系!"_s
                                        : u"系统错误: 没有为TlwGridcx.DataSource指定DataSet对象,请与作者联系!"_s);
        return false;
    }
    if (!m_dataSet->Active()) {
        InfoBox(u"系统提示: 请先打开数据再操作!"_s);
        return false;
    }
    return true;
}

// ---- commands ---------------------------------------------------------------------------------

void TLwGrid::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const EAbort&) {
        // already told; the command just ends
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
    }
}

void TLwGrid::SortClick()
{
    guarded([this] {
        if (!DataReady())
            return;
        TSortFrm dialog(this);
        dialog.Setup(m_dataSet, m_dataSet->Sort());
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString text = dialog.SortText();
        m_dataSet->SetSort(text);
        // the markers show the order the dialog chose
        m_marks = TSortText::Parse(text);
        m_header->viewport()->update();
    });
}

void TLwGrid::PickColumnsClick()
{
    guarded([this] {
        CurrentOperator().RequireRight(TRight::ChooseColumns);
        RColItems items;
        for (int c = 0; c < m_columns.size(); ++c)
            items.append({c, m_columns.at(c).Title, m_columns.at(c).Visible});
        TxVisibleFrm dialog(items, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        for (const RColItem& item : std::as_const(items))
            if (item.Index >= 0 && item.Index < m_columns.size())
                m_columns[item.Index].Visible = item.Visible;
        syncHeader();
    });
}

void TLwGrid::SaveLayoutClick()
{
    guarded([this] {
        CurrentOperator().RequireRight(TRight::SaveLayout);
        // A write that changed nothing is no success to announce.
        if (StoreLayout(layoutStoreId()))
            InfoBox(u"列样式保存成功."_s);
        else
            InfoBox(u"列样式保存失败."_s);
    });
}

bool TLwGrid::writeExport(TExportFormat format, const QString& path)
{
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = TDataWriter::WriteFile(format, path, *m_dataSet, VisibleExportColumns(), &error);
    QApplication::restoreOverrideCursor();
    if (!written)
        Notifier().Error(error);
    return written;
}

void TLwGrid::SaveToExcelClick()
{
    guarded([this] {
        CurrentOperator().RequireRight(TRight::Export);
        if (!m_dataSet) {
            DataReady();
            return;
        }
        const RExportFormatInfo info = TDataWriter::FormatInfo(TExportFormat::Excel);
        const QString path = TDesktop::SaveFileName(this, u"导出到Excel文档"_s, info.Filter, info.DefaultExt);
        if (path.isEmpty() || !writeExport(TExportFormat::Excel, path))
            return;
        if (!TDesktop::OpenFile(path))
            InfoBox(openFailedText(path));
    });
}

QString TLwGrid::htmlDoneQuestion() const
{
    if (m_face == TFace::Gridcx)
        return u"\r\n导出成功, 共 %1 条记录,是否现在就打开?    "_s.arg(m_dataSet ? m_dataSet->RecordCount() : 0);
    return u"\r\n导出成功,是否现在就打开?    "_s;
}

void TLwGrid::SaveToHtmlClick()
{
    guarded([this] {
        CurrentOperator().RequireRight(TRight::Export);
        if (!m_dataSet) {
            DataReady();
            return;
        }
        const RExportFormatInfo info = TDataWriter::FormatInfo(TExportFormat::Html);
        const QString path = TDesktop::SaveFileName(this, u"导出到Html网页文件"_s, info.Filter, info.DefaultExt);
        if (path.isEmpty() || !writeExport(TExportFormat::Html, path))
            return;
        if (Notifier().Confirm(htmlDoneQuestion()) && !TDesktop::OpenFile(path))
            InfoBox(openFailedText(path));
    });
}

void TLwGrid::ExportClick()
{
    guarded([this] {
        CurrentOperator().RequireRight(TRight::Export);
        if (!m_dataSet || !m_dataSet->Active())
            return;
        TDataExporterFrm dialog(m_dataSet, this);
        dialog.exec();
    });
}

void TLwGrid::FilterClick()
{
    guarded([this] {
        if (!DataReady())
            return;
        TFltrDlgFrm dialog(m_dataSet, this);
        dialog.exec();
    });
}

void TLwGrid::BatchUpdateClick()
{
    guarded([this] {
        if (m_face == TFace::DBGrid) {
            if (!m_dataSet) {
                InfoBox(u"没有指定数据集DataSet, 操作被取消."_s);
                return;
            }
            if (!m_batchProc) {
                InfoBox(u"没有指定更新过程BatchProc, 操作被取消."_s);
                return;
            }
        } else {
            if (!DataReady())
                return;
            if (!m_batchProc) {
                InfoBox(u"没有指定BatchUpdate更新过程, 操作被取消."_s);
                return;
            }
        }
        TBatchUpdateFrm dialog(this);
        for (const TGridColumn& column : std::as_const(m_columns)) {
            const TField* field = m_dataSet->FindField(column.FieldName);
            if (field && field->Visible && !field->Calculated)
                dialog.AddItem(field->Title(), field->Name);
        }
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString fieldName = dialog.FieldName();
        const QString text = dialog.Value();
        // A value the column cannot hold would land as an empty cell in every chosen row.
        const TField* field = m_dataSet->FindField(fieldName);
        if (field && !text.isEmpty() && TLwDataSet::Convert(field->Type, text).isNull()) {
            InfoBox(u"\"%1\" 不是 %2 的有效值, 操作被取消."_s.arg(text, field->Title()));
            return;
        }
        runBatch(fieldName, text, SelectedBookmarks(m_face == TFace::Gridcx), m_batchProc);
    });
}

void TLwGrid::runBatch(const QString& field, const QString& text, const QList<TLwDataSet::TBookmark>& bookmarks,
                       const TBatchProc& proc)
{
    const TLwDataSet::TBookmark saved = m_dataSet->Bookmark();
    auto restore = [&] {
        if (m_dataSet->State() == TLwDataSet::TState::Edit)
            m_dataSet->Cancel();
        m_dataSet->GotoBookmark(saved);
        m_dataSet->EnableControls();
        // the rows that were chosen stay chosen
        const QSet<TLwDataSet::TBookmark> chosen(bookmarks.cbegin(), bookmarks.cend());
        QItemSelection selection;
        for (int row = 0; row < m_dataSet->RecordCount(); ++row)
            if (chosen.contains(m_dataSet->BookmarkAt(row)))
                selection.select(m_dataSet->index(row, 0), m_dataSet->index(row, 0));
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    m_dataSet->DisableControls();
    try {
        for (const TLwDataSet::TBookmark bookmark : bookmarks) {
            if (!m_dataSet->GotoBookmark(bookmark))
                continue;
            m_dataSet->Edit();
            m_dataSet->SetValue(field, text);
            m_dataSet->Post();
            proc();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}
