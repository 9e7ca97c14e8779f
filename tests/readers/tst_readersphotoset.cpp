#include "ReaderFixture.h"
#include "data/DbError.h"
#include "holdings/ReadersPhotoSet.h"
#include "support/RecordingNotifier.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage sample(int w = 40, int h = 30)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (int y = 0; y < h; ++y) // the left half blue, wide enough to survive JPEG
        for (int x = 0; x < w / 2; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

QByteArray encoded(const QImage& image, const QByteArray& format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

void putRow(int readerId, const QString& ext, const QByteArray& bytes)
{
    QBuffer stream;
    stream.setData(bytes);
    Database().Execute(u"insert into readersphoto(ReaderId, Ext, Photo) values(:ReaderId, :Ext, :Photo)"_s,
                       {MakeParam(u"ReaderId"_s, readerId), MakeParam(u"Ext"_s, ext)},
                       {TxDBParameter{u"Photo"_s, &stream}});
}

struct TStored
{
    QString Ext;
    QByteArray Bytes;
};

TStored stored(int readerId)
{
    QSqlQuery query = Database().Select(u"select Ext, Photo from readersphoto where ReaderId=:ReaderId"_s,
                                        {MakeParam(u"ReaderId"_s, readerId)});
    if (!query.next())
        return {u"<no row>"_s, {}};
    return {query.value(0).toString(), query.value(1).toByteArray()};
}

int photoRows()
{
    return ReaderFixture::Count(u"select count(*) from readersphoto"_s);
}

} // namespace

class tst_ReadersPhotoSet : public QObject
{
    Q_OBJECT

private slots:
    // Pictures of each stored format keep their bytes and come back as what they were.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("ext");
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s jpeg", qPrintable(e)) << e << QByteArray("jpeg") << u".jpg"_s;
            QTest::addRow("%s bitmap", qPrintable(e)) << e << QByteArray("bmp") << u".bmp"_s;
            QTest::addRow("%s icon", qPrintable(e)) << e << QByteArray("ico") << u".ico"_s;
        }
    }
    void roundTrip()
    {
        QFETCH(QString, engine);
        QFETCH(QByteArray, format);
        QFETCH(QString, ext);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notifier;
        const QByteArray bytes = encoded(sample(), format);
        QVERIFY(!bytes.isEmpty());
        const RReaderPhoto photo = RReaderPhoto::FromData(bytes);
        QCOMPARE(photo.Format, format);

        QVERIFY(TReadersPhotoSet::SavePhoto(3, photo));
        const TStored row = stored(3);
        QCOMPARE(row.Ext, ext);
        QCOMPARE(row.Bytes, bytes); // stored as given, not encoded again

        RReaderPhoto read;
        QVERIFY(TReadersPhotoSet::LoadPhoto(3, read));
        QCOMPARE(read.Format, format);
        QCOMPARE(read.Image.size(), QSize(40, 30));
        QVERIFY(QColor(read.Image.pixel(5, 15)).blue() > 200);
        QVERIFY(QColor(read.Image.pixel(35, 15)).red() > 150);
        QVERIFY(notifier.Messages().isEmpty());
    }

    void cameraBitmapAndReplace_data() { ReaderFixture::EngineRows(); }
    void cameraBitmapAndReplace()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto::FromBitmap(sample())));
        QCOMPARE(stored(1).Ext, u".bmp"_s);
        RReaderPhoto read;
        QVERIFY(TReadersPhotoSet::LoadPhoto(1, read));
        QCOMPARE(read.Image.convertToFormat(QImage::Format_RGB32), sample());

        // a second save replaces the one row
        QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto::FromData(encoded(sample(8, 8), "jpeg"))));
        QCOMPARE(photoRows(), 1);
        QCOMPARE(stored(1).Ext, u".jpg"_s);

        // an empty picture deletes it; deleting what is not there still leaves no photo
        QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto()));
        QCOMPARE(photoRows(), 0);
        QVERIFY(TReadersPhotoSet::DeletePhoto(1));
        QVERIFY(!TReadersPhotoSet::LoadPhoto(1, read));
        QVERIFY(read.IsEmpty());
    }

    void refusedBeforeWriting_data() { ReaderFixture::EngineRows(); }
    void refusedBeforeWriting()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        QVERIFY(TReadersPhotoSet::SavePhoto(1, RReaderPhoto::FromBitmap(sample())));

        // a format we do not store
        const RReaderPhoto png = RReaderPhoto::FromData(encoded(sample(), "png"));
        QCOMPARE(png.Format, QByteArray("png"));
        try {
            TReadersPhotoSet::SavePhoto(1, png);
            QFAIL("a PNG photo was stored");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), u"未知的图片格式!"_s);
        }
        QCOMPARE(stored(1).Ext, u".bmp"_s);

        // a picture above the limit
        RReaderPhoto big = RReaderPhoto::FromBitmap(sample());
        big.Format = "jpeg";
        big.Data = QByteArray(TReadersPhotoSet::MaxPhotoBytes + 1, 'x');
        try {
            TReadersPhotoSet::SavePhoto(2, big);
            QFAIL("an oversized photo was stored");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), u"照片太大 (16.0 MB), 最多只能保存 16 MB 的照片!"_s);
        }
        QCOMPARE(photoRows(), 1);
    }

    // Rows the program did not write: each reads as an empty picture after one message.
    void unreadableRows_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString unknown = u"未知的图片格式!"_s;
        const QString broken = u"照片数据已损坏, 不能显示!"_s;
        for (const QString& e : TTestDatabase::Engines()) {
            QTest::addRow("%s png", qPrintable(e)) << e << u".png"_s << encoded(sample(), "png") << unknown;
            QTest::addRow("%s emf", qPrintable(e)) << e << u".emf"_s << QByteArray("\x01\x00\x00\x00", 4) << unknown;
            QTest::addRow("%s wmf", qPrintable(e)) << e << u".wmf"_s << QByteArray("\xd7\xcd\xc6\x9a", 4) << unknown;
            QTest::addRow("%s no extension", qPrintable(e)) << e << QString() << encoded(sample(), "jpeg") << unknown;
            QTest::addRow("%s broken jpeg", qPrintable(e)) << e << u".jpg"_s << QByteArray("\xff\xd8garbage") << broken;
            QTest::addRow("%s png under jpg", qPrintable(e)) << e << u".jpg"_s << encoded(sample(), "png") << broken;
            QTest::addRow("%s empty blob", qPrintable(e)) << e << u".bmp"_s << QByteArray() << broken;
        }
    }
    void unreadableRows()
    {
        QFETCH(QString, engine);
        QFETCH(QString, ext);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        putRow(4, ext, bytes);
        TRecordingNotifier notifier;
        RReaderPhoto photo = RReaderPhoto::FromBitmap(sample()); // whatever it held goes
        QVERIFY(TReadersPhotoSet::LoadPhoto(4, photo));
        QVERIFY(photo.IsEmpty());
        QCOMPARE(notifier.Messages().size(), 1);
        QCOMPARE(notifier.Messages().first().Kind, u"info"_s);
        QCOMPARE(notifier.LastText(), message);
    }

    void extensionsReadInAnyCase_data() { ReaderFixture::EngineRows(); }
    void extensionsReadInAnyCase()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        putRow(1, u".JPEG"_s, encoded(sample(), "jpeg"));
        TRecordingNotifier notifier;
        RReaderPhoto photo;
        QVERIFY(TReadersPhotoSet::LoadPhoto(1, photo));
        QCOMPARE(photo.Image.size(), QSize(40, 30));
        QVERIFY(notifier.Messages().isEmpty());
    }

    void filesThatAreNotPictures()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath(u"photo.jpg"_s);
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("just some text, named like a picture");
        file.close();
        QVERIFY(RReaderPhoto::FromFile(text).IsEmpty());
        QVERIFY(RReaderPhoto::FromFile(dir.filePath(u"missing.bmp"_s)).IsEmpty());

        const QString jpeg = dir.filePath(u"real.jpeg"_s);
        QFile out(jpeg);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(encoded(sample(), "jpeg"));
        out.close();
        const RReaderPhoto photo = RReaderPhoto::FromFile(jpeg);
        QCOMPARE(photo.Format, QByteArray("jpeg"));
        QVERIFY(!photo.Data.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ReadersPhotoSet)
#include "tst_readersphotoset.moc"
