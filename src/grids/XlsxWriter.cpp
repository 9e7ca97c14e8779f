#include "grids/XlsxWriter.h"

#include "data/LwDataSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

// Excel keeps at most this many characters in a cell.
constexpr qsizetype kMaxCellText = 32767;

QByteArray cellText(const QString& text)
{
    return text.size() > kMaxCellText ? text.left(kMaxCellText).toUtf8() : text.toUtf8();
}

} // namespace

bool TXlsxWriter::Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns)
{
    const int rows = set.RecordCount();
    if (rows + 1 > MaxRows) {
        setError(u"记录数 %1 超过了 Excel 电子表格的行数上限."_s.arg(rows));
        return false;
    }
    // The library writes only to a named file; build the workbook in a private folder and copy it.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        setError(folder.errorString());
        return false;
    }
    const QByteArray path = QFile::encodeName(folder.filePath(u"export.xlsx"_s));
    const QByteArray tmp = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    options.constant_memory = rows >= m_streamFrom ? LXW_TRUE : LXW_FALSE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook) {
        setError(u"无法建立 Excel 文件."_s);
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* text = workbook_add_format(workbook);
    format_set_num_format(text, "@");
    // Every column written is text, so codes like 0012 and long numbers stay as they are. (Only
    // those: a format on all 16,384 columns is walked again for every streamed row.)
    if (!columns.isEmpty())
        worksheet_set_column(sheet, 0, lxw_col_t(columns.size() - 1), LXW_DEF_COL_WIDTH, text);

    lxw_error status = LXW_NO_ERROR;
    for (qsizetype c = 0; c < columns.size() && status == LXW_NO_ERROR; ++c)
        status = worksheet_write_string(sheet, 0, lxw_col_t(c), cellText(columns.at(c).Caption).constData(), text);
    const QList<TField> fields = PlainFields(set, columns);
    for (int row = 0; row < rows && status == LXW_NO_ERROR; ++row)
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QByteArray value =
                cellText(TLwDataSet::DisplayText(fields.at(c), set.CellValue(row, columns.at(c).Field)));
            status = worksheet_write_string(sheet, lxw_row_t(row + 1), lxw_col_t(c), value.constData(), text);
            if (status != LXW_NO_ERROR)
                break;
        }
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR) {
        setError(QString::fromUtf8(lxw_strerror(status)));
        return false;
    }

    QFile built(QFile::decodeName(path));
    if (!built.open(QIODevice::ReadOnly)) {
        setError(built.errorString());
        return false;
    }
    TBlockOutput out(device);
    while (!built.atEnd()) {
        const QByteArray block = built.read(1 << 20);
        if (block.isEmpty() && built.error() != QFileDevice::NoError) {
            setError(built.errorString());
            return false;
        }
        if (!out.PutBytes(block))
            break;
    }
    if (!out.Flush()) {
        setError(out.ErrorString());
        return false;
    }
    return true;
}
