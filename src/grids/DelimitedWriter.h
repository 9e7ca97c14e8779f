#pragma once

#include "grids/DataWriter.h"

#include <QChar>

// Text with one line per record and every item followed by the delimiter (TAB or ","), UTF-8 with
// a byte-order mark so spreadsheet programs read the Chinese text right, lines ending in CR LF.
// With ",", an item holding a comma, a quote or a line break is quoted (quotes doubled); with TAB,
// tabs and line breaks inside an item become blanks, so every record stays one line.
class TDelimitedWriter : public TDataWriter
{
public:
    explicit TDelimitedWriter(QChar delimiter);

    bool Write(QIODevice* device, const TLwDataSet& set, const RExportColumns& columns) override;

    // One item as written, without the delimiter that follows it.
    QString Item(const QString& text) const;

private:
    QChar m_delimiter;
};
