// Opens the grid windows on sample books, for a look at the grids as an operator sees them:
//   grid_demo [rows] [dialogs]     (under Xvfb: DISPLAY=:N ./grid_demo 40)
// The list window is sorted by stock (descending) and price, with sums in the footer; beside it a
// work window shows the other face on a panel, with row numbers and tinted even rows. With
// "dialogs" the grid dialogs and the export dialog open beside them, without being modal.
#include "GridFixture.h"
#include "app/WinFrm.h"
#include "grids/BatchUpdateFrm.h"
#include "grids/DataExporterFrm.h"
#include "grids/FltrDlgFrm.h"
#include "grids/GridViewFrm.h"
#include "grids/LwDBGrid.h"
#include "grids/LwGridcx.h"
#include "grids/SortFrm.h"
#include "grids/xVisibleFrm.h"
#include "project/Operator.h"

#include <QApplication>
#include <QHeaderView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CurrentOperator().LoginId = TOperator::SuperUser;
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 40;
    auto books = GridFixture::MakeBooks(std::max(rows, 1));
    TGridViewFrm* window = TGridViewFrm::Open(books.get(), u"图书一览"_s);
    TlwDBGrid* grid = window->Grid1();
    grid->AddFooterSum(u"Qty"_s);
    grid->AddFooterSum(u"Price"_s);
    // the markers two title clicks on 馆存数量 and one on 价格 leave
    for (const QString& field : {u"Qty"_s, u"Qty"_s, u"Price"_s})
        emit grid->horizontalHeader()->sectionClicked(books->FieldIndex(field));
    window->move(10, 10);

    auto loans = GridFixture::MakeBooks(12);
    auto* work = new TWinFrm;
    work->setWindowTitle(u"借书"_s);
    auto* panel = new QWidget(work);
    auto* layout = new QVBoxLayout(work);
    layout->addWidget(panel);
    TlwGridcx* cx = TlwGridcx::CreateOnPanel(panel, loans.get(), 0);
    cx->AddFooterSum(u"Qty"_s);
    cx->AddFooterSum(u"Price"_s);
    loans->SetRecNo(3);
    work->resize(560, 380);
    work->show();
    work->move(790, 10);

    RColItems items;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == u"dialogs"_s) {
        for (int c = 0; c < grid->Columns().size(); ++c)
            items.append({c, grid->Columns().at(c).Title, c != 1});
        auto* columns = new TxVisibleFrm(items, window);
        columns->show();
        columns->move(10, 420);
        auto* sort = new TSortFrm(window);
        sort->Setup(books.get(), books->Sort());
        sort->show();
        sort->move(300, 420);
        auto* filter = new TFltrDlgFrm(books.get(), window);
        filter->show();
        filter->move(620, 420);
        auto* batch = new TBatchUpdateFrm(window);
        batch->AddItem(u"图书名称"_s, u"Title"_s);
        batch->show();
        batch->move(920, 420);
        auto* exporter = new TDataExporterFrm(books.get(), window);
        exporter->SetSelectedFields(u"图书名称\r\n价格"_s);
        exporter->show();
        exporter->move(920, 560);
    }
    return app.exec();
}
