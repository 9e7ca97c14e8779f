#include "app/HelpViewer.h"
#include "app/WinFrm.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QUrl page(const QString& name)
{
    return QUrl(u"qrc:/help/%1"_s.arg(name));
}

QString readPage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QAction* action(const QString& name)
{
    return THelpViewer::Current()->findChild<QAction*>(name);
}

} // namespace

class tst_HelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { delete THelpViewer::Current(); }

    void windowTopics_data();
    void windowTopics();
    void pagesAreWellFormed_data();
    void pagesAreWellFormed();
    void oneWindowReused();
    void backForwardHome();
    void followsModalDialog();
    void followsWorkWindow();
};

void tst_HelpViewer::windowTopics_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("page");

    // The windows that have their own page: the main window, the login, connection and operator dialogs.
    for (const QString& topic :
         {u"main"_s, u"Login"_s, u"DBConfig"_s, u"Operators"_s, u"OperatorEditor"_s, u"PasswordChanger"_s})
        QTest::newRow(qPrintable(topic)) << topic << u":/help/%1.htm"_s.arg(topic);
    QTest::newRow("unknown topic: main page") << u"NoSuchWindow"_s << u":/help/index.htm"_s;
    QTest::newRow("empty topic: main page") << QString() << u":/help/index.htm"_s;
    // A topic is a page name, never a path.
    QTest::newRow("path in a topic") << u"../help/Login"_s << u":/help/index.htm"_s;
}

void tst_HelpViewer::windowTopics()
{
    QFETCH(QString, topic);
    QFETCH(QString, page);

    QCOMPARE(THelpViewer::PageFor(topic), page);
}

void tst_HelpViewer::pagesAreWellFormed_data()
{
    QTest::addColumn<QString>("path");

    const QStringList pages = QDir(u":/help"_s).entryList({u"*.htm"_s}, QDir::Files);
    QVERIFY(pages.size() >= 7);
    for (const QString& name : pages)
        QTest::newRow(qPrintable(name)) << u":/help/"_s + name;
}

void tst_HelpViewer::pagesAreWellFormed()
{
    QFETCH(QString, path);

    const QString html = readPage(path);
    QVERIFY(html.contains(u"<meta charset=\"utf-8\">"_s));
    QVERIFY(html.contains(u"href=\"help.css\""_s));
    static const QRegularExpression title(u"<title>([^<]+)</title>"_s);
    QVERIFY(title.match(html).hasMatch());

    // Every link between pages leads somewhere.
    static const QRegularExpression link(u"href=\"([^\"#:]+)(#[^\"]*)?\""_s);
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        QVERIFY2(QFile::exists(u":/help/"_s + target), qPrintable(target));
    }
}

void tst_HelpViewer::oneWindowReused()
{
    THelpViewer::ShowTopic(u"Login"_s);
    QPointer<THelpViewer> first = THelpViewer::Current();
    QVERIFY(first);
    QCOMPARE(first->windowTitle(), u"帮助"_s);
    QVERIFY(first->isVisible());
    QVERIFY(first->Browser()->toPlainText().contains(u"如何登陆"_s));
    // The shared style sheet was found: headings take its colour.
    bool styled = false;
    for (QTextBlock block = first->Browser()->document()->begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == 1)
            styled = block.charFormat().foreground().color() == QColor(0x1f, 0x4e, 0x79);
    QVERIFY(styled);

    THelpViewer::ShowTopic(u"DBConfig"_s);
    QCOMPARE(THelpViewer::Current(), first.data());
    QCOMPARE(first->Source(), page(u"DBConfig.htm"_s));

    // Closed, it is gone; the next request opens a new one.
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!THelpViewer::Current());
    THelpViewer::ShowTopic(u"main"_s);
    QVERIFY(THelpViewer::Current());
}

void tst_HelpViewer::backForwardHome()
{
    THelpViewer::ShowTopic(u"Operators"_s);
    QAction* back = action(u"BackAction"_s);
    QAction* forward = action(u"ForwardAction"_s);
    QAction* home = action(u"HomeAction"_s);
    QVERIFY(back && forward && home);
    QVERIFY(!back->isEnabled());

    // A link inside the page.
    THelpViewer::Current()->Browser()->setSource(page(u"OperatorEditor.htm"_s));
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(THelpViewer::Current()->Source(), page(u"Operators.htm"_s));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(THelpViewer::Current()->Source(), page(u"OperatorEditor.htm"_s));
    home->trigger();
    QCOMPARE(THelpViewer::Current()->Source(), page(u"index.htm"_s));
}

void tst_HelpViewer::followsModalDialog()
{
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTRY_COMPARE(QApplication::activeModalWidget(), &dialog);

    // Help asked for while the dialog blocks the program belongs to the dialog, so it takes input.
    THelpViewer::ShowTopic(u"Login"_s);
    QPointer<THelpViewer> viewer = THelpViewer::Current();
    QCOMPARE(viewer->parentWidget(), &dialog);
    QVERIFY(viewer->isWindow());
    QVERIFY(viewer->isVisible());

    // The dialog closes; the help stays open on its own, on the same page.
    dialog.hide();
    QVERIFY(viewer);
    QCOMPARE(viewer->parentWidget(), nullptr);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->Source(), page(u"Login.htm"_s));
}

void tst_HelpViewer::followsWorkWindow()
{
    QPointer<TWinFrm> window = new TWinFrm;
    window->setObjectName(u"OperatorsFrm"_s);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));

    QTest::keyClick(window, Qt::Key_F1);
    QPointer<THelpViewer> viewer = THelpViewer::Current();
    QVERIFY(viewer);
    QCOMPARE(viewer->parentWidget(), window.data());

    // The work window frees itself on close; the help it opened lives on.
    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->Source(), page(u"Operators.htm"_s));
}

QTEST_MAIN(tst_HelpViewer)
#include "tst_helpviewer.moc"
