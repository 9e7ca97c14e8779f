#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A reader's photo: the picture, the format it is stored in, and its stored bytes when it was read
// from a file or the database (kept, so a photo is stored as given and not encoded again).
struct RReaderPhoto
{
    QImage Image;
    QByteArray Format; // "jpeg", "bmp", "ico", ... as the image readers name them; empty when unknown
    QByteArray Data;   // the encoded picture; empty for a picture made in the program

    bool IsEmpty() const { return Image.isNull(); }

    // Reads a picture from its encoded bytes, finding the format from the contents unless `format`
    // names it. Not a picture: an empty photo.
    static RReaderPhoto FromData(const QByteArray& data, const QByteArray& format = QByteArray());
    static RReaderPhoto FromFile(const QString& path);
    // A picture taken in the program (the camera's frame): stored as a bitmap.
    static RReaderPhoto FromBitmap(const QImage& image);
};

// The class operations on table readersphoto, at most one photo per reader.
class TReadersPhotoSet
{
public:
    // The largest encoded photo stored; a camera bitmap at full HD is about 6 MB.
    static constexpr qsizetype MaxPhotoBytes = 16 * 1024 * 1024;

    // Stores or replaces the reader's photo; an empty photo deletes it. A format other than bitmap,
    // icon or JPEG raises EDatabaseError "未知的图片格式!", a photo above MaxPhotoBytes one naming
    // the limit, both before any statement runs. True when the last statement wrote one row.
    static bool SavePhoto(int readerId, const RReaderPhoto& photo);
    // Whether the reader has a photo row; when it has, `photo` holds the picture. An extension other
    // than .jpg, .jpeg, .bmp and .ico, or bytes that do not read as their format, tell the operator
    // through InfoBox and leave `photo` empty.
    static bool LoadPhoto(int readerId, RReaderPhoto& photo);
    // True when the reader has no photo row afterwards.
    static bool DeletePhoto(int readerId);
};
