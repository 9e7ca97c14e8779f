#include "WindowChecks.h"
#include "project/ListItemEditFrm.h"
#include "project/PickListSet.h"
#include "support/RecordingNotifier.h"
#include "support/TestDatabase.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList awkwardItems()
{
    return {u"\"引号\""_s, u"a,b"_s, QString(), u"二 楼"_s, u" 前后 "_s, QString()};
}

} // namespace

class TestListItemEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void showsCaptionAndItems()
    {
        TListItemEditFrm form;
        form.SetCaption(u"存放位置"_s);
        form.SetItems({u"书库"_s, u"阅览室"_s});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QCOMPARE(form.objectName(), u"ListItemEditFrm"_s);
        QCOMPARE(form.windowTitle(), u"选项"_s);
        QCOMPARE(form.PageControl1()->count(), 1);
        QCOMPARE(form.PageControl1()->tabText(0), u"存放位置"_s);
        QCOMPARE(form.Memo1()->toPlainText(), u"书库\n阅览室"_s);
        QCOMPARE(form.Memo1()->frameShape(), QFrame::NoFrame);
        QCOMPARE(WindowChecks::ClippedTexts(&form), QStringList());
    }

    void linesRoundTrip_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("one empty item") << QStringList{QString()};
        QTest::newRow("empty items at both ends") << QStringList{QString(), u"a"_s, QString()};
        QTest::newRow("quotes, commas, spaces") << awkwardItems();
        QStringList many;
        for (int i = 0; i < 5000; ++i)
            many.append(i % 7 == 0 ? QString() : u"第%1项, \"甲\""_s.arg(i));
        QTest::newRow("5000 items") << many;
    }
    void linesRoundTrip()
    {
        QFETCH(QStringList, items);
        TListItemEditFrm form;
        form.SetItems(items);
        QCOMPARE(form.Items(), items);
    }

    void typedLines_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("final line break ends the last line")
            << u"一楼\n二 楼\n"_s << QStringList{u"一楼"_s, u"二 楼"_s};
        QTest::newRow("empty line inside") << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("pasted Windows line ends") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("nothing") << QString() << QStringList{};
    }
    void typedLines()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, items);
        QCOMPARE(TListItemEditFrm::TextLines(typed), items);
    }

    void okReplacesItems()
    {
        QStringList items{u"书库"_s};
        const WindowChecks::TModalWatch watch([](QDialog* dialog) {
            auto* form = qobject_cast<TListItemEditFrm*>(dialog);
            QVERIFY(form);
            QCOMPARE(form->PageControl1()->tabText(0), u"存放位置"_s);
            form->Memo1()->setFocus();
            form->Memo1()->moveCursor(QTextCursor::End);
            QTest::keyClick(form->Memo1(), Qt::Key_Return);
            WindowChecks::TypeText(form->Memo1(), u"二 楼"_s);
            // Enter in the memo starts a line; it does not close the editor
            QVERIFY(form->isVisible());
            QTest::mouseClick(form->OkBtn1(), Qt::LeftButton);
        });
        QVERIFY(EditPickList(u"存放位置"_s, items));
        QCOMPARE(items, (QStringList{u"书库"_s, u"二 楼"_s}));
    }

    void cancelKeepsItems()
    {
        QStringList items{u"书库"_s, u"阅览室"_s};
        const WindowChecks::TModalWatch watch([](QDialog* dialog) {
            auto* form = qobject_cast<TListItemEditFrm*>(dialog);
            QVERIFY(form);
            form->Memo1()->setPlainText(u"全新"_s);
            QTest::mouseClick(form->CancelBtn1(), Qt::LeftButton);
        });
        QVERIFY(!EditPickList(u"存放位置"_s, items));
        QCOMPARE(items, (QStringList{u"书库"_s, u"阅览室"_s}));
    }

    // From the editor's lines to the stored list and back, as the drop-downs do it.
    void editedListIsStoredAndReadBack_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QStringList>("items");
        for (const QString& engine : TTestDatabase::Engines()) {
            QTest::addRow("%s/awkward", qPrintable(engine)) << engine << awkwardItems();
            QStringList many;
            for (int i = 0; i < 5000; ++i)
                many.append(i % 100 == 0 ? QString() : u"位置 %1,\"%2\""_s.arg(i).arg(i * 2));
            QTest::addRow("%s/5000 items", qPrintable(engine)) << engine << many;
        }
    }
    void editedListIsStoredAndReadBack()
    {
        QFETCH(QString, engine);
        QFETCH(QStringList, items);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notifier;

        TListItemEditFrm form;
        form.SetItems(items);
        QVERIFY(TPickListSet::SaveItems(3, form.Items()));
        QStringList loaded;
        QVERIFY(TPickListSet::LoadItems(3, loaded));
        TListItemEditFrm again;
        again.SetItems(loaded);
        QCOMPARE(again.Items(), items);
        QCOMPARE(again.Memo1()->toPlainText(), form.Memo1()->toPlainText());
        QVERIFY(notifier.Messages().isEmpty());
    }
};

QTEST_MAIN(TestListItemEditFrm)
#include "tst_listitemeditfrm.moc"
