#pragma once

#include "grids/DataWriter.h"

// A plain HTML table: the captions in the first row, one row per record, every cell "nowrap" and
// followed by a blank. UTF-8, declared in the head; captions and values are escaped.
class THtmlWriter : public TDataWriter
{
public:
    bool Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns) override;

    // `text` with & < > and " written as entities.
    static QString Escape(const QString& text);
};
