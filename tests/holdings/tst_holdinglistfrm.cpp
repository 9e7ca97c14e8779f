#include "app/Commands.h"
#include "app/LwComboBox.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "data/Database.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/BookEditFrm.h"
#include "holdings/BookListFrm.h"
#include "holdings/CatalogTree.h"
#include "holdings/JournalEditFrm.h"
#include "holdings/JournalListFrm.h"
#include "project/ModalScript.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void engineRows()
{
    QTest::addColumn<QString>("engine");
    TTestDatabase::AddEngineRows();
}

// Classes 1. (A), its subclass 1.2. (A1) and 2. (B).
void addClasses()
{
    Database().Execute(u"insert into catalogs(Id, Code, Mark, Name, SlfId, PrtId) values"
                       u"(1, '1.', 'A', '马列主义', 1, 0), (2, '1.2.', 'A1', '马克思著作', 2, 1), "
                       u"(3, '2.', 'B', '哲学', 3, 0)"_s);
}

struct TTitle
{
    QString Code;
    QString Name;
    QVariant CataId = {};
    int QtyLib = 1;
    int QtyLoan = 0;
    int QtyOff = 0;
    QString Extra = {}; // books: Author; journals: YearNo
};

void addBooks(const QList<TTitle>& titles)
{
    int id = 0;
    for (const TTitle& t : titles) {
        Database().Execute(u"insert into books(Id, Code, Name, CataId, Author, QtyLib, QtyLoan, QtyOff, TimesLoan) "
                           u"values(:Id, :Code, :Name, :CataId, :Author, :QtyLib, :QtyLoan, :QtyOff, 0)"_s,
                           {MakeParam(u"Id"_s, ++id), MakeParam(u"Code"_s, t.Code), MakeParam(u"Name"_s, t.Name),
                            MakeParam(u"CataId"_s, t.CataId), MakeParam(u"Author"_s, t.Extra),
                            MakeParam(u"QtyLib"_s, t.QtyLib), MakeParam(u"QtyLoan"_s, t.QtyLoan),
                            MakeParam(u"QtyOff"_s, t.QtyOff)});
    }
}

void addJournals(const QList<TTitle>& titles)
{
    int id = 0;
    for (const TTitle& t : titles) {
        Database().Execute(u"insert into journals(Id, Code, Name, CataId, YearNo, QtyLib, QtyLoan, QtyOff, TimesLoan) "
                           u"values(:Id, :Code, :Name, :CataId, :YearNo, :QtyLib, :QtyLoan, :QtyOff, 0)"_s,
                           {MakeParam(u"Id"_s, ++id), MakeParam(u"Code"_s, t.Code), MakeParam(u"Name"_s, t.Name),
                            MakeParam(u"CataId"_s, t.CataId), MakeParam(u"YearNo"_s, t.Extra),
                            MakeParam(u"QtyLib"_s, t.QtyLib), MakeParam(u"QtyLoan"_s, t.QtyLoan),
                            MakeParam(u"QtyOff"_s, t.QtyOff)});
    }
}

// The codes the grid shows, sorted (searches have no order of their own).
QStringList codes(const TLwDataSet* rows)
{
    QStringList found;
    const int field = rows->FieldIndex(u"Code"_s);
    for (int row = 0; row < rows->RecordCount(); ++row)
        found.append(rows->CellText(row, field));
    found.sort();
    return found;
}

void type(QWidget* editor, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(editor)->setText(text);
}

// A window the test owns: closing it must not free it under the test.
template <typename W> std::unique_ptr<W> openWindow()
{
    auto window = std::make_unique<W>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    // the tree selects its root once the window is up, which lists every title
    if (!QTest::qWaitFor([&] { return window->List()->DataSet()->Active(); }))
        qWarning("the list window did not list its titles");
    return window;
}

QString scalar(const QString& sql)
{
    QSqlQuery query = Database().Select(sql);
    return query.next() ? query.value(0).toString() : QString();
}

} // namespace

class tst_HoldingListFrm : public QObject
{
    Q_OBJECT

private slots:
    void bookWindowShape();
    void addAndEditChangeTheGridInPlace_data() { engineRows(); }
    void addAndEditChangeTheGridInPlace();
    void editOnEmptyListAddsATitle_data() { engineRows(); }
    void editOnEmptyListAddsATitle();
    void treeFiltersKeywordSearchesAll_data() { engineRows(); }
    void treeFiltersKeywordSearchesAll();
    void keywordMatchesLiterally_data();
    void keywordMatchesLiterally();
    void bookAdvancedSearch_data();
    void bookAdvancedSearch();
    void journalAdvancedSearchYearNo_data() { engineRows(); }
    void journalAdvancedSearchYearNo();
    void advancedSearchRefusesBadNumbers_data() { engineRows(); }
    void advancedSearchRefusesBadNumbers();
    void deleteNamesCopiesOut_data();
    void deleteNamesCopiesOut();
    void deleteOfTitleGoneElsewhere_data() { engineRows(); }
    void deleteOfTitleGoneElsewhere();
    void classDeletedElsewhere_data() { engineRows(); }
    void classDeletedElsewhere();
};

void tst_HoldingListFrm::bookWindowShape()
{
    QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
    addClasses();
    addBooks({{u"A-1"_s, u"资本论"_s, 1}, {u"B-1"_s, u"论语"_s, 3}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    QCOMPARE(window->windowTitle(), u"图书资料"_s);
    QCOMPARE(window->DBGrid1()->LayoutId(), 1003);
    QStringList captions;
    for (QAction* action : window->ToolBar1()->actions()) {
        if (!action->isSeparator())
            captions.append(action->text());
    }
    QCOMPARE(captions, (QStringList{u"分类"_s, u"添加"_s, u"修改"_s, u"删除"_s, u"查找"_s, u"排序"_s, u"刷新"_s,
                                    u"打印"_s, u"导入"_s, u"导出"_s, u" 设置 "_s, u"退出"_s}));
    // "分类" hides and shows the tree
    QAction* classes = window->ToolAction(u"分类"_s);
    QVERIFY(classes->isChecked());
    classes->trigger();
    QVERIFY(!window->TreePanel1()->isVisible());
    classes->trigger();
    QVERIFY(window->TreePanel1()->isVisible());

    // printing and importing come later and say so
    TRecordingNotifier notes;
    window->ToolAction(u"打印"_s)->trigger();
    window->ToolAction(u"导入"_s)->trigger();
    QCOMPARE(notes.Messages().size(), 2);
    QCOMPARE(notes.LastText(), LaterText());

    auto journals = openWindow<TJournalListFrm>();
    QCOMPARE(journals->windowTitle(), u"期刊资料"_s);
    QCOMPARE(journals->DBGrid1()->LayoutId(), 1004);

    // the main window's two commands open the two windows
    for (const auto& [command, caption] :
         {std::pair{u"BookListAction1"_s, u"图书资料"_s}, std::pair{u"JournaListAction1"_s, u"期刊资料"_s}}) {
        const RCommand* row = FindCommand(command);
        QVERIFY(row && row->Run);
        row->Run(nullptr);
        QWidget* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<THoldingListFrm*>(w) && w->isVisible() && w->windowTitle() == caption &&
                w != window.get() && w != journals.get())
                found = w;
        }
        QVERIFY(found);
        QPointer<QWidget> guard(found);
        found->close();
        // closing frees the window and its list
        QTRY_VERIFY(!guard);
    }

    const QString shot = qEnvironmentVariable("QUORIN_SHOT");
    if (!shot.isEmpty()) {
        window->grab().save(shot + u"-books.png"_s);
        QTimer::singleShot(100, [shot] {
            if (QWidget* find = QApplication::activeModalWidget()) {
                find->grab().save(shot + u"-find.png"_s);
                find->close();
            }
        });
        window->AdvancedSearch();
    }
}

void tst_HoldingListFrm::addAndEditChangeTheGridInPlace()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addBooks({{u"B1"_s, u"第一本"_s}, {u"B2"_s, u"第二本"_s}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TLwDataSet* rows = window->List()->DataSet();
    QCOMPARE(rows->RecordCount(), 2);

    TModalScript script;
    script.Then(u"BookEditFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<TBookEditFrm*>(w);
        QCOMPARE(qobject_cast<QLineEdit*>(dialog->Editor(u"QtyLib"_s))->text(), u"1"_s);
        type(dialog->Editor(u"Code"_s), u"B3"_s);
        type(dialog->Editor(u"Name"_s), u"新书"_s);
        dialog->OkBtn1()->click();
    });
    window->ToolAction(u"添加"_s)->trigger();
    QVERIFY(script.Finished());
    // appended at the end without a reopen
    QCOMPARE(rows->RecordCount(), 3);
    QCOMPARE(rows->CellText(2, rows->FieldIndex(u"Code"_s)), u"B3"_s);
    QCOMPARE(rows->CellText(2, rows->FieldIndex(u"QtyLib"_s)), u"1"_s);
    QCOMPARE(scalar(u"select Name from books where Code='B3'"_s), u"新书"_s);

    // a double click edits the current row; it changes where it stands
    rows->SetRecNo(1);
    const QString firstCode = rows->AsString(u"Code"_s);
    script.Then(u"BookEditFrm"_s, [firstCode](QWidget* w) {
        auto* dialog = static_cast<TBookEditFrm*>(w);
        QCOMPARE(qobject_cast<QLineEdit*>(dialog->Editor(u"Code"_s))->text(), firstCode);
        type(dialog->Editor(u"Name"_s), u"改过的书名"_s);
        dialog->OkBtn1()->click();
    });
    emit window->DBGrid1()->DblClick();
    QVERIFY(script.Finished());
    QCOMPARE(rows->RecordCount(), 3);
    QCOMPARE(rows->CellText(0, rows->FieldIndex(u"Code"_s)), firstCode);
    QCOMPARE(rows->CellText(0, rows->FieldIndex(u"Name"_s)), u"改过的书名"_s);
    QCOMPARE(scalar(u"select count(*) from books"_s), u"3"_s);

    // a title removed from another workstation meanwhile is not saved, and the dialog says why
    TRecordingNotifier notes;
    Database().Execute(u"delete from books where Code='B3'"_s);
    rows->SetRecNo(3);
    script.Then(u"BookEditFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<TBookEditFrm*>(w);
        type(dialog->Editor(u"Name"_s), u"不会保存"_s);
        dialog->OkBtn1()->click();
        QVERIFY(dialog->isVisible());
        dialog->CancelBtn1()->click();
    });
    window->ToolAction(u"修改"_s)->trigger();
    QVERIFY(script.Finished());
    QCOMPARE(notes.LastText(), TBookList::SaveFailedText());
    QCOMPARE(scalar(u"select count(*) from books"_s), u"2"_s);

    // a cancelled dialog changes nothing
    script.Then(u"BookEditFrm"_s, [](QWidget* w) { static_cast<TBookEditFrm*>(w)->CancelBtn1()->click(); });
    window->ToolAction(u"添加"_s)->trigger();
    QCOMPARE(rows->RecordCount(), 3);
    QCOMPARE(scalar(u"select count(*) from books"_s), u"2"_s);
}

void tst_HoldingListFrm::editOnEmptyListAddsATitle()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    auto window = openWindow<TJournalListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TLwDataSet* rows = window->List()->DataSet();
    QVERIFY(rows->IsEmpty());
    TModalScript script;
    script.Then(u"JournalEditFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<TJournalEditFrm*>(w);
        QCOMPARE(qobject_cast<QLineEdit*>(dialog->Editor(u"Code"_s))->text(), QString());
        // the journal's publisher drop-down waits for "..."
        QCOMPARE(qobject_cast<QComboBox*>(dialog->Editor(u"Publisher"_s))->count(), 0);
        type(dialog->Editor(u"Code"_s), u"J1"_s);
        dialog->OkBtn1()->click();
    });
    window->ToolAction(u"修改"_s)->trigger();
    QVERIFY(script.Finished());
    QCOMPARE(rows->RecordCount(), 1);
    QCOMPARE(scalar(u"select Code from journals"_s), u"J1"_s);
}

void tst_HoldingListFrm::treeFiltersKeywordSearchesAll()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addClasses();
    addBooks({{u"A-1"_s, u"资本论"_s, 1},
              {u"A-2"_s, u"共产党宣言"_s, 2},
              {u"B-1"_s, u"论语"_s, 3},
              {u"N-1"_s, u"无类之书"_s, QVariant()}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TLwDataSet* rows = window->List()->DataSet();
    QCOMPARE(rows->RecordCount(), 4);

    // a class lists itself and its subclasses
    QVERIFY(window->CatalogTree1()->SelectCode(u"1."_s));
    QCOMPARE(codes(rows), (QStringList{u"A-1"_s, u"A-2"_s}));
    QCOMPARE(window->DBGrid1()->SelectedCount(), 0);
    QVERIFY(window->CatalogTree1()->SelectCode(u"2."_s));
    QCOMPARE(codes(rows), (QStringList{u"B-1"_s}));

    // the keyword ignores the class the tree shows
    window->edtKeyword1()->setText(u"论"_s);
    QTest::keyClick(window->edtKeyword1(), Qt::Key_Return);
    QCOMPARE(codes(rows), (QStringList{u"A-1"_s, u"B-1"_s}));
    window->edtKeyword1()->setText(u"-1"_s);
    window->KeywordSearch();
    QCOMPARE(codes(rows), (QStringList{u"A-1"_s, u"B-1"_s, u"N-1"_s}));
}

void tst_HoldingListFrm::keywordMatchesLiterally_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("found");
    const QList<std::tuple<const char*, QString, QStringList>> cases{
        {"percent", u"50%"_s, {u"P1"_s}},   {"underscore", u"a_b"_s, {u"U1"_s}},
        {"quote", u"O'Brien"_s, {u"Q1"_s}}, {"escape character", u"!x"_s, {u"E1"_s}},
        {"bracket", u"[A]"_s, {u"K1"_s}},
    };
    for (const QString& engine : TTestDatabase::Engines()) {
        for (const auto& [name, keyword, found] : cases)
            QTest::newRow(qPrintable(engine + u' ' + QLatin1StringView(name))) << engine << keyword << found;
    }
}

void tst_HoldingListFrm::keywordMatchesLiterally()
{
    QFETCH(QString, engine);
    QFETCH(QString, keyword);
    QFETCH(QStringList, found);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    // each decoy would match if the pattern characters were wildcards
    addBooks({{u"P1"_s, u"打五折50%"_s},
              {u"P2"_s, u"500本"_s},
              {u"U1"_s, u"a_b"_s},
              {u"U2"_s, u"axb"_s},
              {u"Q1"_s, u"O'Brien文集"_s},
              {u"E1"_s, u"!x"_s},
              {u"E2"_s, u"x"_s},
              {u"K1"_s, u"[A]"_s},
              {u"K2"_s, u"A"_s}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    window->edtKeyword1()->setText(keyword);
    window->KeywordSearch();
    QCOMPARE(codes(window->List()->DataSet()), found);
}

void tst_HoldingListFrm::bookAdvancedSearch_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QVariantMap>("typed");
    QTest::addColumn<QStringList>("found");
    const QList<std::tuple<const char*, QVariantMap, QStringList>> cases{
        {"total 2 to 5", {{u"QtyTotal1"_s, u"2"_s}, {u"QtyTotal2"_s, u"5"_s}}, {u"T2"_s, u"T5"_s}},
        {"total from 2 alone", {{u"QtyTotal1"_s, u"2"_s}}, {u"T2"_s, u"T5"_s, u"T6"_s}},
        {"name contains", {{u"Name"_s, u"史"_s}}, {u"T5"_s, u"T6"_s}},
        {"author exact, name contains", {{u"Author"_s, u"司马迁"_s}, {u"Name"_s, u"史"_s}}, {u"T5"_s}},
        {"nothing typed lists all", {}, {u"T1"_s, u"T2"_s, u"T5"_s, u"T6"_s}},
    };
    for (const QString& engine : TTestDatabase::Engines()) {
        for (const auto& [name, typed, found] : cases)
            QTest::newRow(qPrintable(engine + u' ' + QLatin1StringView(name))) << engine << typed << found;
    }
}

void tst_HoldingListFrm::bookAdvancedSearch()
{
    QFETCH(QString, engine);
    QFETCH(QVariantMap, typed);
    QFETCH(QStringList, found);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    // totals 1, 2 (in the library and lent), 5 (one written off) and 6
    addBooks({{u"T1"_s, u"诗经"_s, {}, 1, 0, 0, u"佚名"_s},
              {u"T2"_s, u"论语"_s, {}, 1, 1, 0, u"孔子"_s},
              {u"T5"_s, u"史记"_s, {}, 3, 1, 1, u"司马迁"_s},
              {u"T6"_s, u"汉史"_s, {}, 6, 0, 0, u"班固"_s}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TModalScript script;
    script.Then(u"HoldingFindFrm"_s, [typed](QWidget* w) {
        auto* dialog = static_cast<THoldingFindFrm*>(w);
        QCOMPARE(dialog->windowTitle(), u"图书资料"_s);
        // dates start unchecked, so they set no condition
        QVERIFY(!qobject_cast<TlwDateTimePicker*>(dialog->Editor(u"Getdate1"_s))->Checked());
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            type(dialog->Editor(it.key()), it.value().toString());
        dialog->OkBtn1()->click();
    });
    window->ToolAction(u"查找"_s)->trigger();
    QVERIFY(script.Finished());
    QCOMPARE(codes(window->List()->DataSet()), found);
}

void tst_HoldingListFrm::journalAdvancedSearchYearNo()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addJournals({{u"J1"_s, u"读者"_s, {}, 1, 0, 0, u"2023年第1期"_s},
                 {u"J2"_s, u"读者"_s, {}, 1, 0, 0, u"2022年第5期"_s},
                 {u"J3"_s, u"收获"_s, {}, 1, 0, 0, u"2023-06"_s}});
    auto window = openWindow<TJournalListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TModalScript script;
    script.Then(u"HoldingFindFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<THoldingFindFrm*>(w);
        QCOMPARE(dialog->windowTitle(), u"高级查找"_s);
        type(dialog->Editor(u"YearNo"_s), u"2023"_s);
        dialog->OkBtn1()->click();
    });
    window->findChild<QPushButton*>(u"FindBtn1"_s)->click();
    QVERIFY(script.Finished());
    QCOMPARE(codes(window->List()->DataSet()), (QStringList{u"J1"_s, u"J3"_s}));
}

void tst_HoldingListFrm::advancedSearchRefusesBadNumbers()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addBooks({{u"T1"_s, u"诗经"_s}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TRecordingNotifier notes;
    TModalScript script;
    // pasted text gets past the key filter; OK names it and keeps the dialog and the old rows
    script.Then(u"HoldingFindFrm"_s, [](QWidget* w) {
        auto* dialog = static_cast<THoldingFindFrm*>(w);
        type(dialog->Editor(u"Price1"_s), u"12元"_s);
        dialog->OkBtn1()->click();
        QVERIFY(dialog->isVisible());
        dialog->CancelBtn1()->click();
    });
    QVERIFY(!window->AdvancedSearch());
    QVERIFY(script.Finished());
    QCOMPARE(notes.LastText(), u"\"12元\" 不是有效的数字."_s);
    QCOMPARE(window->List()->DataSet()->RecordCount(), 1);
}

void tst_HoldingListFrm::deleteNamesCopiesOut_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("openLoans");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("left");
    for (const QString& engine : TTestDatabase::Engines()) {
        QTest::newRow(qPrintable(engine + u" none out"_s)) << engine << 0 << true << u"\r\n确定要删除记录吗?\t"_s << 1;
        QTest::newRow(qPrintable(engine + u" two out, OK"_s))
            << engine << 2 << true << u"\r\n该图书尚有 2 册未归还, 确定要删除吗?\t"_s << 1;
        QTest::newRow(qPrintable(engine + u" two out, cancel"_s))
            << engine << 2 << false << u"\r\n该图书尚有 2 册未归还, 确定要删除吗?\t"_s << 2;
    }
}

void tst_HoldingListFrm::deleteNamesCopiesOut()
{
    QFETCH(QString, engine);
    QFETCH(int, openLoans);
    QFETCH(bool, answer);
    QFETCH(QString, question);
    QFETCH(int, left);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addBooks({{u"D1"_s, u"要删的书"_s, {}, 1, openLoans, 0}, {u"D2"_s, u"留下的书"_s}});
    // the open loans, a returned one and one written off: only the open ones count
    for (int i = 1; i <= openLoans; ++i)
        Database().Execute(u"insert into loans(Id, ReaderId, BookId, JourId) values(:Id, 1, 1, 0)"_s,
                           {MakeParam(u"Id"_s, i)});
    Database().Execute(u"insert into loans(Id, ReaderId, BookId, JourId, ReturnDate) values(10, 1, 1, 0, :D)"_s,
                       {MakeParam(u"D"_s, QDate(2024, 1, 2))});
    Database().Execute(u"insert into loans(Id, ReaderId, BookId, JourId) values(11, 1, 1, 0)"_s);
    Database().Execute(u"insert into writeoffs(Id, LoanId, BookId) values(1, 11, 1)"_s);

    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TLwDataSet* rows = window->List()->DataSet();
    QVERIFY(rows->Locate(u"Code"_s, u"D1"_s));
    TRecordingNotifier notes;
    notes.SetConfirmAnswer(answer);
    window->ToolAction(u"删除"_s)->trigger();
    QCOMPARE(notes.LastText(), question);
    QCOMPARE(rows->RecordCount(), left);
    QCOMPARE(scalar(u"select count(*) from books"_s).toInt(), left);
    // the loans keep pointing at the removed title
    QCOMPARE(scalar(u"select count(*) from loans where BookId=1"_s).toInt(), openLoans + 2);
}

void tst_HoldingListFrm::deleteOfTitleGoneElsewhere()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addBooks({{u"D1"_s, u"别处已删"_s}, {u"D2"_s, u"留下的书"_s}});
    auto window = openWindow<TBookListFrm>();
    TLwDataSet* rows = window->List()->DataSet();
    QVERIFY(rows->Locate(u"Code"_s, u"D1"_s));
    Database().Execute(u"delete from books where Code='D1'"_s);
    TRecordingNotifier notes;
    window->ToolAction(u"删除"_s)->trigger();
    QCOMPARE(notes.LastText(), TBookList::GoneText());
    QCOMPARE(codes(rows), (QStringList{u"D2"_s}));
}

void tst_HoldingListFrm::classDeletedElsewhere()
{
    QFETCH(QString, engine);
    QVERIFY(TTestDatabase::OpenWithSchema(engine));
    addClasses();
    addBooks({{u"A-1"_s, u"资本论"_s, 1}, {u"A-2"_s, u"共产党宣言"_s, 2}});
    auto window = openWindow<TBookListFrm>();
    QVERIFY(window->List()->DataSet()->Active());
    TCatalogTree* tree = window->CatalogTree1();
    // another workstation removes class 1. and its subclass while this tree shows them
    Database().Execute(u"delete from catalogs where Id in (1, 2)"_s);
    QVERIFY(tree->SelectCode(u"1."_s));
    QVERIFY(window->List()->DataSet()->IsEmpty());
    tree->expandItem(tree->currentItem());
    // refreshing drops the class; the titles stay reachable from the root
    window->findChild<QPushButton*>(u"TreeRefreshBtn1"_s)->click();
    QVERIFY(!tree->SelectCode(u"1."_s));
    QVERIFY(tree->SelectCode(u"sys-all"_s));
    QCOMPARE(codes(window->List()->DataSet()), (QStringList{u"A-1"_s, u"A-2"_s}));
}

QTEST_MAIN(tst_HoldingListFrm)
#include "tst_holdinglistfrm.moc"
