#pragma once

#include "grids/DataWriter.h"

// A real Excel workbook (.xlsx) of one sheet: every cell formatted and written as text, row 1 the
// captions, then one row per record.
class TXlsxWriter : public TDataWriter
{
public:
    bool Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns) override;

    // The most rows a sheet takes, caption row included.
    static constexpr int MaxRows = 1048576;
};
