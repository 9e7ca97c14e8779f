#include "holdings/ImageViewFrm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_ImageViewFrm : public QObject
{
    Q_OBJECT

private slots:
    void windowSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("small") << QSize(200, 100) << QSize(1366, 768) << QSize(230, 140);
        QTest::newRow("too wide") << QSize(2000, 300) << QSize(1366, 768) << QSize(1366, 340);
        QTest::newRow("too tall") << QSize(300, 900) << QSize(1366, 768) << QSize(330, 718);
        QTest::newRow("both") << QSize(2000, 1500) << QSize(1366, 768) << QSize(1366, 718);
    }
    void windowSize()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QCOMPARE(TImageViewFrm::WindowSize(picture, screen), window);
    }

    void largePictureScrollsAndClickCloses()
    {
        QImage image(2000, 1500, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        TImageViewFrm form(image);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), u"大图"_s);
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY(form.width() <= screen.width());
        QVERIFY(form.height() <= screen.height() - 50);
        QCOMPARE(form.Image1()->size(), QSize(2000, 1500));
        QCOMPARE(form.Image1()->pos(), QPoint(5, 5));
        QVERIFY(form.ScrollBox1()->horizontalScrollBar()->isVisible());
        QVERIFY(form.ScrollBox1()->verticalScrollBar()->isVisible());

        QTest::mouseClick(form.Image1(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!form.isVisible());
    }

    void smallPictureHasNoScrollBars()
    {
        QImage image(120, 160, QImage::Format_RGB32);
        image.fill(Qt::blue);
        TImageViewFrm form(image);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(150, 200));
        QVERIFY(!form.ScrollBox1()->horizontalScrollBar()->isVisible());
        QVERIFY(!form.ScrollBox1()->verticalScrollBar()->isVisible());
        form.grab().save(u"/tmp/helper-f-imageviewfrm.png"_s);
    }
};

QTEST_MAIN(tst_ImageViewFrm)
#include "tst_imageviewfrm.moc"
