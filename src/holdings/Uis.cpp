#include "holdings/Uis.h"

#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "holdings/CatalogEditFrm.h"
#include "holdings/ImageViewFrm.h"
#include "holdings/InfoLists.h"
#include "holdings/PickerFrm.h"
#include "holdings/PublisherSet.h"
#include "holdings/ReaderList.h"
#include "holdings/ReaderstateSet.h"
#include "project/ListItemEditFrm.h"
#include "project/OperatorSet.h"
#include "project/PickListSet.h"

#include <QMouseEvent>

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------------------------------------
// TLookupEdit

TLookupEdit::TLookupEdit(QWidget* parent) : TlwEdit(parent) {}

void TLookupEdit::Clear()
{
    clear();
    m_record = std::monostate();
}

QVariant TLookupEdit::Value() const
{
    if (const auto* catalog = std::get_if<RCatalog>(&m_record))
        return catalog->Id;
    if (const auto* reader = std::get_if<RReader>(&m_record))
        return reader->Id;
    return QVariant();
}

bool TLookupEdit::SetCatalog(const RCatalog& record)
{
    m_record = record;
    setText(record.Name);
    return true;
}

bool TLookupEdit::PickCatalog()
{
    const bool picked = ShowCatalog([this](const RCatalog& record) { return SetCatalog(record); }, this);
    if (picked)
        emit Picked();
    return picked;
}

void TLookupEdit::SetCatalogFromTitle(const QVariant& cataId, const QString& cataMark, const QString& cataName)
{
    RCatalog record;
    record.Id = cataId.isNull() ? 0 : cataId.toInt();
    record.Mark = cataMark;
    record.Name = cataName;
    record.Path = cataName;
    SetCatalog(record);
}

RCatalog TLookupEdit::Catalog() const
{
    if (const auto* catalog = std::get_if<RCatalog>(&m_record))
        return *catalog;
    return RCatalog();
}

RReader TLookupEdit::Reader() const
{
    if (const auto* reader = std::get_if<RReader>(&m_record))
        return *reader;
    return RReader::New();
}

void TLookupEdit::SetReader(const RReader& reader)
{
    m_record = reader;
}

bool TLookupEdit::ShowReader(const RReader& reader)
{
    SetReader(reader);
    setText(reader.Name);
    return true;
}

bool TLookupEdit::PickReader()
{
    RReader reader;
    if (!::PickReader(reader, this))
        return false;
    ShowReader(reader);
    emit Picked();
    return true;
}

// ---------------------------------------------------------------------------------------------
// TLookupComboBox

namespace {

const int kRecordRole = Qt::UserRole;

} // namespace

TLookupComboBox::TLookupComboBox(QWidget* parent) : TlwComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &TLookupComboBox::Changed);
}

QString TLookupComboBox::clearItems()
{
    const QString typed = isEditable() ? currentText() : QString();
    clear();
    return typed;
}

void TLookupComboBox::finishLoad(const QString& typed)
{
    // A load chooses nothing (a list filled from empty would otherwise choose its first item), and
    // an editable drop-down keeps what the operator typed.
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(typed);
}

void TLookupComboBox::LoadPublishers()
{
    const QString typed = clearItems();
    addItems(TPublisherSet::Names());
    finishLoad(typed);
}

bool TLookupComboBox::PickPublisher()
{
    TPublisherList list;
    if (!PickFromList(list.DataSet(), 1031, {}, this))
        return false;
    const QString name = list.Set().AsData().Name;
    if (isEditable()) {
        setEditText(name);
    } else {
        int index = findText(name, Qt::MatchExactly);
        if (index < 0) {
            addItem(name);
            index = count() - 1;
        }
        setCurrentIndex(index);
    }
    emit Changed();
    return true;
}

void TLookupComboBox::LoadStates()
{
    const QString typed = clearItems();
    for (const RReaderstate& state : TReaderstateSet::LoadAll())
        addItem(state.Name, QVariant::fromValue(state));
    finishLoad(typed);
}

QVariant TLookupComboBox::StateId() const
{
    const QVariant item = currentIndex() < 0 ? QVariant() : itemData(currentIndex(), kRecordRole);
    if (item.metaType() != QMetaType::fromType<RReaderstate>())
        return QVariant();
    return item.value<RReaderstate>().Id;
}

void TLookupComboBox::SelectState(const QVariant& stateId)
{
    int found = -1;
    if (!stateId.isNull())
        for (int i = 0; i < count() && found < 0; ++i)
            if (itemData(i, kRecordRole).metaType() == QMetaType::fromType<RReaderstate>() &&
                itemData(i, kRecordRole).value<RReaderstate>().Id == stateId.toInt())
                found = i;
    setCurrentIndex(found);
}

void TLookupComboBox::LoadKinds()
{
    const QString typed = clearItems();
    TReaderskindSet kinds;
    kinds.OpenAll();
    TLwDataSet* rows = kinds.DataSet();
    for (rows->First(); !rows->Eof(); rows->Next()) {
        const RReaderskind kind = kinds.AsData();
        addItem(kind.Name, QVariant::fromValue(kind));
    }
    finishLoad(typed);
}

int TLookupComboBox::indexOfKind(int kindId) const
{
    for (int i = 0; i < count(); ++i) {
        const QVariant item = itemData(i, kRecordRole);
        if (item.metaType() == QMetaType::fromType<RReaderskind>() && item.value<RReaderskind>().Id == kindId)
            return i;
    }
    return -1;
}

QVariant TLookupComboBox::KindId() const
{
    if (currentIndex() < 0)
        return QVariant();
    const QVariant item = itemData(currentIndex(), kRecordRole);
    if (item.metaType() != QMetaType::fromType<RReaderskind>())
        return QVariant();
    return item.value<RReaderskind>().Id;
}

RReaderskind TLookupComboBox::Kind() const
{
    if (currentIndex() < 0)
        return RReaderskind();
    const QVariant item = itemData(currentIndex(), kRecordRole);
    if (item.metaType() != QMetaType::fromType<RReaderskind>())
        return RReaderskind();
    return item.value<RReaderskind>();
}

void TLookupComboBox::SelectKind(const QVariant& kindId)
{
    setCurrentIndex(kindId.isNull() ? -1 : indexOfKind(kindId.toInt()));
}

bool TLookupComboBox::PickKind()
{
    TReaderskindList list;
    const QVariant current = KindId();
    if (!current.isNull())
        list.DataSet()->Locate(u"Id"_s, current);
    if (!PickFromList(list.DataSet(), 1006, {}, this))
        return false;
    const RReaderskind kind = list.Set().AsData();
    int index = indexOfKind(kind.Id);
    if (index < 0) {
        addItem(kind.Name, QVariant::fromValue(kind));
        index = count() - 1;
    } else {
        // the kind may have been edited in the pick window
        setItemText(index, kind.Name);
        setItemData(index, QVariant::fromValue(kind), kRecordRole);
    }
    setCurrentIndex(index);
    emit Changed();
    return true;
}

void TLookupComboBox::LoadList(int list)
{
    const QString typed = clearItems();
    QStringList items;
    TPickListSet::LoadItems(list, items);
    addItems(items);
    finishLoad(typed);
}

QString TLookupComboBox::ListCaption(int list)
{
    static const QStringList captions = {u"图书开本"_s, u"装订版面"_s, u"语种"_s,
                                         u"存放位置"_s, u"工作部门"_s, u"出版周期"_s};
    return list >= 0 && list < captions.size() ? captions.at(list) : QString();
}

bool TLookupComboBox::EditList(int list)
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    if (!EditPickList(ListCaption(list), items, this))
        return false;
    const bool stored = TPickListSet::SaveItems(list, items);
    const QString typed = currentText();
    clear();
    addItems(items);
    finishLoad(typed);
    if (!isEditable())
        setCurrentIndex(findText(typed, Qt::MatchExactly));
    return stored;
}

QVariant TLookupComboBox::learnedValue(int list, bool integer)
{
    const QString text = currentText().trimmed();
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    QVariant value;
    if (integer)
        value = text.toInt(&ok);
    else
        value = text.toDouble(&ok);
    if (!ok) {
        Notifier().Warning(
            (integer ? u"\r\n%1 不是有效的整数!\t"_s : u"\r\n%1 不是有效的数字!\t"_s).arg(currentText()));
        return QVariant();
    }
    if (findText(text, Qt::MatchExactly) < 0) {
        addItem(text);
        QStringList items;
        for (int i = 0; i < count(); ++i)
            items.append(itemText(i));
        TPickListSet::SaveItems(list, items);
    }
    return value;
}

QVariant TLookupComboBox::IntegerValue()
{
    return learnedValue(plOverdueDays, true);
}

QVariant TLookupComboBox::NumberValue()
{
    return learnedValue(plOverdueFines, false);
}

void TLookupComboBox::LoadPaymentTypes(bool withLater)
{
    // appending leaves the selection alone: the first item added to an empty list is not chosen
    const int selected = currentIndex();
    addItem(u"从押金中支付"_s, 2);
    addItem(u"现金支付"_s, 3);
    if (withLater)
        addItem(u"以后再罚"_s, 1);
    setCurrentIndex(selected);
}

void TLookupComboBox::LoadRefundTypes()
{
    const int selected = currentIndex();
    addItem(u"退还到押金里"_s, 2);
    addItem(u"退还现金"_s, 3);
    addItem(u"不予退还"_s, 1);
    setCurrentIndex(selected);
}

QVariant TLookupComboBox::Code() const
{
    if (currentIndex() < 0)
        return QVariant();
    const QVariant item = itemData(currentIndex(), kRecordRole);
    return item.metaType() == QMetaType::fromType<int>() ? item : QVariant();
}

void TLookupComboBox::SelectCode(int code)
{
    int found = -1;
    for (int i = 0; i < count(); ++i) {
        const QVariant item = itemData(i, kRecordRole);
        if (item.metaType() == QMetaType::fromType<int>() && item.toInt() == code)
            found = i;
    }
    setCurrentIndex(found);
}

void TLookupComboBox::LoadReturnFilter()
{
    clear();
    addItems({u"全部"_s, u"已归还"_s, u"未归还"_s});
    setCurrentIndex(0);
}

void TLookupComboBox::LoadWriteoffFilter()
{
    clear();
    addItems({u"全部"_s, u"已注销"_s, u"未注销"_s});
    setCurrentIndex(0);
}

QVariant TLookupComboBox::FilterValue() const
{
    switch (currentIndex()) {
    case 1:
        return true;
    case 2:
        return false;
    default:
        return QVariant();
    }
}

void TLookupComboBox::LoadOperators()
{
    const QString typed = clearItems();
    addItems(TOperatorSet::ListLoginIds().split(u"\r\n"_s, Qt::SkipEmptyParts));
    finishLoad(typed);
}

// ---------------------------------------------------------------------------------------------
// TPhotoImage

TPhotoImage::TPhotoImage(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
}

// The picture follows the control's size, never the other way round: the sizes do not depend on it.
QSize TPhotoImage::sizeHint() const
{
    return QSize(120, 150);
}

QSize TPhotoImage::minimumSizeHint() const
{
    return QSize(60, 60);
}

void TPhotoImage::SetEmptyText(const QString& text)
{
    m_emptyText = text;
    if (m_photo.IsEmpty())
        setText(text);
}

bool TPhotoImage::ShowReaderPhoto(int readerId)
{
    RReaderPhoto photo;
    const bool exists = readerId > 0 && TReadersPhotoSet::LoadPhoto(readerId, photo);
    SetPhoto(photo);
    return exists;
}

void TPhotoImage::SetPhoto(const RReaderPhoto& photo)
{
    m_photo = photo;
    rescale();
}

void TPhotoImage::ClearPhoto()
{
    SetPhoto(RReaderPhoto());
}

void TPhotoImage::ShowBig()
{
    if (!m_photo.IsEmpty())
        ShowBigImage(m_photo.Image, window());
}

void TPhotoImage::rescale()
{
    if (m_photo.IsEmpty()) {
        setPixmap(QPixmap());
        setText(m_emptyText);
        return;
    }
    const QSize room = contentsRect().size().boundedTo(m_photo.Image.size());
    // a large photo (a 20-megapixel camera picture) is scaled once per size, not on every paint
    setPixmap(QPixmap::fromImage(
        m_photo.Image.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TPhotoImage::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    rescale();
}

void TPhotoImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit DoubleClicked();
    ShowBig();
}
