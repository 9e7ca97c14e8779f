#include "GridFixture.h"
#include "ModalAnswer.h"
#include "XlsxReader.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "grids/BatchUpdateFrm.h"
#include "grids/Desktop.h"
#include "grids/LwDBGrid.h"
#include "grids/LwGridcx.h"
#include "grids/SyscolsSet.h"
#include "project/Operator.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include "app/LwComboBox.h"
#include "app/LwEdit.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<TLwGrid> makeGrid(const QString& face)
{
    if (face == u"gridcx"_s)
        return std::make_unique<TlwGridcx>();
    return std::make_unique<TlwDBGrid>();
}

void showGrid(TLwGrid& grid)
{
    grid.resize(640, 360);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

void clickTitle(TLwGrid& grid, const QString& field)
{
    QHeaderView* header = grid.horizontalHeader();
    const int logical = grid.DataSet()->FieldIndex(field);
    const QPoint at(header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void clickCell(TLwGrid& grid, int row, const QString& field, Qt::KeyboardModifiers modifiers = {})
{
    const QRect cell = grid.visualRect(grid.model()->index(row, grid.DataSet()->FieldIndex(field)));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, cell.center());
}

QStringList column(const TLwDataSet& set, const QString& field)
{
    QStringList values;
    for (int row = 0; row < set.RecordCount(); ++row)
        values.append(set.CellText(row, set.FieldIndex(field)));
    return values;
}

// The header's sections as the layout text would name them: visual order, visibility, width.
QString headerLayout(TLwGrid& grid)
{
    QString text;
    QHeaderView* header = grid.horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        const bool hidden = header->isSectionHidden(logical);
        const int width = grid.Columns().value(grid.ColumnOf(grid.DataSet()->Field(logical).Name)).Width;
        text += grid.DataSet()->Field(logical).Name + u'=' + (hidden ? u"False"_s : u"True"_s) +
                QString::number(hidden ? width : header->sectionSize(logical)) + u"\r\n"_s;
    }
    return text;
}

void loginAs(const QString& loginId, const QString& rights)
{
    CurrentOperator().LoginId = loginId;
    CurrentOperator().Rights = rights;
}

} // namespace

class TestLwGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        loginAs(TOperator::SuperUser, QString());
        TDesktop::SetSaveHook({});
        TDesktop::SetOpenHook([](const QString&) { return true; });
    }
    void cleanup()
    {
        TDesktop::SetSaveHook({});
        TDesktop::SetOpenHook({});
    }

    void defaultColumnsFromVisibleFields()
    {
        auto set = GridFixture::MakeSample();
        set->Field(1).DisplayWidth = 12;
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        QStringList names, titles;
        for (const TGridColumn& column : grid.Columns()) {
            names.append(column.FieldName);
            titles.append(column.Title);
            QVERIFY(column.Visible);
            QCOMPARE(column.Width, grid.DefaultWidth(*set->FindField(column.FieldName)));
        }
        QCOMPARE(names, (QStringList{u"Code"_s, u"Name"_s, u"Price"_s, u"Qty"_s, u"Adddate"_s}));
        QCOMPARE(titles, (QStringList{u"编号"_s, u"名称"_s, u"价格"_s, u"数量"_s, u"日期"_s}));
        QCOMPARE(grid.Columns().at(0).Width, 12 * grid.fontMetrics().horizontalAdvance(u'0') + 4);
        QVERIFY(grid.horizontalHeader()->isSectionHidden(set->FieldIndex(u"Id"_s)));
        QCOMPARE(grid.LayoutText().count(u"\r\n"_s), 5);
    }

    void layoutOnBothFaces_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // %1 = the default width
        QTest::newRow("dbgrid two lines")
            << u"dbgrid"_s << u"B=True80\r\nA=False40\r\n"_s << u"B=True80\r\nA=False40\r\nC=True%1\r\n"_s;
        QTest::newRow("gridcx two lines")
            << u"gridcx"_s << u"B=True80\r\nA=False40\r\n"_s << u"B=True80\r\nA=False40\r\nC=False%1\r\n"_s;
        QTest::newRow("dbgrid bad width")
            << u"dbgrid"_s << u"C=True50\r\nB=Falsexyz\r\nA=True30\r\n"_s << u"A=True30\r\nB=False%1\r\nC=True%1\r\n"_s;
        QTest::newRow("gridcx bad width") << u"gridcx"_s << u"C=True50\r\nB=Falsexyz\r\nA=True30\r\n"_s
                                          << u"A=True30\r\nB=False%1\r\nC=False%1\r\n"_s;
        QTest::newRow("dbgrid empty") << u"dbgrid"_s << QString() << u"A=True%1\r\nB=True%1\r\nC=True%1\r\n"_s;
        QTest::newRow("gridcx empty") << u"gridcx"_s << QString() << u"A=True%1\r\nB=True%1\r\nC=True%1\r\n"_s;
    }
    void layoutOnBothFaces()
    {
        QFETCH(QString, face);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        auto grid = makeGrid(face);
        grid->SetDataSet(set.get());
        showGrid(*grid);
        grid->ApplyLayoutText(text);
        const QString result = expected.arg(grid->DefaultWidth(set->Field(0)));
        QCOMPARE(grid->LayoutText(), result);
        QCOMPARE(headerLayout(*grid), result);
        // what is stored comes back the same
        auto other = makeGrid(face);
        other->SetDataSet(set.get());
        other->ApplyLayoutText(grid->LayoutText());
        QCOMPARE(other->LayoutText(), result);
    }

    void savedLayoutLoadsInNewGrid_data()
    {
        QTest::addColumn<QString>("engine");
        TTestDatabase::AddEngineRows();
    }
    void savedLayoutLoadsInNewGrid()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        grid.SetTag(1012);
        showGrid(grid);
        grid.horizontalHeader()->resizeSection(1, 133); // the operator drags B wider
        grid.horizontalHeader()->moveSection(2, 0);     // and C to the front
        grid.SetColumnVisible(grid.ColumnOf(u"A"_s), false);
        grid.SaveLayoutClick();
        QCOMPARE(notifier.LastText(), u"列样式保存成功."_s);
        const QString stored = u"C=True%1\r\nA=False%1\r\nB=True133\r\n"_s.arg(grid.DefaultWidth(set->Field(0)));
        QCOMPARE(TSyscolsSet::Load(1012), stored);

        TlwDBGrid again;
        again.SetDataSet(set.get());
        QVERIFY(again.LoadLayout(1012));
        QCOMPARE(again.LayoutText(), stored);
        // LayoutId takes precedence over Tag and loads at once
        again.SetLayoutId(1099);
        QCOMPARE(again.LayoutText(), u"A=True%1\r\nB=True%1\r\nC=True%1\r\n"_s.arg(grid.DefaultWidth(set->Field(0))));
        again.SaveLayoutClick();
        QVERIFY(!TSyscolsSet::Load(1099).isEmpty());

        // a garbage text stored by someone else opens as far as it makes sense
        QVERIFY(TSyscolsSet::Store(1013, u"\x01garbage\r\nB=TrueNaN\r\n=\r\n"_s));
        TlwGridcx cx;
        cx.SetDataSet(set.get());
        QVERIFY(cx.LoadLayout(1013));
        QCOMPARE(cx.Columns().size(), 3);
    }

    void layoutCommandsNeedRights_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("right");
        QTest::newRow("save layout") << u"save"_s << TRight::SaveLayout;
        QTest::newRow("column choice") << u"columns"_s << TRight::ChooseColumns;
        QTest::newRow("excel") << u"excel"_s << TRight::Export;
        QTest::newRow("html") << u"html"_s << TRight::Export;
        QTest::newRow("export dialog") << u"export"_s << TRight::Export;
    }
    void layoutCommandsNeedRights()
    {
        QFETCH(QString, command);
        QFETCH(int, right);
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        TRecordingNotifier notifier;
        loginAs(u"clerk"_s, TOperator::RightsText({TRight::Print}));
        int asked = 0;
        TDesktop::SetSaveHook([&](const QString&, const QString&, const QString&) {
            ++asked;
            return QString();
        });
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        grid.SetTag(1003);
        QMenu* settings = grid.NewSettingsMenu();
        QMenu* exports = grid.NewExportMenu();
        if (command == u"save"_s)
            settings->actions().at(1)->trigger();
        else if (command == u"columns"_s)
            settings->actions().at(0)->trigger();
        else if (command == u"excel"_s)
            exports->actions().at(0)->trigger();
        else if (command == u"html"_s)
            exports->actions().at(1)->trigger();
        else
            grid.ActionExport()->trigger();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.LastText(), u"对不起,您没有该功能的操作权限,请与管理员联系(%1)."_s.arg(right));
        QCOMPARE(asked, 0);
        QCOMPARE(TSyscolsSet::Load(1003), QString());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void loadLayoutSurvivesDatabaseError()
    {
        QVERIFY(TTestDatabase::OpenEmpty(TTestDatabase::SQLite)); // no syscols table
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TlwGridcx grid;
        grid.SetDataSet(set.get());
        QVERIFY(!grid.LoadLayout(1005));
        QVERIFY(notifier.LastText().startsWith(u"SQL语句错误,原文如下:"_s));
        QCOMPARE(grid.Columns().size(), 3);
        QVERIFY(grid.Columns().at(2).Visible);
    }

    void popupMenuOrder()
    {
        TlwGridcx grid;
        QStringList texts;
        for (QAction* action : grid.PopupMenuLw()->actions())
            texts.append(action->isSeparator() ? u"-"_s : action->text());
        QCOMPARE(texts, (QStringList{u"排序"_s, u"-"_s, u"列选择"_s, u"保存表格样式"_s, u"-"_s, u"导出到Excel文档"_s,
                                     u"导出到Html网页文件"_s}));
        QCOMPARE(grid.ActionExport()->text(), u"导出"_s);
        TlwDBGrid list;
        QCOMPARE(list.NewExportMenu()->actions(),
                 (QList<QAction*>{list.ActionExport2Excel(), list.ActionExport2Html()}));
        QCOMPARE(list.NewSettingsMenu()->actions(),
                 (QList<QAction*>{list.ActionColVisible(), list.ActionTableStyleSave()}));
    }

    // Title clicks cycle a column through none, ascending, descending; the sort follows the
    // columns in the order they were first marked.
    void titleClicks_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("firstRow"); // A,B of the first row
        QTest::newRow("A") << QStringList{u"A"_s} << u"A"_s << u"1,5"_s;
        QTest::newRow("A A") << QStringList{u"A"_s, u"A"_s} << u"A DESC "_s << u"3,5"_s;
        QTest::newRow("A A A") << QStringList{u"A"_s, u"A"_s, u"A"_s} << QString() << u"2,9"_s;
        QTest::newRow("A B B") << QStringList{u"A"_s, u"B"_s, u"B"_s} << u"A, B DESC "_s << u"1,7"_s;
        QTest::newRow("A B B B") << QStringList{u"A"_s, u"B"_s, u"B"_s, u"B"_s} << u"A"_s << u"1,5"_s;
        QTest::newRow("B A") << QStringList{u"B"_s, u"A"_s} << u"B, A"_s << u"1,5"_s;
        QTest::newRow("B B A A") << QStringList{u"B"_s, u"B"_s, u"A"_s, u"A"_s} << u"B DESC , A DESC "_s << u"2,9"_s;
    }
    void titleClicks()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, sort);
        QFETCH(QString, firstRow);
        auto set = GridFixture::MakeAbc({{2, 9, 0}, {1, 5, 0}, {3, 5, 0}, {1, 7, 0}});
        QAbstractItemModelTester tester(set.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        for (const QString& field : std::as_const(clicks))
            clickTitle(grid, field);
        QCOMPARE(set->Sort(), sort);
        QCOMPARE(set->CellText(0, 0) + u',' + set->CellText(0, 1), firstRow);
        QCOMPARE(TSortText::FromMarkers(grid.SortMarkers()), sort);
        // the grid shows the current record
        QCOMPARE(grid.currentIndex().row(), set->RecNo() - 1);
    }

    void titleClickOnClosedSetDoesNothing()
    {
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        set->Close();
        clickTitle(grid, u"A"_s);
        QVERIFY(grid.SortMarkers().isEmpty());
        QCOMPARE(set->Sort(), QString());
    }

    void arrowKeys()
    {
        auto set = GridFixture::MakeAbc({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
        set->AddField(TFieldType::Integer, u"D"_s, -1, true, u"丁"_s);
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        QSignalSpy keys(&grid, &TLwGrid::KeyDown);
        clickCell(grid, 1, u"B"_s);
        QCOMPARE(set->RecNo(), 2);
        QTest::keyClick(&grid, Qt::Key_Left);
        QCOMPARE(grid.currentIndex().column(), 0);
        QTest::keyClick(&grid, Qt::Key_Left); // nothing left of the first column
        QCOMPARE(grid.currentIndex().column(), 0);
        grid.SetColumnVisible(grid.ColumnOf(u"B"_s), false);
        grid.SetColumnVisible(grid.ColumnOf(u"C"_s), false);
        QTest::keyClick(&grid, Qt::Key_Right); // over the hidden columns
        QCOMPARE(grid.currentIndex().column(), 3);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.currentIndex().column(), 3);
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(set->RecNo(), 3);
        QCOMPARE(grid.currentIndex().row(), 2);
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(set->RecNo(), 3);
        QTest::keyClick(&grid, Qt::Key_Up);
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(set->RecNo(), 1);
        QCOMPARE(grid.currentIndex(), grid.model()->index(0, 3));
        // other keys are the window's: the grid does not move, but tells
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(set->RecNo(), 1);
        QCOMPARE(keys.size(), 10);
        QCOMPARE(keys.last().at(0).toInt(), int(Qt::Key_Return));
    }

    void gridAndDataSetShareTheCurrentRow()
    {
        auto set = GridFixture::MakeBooks(50);
        TlwGridcx grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        QSignalSpy selected(&grid, &TLwGrid::SelectChanged);
        QSignalSpy cells(&grid, &TLwGrid::CellClick);
        QVERIFY(set->Locate(u"Code"_s, u"B000040"_s));
        QCOMPARE(grid.currentIndex().row(), 39);
        QVERIFY(grid.viewport()->rect().intersects(grid.visualRect(grid.currentIndex()))); // scrolled to it
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.last().at(0).toBool(), true);
        QCOMPARE(grid.SelectedCount(), 1);
        QCOMPARE(grid.RowCount(), 50);
        clickCell(grid, grid.rowAt(5), u"Title"_s);
        QCOMPARE(set->RecNo(), grid.rowAt(5) + 1);
        QCOMPARE(cells.size(), 1);
        QCOMPARE(cells.last().at(0).toString(), u"Title"_s);
        // a new sort keeps the record current
        const QString code = set->AsString(u"Code"_s);
        grid.ApplyLayoutText(grid.LayoutText());
        set->SetSort(u"Price"_s);
        QCOMPARE(set->AsString(u"Code"_s), code);
        QCOMPARE(grid.currentIndex().row(), set->RecNo() - 1);
    }

    void footerSums_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("filteredPrice");
        QTest::newRow("dbgrid") << u"dbgrid"_s << u"12.80"_s << u"3"_s << u"0.30"_s;
        QTest::newRow("gridcx") << u"gridcx"_s << u"12.8"_s << u"3"_s << u"0.3"_s;
    }
    void footerSums()
    {
        QFETCH(QString, face);
        QFETCH(QString, price);
        QFETCH(QString, qty);
        QFETCH(QString, filteredPrice);
        auto set = GridFixture::MakeSample();
        auto grid = makeGrid(face);
        grid->SetDataSet(set.get());
        showGrid(*grid);
        QVERIFY(!grid->FooterVisible());
        grid->AddFooterSum(u"Price"_s);
        grid->AddFooterSum(u"qty"_s);
        QVERIFY(grid->FooterVisible());
        QCOMPARE(grid->FooterText(u"Price"_s), price);
        QCOMPARE(grid->FooterText(u"Qty"_s), qty);
        QCOMPARE(grid->FooterText(u"Code"_s), QString());
        set->SetKeywordFilter(u"Code"_s, u"A002"_s);
        QCOMPARE(grid->FooterText(u"Price"_s), filteredPrice);
        set->ClearFilter();
        set->Append();
        set->SetValue(u"Qty"_s, 4);
        set->Post();
        QCOMPARE(grid->FooterText(u"Qty"_s), u"7"_s);
        // the footer sits under the cells: the last row can still be scrolled into view above it
        QWidget* footer = nullptr;
        for (QWidget* child : grid->findChildren<QWidget*>())
            if (child->metaObject()->className() == QByteArray("TGridFooter"))
                footer = child;
        QVERIFY(footer && footer->isVisible());
        QCOMPARE(footer->geometry().top(), grid->viewport()->geometry().bottom() + 1);
    }

    void lastRowVisibleAboveFooter()
    {
        auto set = GridFixture::MakeBooks(200);
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        grid.AddFooterSum(u"Qty"_s);
        showGrid(grid);
        set->Last();
        QTest::qWait(10);
        const QRect last = grid.visualRect(grid.model()->index(199, 1));
        QVERIFY(last.bottom() <= grid.viewport()->height());
        QVERIFY(last.top() >= 0);
    }

    void evenRowsTinted_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("tinted");
        QTest::newRow("dbgrid") << u"dbgrid"_s << false;
        QTest::newRow("gridcx") << u"gridcx"_s << true;
    }
    void evenRowsTinted()
    {
        QFETCH(QString, face);
        QFETCH(bool, tinted);
        QCOMPARE(TlwGridcx::EvenRowColor(), QColor(255, 251, 240));
        auto set = GridFixture::MakeAbc({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
        set->Last(); // the selected row is the fourth
        auto grid = makeGrid(face);
        grid->SetDataSet(set.get());
        showGrid(*grid);
        const QImage image = grid->viewport()->grab().toImage();
        auto background = [&](int row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 0));
            return image.pixelColor(cell.left() + 3, cell.top() + 2);
        };
        const QColor base = grid->palette().color(QPalette::Base);
        QCOMPARE(background(0), tinted ? QColor(255, 251, 240) : base);
        QCOMPARE(background(1), base);
        QCOMPARE(background(2), tinted ? QColor(255, 251, 240) : base);
        QVERIFY(background(3) != QColor(255, 251, 240)); // selected
    }

    void noWidgetsPerRow()
    {
        auto set = GridFixture::MakeBooks(10);
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        const qsizetype before = grid.findChildren<QWidget*>().size();
        auto big = GridFixture::MakeBooks(100000);
        grid.SetDataSet(big.get());
        QTest::qWait(10);
        QCOMPARE(grid.findChildren<QWidget*>().size(), before);
        QCOMPARE(grid.RowCount(), 100000);
    }

    void dataReadyMessages_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("withSet");
        QTest::addColumn<QString>("message");
        QTest::newRow("dbgrid no set") << u"dbgrid"_s << false
                                       << u"系统错误: 没有为DBGrid.DataSource指定DataSet对象,请与作者联系!"_s;
        QTest::newRow("gridcx no set") << u"gridcx"_s << false
                                       << u"系统错误: 没有为TlwGridcx.DataSource指定DataSet对象,请与作者联系!"_s;
        QTest::newRow("dbgrid closed") << u"dbgrid"_s << true << u"系统提示: 请先打开数据再操作!"_s;
        QTest::newRow("gridcx closed") << u"gridcx"_s << true << u"系统提示: 请先打开数据再操作!"_s;
    }
    void dataReadyMessages()
    {
        QFETCH(QString, face);
        QFETCH(bool, withSet);
        QFETCH(QString, message);
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({});
        set->Close();
        auto grid = makeGrid(face);
        if (withSet)
            grid->SetDataSet(set.get());
        grid->SortClick();
        grid->FilterClick();
        QCOMPARE(notifier.Messages().size(), 2);
        QCOMPARE(notifier.Messages().at(0).Text, message);
        QCOMPARE(notifier.Messages().at(1).Text, message);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // The direct HTML export writes the visible columns in their order, asks, and opens on OK.
    void htmlExport_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("question");
        QTest::newRow("dbgrid") << u"dbgrid"_s << u"\r\n导出成功,是否现在就打开?    "_s;
        QTest::newRow("gridcx") << u"gridcx"_s << u"\r\n导出成功, 共 3 条记录,是否现在就打开?    "_s;
    }
    void htmlExport()
    {
        QFETCH(QString, face);
        QFETCH(QString, question);
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        QString filter;
        TDesktop::SetSaveHook([&](const QString&, const QString& f, const QString&) {
            filter = f;
            return folder.filePath(u"list"_s); // typed without extension
        });
        QStringList opened;
        TDesktop::SetOpenHook([&](const QString& path) {
            opened.append(path);
            return true;
        });
        auto set = GridFixture::MakeAbc({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
        auto grid = makeGrid(face);
        grid->SetDataSet(set.get());
        showGrid(*grid);
        grid->ApplyLayoutText(u"C=True50\r\nA=False40\r\nB=True60\r\n"_s);
        if (face == u"gridcx"_s)
            grid->SetColumnVisible(grid->ColumnOf(u"A"_s), false);
        set->SetRecNo(2);
        grid->SaveToHtmlClick();
        QCOMPARE(filter, u"网页文件(*.htm;*.html)|*.htm;*.html"_s);
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().at(0).Kind, u"confirm"_s);
        QCOMPARE(notifier.LastText(), question);
        const QString path = folder.filePath(u"list.html"_s);
        QCOMPARE(opened, QStringList{path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.contains(u"<tr>\r\n<td nowrap>丙&nbsp;</td>\r\n<td nowrap>乙&nbsp;</td>\r\n</tr>\r\n"_s));
        QVERIFY(html.contains(u"<tr>\r\n<td nowrap>6&nbsp;</td>\r\n<td nowrap>5&nbsp;</td>\r\n</tr>\r\n"_s));
        QVERIFY(!html.contains(u"甲"_s));
        // back on the record it was on
        QCOMPARE(set->RecNo(), 2);
        QCOMPARE(grid->currentIndex().row(), 1);

        // Cancel leaves the file unopened
        notifier.SetConfirmAnswer(false);
        grid->SaveToHtmlClick();
        QCOMPARE(opened.size(), 1);
    }

    void excelExportOpensOrSaysWhere()
    {
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        const QString path = folder.filePath(u"书目.xlsx"_s);
        TDesktop::SetSaveHook(
            [&](const QString&, const QString&, const QString& ext) { return ext == u"xlsx"_s ? path : QString(); });
        bool canOpen = true;
        QStringList opened;
        TDesktop::SetOpenHook([&](const QString& file) {
            opened.append(file);
            return canOpen;
        });
        auto set = GridFixture::MakeSample();
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        grid.SetColumnVisible(grid.ColumnOf(u"Adddate"_s), false);
        grid.SaveToExcelClick();
        QCOMPARE(opened, QStringList{path});
        QVERIFY(notifier.Messages().isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> cells = XlsxReader::Cells(file.readAll());
        QCOMPARE(cells.size(), 4);
        QCOMPARE(cells.at(0), (QStringList{u"编号"_s, u"名称"_s, u"价格"_s, u"数量"_s}));
        QCOMPARE(cells.at(1), (QStringList{u"A001"_s, u"数据库原理"_s, u"12.5"_s, u"3"_s}));

        canOpen = false;
        grid.SaveToExcelClick();
        QCOMPARE(notifier.Messages().size(), 1);
        QVERIFY(notifier.LastText().contains(path));
    }

    void exportFailureIsReported()
    {
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        const QString path = folder.filePath(u"missing/list.html"_s);
        TDesktop::SetSaveHook([&](const QString&, const QString&, const QString&) { return path; });
        int opened = 0;
        TDesktop::SetOpenHook([&](const QString&) { return ++opened > 0; });
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TlwGridcx grid;
        grid.SetDataSet(set.get());
        grid.SaveToHtmlClick();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().at(0).Kind, u"error"_s);
        QVERIFY(notifier.LastText().startsWith(u"导出失败, 无法写入文件 "_s));
        QCOMPARE(opened, 0);
        QVERIFY(!QFile::exists(path));
    }

    void batchUpdateRefusals_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("withSet");
        QTest::addColumn<QString>("message");
        QTest::newRow("dbgrid no set") << u"dbgrid"_s << false << u"没有指定数据集DataSet, 操作被取消."_s;
        QTest::newRow("dbgrid no proc") << u"dbgrid"_s << true << u"没有指定更新过程BatchProc, 操作被取消."_s;
        QTest::newRow("gridcx no proc") << u"gridcx"_s << true << u"没有指定BatchUpdate更新过程, 操作被取消."_s;
    }
    void batchUpdateRefusals()
    {
        QFETCH(QString, face);
        QFETCH(bool, withSet);
        QFETCH(QString, message);
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        auto grid = makeGrid(face);
        if (withSet)
            grid->SetDataSet(set.get());
        grid->BatchUpdateClick();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.LastText(), message);
    }

    void batchUpdateChangesSelectedRows()
    {
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 10, 0}, {2, 20, 0}, {3, 30, 0}, {4, 40, 0}});
        QAbstractItemModelTester tester(set.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        set->SetSort(u"B DESC"_s); // the update moves rows; each still gets it once
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        showGrid(grid);
        QStringList posted;
        grid.SetBatchProc([&] { posted.append(set->AsString(u"A"_s)); });
        clickCell(grid, 0, u"A"_s);                      // A=4
        clickCell(grid, 2, u"A"_s, Qt::ControlModifier); // A=2
        QCOMPARE(grid.SelectedCount(), 2);
        clickCell(grid, 3, u"A"_s, Qt::ControlModifier); // A=1, current
        clickCell(grid, 3, u"A"_s, Qt::ControlModifier); // and off again, still current
        QCOMPARE(set->AsString(u"A"_s), u"1"_s);
        QStringList items;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<TBatchUpdateFrm*>(modal);
            QVERIFY(dialog);
            for (int i = 0; i < dialog->ItemCombo1()->count(); ++i)
                items.append(dialog->ItemCombo1()->itemText(i));
            dialog->ItemCombo1()->setCurrentIndex(1);
            dialog->ValueEdit1()->setText(u"25"_s);
            dialog->OkBtn1()->click();
        });
        grid.BatchUpdateClick();
        QCOMPARE(items, (QStringList{u"甲"_s, u"乙"_s, u"丙"_s}));
        QCOMPARE(posted, (QStringList{u"4"_s, u"2"_s}));
        // rows of equal B keep their order of entry
        QCOMPARE(column(*set, u"A"_s), (QStringList{u"3"_s, u"2"_s, u"4"_s, u"1"_s}));
        QCOMPARE(column(*set, u"B"_s), (QStringList{u"30"_s, u"25"_s, u"25"_s, u"10"_s}));
        QCOMPARE(set->AsString(u"A"_s), u"1"_s);
        QCOMPARE(grid.currentIndex().row(), 3);
        QCOMPARE(grid.SelectedBookmarks().size(), 2);
        QVERIFY(notifier.Messages().isEmpty());

        // a value the column cannot take changes nothing
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TBatchUpdateFrm*>(modal);
            dialog->ItemCombo1()->setCurrentIndex(1);
            dialog->ValueEdit1()->setText(u"abc"_s);
            dialog->OkBtn1()->click();
        });
        grid.BatchUpdateClick();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(column(*set, u"B"_s), (QStringList{u"30"_s, u"25"_s, u"25"_s, u"10"_s}));
        QCOMPARE(posted.size(), 2);
    }

    void failingBatchProcStopsAndRestores()
    {
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 10, 0}, {2, 20, 0}, {3, 30, 0}});
        TlwGridcx grid;
        grid.SetMultiSelect(true);
        grid.SetDataSet(set.get());
        showGrid(grid);
        int calls = 0;
        grid.SetBatchProc([&] {
            if (++calls == 2)
                throw EDatabaseError(u"写入失败"_s);
        });
        set->SetRecNo(2);
        grid.selectAll();
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TBatchUpdateFrm*>(modal);
            dialog->ItemCombo1()->setCurrentIndex(2);
            dialog->ValueEdit1()->setText(u"7"_s);
            dialog->OkBtn1()->click();
        });
        grid.BatchUpdateClick();
        QCOMPARE(calls, 2);
        QCOMPARE(notifier.LastText(), u"写入失败"_s);
        QCOMPARE(set->RecNo(), 2);
        QVERIFY(!set->ControlsDisabled());
        QCOMPARE(set->State(), TLwDataSet::TState::Browse);
    }

    void gridcxOnPanel()
    {
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        QVERIFY(TSyscolsSet::Store(1009, u"B=True80\r\nA=False40\r\n"_s));
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        QWidget window;
        auto* panel = new QWidget(&window);
        TlwGridcx* grid = TlwGridcx::CreateOnPanel(panel, set.get(), 1009);
        QCOMPARE(grid->parentWidget(), panel);
        QCOMPARE(grid->Tag(), 1009);
        QCOMPARE(grid->DataSet(), set.get());
        QCOMPARE(grid->Layout(), u"B=True80\r\nA=False40\r\nC=False%1\r\n"_s.arg(grid->DefaultWidth(set->Field(2))));
        window.resize(400, 300);
        panel->resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(grid->geometry(), panel->rect());
    }

    // The model check runs while the grid sorts, filters, edits and reloads its rows.
    void modelStaysConsistentUnderTheGrid()
    {
        auto set = GridFixture::MakeBooks(300);
        QAbstractItemModelTester tester(set.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        TlwGridcx grid;
        grid.SetDataSet(set.get());
        grid.AddFooterSum(u"Price"_s);
        showGrid(grid);
        clickTitle(grid, u"Price"_s);
        clickTitle(grid, u"Qty"_s);
        clickTitle(grid, u"Price"_s);
        QCOMPARE(set->Sort(), u"Price DESC , Qty"_s);
        set->SetKeywordFilter(u"Title"_s, u"红楼"_s);
        QCOMPARE(grid.RowCount(), 30);
        set->Append();
        set->SetValue(u"Title"_s, u"红楼梦 新版"_s);
        set->SetValue(u"Price"_s, 1000.0);
        set->Post();
        QCOMPARE(grid.currentIndex().row(), 0);
        set->Delete();
        set->ClearFilter();
        grid.ApplyLayoutText(u"Title=True200\r\nCode=False60\r\n"_s);
        set->Close();
        QCOMPARE(grid.RowCount(), 0);
        QCOMPARE(grid.FooterText(u"Price"_s), u"0"_s);
    }
};

QTEST_MAIN(TestLwGrid)
#include "tst_lwgrid.moc"
