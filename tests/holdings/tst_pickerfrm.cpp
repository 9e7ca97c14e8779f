#include "app/LwEdit.h"
#include "data/LwDataSet.h"
#include "grids/LwDBGrid.h"
#include "holdings/PickerFrm.h"
#include "holdings/ViewList.h"

#include <QMenu>
#include <QPushButton>

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

void fill(TLwDataSet& set)
{
    set.AddField(TFieldType::Integer, u"Id"_s, -1, false, QString());
    set.AddField(TFieldType::WideString, u"Code"_s, 50, true, u"编号"_s);
    set.AddField(TFieldType::WideString, u"Name"_s, 50, true, u"名称"_s);
    set.CreateDataSet();
    const QList<std::tuple<int, QString, QString>> rows{
        {1, u"R001"_s, u"张三"_s}, {2, u"ABC-2"_s, u"李四"_s}, {3, u"R003"_s, u"王abc"_s}, {4, u"R004"_s, u"赵六"_s}};
    for (const auto& [id, code, name] : rows) {
        set.Append();
        set.SetValue(u"Id"_s, id);
        set.SetValue(u"Code"_s, code);
        set.SetValue(u"Name"_s, name);
        set.Post();
    }
}

// A list that records which of its commands ran; Pick accepts when told to.
class TFakeList : public IViewList
{
public:
    explicit TFakeList(TLwDataSet* set) : m_set(set) {}
    TLwDataSet* DataSet() const override { return m_set; }
    void Add(QWidget*) override { Calls.append(u"Add"_s); }
    void Edit(QWidget*) override { Calls.append(u"Edit"_s); }
    void Delete(QWidget*) override { Calls.append(u"Delete"_s); }
    void Refresh() override {}
    void Print(QWidget*) override {}
    bool Import(QWidget*) override { return false; }
    bool Pick() override
    {
        Calls.append(u"Pick %1"_s.arg(m_set->AsInteger(u"Id"_s)));
        return Accept;
    }
    QStringList Calls;
    bool Accept = false;

private:
    TLwDataSet* m_set;
};

} // namespace

class TestPickerFrm : public QObject
{
    Q_OBJECT

private slots:
    void typingNarrowsTheRows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rows");
        QTest::newRow("nothing") << QString() << 4;
        QTest::newRow("in a code, other case") << u"abc"_s << 2;
        QTest::newRow("in a name") << u"李"_s << 1;
        QTest::newRow("no match") << u"zzz"_s << 0;
        QTest::newRow("blank") << u"   "_s << 4;
        QTest::newRow("wildcards are letters") << u"%"_s << 0;
    }
    void typingNarrowsTheRows()
    {
        QFETCH(QString, typed);
        QFETCH(int, rows);
        TLwDataSet set;
        fill(set);
        TPickerFrm window(&set, 0);
        window.edtSearch1()->setText(typed);
        QCOMPARE(set.RecordCount(), rows);
        // erasing shows every row again
        window.edtSearch1()->clear();
        QCOMPARE(set.RecordCount(), 4);
    }

    void pickDecidesWhetherItCloses()
    {
        TLwDataSet set;
        fill(set);
        TPickerFrm window(&set, 0);
        bool allow = false;
        int asked = 0;
        window.SetOnPick([&](TLwDataSet& data) {
            ++asked;
            return allow && data.AsInteger(u"Id"_s) == 3;
        });
        window.show();
        window.edtSearch1()->setText(u"王"_s);
        window.accept();
        QVERIFY(window.isVisible());
        allow = true;
        window.accept();
        QCOMPARE(asked, 2);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.isVisible());
    }

    void emptyListPicksNothing()
    {
        TLwDataSet set;
        fill(set);
        TPickerFrm window(&set, 0);
        window.show();
        window.edtSearch1()->setText(u"nothing like this"_s);
        window.accept();
        QVERIFY(window.isVisible());
    }

    void listCommandsInMenuAndButtons()
    {
        TLwDataSet set;
        fill(set);
        TFakeList list(&set);
        TPickerFrm window(&list, &set, 0);
        QStringList items;
        for (QAction* action : window.DBGrid1()->PopupMenuLw()->actions())
            items.append(action->isSeparator() ? u"-"_s : action->text());
        // the list's commands around the grid's own
        QCOMPARE(items.mid(0, 3), (QStringList{u"添加"_s, u"修改"_s, u"-"_s}));
        QCOMPARE(items.mid(items.size() - 2), (QStringList{u"-"_s, u"删除"_s}));
        QVERIFY(items.contains(u"列选择"_s));
        QCOMPARE(window.NewBtn1()->text(), u"新增"_s);
        QCOMPARE(window.SetupBtn1()->text(), u"设置 ▼"_s);

        const QList<QAction*> actions = window.DBGrid1()->PopupMenuLw()->actions();
        actions.first()->trigger();
        actions.at(1)->trigger();
        actions.last()->trigger();
        window.NewBtn1()->click();
        QCOMPARE(list.Calls, (QStringList{u"Add"_s, u"Edit"_s, u"Delete"_s, u"Add"_s}));
    }

    void listDecidesThePick()
    {
        TLwDataSet set;
        fill(set);
        TFakeList list(&set);
        TPickerFrm window(&list, &set, 0);
        window.show();
        window.edtSearch1()->setText(u"赵"_s);
        // a list that does not accept (no pick callback) leaves the window open
        window.accept();
        QVERIFY(window.isVisible());
        list.Accept = true;
        emit window.DBGrid1()->DblClick();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(list.Calls, (QStringList{u"Pick 4"_s, u"Pick 4"_s}));
    }

    void filterIsGoneAfterThePick()
    {
        TLwDataSet set;
        fill(set);
        QTimer::singleShot(0, [] {
            auto* window = qobject_cast<TPickerFrm*>(QApplication::activeModalWidget());
            QVERIFY(window);
            window->edtSearch1()->setText(u"R004"_s);
            window->accept();
        });
        QVERIFY(PickFromList(&set, 0));
        QCOMPARE(set.RecordCount(), 4);
    }
};

QTEST_MAIN(TestPickerFrm)
#include "tst_pickerfrm.moc"
