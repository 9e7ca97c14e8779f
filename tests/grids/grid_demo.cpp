// Opens the grid window on sample books, for a look at the grid as an operator sees it:
//   grid_demo [rows]     (under Xvfb: DISPLAY=:N ./grid_demo 40)
// Sorts by two title clicks' worth of markers and shows the sum of the stock in the footer.
#include "GridFixture.h"
#include "grids/GridViewFrm.h"
#include "grids/LwDBGrid.h"
#include "project/Operator.h"

#include <QApplication>
#include <QHeaderView>

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
    // the markers as two title clicks on 馆存数量 and one on 价格 leave them
    for (const QString& field : {u"Qty"_s, u"Qty"_s, u"Price"_s}) {
        const int logical = books->FieldIndex(field);
        emit grid->horizontalHeader()->sectionClicked(logical);
    }
    window->move(20, 20);
    return app.exec();
}
