#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

class QSqlQuery;

enum class TFieldType
{
    Integer,
    String,
    WideString,
    Memo,
    Float,
    DateTime,
    Boolean,
    Blob,
};

// One declared column of a data set.
struct TField
{
    QString Name;
    TFieldType Type = TFieldType::WideString;
    int Size = -1;
    bool Visible = true;
    QString DisplayLabel;
    int DisplayWidth = 0; // in characters; 0 means the type's default
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString DisplayFormat; // "0.00", "0.##", "#,##0.00", or a date format
    bool Calculated = false;

    QString Title() const { return DisplayLabel.isEmpty() ? Name : DisplayLabel; }
};

// Our in-memory data set: declared fields, rows of values, a current row, client-side editing,
// filter, sort and calculated fields. It is the table model every grid, export and report reads.
class TLwDataSet : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class TState
    {
        Inactive,
        Browse,
        Edit,
        Insert,
        Calc,
    };
    enum TLocateOption
    {
        CaseInsensitive = 1,
        PartialKey = 2,
    };
    using TBookmark = qint64;
    using TFilter = std::function<bool(const TLwDataSet& set, const QVariantList& values)>;
    using TCalcFields = std::function<void(TLwDataSet& set)>;

    explicit TLwDataSet(QObject* parent = nullptr);
    ~TLwDataSet() override;

    // Fields
    TField& AddField(TFieldType type, const QString& name, int size = -1, bool visible = true,
                     const QString& label = QString());
    void ClearFields();
    int FieldCount() const { return int(m_fields.size()); }
    const TField& Field(int index) const { return m_fields.at(index); }
    TField& Field(int index) { return m_fields[index]; }
    // Case-insensitive; -1 when there is no such field.
    int FieldIndex(const QString& name) const;
    TField* FindField(const QString& name);
    const QList<TField>& Fields() const { return m_fields; }

    // Opening and closing
    bool Active() const { return m_state != TState::Inactive; }
    TState State() const { return m_state; }
    // Opens an empty client table on the declared fields.
    void CreateDataSet();
    void Close();
    // Replaces the rows with the query's result. Declared fields bind by name and each must be in
    // the result (EDatabaseError otherwise); without declared fields, one field per column is made.
    void LoadFromQuery(QSqlQuery& query);

    // Navigation, over the filtered and sorted rows
    int RecordCount() const { return int(m_view.size()); }
    bool IsEmpty() const { return m_view.isEmpty(); }
    int RecNo() const { return m_current < 0 ? 0 : m_current + 1; }
    void SetRecNo(int recNo);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool Locate(const QString& field, const QVariant& value, int options = CaseInsensitive);
    TBookmark Bookmark() const;
    bool GotoBookmark(TBookmark bookmark);
    // The bookmark of the row at `row` of the shown order (0 when there is none), and back (-1).
    TBookmark BookmarkAt(int row) const;
    int RowOfBookmark(TBookmark bookmark) const;

    // The current row (or the edit buffer while editing)
    QVariant Value(int field) const;
    QVariant Value(const QString& field) const;
    void SetValue(int field, const QVariant& value);
    void SetValue(const QString& field, const QVariant& value);
    bool IsNull(const QString& field) const { return Value(field).isNull(); }
    // Null reads as empty text, 0 or false.
    QString AsString(const QString& field) const;
    int AsInteger(const QString& field) const;
    double AsFloat(const QString& field) const;
    QDateTime AsDateTime(const QString& field) const;
    bool AsBoolean(const QString& field) const;

    // Client-side editing; nothing here reaches the database.
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // A row by its position in the shown order, for grids, exports and reports.
    QVariant CellValue(int row, int field) const;
    QString CellText(int row, int field) const;

    // Filter and sort. The sort text is "A, B DESC".
    void SetFilter(TFilter filter);
    void ClearFilter();
    bool Filtered() const { return bool(m_filter); }
    // Keeps the rows whose `field` text contains `keyword`, letter case ignored; FilterText() then
    // reads "<field> like '%<keyword>%'". An empty keyword shows every row again.
    void SetKeywordFilter(const QString& field, const QString& keyword);
    // The filter in words when it was given as a keyword; empty otherwise.
    QString FilterText() const { return m_filterText; }
    void SetSort(const QString& sortText);
    QString Sort() const { return m_sortText; }

    void SetOnCalcFields(TCalcFields callback) { m_onCalc = std::move(callback); }

    // While controls are disabled the views hear nothing; enabling tells them once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Converts a database or typed value to the field's type (dates from their stored text).
    static QVariant Convert(TFieldType type, const QVariant& value);
    // The text a grid shows for a value of the field.
    static QString DisplayText(const TField& field, const QVariant& value);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The current row moved (RecNo, 0 when empty).
    void CurrentChanged(int recNo);

private:
    struct TRow
    {
        TBookmark Serial = 0;
        QVariantList Values;
    };

    int requireField(const QString& name) const;
    void requireActive() const;
    void rebuildView(TBookmark keep);
    void sortView();
    void calcRow(TRow& row);
    void setCurrent(int index);
    bool rowVisible(const TRow& row) const;

    QList<TField> m_fields;
    QHash<QString, int> m_fieldIndex; // lower-case name -> index
    QList<TRow> m_rows;
    QList<int> m_view; // indexes into m_rows in shown order
    TBookmark m_nextSerial = 1;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    TState m_state = TState::Inactive;
    QVariantList m_buffer;
    TRow* m_calcTarget = nullptr;
    TFilter m_filter;
    QString m_filterText;
    QString m_sortText;
    QList<QPair<int, bool>> m_sortKeys; // field index, descending
    TCalcFields m_onCalc;
    int m_disableCount = 0;
    bool m_pendingReset = false;
    bool m_autoFields = false;
};
