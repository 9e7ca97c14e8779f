#pragma once

#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "holdings/CatalogSet.h"
#include "holdings/ReaderSet.h"
#include "holdings/ReaderskindSet.h"
#include "holdings/ReadersPhotoSet.h"

#include <QLabel>
#include <QPixmap>
#include <QVariant>
#include <variant>

// The lookup controls the edit windows use in place of plain edits, drop-downs and pictures.

// An edit that holds at most one picked record, a class of the catalogue or a reader, and shows its
// name. The record is a copy: it lives until the edit is cleared, given another or destroyed.
class TLookupEdit : public TlwEdit
{
    Q_OBJECT

public:
    explicit TLookupEdit(QWidget* parent = nullptr);

    // Empties the text and drops the held record.
    void Clear();
    // The held record's Id; null when nothing is held.
    QVariant Value() const;
    bool HoldsCatalog() const { return std::holds_alternative<RCatalog>(m_record); }
    bool HoldsReader() const { return std::holds_alternative<RReader>(m_record); }

    // ---- classes
    // Holds `record` and shows its name; true, so it serves as a pick callback.
    bool SetCatalog(const RCatalog& record);
    // The catalogue window with SetCatalog as its pick; true when a class was picked.
    bool PickCatalog();
    // Holds the class a title names: its CataId (null counts as 0), CataMark and CataName.
    void SetCatalogFromTitle(const QVariant& cataId, const QString& cataMark, const QString& cataName);
    // The held class; a default record when none is held.
    RCatalog Catalog() const;

    // ---- readers
    // The held reader, or a new reader record when none is held.
    RReader Reader() const;
    // Holds `reader` without touching the text.
    void SetReader(const RReader& reader);
    // Holds `reader` and shows its name; true, so it serves as a pick callback.
    bool ShowReader(const RReader& reader);
    // The reader pick window (layout 1010) over every reader; true when one was picked.
    bool PickReader();

signals:
    // A record was picked into the edit through one of the pick operations.
    void Picked();

private:
    std::variant<std::monostate, RCatalog, RReader> m_record;
};

// A drop-down filled from a table or a pick list. Items may carry a record (a reader kind, a reader
// state) or a code, and the selection reads back as what the list stands for.
class TLookupComboBox : public TlwComboBox
{
    Q_OBJECT

public:
    // The pick lists of table options.
    enum TPickList {
        plFormats = 0,
        plBindings = 1,
        plLanguages = 2,
        plPlaces = 3,
        plDepartments = 4,
        plPeriods = 5,
        plOverdueDays = 6,
        plOverdueFines = 7,
    };

    explicit TLookupComboBox(QWidget* parent = nullptr);

    // ---- publishers
    // Every publisher's name, as plain text items.
    void LoadPublishers();
    // The publisher pick window (layout 1031); the picked name becomes the text. True when one was picked.
    bool PickPublisher();

    // ---- reader states
    void LoadStates();
    // The selected state's Id; null with no selection.
    QVariant StateId() const;
    void SelectState(const QVariant& stateId);

    // ---- reader kinds
    void LoadKinds();
    // The selected kind's Id; null with no selection.
    QVariant KindId() const;
    // The selected kind, or the default kind record with no selection.
    RReaderskind Kind() const;
    // Selects the kind with Id `kindId`; no selection when it is null or not in the list.
    void SelectKind(const QVariant& kindId);
    // The kind pick window (layout 1006) on the selected kind; the picked kind is selected, added
    // first when the list lacks it, and Changed() fires. True when one was picked.
    bool PickKind();

    // ---- pick lists
    // The items of pick list `list`; the selection reads as the text.
    void LoadList(int list);
    // The pick-list editor on the items, with the list's caption; on OK the items are stored as the
    // list. The typed text stays. True when the items were stored.
    bool EditList(int list);
    // The caption the pick-list editor shows for list `list` (0 to 5); empty for the others.
    static QString ListCaption(int list);
    // The text as an integer (overdue days, list 6) or a decimal number (overdue fines, list 7):
    // null when blank; a value not yet among the items is added to them and the list stored. Text
    // that is no number warns and reads as null.
    QVariant IntegerValue();
    QVariant NumberValue();

    // ---- codes
    // "从押金中支付" (2), "现金支付" (3) and, with `withLater`, "以后再罚" (1), appended.
    void LoadPaymentTypes(bool withLater);
    // "退还到押金里" (2), "退还现金" (3), "不予退还" (1), appended.
    void LoadRefundTypes();
    // The selected item's code; null with no selection.
    QVariant Code() const;
    // Selects the last item with `code`; no selection when there is none.
    void SelectCode(int code);

    // ---- yes / no filters
    // "全部", "已归还", "未归还".
    void LoadReturnFilter();
    // "全部", "已注销", "未注销".
    void LoadWriteoffFilter();
    // True for the second item, false for the third, null otherwise.
    QVariant FilterValue() const;

    // ---- operators
    // Every login name but "sa".
    void LoadOperators();

signals:
    // The operator chose an item, or a pick selected one.
    void Changed();

private:
    // Empties the list and returns the text typed into it; finishLoad selects nothing and restores it.
    QString clearItems();
    void finishLoad(const QString& typed);
    // The typed value as a number of list `list`, learned into it when new.
    QVariant learnedValue(int list, bool integer);
    int indexOfKind(int kindId) const;
};

// A reader's photo, stretched to the control and keeping its proportions; a double click shows it
// full size.
class TPhotoImage : public QLabel
{
    Q_OBJECT

public:
    explicit TPhotoImage(QWidget* parent = nullptr);

    // Shows the stored photo of reader `readerId`, or nothing. True when the reader has a photo row.
    bool ShowReaderPhoto(int readerId);
    void SetPhoto(const RReaderPhoto& photo);
    const RReaderPhoto& Photo() const { return m_photo; }
    bool HasPicture() const { return !m_photo.IsEmpty(); }
    void ClearPhoto();
    // The full-size picture window, when a picture is shown.
    void ShowBig();
    // The text shown while there is no picture.
    void SetEmptyText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    RReaderPhoto m_photo;
    QString m_emptyText;
};
