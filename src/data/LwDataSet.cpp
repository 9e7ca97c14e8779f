#include "data/LwDataSet.h"

#include "data/DbError.h"

#include <QLocale>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlField>
#include <QtSql/QSqlRecord>
#include <algorithm>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

TFieldType typeOfColumn(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return TFieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TFieldType::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return TFieldType::DateTime;
    case QMetaType::Bool:
        return TFieldType::Boolean;
    case QMetaType::QByteArray:
        return TFieldType::Blob;
    default:
        return TFieldType::WideString;
    }
}

// Reads "yyyy-MM-dd", optionally followed by " hh:mm", ":ss" and ".zzz" (or "T" for the space),
// digit by digit: the stored form of every SQLite date, read once per cell when a set opens, where
// QDateTime::fromString would cost more than the rest of the load together.
QDateTime parseStoredDateTime(QStringView text)
{
    auto digits = [&](qsizetype at, int count, int& out) {
        if (at + count > text.size())
            return false;
        int value = 0;
        for (qsizetype i = at; i < at + count; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c - u'0');
        }
        out = value;
        return true;
    };
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    if (!digits(0, 4, year) || text.size() < 10 || text.at(4) != u'-' || !digits(5, 2, month) || text.at(7) != u'-' ||
        !digits(8, 2, day))
        return {};
    qsizetype at = 10;
    if (at < text.size()) {
        if ((text.at(at) != u' ' && text.at(at) != u'T') || !digits(at + 1, 2, hour) || at + 3 >= text.size() ||
            text.at(at + 3) != u':' || !digits(at + 4, 2, minute))
            return {};
        at += 6;
        if (at < text.size()) {
            if (text.at(at) != u':' || !digits(at + 1, 2, second))
                return {};
            at += 3;
            if (at < text.size()) {
                if (text.at(at) != u'.' || !digits(at + 1, 3, msec) || at + 4 != text.size())
                    return {};
            }
        }
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QDateTime parseDateTime(const QString& text)
{
    const QDateTime fast = parseStoredDateTime(text);
    if (fast.isValid())
        return fast;
    static const QString formats[] = {u"yyyy-MM-dd hh:mm:ss"_s, u"yyyy-MM-dd"_s, u"yyyy-MM-ddThh:mm:ss"_s,
                                      u"yyyy-MM-dd hh:mm:ss.zzz"_s, u"yyyy-MM-dd hh:mm"_s};
    const QString trimmed = text.trimmed();
    for (const QString& format : formats) {
        QDateTime value = QDateTime::fromString(trimmed, format);
        if (value.isValid())
            return value;
    }
    return QDateTime::fromString(trimmed, Qt::ISODate);
}

// "0.00" and "#,##0.00" give fixed decimals, "0.##" up to that many.
QString formatNumber(double value, const QString& format)
{
    const qsizetype dot = format.indexOf(u'.');
    const QString decimals = dot < 0 ? QString() : format.mid(dot + 1);
    const int places = int(decimals.size());
    const bool optional = decimals.contains(u'#');
    QString text = QString::number(value, 'f', places);
    if (optional && text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (format.contains(u',')) {
        const qsizetype point = text.indexOf(u'.');
        QString whole = point < 0 ? text : text.left(point);
        const QString rest = point < 0 ? QString() : text.mid(point);
        const bool negative = whole.startsWith(u'-');
        if (negative)
            whole.remove(0, 1);
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
        text = (negative ? u"-"_s : QString()) + whole + rest;
    }
    return text;
}

int compareValues(const QVariant& a, const QVariant& b, TFieldType type)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    switch (type) {
    case TFieldType::Integer:
    case TFieldType::Boolean: {
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TFieldType::Float: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TFieldType::DateTime: {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default:
        return a.toString().compare(b.toString(), Qt::CaseInsensitive);
    }
}

} // namespace

TLwDataSet::TLwDataSet(QObject* parent) : QAbstractTableModel(parent) {}

TLwDataSet::~TLwDataSet() = default;

// ---- fields ---------------------------------------------------------------------------------

TField& TLwDataSet::AddField(TFieldType type, const QString& name, int size, bool visible, const QString& label)
{
    m_autoFields = false;
    TField field;
    field.Name = name;
    field.Type = type;
    field.Size = size;
    field.Visible = visible;
    field.DisplayLabel = label;
    if (type == TFieldType::Integer || type == TFieldType::Float)
        field.Alignment = Qt::AlignRight | Qt::AlignVCenter;
    const bool structural = Active();
    if (structural && !ControlsDisabled())
        beginResetModel();
    m_fields.append(field);
    m_fieldIndex.insert(name.toLower(), int(m_fields.size()) - 1);
    // An added field on an open set starts out null in every row.
    for (TRow& row : m_rows)
        row.Values.append(QVariant());
    if (m_state == TState::Edit || m_state == TState::Insert)
        m_buffer.append(QVariant());
    if (structural) {
        if (ControlsDisabled())
            m_pendingReset = true;
        else
            endResetModel();
    }
    return m_fields.last();
}

void TLwDataSet::ClearFields()
{
    Close();
    m_fields.clear();
    m_fieldIndex.clear();
    m_autoFields = false;
}

int TLwDataSet::FieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toLower(), -1);
}

TField* TLwDataSet::FindField(const QString& name)
{
    const int index = FieldIndex(name);
    return index < 0 ? nullptr : &m_fields[index];
}

int TLwDataSet::requireField(const QString& name) const
{
    const int index = FieldIndex(name);
    if (index < 0)
        throw EDatabaseError(u"没有找到字段 '%1'"_s.arg(name));
    return index;
}

void TLwDataSet::requireActive() const
{
    if (!Active())
        throw EDatabaseError(u"数据集没有打开, 不能进行该操作."_s);
}

// ---- opening ----------------------------------------------------------------------------------

void TLwDataSet::CreateDataSet()
{
    if (!ControlsDisabled())
        beginResetModel();
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_state = TState::Browse;
    m_current = -1;
    m_eof = m_bof = true;
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endResetModel();
    emit CurrentChanged(0);
}

void TLwDataSet::Close()
{
    if (!Active())
        return;
    if (!ControlsDisabled())
        beginResetModel();
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_state = TState::Inactive;
    m_current = -1;
    m_eof = m_bof = true;
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endResetModel();
}

void TLwDataSet::LoadFromQuery(QSqlQuery& query)
{
    const QSqlRecord record = query.record();
    QList<int> columnOf; // result column of each field, -1 for calculated fields
    // Without declared fields each result brings its own; they are not kept for the next query.
    if (m_fields.isEmpty() || m_autoFields) {
        m_fields.clear();
        m_fieldIndex.clear();
        for (int c = 0; c < record.count(); ++c) {
            const TFieldType type = typeOfColumn(record.field(c).metaType());
            AddField(type, record.fieldName(c), -1, true, QString());
        }
        m_autoFields = true;
    }
    columnOf.reserve(m_fields.size());
    for (const TField& field : std::as_const(m_fields)) {
        if (field.Calculated) {
            columnOf.append(-1);
            continue;
        }
        int column = record.indexOf(field.Name);
        if (column < 0) {
            for (int c = 0; c < record.count(); ++c)
                if (record.fieldName(c).compare(field.Name, Qt::CaseInsensitive) == 0) {
                    column = c;
                    break;
                }
        }
        if (column < 0)
            throw EDatabaseError(u"没有找到字段 '%1'"_s.arg(field.Name));
        columnOf.append(column);
    }

    if (!ControlsDisabled())
        beginResetModel();
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_state = TState::Browse;
    const qsizetype fieldCount = m_fields.size();
    while (query.next()) {
        TRow row;
        row.Serial = m_nextSerial++;
        row.Values.reserve(fieldCount);
        for (qsizetype f = 0; f < fieldCount; ++f) {
            const int column = columnOf.at(f);
            row.Values.append(column < 0 ? QVariant() : Convert(m_fields.at(f).Type, query.value(column)));
        }
        m_rows.append(std::move(row));
    }
    if (m_onCalc)
        for (TRow& row : m_rows)
            calcRow(row);
    rebuildView(0);
    m_current = m_view.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.isEmpty();
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endResetModel();
    emit CurrentChanged(RecNo());
}

// ---- conversion and display -------------------------------------------------------------------

QVariant TLwDataSet::Convert(TFieldType type, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    switch (type) {
    case TFieldType::Integer: {
        if (value.typeId() == QMetaType::Int)
            return value;
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (ok)
            return int(number);
        const double real = value.toDouble(&ok);
        return ok ? QVariant(int(real)) : QVariant();
    }
    case TFieldType::Float: {
        if (value.typeId() == QMetaType::Double)
            return value;
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case TFieldType::DateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().startOfDay();
        {
            const QDateTime parsed = parseDateTime(value.toString());
            return parsed.isValid() ? QVariant(parsed) : QVariant();
        }
    case TFieldType::Boolean:
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString().trimmed().toLower();
            return text == u"1"_s || text == u"true"_s || text == u"t"_s || text == u"-1"_s;
        }
        return value.toBool();
    case TFieldType::Blob:
        return value.toByteArray();
    case TFieldType::String:
    case TFieldType::WideString:
    case TFieldType::Memo:
        if (value.typeId() == QMetaType::QString)
            return value;
        if (value.typeId() == QMetaType::QDateTime)
            return DisplayText(TField{}, value);
        return value.toString();
    }
    return value;
}

QString TLwDataSet::DisplayText(const TField& field, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (field.Type) {
    case TFieldType::Float:
        if (!field.DisplayFormat.isEmpty())
            return formatNumber(value.toDouble(), field.DisplayFormat);
        return QString::number(value.toDouble(), 'g', 15);
    case TFieldType::Integer:
        if (!field.DisplayFormat.isEmpty())
            return formatNumber(value.toDouble(), field.DisplayFormat);
        return QString::number(value.toLongLong());
    case TFieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        if (!field.DisplayFormat.isEmpty())
            return dt.toString(field.DisplayFormat);
        // whole dates show without a time, as everywhere in the program
        if (dt.time() == QTime(0, 0))
            return dt.toString(u"yyyy-MM-dd"_s);
        return dt.toString(u"yyyy-MM-dd hh:mm:ss"_s);
    }
    case TFieldType::Boolean:
        return value.toBool() ? u"是"_s : u"否"_s;
    case TFieldType::Blob:
        return u"(二进制数据)"_s;
    default:
        if (value.typeId() == QMetaType::QDateTime) {
            TField asDate;
            asDate.Type = TFieldType::DateTime;
            return DisplayText(asDate, value);
        }
        return value.toString();
    }
}

// ---- view: filter and sort ------------------------------------------------------------------

bool TLwDataSet::rowVisible(const TRow& row) const
{
    return !m_filter || m_filter(*this, row.Values);
}

void TLwDataSet::rebuildView(TBookmark keep)
{
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        if (rowVisible(m_rows.at(i)))
            m_view.append(i);
    if (!m_sortKeys.isEmpty())
        sortView();
    m_current = m_view.isEmpty() ? -1 : 0;
    if (keep) {
        for (int i = 0; i < m_view.size(); ++i)
            if (m_rows.at(m_view.at(i)).Serial == keep) {
                m_current = i;
                break;
            }
    }
    m_bof = m_current <= 0;
    m_eof = m_view.isEmpty();
}

namespace {

// One sort key read out of the rows once: numbers as numbers, texts case-folded, so a comparison
// costs no QVariant conversion. Orders exactly as compareValues does.
struct TSortColumn
{
    enum TKind
    {
        Whole,
        Real,
        Text,
    };
    TKind Kind = Text;
    bool Descending = false;
    std::vector<char> Nulls;
    std::vector<qint64> Wholes;
    std::vector<double> Reals;
    QList<QString> Texts;

    int compare(int a, int b) const
    {
        if (Nulls[a] || Nulls[b])
            return Nulls[a] == Nulls[b] ? 0 : (Nulls[a] ? -1 : 1);
        switch (Kind) {
        case Whole:
            return Wholes[a] < Wholes[b] ? -1 : (Wholes[a] > Wholes[b] ? 1 : 0);
        case Real:
            return Reals[a] < Reals[b] ? -1 : (Reals[a] > Reals[b] ? 1 : 0);
        case Text:
            return Texts.at(a).compare(Texts.at(b), Qt::CaseSensitive);
        }
        return 0;
    }
};

} // namespace

void TLwDataSet::sortView()
{
    const qsizetype count = m_rows.size();
    std::vector<TSortColumn> columns(m_sortKeys.size());
    for (qsizetype k = 0; k < m_sortKeys.size(); ++k) {
        const auto& [field, descending] = m_sortKeys.at(k);
        TSortColumn& column = columns[k];
        column.Descending = descending;
        column.Nulls.assign(count, 0);
        switch (m_fields.at(field).Type) {
        case TFieldType::Integer:
        case TFieldType::Boolean:
        case TFieldType::DateTime:
            column.Kind = TSortColumn::Whole;
            column.Wholes.assign(count, 0);
            break;
        case TFieldType::Float:
            column.Kind = TSortColumn::Real;
            column.Reals.assign(count, 0);
            break;
        default:
            column.Kind = TSortColumn::Text;
            column.Texts.resize(count);
        }
        const bool isDate = m_fields.at(field).Type == TFieldType::DateTime;
        for (const int row : std::as_const(m_view)) {
            const QVariant& value = m_rows.at(row).Values.at(field);
            if (value.isNull()) {
                column.Nulls[row] = 1;
                continue;
            }
            switch (column.Kind) {
            case TSortColumn::Whole:
                if (isDate) {
                    const QDateTime when = value.toDateTime();
                    column.Wholes[row] = when.isValid() ? when.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
                } else {
                    column.Wholes[row] = value.toLongLong();
                }
                break;
            case TSortColumn::Real:
                column.Reals[row] = value.toDouble();
                break;
            case TSortColumn::Text:
                column.Texts[row] = value.toString().toCaseFolded();
                break;
            }
        }
    }
    std::stable_sort(m_view.begin(), m_view.end(), [&columns](int a, int b) {
        for (const TSortColumn& column : columns) {
            const int c = column.compare(a, b);
            if (c != 0)
                return column.Descending ? c > 0 : c < 0;
        }
        return false;
    });
}

void TLwDataSet::SetFilter(TFilter filter)
{
    if (!ControlsDisabled())
        beginResetModel();
    m_filter = std::move(filter);
    m_filterText.clear();
    rebuildView(Bookmark());
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endResetModel();
    emit CurrentChanged(RecNo());
}

void TLwDataSet::ClearFilter()
{
    SetFilter(TFilter());
}

void TLwDataSet::SetKeywordFilter(const QString& fieldName, const QString& keyword)
{
    if (keyword.isEmpty()) {
        SetFilter(TFilter());
        return;
    }
    const int field = requireField(fieldName);
    // Matched as plain text: % _ and quotes in the keyword are letters, not patterns.
    SetFilter([field, keyword](const TLwDataSet& set, const QVariantList& values) {
        return DisplayText(set.Field(field), values.at(field)).contains(keyword, Qt::CaseInsensitive);
    });
    m_filterText = u"%1 like '%%2%'"_s.arg(m_fields.at(field).Name, keyword);
}

void TLwDataSet::SetSort(const QString& sortText)
{
    QList<QPair<int, bool>> keys;
    const QStringList items = sortText.split(u',', Qt::SkipEmptyParts);
    for (const QString& item : items) {
        QStringList words = item.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        bool descending = false;
        if (words.size() > 1) {
            const QString direction = words.last().toUpper();
            if (direction == u"DESC"_s) {
                descending = true;
                words.removeLast();
            } else if (direction == u"ASC"_s) {
                words.removeLast();
            }
        }
        const int field = FieldIndex(words.join(u' '));
        if (field < 0)
            throw EDatabaseError(u"没有找到字段 '%1'"_s.arg(words.join(u' ')));
        keys.append({field, descending});
    }
    if (!ControlsDisabled())
        beginResetModel();
    m_sortText = sortText;
    m_sortKeys = keys;
    rebuildView(Bookmark());
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endResetModel();
    emit CurrentChanged(RecNo());
}

// ---- navigation -------------------------------------------------------------------------------

void TLwDataSet::setCurrent(int index)
{
    const int before = m_current;
    m_current = m_view.isEmpty() ? -1 : std::clamp(index, 0, int(m_view.size()) - 1);
    if (m_current != before)
        emit CurrentChanged(RecNo());
}

void TLwDataSet::SetRecNo(int recNo)
{
    m_bof = m_eof = false;
    setCurrent(recNo - 1);
    if (m_view.isEmpty())
        m_bof = m_eof = true;
}

void TLwDataSet::First()
{
    setCurrent(0);
    m_bof = true;
    m_eof = m_view.isEmpty();
}

void TLwDataSet::Last()
{
    setCurrent(int(m_view.size()) - 1);
    m_eof = true;
    m_bof = m_view.isEmpty();
}

void TLwDataSet::Next()
{
    if (m_current + 1 < m_view.size()) {
        setCurrent(m_current + 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void TLwDataSet::Prior()
{
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool TLwDataSet::Locate(const QString& fieldName, const QVariant& value, int options)
{
    const int field = FieldIndex(fieldName);
    if (field < 0 || m_view.isEmpty())
        return false;
    const TFieldType type = m_fields.at(field).Type;
    const QVariant wanted = Convert(type, value);
    const Qt::CaseSensitivity cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool textual = type == TFieldType::String || type == TFieldType::WideString || type == TFieldType::Memo;
    const QString wantedText = wanted.toString();
    // Keys are whole numbers nearly always: compare the stored ints without going through QVariant.
    if (type == TFieldType::Integer && wanted.typeId() == QMetaType::Int) {
        const int key = *static_cast<const int*>(wanted.constData());
        for (int i = 0; i < m_view.size(); ++i) {
            const QVariant& have = m_rows.at(m_view.at(i)).Values.at(field);
            const bool match = have.typeId() == QMetaType::Int ? *static_cast<const int*>(have.constData()) == key
                                                               : !have.isNull() && have.toLongLong() == key;
            if (match) {
                setCurrent(i);
                m_bof = m_eof = false;
                return true;
            }
        }
        return false;
    }
    for (int i = 0; i < m_view.size(); ++i) {
        const QVariant& have = m_rows.at(m_view.at(i)).Values.at(field);
        bool match = false;
        if (wanted.isNull())
            match = have.isNull();
        else if (have.isNull())
            match = false;
        else if (textual)
            match = (options & PartialKey) ? have.toString().startsWith(wantedText, cs)
                                           : have.toString().compare(wantedText, cs) == 0;
        else
            match = compareValues(have, wanted, type) == 0;
        if (match) {
            setCurrent(i);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

TLwDataSet::TBookmark TLwDataSet::Bookmark() const
{
    if (m_current < 0 || m_current >= m_view.size())
        return 0;
    return m_rows.at(m_view.at(m_current)).Serial;
}

TLwDataSet::TBookmark TLwDataSet::BookmarkAt(int row) const
{
    if (row < 0 || row >= m_view.size())
        return 0;
    return m_rows.at(m_view.at(row)).Serial;
}

int TLwDataSet::RowOfBookmark(TBookmark bookmark) const
{
    for (int i = 0; i < m_view.size(); ++i)
        if (m_rows.at(m_view.at(i)).Serial == bookmark)
            return i;
    return -1;
}

bool TLwDataSet::GotoBookmark(TBookmark bookmark)
{
    for (int i = 0; i < m_view.size(); ++i)
        if (m_rows.at(m_view.at(i)).Serial == bookmark) {
            setCurrent(i);
            m_bof = m_eof = false;
            return true;
        }
    return false;
}

// ---- values -----------------------------------------------------------------------------------

QVariant TLwDataSet::Value(int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QVariant();
    if (m_state == TState::Calc && m_calcTarget)
        return m_calcTarget->Values.at(field);
    if (m_state == TState::Edit || m_state == TState::Insert)
        return m_buffer.at(field);
    if (m_current < 0 || m_current >= m_view.size())
        return QVariant();
    return m_rows.at(m_view.at(m_current)).Values.at(field);
}

QVariant TLwDataSet::Value(const QString& field) const
{
    return Value(requireField(field));
}

void TLwDataSet::SetValue(int field, const QVariant& value)
{
    if (field < 0 || field >= m_fields.size())
        throw EDatabaseError(u"没有找到字段 #%1"_s.arg(field));
    const QVariant converted = Convert(m_fields.at(field).Type, value);
    if (m_state == TState::Calc && m_calcTarget) {
        m_calcTarget->Values[field] = converted;
        return;
    }
    if (m_state != TState::Edit && m_state != TState::Insert)
        throw EDatabaseError(u"数据集不在编辑状态, 不能修改字段 '%1'"_s.arg(m_fields.at(field).Name));
    m_buffer[field] = converted;
}

void TLwDataSet::SetValue(const QString& field, const QVariant& value)
{
    SetValue(requireField(field), value);
}

QString TLwDataSet::AsString(const QString& field) const
{
    const int index = requireField(field);
    const QVariant value = Value(index);
    if (value.isNull())
        return QString();
    const TFieldType type = m_fields.at(index).Type;
    if (type == TFieldType::DateTime || type == TFieldType::Boolean)
        return DisplayText(m_fields.at(index), value);
    return value.toString();
}

int TLwDataSet::AsInteger(const QString& field) const
{
    return Value(field).toInt();
}

double TLwDataSet::AsFloat(const QString& field) const
{
    return Value(field).toDouble();
}

QDateTime TLwDataSet::AsDateTime(const QString& field) const
{
    return Convert(TFieldType::DateTime, Value(field)).toDateTime();
}

bool TLwDataSet::AsBoolean(const QString& field) const
{
    return Value(field).toBool();
}

QVariant TLwDataSet::CellValue(int row, int field) const
{
    if (row < 0 || row >= m_view.size() || field < 0 || field >= m_fields.size())
        return QVariant();
    return m_rows.at(m_view.at(row)).Values.at(field);
}

QString TLwDataSet::CellText(int row, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QString();
    return DisplayText(m_fields.at(field), CellValue(row, field));
}

// ---- editing ----------------------------------------------------------------------------------

void TLwDataSet::calcRow(TRow& row)
{
    if (!m_onCalc)
        return;
    const TState saved = m_state;
    m_state = TState::Calc;
    m_calcTarget = &row;
    try {
        m_onCalc(*this);
    } catch (...) {
        m_state = saved;
        m_calcTarget = nullptr;
        throw;
    }
    m_state = saved;
    m_calcTarget = nullptr;
}

void TLwDataSet::Append()
{
    requireActive();
    if (m_state == TState::Edit || m_state == TState::Insert)
        Post();
    m_buffer = QVariantList(m_fields.size());
    m_state = TState::Insert;
}

void TLwDataSet::Edit()
{
    requireActive();
    if (m_state == TState::Edit || m_state == TState::Insert)
        return;
    if (m_current < 0)
        throw EDatabaseError(u"数据集为空, 不能编辑."_s);
    m_buffer = m_rows.at(m_view.at(m_current)).Values;
    m_state = TState::Edit;
}

void TLwDataSet::Cancel()
{
    if (m_state == TState::Edit || m_state == TState::Insert) {
        m_buffer.clear();
        m_state = TState::Browse;
    }
}

void TLwDataSet::Post()
{
    if (m_state == TState::Insert) {
        TRow row;
        row.Serial = m_nextSerial++;
        row.Values = m_buffer;
        calcRow(row);
        m_buffer.clear();
        m_state = TState::Browse;
        if (!rowVisible(row) || !m_sortKeys.isEmpty()) {
            // the new row's place depends on the filter or the sort: rebuild the order
            if (!ControlsDisabled())
                beginResetModel();
            m_rows.append(std::move(row));
            rebuildView(m_rows.last().Serial);
            if (ControlsDisabled())
                m_pendingReset = true;
            else
                endResetModel();
        } else {
            const int at = int(m_view.size());
            if (!ControlsDisabled())
                beginInsertRows(QModelIndex(), at, at);
            m_rows.append(std::move(row));
            m_view.append(int(m_rows.size()) - 1);
            m_current = at;
            if (ControlsDisabled())
                m_pendingReset = true;
            else
                endInsertRows();
        }
        m_bof = m_eof = false;
        emit CurrentChanged(RecNo());
        return;
    }
    if (m_state == TState::Edit) {
        TRow& row = m_rows[m_view.at(m_current)];
        row.Values = m_buffer;
        calcRow(row);
        m_buffer.clear();
        m_state = TState::Browse;
        if (m_filter || !m_sortKeys.isEmpty()) {
            if (!ControlsDisabled())
                beginResetModel();
            rebuildView(row.Serial);
            if (ControlsDisabled())
                m_pendingReset = true;
            else
                endResetModel();
            emit CurrentChanged(RecNo());
        } else if (ControlsDisabled()) {
            m_pendingReset = true;
        } else {
            emit dataChanged(index(m_current, 0), index(m_current, int(m_fields.size()) - 1));
        }
    }
}

void TLwDataSet::Delete()
{
    requireActive();
    if (m_state == TState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (m_current < 0)
        return;
    const int at = m_current;
    const int storage = m_view.at(at);
    if (!ControlsDisabled())
        beginRemoveRows(QModelIndex(), at, at);
    m_rows.removeAt(storage);
    m_view.removeAt(at);
    for (int& index : m_view)
        if (index > storage)
            --index;
    if (ControlsDisabled())
        m_pendingReset = true;
    else
        endRemoveRows();
    // the row after the deleted one becomes current, or the new last row
    m_current = m_view.isEmpty() ? -1 : std::min(at, int(m_view.size()) - 1);
    m_eof = m_view.isEmpty();
    m_bof = m_current <= 0;
    emit CurrentChanged(RecNo());
}

// ---- controls ---------------------------------------------------------------------------------

void TLwDataSet::DisableControls()
{
    if (m_disableCount++ == 0)
        beginResetModel();
}

void TLwDataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        m_pendingReset = false;
        endResetModel();
        emit CurrentChanged(RecNo());
    }
}

// ---- model ------------------------------------------------------------------------------------

int TLwDataSet::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_view.size());
}

int TLwDataSet::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant TLwDataSet::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_view.size() || index.column() >= m_fields.size())
        return QVariant();
    const TField& field = m_fields.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(field, CellValue(index.row(), index.column()));
    case Qt::EditRole:
        return CellValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field.Alignment);
    default:
        return QVariant();
    }
}

QVariant TLwDataSet::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_fields.size())
            return QVariant();
        if (role == Qt::DisplayRole)
            return m_fields.at(section).Title();
        return QVariant();
    }
    if (role == Qt::DisplayRole)
        return section + 1;
    return QVariant();
}
