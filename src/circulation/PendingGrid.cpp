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
