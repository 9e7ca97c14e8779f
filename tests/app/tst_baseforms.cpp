#include "app/ADlgFrm.h"
#include "app/AInfoDlgFrm.h"
#include "app/HelpViewer.h"
#include "app/LwEdit.h"
#include "app/WinFrm.h"
#include "app/aFrm.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A dialog that refuses OK until its code edit holds something, as derived dialogs do.
class TCodeDlg : public TADlgFrm
{
public:
    TCodeDlg()
    {
        setObjectName(u"CodeDlgFrm"_s);
        Code = new TlwEdit(Body());
        Other = new TlwEdit(Body());
        auto* layout = new QVBoxLayout(Body());
        layout->addWidget(Code);
        layout->addWidget(Other);
    }

    TlwEdit* Code;
    TlwEdit* Other;
    int Asked = 0;

protected:
    bool CloseQuery() override
    {
        ++Asked;
        if (!Code->text().isEmpty())
            return true;
        Code->setFocus();
        return false;
    }
};

QUrl helpPage(const QString& topic)
{
    return QUrl(u"qrc:/help/%1.htm"_s.arg(topic));
}

void closeHelp()
{
    if (THelpViewer* viewer = THelpViewer::Current())
        delete viewer;
}

} // namespace

class tst_BaseForms : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeHelp(); }

    void placeAtCursor_data();
    void placeAtCursor();
    void firstShowCentredThenAtCursor();
    void workWindowFollowsCursorEveryTime();
    void windowFont();

    void f1OpensTopicOfWindow_data();
    void f1OpensTopicOfWindow();
    void helpButtons();

    void okAsksCloseQuery();
    void cancelAndEscape();
    void infoDialogCloses();
    void workWindowFreesItselfAndKeepsEscape();
};

void tst_BaseForms::placeAtCursor_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");

    // On a 1366 x 768 screen; a 200 x 100 window unless the row says otherwise.
    const QSize normal(200, 100);
    QTest::newRow("centred on the pointer") << QPoint(500, 400) << normal << QPoint(400, 350);
    QTest::newRow("left edge: 0 stays") << QPoint(100, 400) << normal << QPoint(0, 350);
    QTest::newRow("left edge: negative becomes 20") << QPoint(99, 400) << normal << QPoint(20, 350);
    QTest::newRow("right edge: exactly the limit stays") << QPoint(1246, 400) << normal << QPoint(1146, 350);
    QTest::newRow("right edge: past the limit") << QPoint(1300, 400) << normal << QPoint(1146, 350);
    QTest::newRow("top edge: negative becomes 20") << QPoint(500, 20) << normal << QPoint(400, 20);
    QTest::newRow("bottom: exactly 50 above the edge") << QPoint(500, 668) << normal << QPoint(400, 618);
    QTest::newRow("bottom: past it") << QPoint(500, 740) << normal << QPoint(400, 618);
    QTest::newRow("corner") << QPoint(1365, 767) << normal << QPoint(1146, 618);
    // Wider than the screen: the right-edge rule comes last and wins.
    QTest::newRow("wider than the screen") << QPoint(683, 384) << QSize(1400, 100) << QPoint(-54, 334);
}

void tst_BaseForms::placeAtCursor()
{
    QFETCH(QPoint, cursor);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);

    QCOMPARE(TaFrm::PlaceAtCursor(cursor, window, QSize(1366, 768)), expected);
}

void tst_BaseForms::firstShowCentredThenAtCursor()
{
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    TCodeDlg dialog;
    dialog.setParent(&owner, dialog.windowFlags());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize size = dialog.frameGeometry().size();
    // Centred to the pixel; an odd size difference rounds one way.
    QVERIFY2((dialog.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 1,
             qPrintable(u"dialog at %1,%2"_s.arg(dialog.x()).arg(dialog.y())));
    dialog.hide();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCursor::setPos(screen.topLeft() + QPoint(300, 300));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.frameGeometry().topLeft(),
             screen.topLeft() + TaFrm::PlaceAtCursor(QPoint(300, 300), size, screen.size()));
}

void tst_BaseForms::workWindowFollowsCursorEveryTime()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPointer<TWinFrm> window = new TWinFrm;
    window->resize(300, 200);
    for (const QPoint cursor : {QPoint(400, 300), QPoint(700, 500)}) {
        QCursor::setPos(screen.topLeft() + cursor);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->frameGeometry().topLeft(),
                 screen.topLeft() + TaFrm::PlaceAtCursor(cursor, window->frameGeometry().size(), screen.size()));
        window->hide();
    }
    delete window;
}

void tst_BaseForms::windowFont()
{
    TCodeDlg dialog;
    QCOMPARE(dialog.font().pixelSize(), 12);
    QCOMPARE(dialog.font().families().value(0), u"宋体"_s);
    // Every control inherits it.
    QCOMPARE(dialog.Code->font().pixelSize(), 12);
}

void tst_BaseForms::f1OpensTopicOfWindow_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QUrl>("page");

    QTest::newRow("operators window") << u"OperatorsFrm"_s << helpPage(u"Operators"_s);
    QTest::newRow("login dialog") << u"LoginFrm"_s << helpPage(u"Login"_s);
    QTest::newRow("main window") << u"mainFrm"_s << helpPage(u"main"_s);
    QTest::newRow("operator editor") << u"OperatorEditorFrm"_s << helpPage(u"OperatorEditor"_s);
    QTest::newRow("window without a page of its own") << u"NoSuchListFrm"_s << helpPage(u"index"_s);
    QTest::newRow("name too short for a topic") << u"Frm"_s << helpPage(u"index"_s);
}

void tst_BaseForms::f1OpensTopicOfWindow()
{
    QFETCH(QString, objectName);
    QFETCH(QUrl, page);

    TCodeDlg window;
    window.setObjectName(objectName);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // From inside an edit: the window sees F1 after the control has had it.
    window.Other->setFocus();
    QTRY_VERIFY(window.Other->hasFocus());
    QTest::keyClick(window.Other, Qt::Key_F1);

    QVERIFY(THelpViewer::Current());
    QCOMPARE(THelpViewer::Current()->Source(), page);
    QVERIFY(THelpViewer::Current()->isVisible());
    QVERIFY(window.isVisible());
}

void tst_BaseForms::helpButtons()
{
    TCodeDlg dialog;
    dialog.setObjectName(u"PasswordChangerFrm"_s);
    dialog.show();
    QTest::mouseClick(dialog.HelpBtn1(), Qt::LeftButton);
    QVERIFY(THelpViewer::Current());
    QCOMPARE(THelpViewer::Current()->Source(), helpPage(u"PasswordChanger"_s));
    QVERIFY(dialog.isVisible());

    TAInfoDlgFrm info;
    info.setObjectName(u"OperatorsFrm"_s);
    info.show();
    QTest::mouseClick(info.HelpBtn1(), Qt::LeftButton);
    QCOMPARE(THelpViewer::Current()->Source(), helpPage(u"Operators"_s));
    QVERIFY(info.isVisible());
}

void tst_BaseForms::okAsksCloseQuery()
{
    TCodeDlg dialog;
    dialog.open();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Other->setFocus();

    QTest::mouseClick(dialog.OkBtn1(), Qt::LeftButton);
    QCOMPARE(dialog.Asked, 1);
    QVERIFY(dialog.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), dialog.Code);

    dialog.Code->setText(u"A001"_s);
    QTest::mouseClick(dialog.OkBtn1(), Qt::LeftButton);
    QCOMPARE(dialog.Asked, 2);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_BaseForms::cancelAndEscape()
{
    TCodeDlg dialog;
    dialog.open();
    QTest::mouseClick(dialog.CancelBtn1(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    dialog.open();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.Code, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    // Leaving without OK never asks whether the input is right.
    QCOMPARE(dialog.Asked, 0);
}

void tst_BaseForms::infoDialogCloses()
{
    TAInfoDlgFrm info;
    QCOMPARE(info.CloseBtn1()->text(), u"关闭"_s);
    info.open();
    QTest::mouseClick(info.CloseBtn1(), Qt::LeftButton);
    QVERIFY(!info.isVisible());

    info.open();
    QVERIFY(QTest::qWaitForWindowActive(&info));
    QTest::keyClick(&info, Qt::Key_Escape);
    QVERIFY(!info.isVisible());
}

void tst_BaseForms::workWindowFreesItselfAndKeepsEscape()
{
    QPointer<TWinFrm> window = new TWinFrm;
    auto* edit = new TlwEdit(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);

    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(window->isVisible());

    window->close();
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(tst_BaseForms)
#include "tst_baseforms.moc"
