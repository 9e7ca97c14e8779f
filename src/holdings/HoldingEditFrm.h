#pragma once

#include <functional>

#include "app/ADlgFrm.h"
#include "holdings/CatalogSet.h"

#include <QHash>
#include <QVariantMap>

class QWidget;

// What the book and the journal dialogs share: fields declared as a table of rows, the class held by
// its "..." picker, the pick-list drop-downs with their list editors and the read-only counters.
// The derived dialog maps its record to and from the field values and saves through its callback.
class THoldingEditFrm : public TADlgFrm
{
    Q_OBJECT

public:
    enum class TKind {
        Text,
        Memo,
        PickList,        // a drop-down from pick list `List`, with "..." editing that list
        Publisher,       // a drop-down of the publishers' names, with "..." picking one from the publisher list
        PublisherByPick, // as Publisher, but the drop-down starts empty: only "..." offers the publishers
        Class,           // the class, read only, picked with "..."
        Price,           // a decimal number or empty
        Date,            // a date picker, today when the title has none
        QtyLib,          // digits only
        Counter,         // read only
    };
    struct TRow
    {
        TRow(QString label, QString field, TKind kind = TKind::Text, int list = -1, QString listCaption = {})
            : Label(std::move(label)), Field(std::move(field)), Kind(kind), List(list),
              ListCaption(std::move(listCaption))
        {
        }
        QString Label;
        QString Field;
        TKind Kind;
        int List;
        QString ListCaption;
    };

    // The editor of `field`.
    QWidget* Editor(const QString& field) const { return m_editors.value(field.toLower()); }

protected:
    THoldingEditFrm(const QString& objectName, const QString& caption, const QList<TRow>& rows, QWidget* parent);

    // "CataId", "CataMark", "CataName" for the class; the other fields by name; a counter of 0 shows empty.
    void setValues(const QVariantMap& values);
    // Integers read from a counter raise EConvertError for text that is not one.
    QVariantMap values() const;
    void showEvent(QShowEvent* event) override;
    // Runs `save` for CloseQuery: a typed value that cannot be read or a refusal of the database is
    // shown in an information box and keeps the dialog open with what was typed.
    static bool saveShowingErrors(const std::function<bool()>& save);

private:
    void pickClass();
    void pickPublisher(const TRow& row);
    void editList(const TRow& row);

    QList<TRow> m_rows;
    QHash<QString, QWidget*> m_editors; // lower-case field name
    RCatalog m_class;
    QString m_first;
};
