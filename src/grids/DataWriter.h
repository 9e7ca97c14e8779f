#pragma once

#include "data/LwDataSet.h"

#include <QList>
#include <QString>
#include <memory>

class QIODevice;

// One exported column: the field's position in the data set and the caption written above it.
struct RExportColumn
{
    int Field = -1;
    QString Caption;
};
using RExportColumns = QList<RExportColumn>;

// The export formats, in the order the export dialog offers them.
enum class TExportFormat {
    Text = 0,
    Excel = 1,
    Html = 2,
    Csv = 3,
};

// What the export dialog shows for a format; the filter is in the "description|patterns" form.
struct RExportFormatInfo
{
    QString Caption;
    QString Filter;
    QString DefaultExt;
};

// Base of the export writers. A writer reads the rows a data set shows (its filter and sort
// included) by position, so the data set's current row never moves while it writes.
class TDataWriter
{
public:
    virtual ~TDataWriter();

    // Writes the caption row and one row per record to `device` (open for writing). False when the
    // device refuses a write; ErrorString() then says why.
    virtual bool Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns) = 0;
    QString ErrorString() const { return m_error; }

    static std::unique_ptr<TDataWriter> Create(TExportFormat format);
    static RExportFormatInfo FormatInfo(TExportFormat format);
    static constexpr int FormatCount = 4;

    // Writes `path` through a temporary file beside it that replaces the file only when everything
    // was written, so a failed export leaves no partial file and an older file intact. On failure
    // `error` holds the message for the operator.
    static bool WriteFile(TExportFormat format, const QString& path, const TLwDataSet& set,
                          const RExportColumns& columns, QString* error = nullptr);

    // A value as exported: the field's text form (dates as the program shows them, numbers without
    // display format, null as empty text).
    static QString ValueText(const TLwDataSet& set, int row, int field);
    // The fields of `columns` as ValueText reads them, for writers that convert many rows.
    static QList<TField> PlainFields(const TLwDataSet& set, const RExportColumns& columns);
    // One column per visible field, in field order, captioned with the display label.
    static RExportColumns VisibleFieldColumns(const TLwDataSet& set);

protected:
    void setError(const QString& error) { m_error = error; }

private:
    QString m_error;
};

// Collects text as UTF-8 and hands it to a device in large blocks; remembers the first refusal.
class TBlockOutput
{
public:
    explicit TBlockOutput(QIODevice* device);
    bool Put(const QString& text);
    bool PutBytes(const QByteArray& bytes);
    // Writes what is held; false when the device refused any write.
    bool Flush();
    QString ErrorString() const { return m_error; }

private:
    bool writeOut();

    QIODevice* m_device;
    QByteArray m_buffer;
    QString m_error;
    bool m_failed = false;
};
