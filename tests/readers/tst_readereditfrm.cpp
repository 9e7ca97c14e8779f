#include "ReaderFixture.h"
#include "app/LwDateTimePicker.h"
#include "app/LwEdit.h"
#include "grids/LwDBGrid.h"
#include "holdings/PickerFrm.h"
#include "holdings/ReaderEditFrm.h"
#include "holdings/Uis.h"
#include "project/ModalScript.h"
#include "support/RecordingNotifier.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

QImage sample(int width = 40, int height = 50)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    return image;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return path;
}

struct TPhotoRow
{
    bool Exists = false;
    QString Ext;
    QByteArray Data;
};

TPhotoRow photoRow(int readerId)
{
    QSqlQuery query = Database().Select(u"select Ext, Photo from readersphoto where ReaderId=:ReaderId"_s,
                                        {MakeParam(u"ReaderId"_s, readerId)});
    TPhotoRow row;
    if (query.next())
        row = {true, query.value(0).toString(), query.value(1).toByteArray()};
    return row;
}

void putPhoto(int readerId, const QString& ext, const QByteArray& data)
{
    Database().Execute(u"insert into readersphoto(ReaderId, Ext, Photo) values(:ReaderId, :Ext, :Photo)"_s,
                       {MakeParam(u"ReaderId"_s, readerId), MakeParam(u"Ext"_s, ext), MakeParam(u"Photo"_s, data)});
}

RReader readerOf(int id)
{
    TReaderSet set;
    set.Where().SetCondition(u"Id"_s, id);
    set.Search();
    return set.AsData();
}

// The dialog's OK as the reader list wires it: Save, then the Id written back.
bool saveReader(RReader& reader)
{
    return TReaderSet::Save(reader);
}

} // namespace

class tst_ReaderEditFrm : public QObject
{
    Q_OBJECT

private slots:
    void showsTheReader_data() { ReaderFixture::EngineRows(); }
    void showsTheReader()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s);
        ReaderFixture::AddKind(2, u"学生"_s);
        ReaderFixture::TReaderRow row;
        row.KindId = 2;
        row.Loaning = 2;
        row.Loanall = 0;
        row.Loanover = 1;
        row.Deposit = 12.5;
        row.Dept = u"教务处"_s;
        row.Adddate = QDateTime(QDate(2024, 3, 9), QTime(0, 0));
        ReaderFixture::AddReader(row);

        TReaderEditFrm form;
        form.SetData(readerOf(1));
        QCOMPARE(form.windowTitle(), u"读者资料"_s);
        QCOMPARE(form.edtName1()->text(), u"张三"_s);
        QCOMPARE(form.cbxKind1()->currentText(), u"学生"_s);
        QCOMPARE(form.cbxKind1()->count(), 2);
        QCOMPARE(form.edtLoaning1()->text(), u"2"_s);
        QCOMPARE(form.edtLoanall1()->text(), QString()); // a counter of 0 shows empty
        QCOMPARE(form.edtLoanover1()->text(), u"1"_s);
        QCOMPARE(form.edtDeposit1()->text(), u"12.50"_s);
        QCOMPARE(form.edtState1()->text(), u"正常"_s);
        QCOMPARE(form.cbxDept1()->currentText(), u"教务处"_s);
        QCOMPARE(form.dtpAdddate1()->AsDate().toDate(), QDate(2024, 3, 9));
        QVERIFY(!form.imgPhoto1()->HasPicture());
        QVERIFY(!form.PhotoChanged());

        // a kind deleted since: no kind shown, and saving keeps the reader without one
        QVERIFY(TReaderskindSet::Delete(2));
        TReaderEditFrm again;
        const RReader dangling = readerOf(1);
        QCOMPARE(dangling.BookTop, 0);
        again.SetData(dangling);
        QCOMPARE(again.cbxKind1()->currentIndex(), -1);
        QVERIFY(!again.Data().KindId.has_value());
    }

    void newReaderWithPhotoFromFile_data() { ReaderFixture::EngineRows(); }
    void newReaderWithPhotoFromFile()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddReader(ReaderFixture::WithId(1));
        ReaderFixture::AddReader(ReaderFixture::WithId(5));
        QTemporaryDir dir;
        const QByteArray jpeg = encoded(sample(), "jpeg");
        const QString path = writeFile(dir, u"photo.jpg"_s, jpeg);

        RReader reader = RReader::New();
        TModalScript script;
        script.Then(u"ReaderEditFrm"_s, [&](QWidget* window) {
            auto* form = qobject_cast<TReaderEditFrm*>(window);
            QVERIFY(form);
            form->edtName1()->setText(u"新读者"_s);
            form->edtCode1()->setText(u"R'009"_s);
            QVERIFY(form->LoadPhotoFile(path));
            QVERIFY(form->PhotoChanged());
            form->OkBtn1()->click();
        });
        QVERIFY(EditReader(reader, saveReader));
        QVERIFY(script.Finished());
        QCOMPARE(reader.Id, 6);
        QCOMPARE(ReaderFixture::ReaderValue(6, u"Code"_s).toString(), u"R'009"_s);
        QVERIFY(ReaderFixture::ReaderValue(6, u"KindId"_s).isNull());
        const TPhotoRow stored = photoRow(6);
        QVERIFY(stored.Exists);
        QCOMPARE(stored.Ext, u".jpg"_s);
        QCOMPARE(stored.Data, jpeg); // stored as given, not encoded again
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readersphoto"_s), 1);
    }

    // What OK does to the photo row: nothing while untouched, a delete once cleared, the new picture
    // once replaced (from the camera: a bitmap).
    void photoOnOk_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("ext");
        for (const QString& e : TTestDatabase::Engines()) {
            const QByteArray n = e.toLatin1();
            QTest::addRow("%s untouched", n.data()) << e << u"none"_s << true << u".jpeg"_s;
            QTest::addRow("%s cleared", n.data()) << e << u"clear"_s << false << QString();
            QTest::addRow("%s camera", n.data()) << e << u"camera"_s << true << u".bmp"_s;
            QTest::addRow("%s cleared then camera cancelled", n.data()) << e << u"clear+cancel"_s << false << QString();
        }
    }
    void photoOnOk()
    {
        QFETCH(QString, engine);
        QFETCH(QString, action);
        QFETCH(bool, exists);
        QFETCH(QString, ext);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddReader(ReaderFixture::TReaderRow());
        // stored under ".jpeg", which a rewrite would turn into ".jpg"
        putPhoto(1, u".jpeg"_s, encoded(sample(), "jpeg"));

        TReaderEditFrm form;
        form.SetData(readerOf(1));
        QVERIFY(form.imgPhoto1()->HasPicture());
        form.SetOnSave(saveReader);
        if (action == u"camera"_s)
            form.SetTakePicture([](QImage& image) {
                image = sample(64, 48);
                return true;
            });
        else
            form.SetTakePicture([](QImage&) { return false; });
        form.edtTel1()->setText(u"555"_s);
        if (action.startsWith(u"clear"_s))
            form.btnClear1()->click();
        if (action == u"camera"_s || action.endsWith(u"cancel"_s))
            form.btnCamera1()->click();
        form.show();
        form.OkBtn1()->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(ReaderFixture::ReaderValue(1, u"Tel"_s).toString(), u"555"_s);
        const TPhotoRow stored = photoRow(1);
        QCOMPARE(stored.Exists, exists);
        QCOMPARE(stored.Ext, ext);
        if (action == u"camera"_s)
            QCOMPARE(QImage::fromData(stored.Data, "BMP").size(), QSize(64, 48));
    }

    void noKindStoresNull_data() { ReaderFixture::EngineRows(); }
    void noKindStoresNull()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s);
        ReaderFixture::TReaderRow row;
        row.KindId = 1;
        ReaderFixture::AddReader(row);

        TReaderEditFrm form;
        form.SetData(readerOf(1));
        form.SetOnSave(saveReader);
        form.cbxKind1()->setCurrentIndex(-1);
        form.show();
        form.OkBtn1()->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(ReaderFixture::ReaderValue(1, u"KindId"_s).isNull());
        const RReader saved = form.Data();
        QVERIFY(!saved.KindId.has_value());
        QVERIFY(saved.KindName.isEmpty());
        QCOMPARE(saved.BookTop, 0);
    }

    void pickedKindMissingFromTheListIsAdded_data() { ReaderFixture::EngineRows(); }
    void pickedKindMissingFromTheListIsAdded()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        ReaderFixture::AddKind(1, u"教师"_s);
        ReaderFixture::AddReader(ReaderFixture::TReaderRow());

        TReaderEditFrm form;
        form.SetData(readerOf(1));
        form.SetOnSave(saveReader);
        ReaderFixture::AddKind(7, u"校友"_s, 4); // after the dialog filled its list
        TModalScript script;
        script.Then(u"PickerFrm"_s, [](QWidget* window) {
            auto* picker = qobject_cast<TPickerFrm*>(window);
            QVERIFY(picker->DBGrid1()->DataSet()->Locate(u"Id"_s, 7));
            picker->OkBtn1()->click();
        });
        form.btnKind1()->click();
        QVERIFY(script.Finished());
        QCOMPARE(form.cbxKind1()->count(), 2);
        QCOMPARE(form.cbxKind1()->currentText(), u"校友"_s);
        form.show();
        form.OkBtn1()->click();
        QCOMPARE(ReaderFixture::ReaderValue(1, u"KindId"_s).toInt(), 7);
        QCOMPARE(form.Data().BookTop, 4);
    }

    // Files that cannot become a photo are refused at once and the photo stays as it was.
    void badPhotoFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        QTest::addRow("text") << u"notes.jpg"_s << QByteArray("not a picture at all")
                              << u"无法读取图片文件 %1, 它不是位图或 JPEG 图片!"_s;
        QTest::addRow("png named jpg") << u"photo.jpg"_s << encoded(sample(), "png") << u"未知的图片格式!"_s;
        QByteArray huge(TReadersPhotoSet::MaxPhotoBytes + 1024, '\0');
        huge[0] = char(0xff);
        huge[1] = char(0xd8);
        QTest::addRow("too large") << u"huge.jpg"_s << huge << u"照片文件太大 (16.0 MB), 最多只能保存 16 MB 的照片!"_s;
    }
    void badPhotoFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        QTemporaryDir dir;
        const QString path = writeFile(dir, name, data);
        TRecordingNotifier notifier;
        TReaderEditFrm form;
        form.imgPhoto1()->SetPhoto(RReaderPhoto::FromBitmap(sample()));
        QVERIFY(!form.LoadPhotoFile(path));
        QCOMPARE(notifier.LastText(),
                 message.contains(u"%1"_s) ? message.arg(QDir::toNativeSeparators(path)) : message);
        QVERIFY(!form.PhotoChanged());
        QCOMPARE(form.imgPhoto1()->Photo().Image.size(), sample().size());
    }

    void largePhotoIsShownScaledAndStoredAsGiven()
    {
        QVERIFY(TTestDatabase::OpenWithSchema(TTestDatabase::SQLite));
        ReaderFixture::AddReader(ReaderFixture::TReaderRow());
        QTemporaryDir dir;
        const QByteArray jpeg = encoded(sample(5472, 3648), "jpeg"); // 20 megapixels
        const QString path = writeFile(dir, u"camera.jpeg"_s, jpeg);
        TReaderEditFrm form;
        form.SetData(readerOf(1));
        form.SetOnSave(saveReader);
        form.show();
        QVERIFY(form.LoadPhotoFile(path));
        QVERIFY(form.imgPhoto1()->pixmap().width() <= form.imgPhoto1()->width());
        form.OkBtn1()->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(photoRow(1).Data, jpeg);
    }

    void nameIsRequired_data() { ReaderFixture::EngineRows(); }
    void nameIsRequired()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        TRecordingNotifier notifier;
        TReaderEditFrm form;
        form.SetOnSave(saveReader);
        form.edtName1()->setText(u"  "_s);
        form.edtCode1()->setText(u"R1"_s);
        form.show();
        form.OkBtn1()->click();
        QVERIFY(form.isVisible());
        QCOMPARE(notifier.LastText(), u"请输入读者姓名!"_s);
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readers"_s), 0);
    }

    void cancelStoresNothing_data() { ReaderFixture::EngineRows(); }
    void cancelStoresNothing()
    {
        QFETCH(QString, engine);
        QVERIFY(TTestDatabase::OpenWithSchema(engine));
        RReader reader = RReader::New();
        TModalScript script;
        script.Then(u"ReaderEditFrm"_s, [](QWidget* window) {
            auto* form = qobject_cast<TReaderEditFrm*>(window);
            form->edtName1()->setText(u"不存"_s);
            form->ClearPhoto();
            form->CancelBtn1()->click();
        });
        QVERIFY(!EditReader(reader, saveReader));
        QCOMPARE(ReaderFixture::Count(u"select count(*) from readers"_s), 0);
    }
};

QTEST_MAIN(tst_ReaderEditFrm)
#include "tst_readereditfrm.moc"
