#pragma once

#include "grids/DataWriter.h"

// A real Excel workbook (.xlsx) of one sheet: every cell formatted and written as text, row 1 the
// captions, then one row per record.
class TXlsxWriter : public TDataWriter
{
public:
    // From `streamFrom` records on, rows go to disk as they are written and texts are stored in
    // their cells instead of the shared-strings table: memory stays flat and large sheets are
    // written about a third faster. Spreadsheet programs read both forms alike.
    explicit TXlsxWriter(int streamFrom = 10000) : m_streamFrom(streamFrom) {}

    bool Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns) override;

    // The most rows a sheet takes, caption row included.
    static constexpr int MaxRows = 1048576;

private:
    int m_streamFrom;
};
