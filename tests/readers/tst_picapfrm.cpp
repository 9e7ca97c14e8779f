#include "app/LwComboBox.h"
#include "holdings/PicapFrm.h"
#include "project/ModalScript.h"

#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QVideoFrameFormat>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A frame as a camera delivers it: 4 bytes a pixel, one colour.
QVideoFrame frame(QSize size, QRgb colour)
{
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_BGRX8888));
    if (!frame.map(QVideoFrame::WriteOnly))
        return QVideoFrame();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(frame.bits(0) + y * frame.bytesPerLine(0));
        for (int x = 0; x < size.width(); ++x)
            line[x] = colour;
    }
    frame.unmap();
    return frame;
}

} // namespace

class tst_PicapFrm : public QObject
{
    Q_OBJECT

private slots:
    void withoutCameraThePreviewSaysSo()
    {
        if (!QMediaDevices::videoInputs().isEmpty())
            QSKIP("this machine has a camera");
        TPicapFrm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), u"照相"_s);
        QCOMPARE(form.cbxDevice1()->count(), 0);
        QVERIFY(form.lblNoCamera1()->isVisible());
        QCOMPARE(form.lblNoCamera1()->text(), u"没有找到摄像头"_s);
        QVERIFY(!form.PreviewOpen());
        QCOMPARE(form.imgPicture1()->text(), u"没 有 图 像"_s);

        form.btnCapture1()->click();
        QVERIFY(form.Picture().isNull());
        QCOMPARE(form.imgPicture1()->text(), u"没 有 图 像"_s);
        // nothing to save: the window stays open
        bool asked = false;
        form.SetOnAccept([&asked](const QImage& image) {
            asked = true;
            return !image.isNull();
        });
        form.btnSave1()->click();
        QVERIFY(asked);
        QVERIFY(form.isVisible());
    }

    void deviceWithoutDescriptionIsNamedGenerically()
    {
        QCOMPARE(TPicapFrm::DeviceName(QCameraDevice()), u"USB 视频设备"_s);
        for (const QCameraDevice& device : QMediaDevices::videoInputs())
            QVERIFY(!TPicapFrm::DeviceName(device).isEmpty());
    }

    void captureClearAndSave()
    {
        QImage taken;
        TModalScript script;
        script.Then(u"PicapFrm"_s, [](QWidget* window) {
            auto* form = qobject_cast<TPicapFrm*>(window);
            QVERIFY(form);
            form->OnFrame(frame(QSize(64, 48), 0xff2080c0));
            form->btnCapture1()->click();
            QCOMPARE(form->Picture().size(), QSize(64, 48));
            QCOMPARE(form->Picture().pixel(10, 10), QColor(0x20, 0x80, 0xc0).rgb());
            QVERIFY(!form->imgPicture1()->pixmap().isNull());

            form->btnClear1()->click();
            QVERIFY(form->Picture().isNull());
            QCOMPARE(form->imgPicture1()->text(), u"没 有 图 像"_s);
            form->btnSave1()->click(); // nothing taken: stays
            QVERIFY(form->isVisible());

            form->OnFrame(frame(QSize(32, 24), 0xff000000));
            form->btnCapture1()->click();
            form->btnSave1()->click();
        });
        QVERIFY(TakePicture(taken));
        QVERIFY(script.Finished());
        QCOMPARE(taken.size(), QSize(32, 24));

        TModalScript cancel;
        cancel.Then(u"PicapFrm"_s, [](QWidget* window) { qobject_cast<TPicapFrm*>(window)->btnCancel1()->click(); });
        QImage none;
        QVERIFY(!TakePicture(none));
        QVERIFY(none.isNull());
    }
};

QTEST_MAIN(tst_PicapFrm)
#include "tst_picapfrm.moc"
