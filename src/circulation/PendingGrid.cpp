#include "circulation/PendingGrid.h"

#include "data/DbError.h"
#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "grids/LwGridcx.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

using namespace Qt::StringLiterals;

TlwGridcx* CreatePendingGrid(QWidget* panel, TLwDataSet* rows, int layoutId, const QString& footerField,
                             std::function<void()> removed)
{
    TlwGridcx* grid = TlwGridcx::CreateOnPanel(panel, rows, layoutId);
    // no layout stored for this list yet
    if (!grid->LoadLayout(layoutId))
        FitGridColumns(*grid);
    QMenu* popup = grid->PopupMenuLw();
    auto* remove = new QAction(u"去除"_s, popup);
    remove->setObjectName(u"ActionRemove1"_s);
    QObject::connect(remove, &QAction::triggered, grid, [rows, removed = std::move(removed)] {
        if (!rows->Active() || rows->IsEmpty())
            return;
        rows->Delete();
        if (removed)
            removed();
    });
    const QList<QAction*> own = popup->actions();
    QAction* first = own.isEmpty() ? nullptr : own.first();
    popup->insertAction(first, remove);
    if (first)
        popup->insertSeparator(first);
    if (!footerField.isEmpty())
        grid->AddFooterSum(footerField);
    return grid;
}

void FitGridColumns(TLwGrid& grid)
{
    const TLwDataSet* rows = grid.DataSet();
    const int digit = grid.fontMetrics().horizontalAdvance(u'0');
    const TGridColumns& columns = grid.Columns();
    for (int column = 0; column < columns.size(); ++column) {
        const QString& name = columns.at(column).FieldName;
        const int index = rows ? rows->FieldIndex(name) : -1;
        const TFieldType type = index >= 0 ? rows->Field(index).Type : TFieldType::WideString;
        int chars = 9;
        if (type == TFieldType::WideString || type == TFieldType::String)
            chars = name.endsWith(u"Name"_s, Qt::CaseInsensitive) || name.endsWith(u"Publisher"_s, Qt::CaseInsensitive)
                        ? 20
                        : 12;
        else if (type == TFieldType::DateTime)
            chars = 12;
        grid.SetColumnWidth(column, chars * digit + 4);
    }
}

double ColumnTotal(const TLwDataSet& rows, const QString& field)
{
    const int column = rows.FieldIndex(field);
    double total = 0;
    for (int row = 0; row < rows.RecordCount(); ++row)
        total += rows.CellValue(row, column).toDouble();
    return total;
}

void EmptyList(TLwDataSet& rows)
{
    rows.DisableControls();
    while (!rows.IsEmpty()) {
        rows.First();
        rows.Delete();
    }
    rows.EnableControls();
}

bool RunGuarded(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const EAbort&) {
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
    }
    return false;
}

bool RunSave(const std::function<bool(QString& message)>& save)
{
    QString message;
    bool done = false;
    RunGuarded([&] {
        const TWaitCursor wait;
        done = save(message);
    });
    if (!done && !message.isEmpty())
        Notifier().Error(message);
    return done;
}

TWaitCursor::TWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
