#include "holdings/ReadersPhotoSet.h"

#include "app/MessageHelpers.h"
#include "data/DBParameter.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/RowWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

using namespace Qt::StringLiterals;

namespace {

const QString kUnknownFormat = u"未知的图片格式!"_s;

// The extension a photo is stored under; empty for a format we do not store.
QString extensionOf(const QByteArray& format)
{
    const QByteArray f = format.toLower();
    if (f == "bmp")
        return u".bmp"_s;
    if (f == "ico")
        return u".ico"_s;
    if (f == "jpeg" || f == "jpg")
        return u".jpg"_s;
    return QString();
}

// The image reader's format for a stored extension; empty for one we cannot read. Metafiles
// (.emf, .wmf) have no reader on our platform.
QByteArray readerFormatOf(const QString& ext)
{
    const QString e = ext.trimmed().toLower();
    if (e == u".jpg"_s || e == u".jpeg"_s)
        return "jpeg";
    if (e == u".bmp"_s)
        return "bmp";
    if (e == u".ico"_s)
        return "ico";
    return QByteArray();
}

QImage decode(const QByteArray& data, const QByteArray& format, QByteArray* detected)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (!format.isEmpty()) // the stored extension says what it is; do not guess past it
        reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);
    if (detected)
        *detected = reader.format();
    return reader.read();
}

} // namespace

RReaderPhoto RReaderPhoto::FromData(const QByteArray& data, const QByteArray& format)
{
    RReaderPhoto photo;
    QByteArray detected;
    photo.Image = decode(data, format, &detected);
    if (photo.Image.isNull())
        return RReaderPhoto();
    photo.Format = format.isEmpty() ? detected : format;
    photo.Data = data;
    return photo;
}

RReaderPhoto RReaderPhoto::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return RReaderPhoto();
    return FromData(file.readAll());
}

RReaderPhoto RReaderPhoto::FromBitmap(const QImage& image)
{
    RReaderPhoto photo;
    photo.Image = image;
    if (!image.isNull())
        photo.Format = "bmp";
    return photo;
}

bool TReadersPhotoSet::SavePhoto(int readerId, const RReaderPhoto& photo)
{
    if (photo.IsEmpty())
        return DeletePhoto(readerId);
    const QString ext = extensionOf(photo.Format);
    if (ext.isEmpty())
        throw EDatabaseError(kUnknownFormat);

    QByteArray bytes = photo.Data;
    if (bytes.isEmpty()) {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, ext == u".jpg"_s ? QByteArray("jpeg") : ext.mid(1).toLatin1());
        if (!writer.write(photo.Image))
            throw EDatabaseError(u"照片保存失败: 图片不能写成 %1 格式!"_s.arg(ext));
    }
    if (bytes.size() > MaxPhotoBytes)
        throw EDatabaseError(u"照片太大 (%1 MB), 最多只能保存 %2 MB 的照片!"_s
                                 .arg(QString::number(double(bytes.size()) / (1024 * 1024), 'f', 1))
                                 .arg(MaxPhotoBytes / (1024 * 1024)));

    QBuffer stream(&bytes);
    return TRowWriter::UpdateOrInsert(
        u"update readersphoto set Ext=:Ext, Photo=:Photo where ReaderId=:ReaderId"_s,
        u"insert into readersphoto(Ext, Photo, ReaderId)values(:Ext, :Photo, :ReaderId)"_s,
        {MakeParam(u"Ext"_s, ext), MakeParam(u"ReaderId"_s, readerId)}, {TxDBParameter{u"Photo"_s, &stream}});
}

bool TReadersPhotoSet::LoadPhoto(int readerId, RReaderPhoto& photo)
{
    photo = RReaderPhoto();
    QSqlQuery query = Database().Select(u"select Ext, Photo from readersphoto where ReaderId=:ReaderId"_s,
                                        {MakeParam(u"ReaderId"_s, readerId)});
    if (!query.next())
        return false;
    const QByteArray format = readerFormatOf(query.value(0).toString());
    if (format.isEmpty()) {
        InfoBox(kUnknownFormat);
        return true;
    }
    photo = RReaderPhoto::FromData(query.value(1).toByteArray(), format);
    if (photo.IsEmpty())
        InfoBox(u"照片数据已损坏, 不能显示!"_s);
    return true;
}

bool TReadersPhotoSet::DeletePhoto(int readerId)
{
    TDatabase& db = Database();
    const TDBParameters params{MakeParam(u"ReaderId"_s, readerId)};
    db.ExecSQL(u"delete from readersphoto where ReaderId=:ReaderId"_s, params);
    QSqlQuery left = db.Select(u"select ReaderId from readersphoto where ReaderId=:ReaderId"_s, params);
    return !left.next();
}
