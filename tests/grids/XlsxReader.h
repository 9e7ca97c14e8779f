#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads back what the export wrote into an .xlsx, through libzip, for the tests.
namespace XlsxReader {

// The bytes of one entry of a zip archive; empty when it is missing.
QByteArray Entry(const QByteArray& zip, const QString& name);
// The first sheet's cells as text, row by row (shared strings resolved, _xHHHH_ escapes decoded).
QList<QStringList> Cells(const QByteArray& xlsx);

} // namespace XlsxReader
