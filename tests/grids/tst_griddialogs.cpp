#include "GridFixture.h"
#include "ModalAnswer.h"
#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "grids/BatchUpdateFrm.h"
#include "grids/DataExporterFrm.h"
#include "grids/Desktop.h"
#include "grids/FltrDlgFrm.h"
#include "grids/LwDBGrid.h"
#include "grids/SortFrm.h"
#include "grids/xVisibleFrm.h"
#include "project/Operator.h"
#include "support/RecordingNotifier.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Title, Price, Qty and Ping shown; Id hidden; Notes (memo), Photo (blob) and Total (calculated)
// are no sort keys.
std::unique_ptr<TLwDataSet> makeBooks()
{
    auto set = std::make_unique<TLwDataSet>();
    set->AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    set->AddField(TFieldType::WideString, u"Title"_s, 40, true, u"书名"_s);
    set->AddField(TFieldType::Float, u"Price"_s, -1, true, u"价格"_s);
    set->AddField(TFieldType::Integer, u"Qty"_s, -1, true, u"数量"_s);
    set->AddField(TFieldType::Memo, u"Notes"_s, -1, true, u"备注"_s);
    set->AddField(TFieldType::Blob, u"Photo"_s, -1, true, u"照片"_s);
    set->AddField(TFieldType::String, u"Ping"_s, 10, true, u"拼音"_s);
    set->AddField(TFieldType::Float, u"Total"_s, -1, true, u"金额"_s).Calculated = true;
    set->CreateDataSet();
    const QList<QStringList> rows = {{u"红楼梦"_s, u"30"_s, u"2"_s, u"hlm"_s},
                                     {u"Art of War"_s, u"12.5"_s, u"1"_s, u"sz"_s},
                                     {u"50% 的艺术"_s, u"8"_s, u"4"_s, u"ys"_s},
                                     {u"The ART book"_s, u"99"_s, u"0"_s, u"art"_s}};
    int id = 0;
    for (const QStringList& row : rows) {
        set->Append();
        set->SetValue(u"Id"_s, ++id);
        set->SetValue(u"Title"_s, row.at(0));
        set->SetValue(u"Price"_s, row.at(1));
        set->SetValue(u"Qty"_s, row.at(2));
        set->SetValue(u"Ping"_s, row.at(3));
        set->Post();
    }
    set->First();
    return set;
}

QStringList rowTexts(QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows.append(grid->item(row, 0)->text() + u'|' + grid->item(row, 1)->text());
    return rows;
}

QStringList listTexts(QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void clickItem(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// A double-click as a mouse makes it: a click, then the second press that becomes the double-click.
void doubleClickItem(QListWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void doubleClickRow(QTableWidget* grid, int row)
{
    const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestGridDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CurrentOperator().LoginId = TOperator::SuperUser;
        TDesktop::SetOpenHook([](const QString&) { return true; });
        TDesktop::SetSaveHook({});
    }
    void cleanup() { TDesktop::SetOpenHook({}); }

    // ---- sort

    void sortOpensWithCurrentOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("firstRows");
        QTest::addColumn<QString>("result");
        QTest::newRow("dialog form") << u"Title ASC,Price DESC"_s << QStringList{u"书名|升序"_s, u"价格|降序"_s}
                                     << u"Title ASC,Price DESC"_s;
        QTest::newRow("title-click form")
            << u"Qty, Title DESC "_s << QStringList{u"数量|升序"_s, u"书名|降序"_s} << u"Qty ASC,Title DESC"_s;
        QTest::newRow("unknown field passed over")
            << u"Nope DESC,price"_s << QStringList{u"价格|升序"_s, u"编号|"_s} << u"Price ASC"_s;
        QTest::newRow("no sort") << QString() << QStringList{u"编号|"_s, u"书名|"_s} << QString();
    }
    void sortOpensWithCurrentOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, firstRows);
        QFETCH(QString, result);
        auto set = makeBooks();
        set->Field(0).DisplayLabel = u"编号"_s;
        TSortFrm dialog;
        dialog.Setup(set.get(), text);
        QCOMPARE(dialog.windowTitle(), u"排序"_s);
        QCOMPARE(dialog.FieldNames().size(), 5); // Id, Title, Price, Qty, Ping
        QVERIFY(!dialog.FieldNames().contains(u"Notes"_s));
        QVERIFY(!dialog.FieldNames().contains(u"Total"_s));
        QCOMPARE(rowTexts(dialog.Grid1()).mid(0, 2), firstRows);
        QCOMPARE(dialog.SortText(), result);
        // what the dialog gives, the data set takes
        set->SetSort(dialog.SortText());
        QCOMPARE(set->Sort(), result);
    }

    void sortVisibleOnly()
    {
        auto set = makeBooks();
        TSortFrm dialog;
        dialog.Setup(set.get(), QString(), true);
        QCOMPARE(dialog.FieldNames(), (QStringList{u"Title"_s, u"Price"_s, u"Qty"_s, u"Ping"_s}));
    }

    void doubleClicksCycleDirection()
    {
        auto set = makeBooks();
        TSortFrm dialog;
        dialog.Setup(set.get(), u"Title ASC"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const int price = int(dialog.FieldNames().indexOf(u"Price"_s));
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            doubleClickRow(dialog.Grid1(), price);
            seen.append(dialog.Grid1()->item(price, 1)->text() + u'/' + dialog.Directions().at(price));
        }
        QCOMPARE(seen, (QStringList{u"升序/ASC"_s, u"降序/DESC"_s, u"/"_s}));
        QCOMPARE(dialog.SortText(), u"Title ASC"_s);
        QCOMPARE(dialog.FieldNames().at(price), u"Price"_s); // a double-click moves nothing
    }

    void rowsMoveWithTheirDirection()
    {
        auto set = makeBooks();
        TSortFrm dialog;
        dialog.Setup(set.get(), u"Title ASC,Price DESC"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.UpBtn1()->isEnabled());
        QVERIFY(!dialog.DownBtn1()->isEnabled());
        dialog.Grid1()->selectRow(1);
        QVERIFY(dialog.UpBtn1()->isEnabled());
        dialog.UpBtn1()->click();
        QCOMPARE(dialog.SortText(), u"Price DESC,Title ASC"_s);
        QCOMPARE(dialog.Grid1()->currentRow(), 0);
        QVERIFY(!dialog.UpBtn1()->isEnabled()); // now at the top
        dialog.DownBtn1()->click();
        dialog.DownBtn1()->click();
        QCOMPARE(dialog.FieldNames().mid(0, 3), (QStringList{u"Title"_s, u"Id"_s, u"Price"_s}));
        QCOMPARE(dialog.Grid1()->item(2, 1)->text(), u"降序"_s);
        // dragging the last row to the top
        QTableWidget* grid = dialog.Grid1();
        const int last = grid->rowCount() - 1;
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(last, 0)).center());
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        QCOMPARE(dialog.FieldNames().first(), u"Ping"_s);
        QCOMPARE(grid->item(0, 0)->text(), u"拼音"_s);
        QCOMPARE(grid->currentRow(), 0);
        QVERIFY(!dialog.DownBtn1()->isEnabled() || grid->rowCount() > 1);
        QCOMPARE(dialog.SortText(), u"Title ASC,Price DESC"_s);
    }

    void gridSortCommandSetsOrderAndMarkers()
    {
        auto set = makeBooks();
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TSortFrm*>(modal);
            QVERIFY(dialog);
            const int qty = int(dialog->FieldNames().indexOf(u"Qty"_s));
            dialog->CycleDirection(qty);
            dialog->CycleDirection(qty);
            dialog->MoveRow(qty, 0);
            dialog->accept();
        });
        grid.SortClick();
        QCOMPARE(set->Sort(), u"Qty DESC"_s);
        QCOMPARE(set->CellText(0, set->FieldIndex(u"Title"_s)), u"50% 的艺术"_s);
        QCOMPARE(TSortText::FromMarkers(grid.SortMarkers()), u"Qty DESC "_s);
    }

    // ---- column choice

    void columnChoice()
    {
        RColItems items = {{0, u"书名"_s, true}, {1, u"价格"_s, false}, {2, u"数量"_s, true}};
        {
            TxVisibleFrm dialog(items);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.windowTitle(), u"列选择"_s);
            QCOMPARE(rowTexts(dialog.Grid1()), (QStringList{u"书名|√"_s, u"价格|"_s, u"数量|√"_s}));
            QTableWidget* grid = dialog.Grid1();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 1)).center());
            dialog.CancelBtn1()->click();
        }
        QCOMPARE(items.at(0).Visible, true); // cancel changes nothing
        QCOMPARE(items.at(1).Visible, false);
        TxVisibleFrm dialog(items);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget* grid = dialog.Grid1();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        QCOMPARE(dialog.OkBtn1()->text(), u"确定(&Y)"_s);
        dialog.OkBtn1()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(items.at(0).Visible, false);
        QCOMPARE(items.at(2).Visible, true);
    }

    void gridColumnChoiceHidesFirstColumn()
    {
        auto set = makeBooks();
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TxVisibleFrm*>(modal);
            QVERIFY(dialog);
            QTableWidget* table = dialog->Grid1();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
            dialog->OkBtn1()->click();
        });
        grid.PickColumnsClick();
        QVERIFY(!grid.Columns().at(0).Visible);
        QVERIFY(grid.isColumnHidden(set->FieldIndex(u"Title"_s)));
        QVERIFY(!grid.isColumnHidden(set->FieldIndex(u"Price"_s)));
    }

    // ---- filter

    void filterChoosesATextColumn()
    {
        auto set = makeBooks();
        TFltrDlgFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), u"过滤"_s);
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(listTexts(dialog.FieldList1()), (QStringList{u"书名"_s, u"拼音"_s}));
        QVERIFY(!dialog.NextBtn1()->isEnabled());
        QVERIFY(!dialog.OkBtn1()->isVisible());
        clickItem(dialog.FieldList1(), 0);
        QVERIFY(dialog.NextBtn1()->isEnabled());
        dialog.NextBtn1()->click();
        QCOMPARE(dialog.Page(), 1);
        QTest::keyClicks(dialog.KeywordEdit1(), u"art"_s);
        QTest::keyClick(dialog.KeywordEdit1(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(set->FilterText(), u"Title like '%art%'"_s);
        QCOMPARE(set->RecordCount(), 2); // "Art of War", "The ART book"
    }

    void filterWithEmptyKeywordShowsAll()
    {
        auto set = makeBooks();
        set->SetKeywordFilter(u"Title"_s, u"红"_s);
        QCOMPARE(set->RecordCount(), 1);
        TFltrDlgFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        doubleClickItem(dialog.FieldList1(), 1); // a double-click goes on at once
        QCOMPARE(dialog.Page(), 1);
        dialog.OkBtn1()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(set->FilterText(), QString());
        QCOMPARE(set->RecordCount(), 4);
    }

    void filterKeywordIsPlainText_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("rows");
        QTest::newRow("percent") << u"%"_s << 1;
        QTest::newRow("underscore") << u"_"_s << 0;
        QTest::newRow("quote") << u"'"_s << 0;
        QTest::newRow("chinese") << u"艺术"_s << 1;
    }
    void filterKeywordIsPlainText()
    {
        QFETCH(QString, keyword);
        QFETCH(int, rows);
        auto set = makeBooks();
        set->SetKeywordFilter(u"Title"_s, keyword);
        QCOMPARE(set->RecordCount(), rows);
    }

    // ---- batch update

    void batchUpdateNeedsAnItem()
    {
        TBatchUpdateFrm dialog;
        dialog.AddItem(u"书名"_s, u"Title"_s);
        dialog.AddItem(u"价格"_s, u"Price"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), u"修改"_s);
        QCOMPARE(dialog.ItemCombo1()->currentIndex(), -1);
        QTest::keyClicks(dialog.ValueEdit1(), u"9.5"_s);
        dialog.OkBtn1()->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.ItemCombo1()->setCurrentIndex(1);
        dialog.OkBtn1()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.FieldName(), u"Price"_s);
        QCOMPARE(dialog.Value(), u"9.5"_s);
    }

    // ---- export dialog

    void exporterStartsEmpty()
    {
        auto set = makeBooks();
        TDataExporterFrm dialog(set.get());
        QCOMPARE(dialog.windowTitle(), u"导出..."_s);
        QCOMPARE(listTexts(dialog.ListBox1()).size(), set->FieldCount()); // hidden Id too
        QCOMPARE(dialog.ListBox1()->item(0)->text(), u"Id"_s);
        QCOMPARE(dialog.ListBox2()->count(), 0);
        for (QPushButton* button : {dialog.ChooseBtn1(), dialog.ReturnBtn1(), dialog.UpBtn1(), dialog.DownBtn1()})
            QVERIFY(!button->isEnabled());
        QVERIFY(!dialog.PriorBtn1()->isEnabled());
        QCOMPARE(dialog.NextBtn1()->text(), u"下一步(&N)"_s);
        QCOMPARE(dialog.FormatIndex(), -1);
        QStringList captions;
        for (int i = 0; i < 4; ++i)
            captions.append(dialog.FormatBtn(i)->text());
        QCOMPARE(captions, (QStringList{u"文本文件 (*.txt)"_s, u"Microsoft Excel电子表格 (*.xlsx)"_s,
                                        u"网页 (*.html)"_s, u"CSV文件 (*.csv)"_s}));
        dialog.NextBtn1()->click();
        QCOMPARE(dialog.Page(), 1);
        QCOMPARE(dialog.NextBtn1()->text(), u"确定(&N)"_s);
        QVERIFY(dialog.PriorBtn1()->isEnabled());
        dialog.PriorBtn1()->click();
        QCOMPARE(dialog.Page(), 0);
        QCOMPARE(dialog.NextBtn1()->text(), u"下一步(&N)"_s);
    }

    void exporterListMoves()
    {
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TDataExporterFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* available = dialog.ListBox1();
        QListWidget* chosen = dialog.ListBox2();
        clickItem(available, 1);
        QVERIFY(dialog.ChooseBtn1()->isEnabled());
        dialog.ChooseBtn1()->click();
        QCOMPARE(listTexts(available), (QStringList{u"甲"_s, u"丙"_s}));
        QCOMPARE(listTexts(chosen), QStringList{u"乙"_s});
        QCOMPARE(available->currentRow(), 1); // the same position
        dialog.ChooseBtn1()->click();         // the last one: the selection steps back
        QCOMPARE(available->currentRow(), 0);
        doubleClickItem(available, 0);
        QCOMPARE(available->count(), 0);
        QVERIFY(!dialog.ChooseBtn1()->isEnabled());
        QCOMPARE(listTexts(chosen), (QStringList{u"乙"_s, u"丙"_s, u"甲"_s}));

        clickItem(chosen, 2);
        QVERIFY(dialog.UpBtn1()->isEnabled() && dialog.DownBtn1()->isEnabled() && dialog.ReturnBtn1()->isEnabled());
        dialog.UpBtn1()->click();
        QCOMPARE(listTexts(chosen), (QStringList{u"乙"_s, u"甲"_s, u"丙"_s}));
        QCOMPARE(chosen->currentRow(), 1);
        dialog.UpBtn1()->click();
        dialog.UpBtn1()->click(); // nothing above the top
        QCOMPARE(listTexts(chosen), (QStringList{u"甲"_s, u"乙"_s, u"丙"_s}));
        dialog.DownBtn1()->click();
        QCOMPARE(listTexts(chosen), (QStringList{u"乙"_s, u"甲"_s, u"丙"_s}));
        // given back to the end of the available list, not to its old place
        doubleClickItem(chosen, 0);
        dialog.ReturnBtn1()->click();
        QCOMPARE(listTexts(available), (QStringList{u"乙"_s, u"甲"_s}));
        QCOMPARE(listTexts(chosen), QStringList{u"丙"_s});
        QCOMPARE(dialog.SelectedFields(), u"丙\r\n"_s);
    }

    void exporterSelectedFields()
    {
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TDataExporterFrm dialog(set.get());
        dialog.SetSelectedFields(u"丙\r\n不存在\r\n甲\r\n"_s);
        QCOMPARE(listTexts(dialog.ListBox2()), (QStringList{u"丙"_s, u"甲"_s}));
        QCOMPARE(listTexts(dialog.ListBox1()), QStringList{u"乙"_s});
        QCOMPARE(dialog.SelectedFields(), u"丙\r\n甲\r\n"_s);
        QCOMPARE(dialog.ChosenColumns().at(0).Field, 2);
    }

    void exporterFormatSwitchesExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("filter");
        QTest::newRow("txt to csv") << u"list.txt"_s << 3 << u"list.csv"_s << u"CSV文件(*.csv)|*.csv"_s;
        QTest::newRow("csv to excel") << u"/tmp/a.b/list.csv"_s << 1 << u"/tmp/a.b/list.xlsx"_s
                                      << u"Microsoft Excel 电子表格 (*.xlsx)|*.xlsx"_s;
        QTest::newRow("no extension") << u"list"_s << 2 << u"list.html"_s << u"网页文件(*.htm;*.html)|*.htm;*.html"_s;
        QTest::newRow("to text") << u"清单.html"_s << 0 << u"清单.txt"_s << u"文本文件(*.txt)|*.txt"_s;
        QTest::newRow("empty box stays empty") << QString() << 3 << QString() << u"CSV文件(*.csv)|*.csv"_s;
    }
    void exporterFormatSwitchesExtension()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QString, expected);
        QFETCH(QString, filter);
        auto set = GridFixture::MakeAbc({});
        TDataExporterFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.NextBtn1()->click();
        dialog.FormatBtn(0)->click();
        dialog.edtFileName1()->setText(name);
        dialog.FormatBtn(format)->click();
        QCOMPARE(dialog.edtFileName1()->text(), expected);
        QCOMPARE(dialog.Filter(), filter);
    }

    void exporterChecksInOrder()
    {
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        QStringList opened;
        TDesktop::SetOpenHook([&](const QString& path) {
            opened.append(path);
            return true;
        });
        auto set = GridFixture::MakeAbc({{1, 2, 3}, {4, 5, 6}});
        TDataExporterFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.NextBtn1()->click();
        dialog.NextBtn1()->click();
        QCOMPARE(notifier.LastText(), u"没有选择任何要导出的列,请返回上一步并选择."_s);
        dialog.SetSelectedFields(u"乙\r\n甲"_s);
        dialog.NextBtn1()->click();
        QCOMPARE(notifier.LastText(), u"必须指定要导出的格式."_s);
        dialog.FormatBtn(3)->click();
        dialog.edtFileName1()->setText(u"   "_s);
        dialog.NextBtn1()->click();
        QCOMPARE(notifier.LastText(), u"必须指定要导出的文件位置."_s);
        QVERIFY(dialog.edtFileName1()->hasFocus());
        QVERIFY(dialog.isVisible());

        const QString path = folder.filePath(u"list.csv"_s);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        dialog.edtFileName1()->setText(path);
        notifier.SetConfirmAnswer(false);
        dialog.NextBtn1()->click();
        QCOMPARE(notifier.LastText(), u"\r\n该文件已经存在,是否继续执行并覆盖文件?"_s);
        QCOMPARE(notifier.Messages().last().Kind, u"confirm"_s);
        QVERIFY(dialog.isVisible());
        QCOMPARE(fileBytes(path), QByteArray("old"));

        notifier.Clear();
        notifier.SetConfirmAnswer(true);
        dialog.NextBtn1()->click();
        QCOMPARE(notifier.Messages().size(), 2);
        QCOMPARE(notifier.LastText(), u"\r\n数据导出成功,共 2条记录,是否现在就打开?    "_s);
        QCOMPARE(opened, QStringList{path});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBF乙,甲,\r\n2,1,\r\n5,4,\r\n"));
    }

    void exporterWritesWhatTheSetShows()
    {
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        notifier.SetConfirmAnswer(false);
        auto set = makeBooks();
        set->SetKeywordFilter(u"Title"_s, u"art"_s);
        set->SetSort(u"Price DESC"_s);
        QVERIFY(set->Locate(u"Title"_s, u"The ART book"_s));
        set->Edit();
        set->SetValue(u"Title"_s, u"The ART book, 2nd"_s);
        set->Post();
        set->Last();
        TDataExporterFrm dialog(set.get());
        dialog.SetSelectedFields(u"书名\r\n价格"_s);
        dialog.SetFormatIndex(3);
        dialog.edtFileName1()->setText(folder.filePath(u"art"_s)); // no extension typed
        dialog.accept();
        QCOMPARE(notifier.LastText(), u"\r\n数据导出成功,共 2条记录,是否现在就打开?    "_s);
        QCOMPARE(dialog.edtFileName1()->text(), folder.filePath(u"art.csv"_s));
        QCOMPARE(fileBytes(folder.filePath(u"art.csv"_s)),
                 QByteArray("\xEF\xBB\xBF书名,价格,\r\n\"The ART book, 2nd\",99,\r\nArt of War,12.5,\r\n"));
        QCOMPARE(set->RecNo(), 2);
    }

    void exporterWriteFailureKeepsDialogOpen()
    {
        QTemporaryDir folder;
        TRecordingNotifier notifier;
        auto set = GridFixture::MakeAbc({{1, 2, 3}});
        TDataExporterFrm dialog(set.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.SetSelectedFields(u"甲"_s);
        dialog.SetFormatIndex(1);
        const QString path = folder.filePath(u"no/such/folder/list.xlsx"_s);
        dialog.edtFileName1()->setText(path);
        dialog.accept();
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().at(0).Kind, u"error"_s);
        QVERIFY(dialog.isVisible());
        QVERIFY(!QFile::exists(path));
    }

    void gridExportCommandOpensExporter()
    {
        auto set = makeBooks();
        TlwDBGrid grid;
        grid.SetDataSet(set.get());
        QString seen;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<TDataExporterFrm*>(modal);
            QVERIFY(dialog);
            seen = dialog->ListBox1()->item(1)->text();
            dialog->CancelBtn1()->click();
        });
        grid.ExportClick();
        QCOMPARE(seen, u"书名"_s);
        // a closed set has nothing to export: no dialog
        set->Close();
        grid.ExportClick();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestGridDialogs)
#include "tst_griddialogs.moc"
