#include "app/MessageBoxNotifier.h"
#include "app/MessageHelpers.h"
#include "data/LwDataSet.h"
#include "support/RecordingNotifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// What one message box showed.
struct RShownBox
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    QWidget* Parent = nullptr;
};

// Runs `show` (which opens a message box and waits for it), reads the box and presses the button
// with the text `press`.
RShownBox answerBox(const std::function<void()>& show, const QString& press)
{
    RShownBox shown;
    QTimer::singleShot(0, [&shown, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown.Title = box->windowTitle();
        shown.Text = box->text();
        shown.Icon = box->icon();
        shown.Parent = box->parentWidget();
        for (QAbstractButton* button : box->buttons())
            shown.Buttons << button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == press)
                button->click();
    });
    show();
    return shown;
}

} // namespace

class tst_Messages : public QObject
{
    Q_OBJECT

private slots:
    void helperTexts_data();
    void helperTexts();
    void confirmDeleteAnswer();
    void requireActive();

    void displayText_data();
    void displayText();
    void infoBox();
    void confirmBox_data();
    void confirmBox();
    void warningAndErrorBoxes();
    void boxBelongsToActiveWindow();
    void installsAndRestores();
};

void tst_Messages::helperTexts_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("info box: text as given") << u"InfoBox"_s << u"请先选择读者."_s << u"info"_s << u"请先选择读者."_s;
    QTest::newRow("confirm delete: named")
        << u"ConfirmDelete"_s << u"sa2"_s << u"confirm"_s << u"\r您确定要删除 sa2 吗?\t\t"_s;
    QTest::newRow("confirm delete: current record")
        << u"ConfirmDelete"_s << QString() << u"confirm"_s << u"\r您确定要删除 当前记录 吗?\t\t"_s;
}

void tst_Messages::helperTexts()
{
    QFETCH(QString, helper);
    QFETCH(QString, argument);
    QFETCH(QString, kind);
    QFETCH(QString, text);

    TRecordingNotifier recorder;
    if (helper == u"InfoBox"_s)
        InfoBox(argument);
    else
        ConfirmDelete(argument);
    QCOMPARE(recorder.Messages().size(), 1);
    QCOMPARE(recorder.Messages().first().Kind, kind);
    QCOMPARE(recorder.LastText(), text);
}

void tst_Messages::confirmDeleteAnswer()
{
    TRecordingNotifier recorder;
    recorder.SetConfirmAnswer(true);
    QVERIFY(ConfirmDelete(u"张三"_s));
    recorder.SetConfirmAnswer(false);
    QVERIFY(!ConfirmDelete(u"张三"_s));
}

void tst_Messages::requireActive()
{
    const QString notice = u"\r\n系统提示：请先打开数据集再操作."_s;
    TRecordingNotifier recorder;
    TLwDataSet set;
    set.AddField(TFieldType::WideString, u"Name"_s, 20);

    QVERIFY(!RequireActive(&set));
    QCOMPARE(recorder.Messages().size(), 1);
    QCOMPARE(recorder.Messages().first().Kind, u"info"_s);
    QCOMPARE(recorder.LastText(), notice);

    recorder.Clear();
    QVERIFY(!RequireActive(nullptr));
    QCOMPARE(recorder.LastText(), notice);

    recorder.Clear();
    set.CreateDataSet();
    QVERIFY(RequireActive(&set));
    QVERIFY(recorder.Messages().isEmpty());

    set.Close();
    QVERIFY(!RequireActive(&set));
    QCOMPARE(recorder.Messages().size(), 1);
}

void tst_Messages::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("info framing") << u"\r\n请先选择读者.\t"_s << u"\n请先选择读者."_s;
    QTest::newRow("lone carriage return") << u"\r您确定要删除 张三 吗?\t\t"_s << u"\n您确定要删除 张三 吗?"_s;
    QTest::newRow("both kinds of line break")
        << u"第一行\r\n第二行\r第三行\n第四行"_s << u"第一行\n第二行\n第三行\n第四行"_s;
    QTest::newRow("tab before a line break") << u"错误:\t\r\nselect 1"_s << u"错误:\nselect 1"_s;
    QTest::newRow("tab inside a line") << u"书名\t数量"_s << u"书名    数量"_s;
    QTest::newRow("markup stays text") << u"a <b> & c"_s << u"a <b> & c"_s;
    QTest::newRow("empty") << QString() << QString();
}

void tst_Messages::displayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    QCOMPARE(TMessageBoxNotifier::DisplayText(text), shown);
}

void tst_Messages::infoBox()
{
    TMessageBoxNotifier notifier;
    const RShownBox shown = answerBox([] { InfoBox(u"\r\n系统提示：请先打开数据集再操作."_s); }, u"确定"_s);
    QCOMPARE(shown.Icon, QMessageBox::Information);
    QCOMPARE(shown.Text, u"\n\n系统提示：请先打开数据集再操作."_s);
    QCOMPARE(shown.Buttons, QStringList{u"确定"_s});
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_Messages::confirmBox_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("answer");

    QTest::newRow("OK") << u"确定"_s << true;
    QTest::newRow("Cancel") << u"取消"_s << false;
}

void tst_Messages::confirmBox()
{
    QFETCH(QString, press);
    QFETCH(bool, answer);

    TMessageBoxNotifier notifier;
    bool result = !answer;
    const RShownBox shown = answerBox([&result] { result = ConfirmDelete(u"张三"_s); }, press);
    QCOMPARE(result, answer);
    QCOMPARE(shown.Icon, QMessageBox::Warning);
    QCOMPARE(shown.Text, u"\n您确定要删除 张三 吗?"_s);
    QCOMPARE(shown.Buttons.size(), 2);
    QVERIFY(shown.Buttons.contains(u"确定"_s));
    QVERIFY(shown.Buttons.contains(u"取消"_s));
}

void tst_Messages::warningAndErrorBoxes()
{
    TMessageBoxNotifier notifier;
    RShownBox shown = answerBox([] { Notifier().Warning(u"读者已挂失."_s); }, u"确定"_s);
    QCOMPARE(shown.Icon, QMessageBox::Warning);
    QCOMPARE(shown.Text, u"读者已挂失."_s);

    shown = answerBox([] { Notifier().Error(u"连接时失败,提示如下:\r\nno route"_s); }, u"确定"_s);
    QCOMPARE(shown.Icon, QMessageBox::Critical);
    QCOMPARE(shown.Text, u"连接时失败,提示如下:\nno route"_s);
    QCOMPARE(shown.Buttons, QStringList{u"确定"_s});
}

void tst_Messages::boxBelongsToActiveWindow()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    TMessageBoxNotifier notifier;
    const RShownBox shown = answerBox([] { InfoBox(u"已保存."_s); }, u"确定"_s);
    QCOMPARE(shown.Parent, &window);
}

void tst_Messages::installsAndRestores()
{
    TRecordingNotifier recorder;
    {
        TMessageBoxNotifier notifier;
        QCOMPARE(&Notifier(), static_cast<INotifier*>(&notifier));
    }
    QCOMPARE(&Notifier(), static_cast<INotifier*>(&recorder));
    InfoBox(u"回到记录器."_s);
    QCOMPARE(recorder.LastText(), u"回到记录器."_s);
}

QTEST_MAIN(tst_Messages)
#include "tst_messages.moc"
