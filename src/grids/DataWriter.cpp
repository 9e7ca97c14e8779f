#include "grids/DataWriter.h"

#include "data/LwDataSet.h"
#include "grids/DelimitedWriter.h"
#include "grids/HtmlWriter.h"
#include "grids/XlsxWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kBlock = 256 * 1024;

} // namespace

TDataWriter::~TDataWriter() = default;

std::unique_ptr<TDataWriter> TDataWriter::Create(TExportFormat format)
{
    switch (format) {
    case TExportFormat::Text:
        return std::make_unique<TDelimitedWriter>(u'\t');
    case TExportFormat::Excel:
        return std::make_unique<TXlsxWriter>();
    case TExportFormat::Html:
        return std::make_unique<THtmlWriter>();
    case TExportFormat::Csv:
        return std::make_unique<TDelimitedWriter>(u',');
    }
    return nullptr;
}

RExportFormatInfo TDataWriter::FormatInfo(TExportFormat format)
{
    switch (format) {
    case TExportFormat::Text:
        return {u"文本文件 (*.txt)"_s, u"文本文件(*.txt)|*.txt"_s, u"txt"_s};
    case TExportFormat::Excel:
        return {u"Microsoft Excel电子表格 (*.xlsx)"_s, u"Microsoft Excel 电子表格 (*.xlsx)|*.xlsx"_s, u"xlsx"_s};
    case TExportFormat::Html:
        return {u"网页 (*.html)"_s, u"网页文件(*.htm;*.html)|*.htm;*.html"_s, u"html"_s};
    case TExportFormat::Csv:
        return {u"CSV文件 (*.csv)"_s, u"CSV文件(*.csv)|*.csv"_s, u"csv"_s};
    }
    return {};
}

bool TDataWriter::WriteFile(TExportFormat format, const QString& path, const TLwDataSet& set,
                            const RExportColumns& columns, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = u"导出失败, 无法写入文件 %1:\r\n%2"_s.arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    std::unique_ptr<TDataWriter> writer = Create(format);
    if (!writer->Write(&file, set, columns)) {
        file.cancelWriting();
        return fail(writer->ErrorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString TDataWriter::ValueText(const TLwDataSet& set, int row, int field)
{
    TField plain = set.Field(field);
    plain.DisplayFormat.clear();
    return TLwDataSet::DisplayText(plain, set.CellValue(row, field));
}

QList<TField> TDataWriter::PlainFields(const TLwDataSet& set, const RExportColumns& columns)
{
    QList<TField> fields;
    fields.reserve(columns.size());
    for (const RExportColumn& column : columns) {
        TField plain = set.Field(column.Field);
        plain.DisplayFormat.clear();
        fields.append(plain);
    }
    return fields;
}

RExportColumns TDataWriter::VisibleFieldColumns(const TLwDataSet& set)
{
    RExportColumns columns;
    for (int f = 0; f < set.FieldCount(); ++f)
        if (set.Field(f).Visible)
            columns.append({f, set.Field(f).Title()});
    return columns;
}

// ---- block output -----------------------------------------------------------------------------

TBlockOutput::TBlockOutput(QIODevice* device) : m_device(device)
{
    m_buffer.reserve(kBlock + 4096);
}

bool TBlockOutput::Put(const QString& text)
{
    if (m_failed)
        return false;
    m_buffer += text.toUtf8();
    return m_buffer.size() < kBlock || writeOut();
}

bool TBlockOutput::PutBytes(const QByteArray& bytes)
{
    if (m_failed)
        return false;
    m_buffer += bytes;
    return m_buffer.size() < kBlock || writeOut();
}

bool TBlockOutput::Flush()
{
    if (m_failed)
        return false;
    return m_buffer.isEmpty() || writeOut();
}

bool TBlockOutput::writeOut()
{
    const qint64 written = m_device->write(m_buffer);
    if (written != m_buffer.size()) {
        m_failed = true;
        m_error = m_device->errorString();
        if (m_error.isEmpty() || m_error == u"Unknown error"_s)
            m_error = u"写入数据时出错 (磁盘可能已满)."_s;
        return false;
    }
    m_buffer.clear();
    return true;
}
