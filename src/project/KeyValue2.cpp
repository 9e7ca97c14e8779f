#include "project/KeyValue2.h"

#include "data/DBParameter.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/RowWriter.h"

using namespace Qt::StringLiterals;

namespace {

const QString kKeyId = u"KeyId"_s;

double g_bookFine = FineRates::DefaultBook;
double g_journalFine = FineRates::DefaultJournal;

} // namespace

TKeyValue2::TKeyValue2(QObject* owner) : TRecordSet(owner)
{
    AddField(TFieldType::Integer, kKeyId, -1, true, QString());
    AddField(TFieldType::Integer, u"Vint"_s, -1, true, QString());
    AddField(TFieldType::Memo, u"Vstr"_s, -1, true, QString());
    AddField(TFieldType::Float, u"Vfloat"_s, -1, true, QString());
    AddField(TFieldType::Boolean, u"Vbool"_s, -1, true, QString());
}

void TKeyValue2::openMirror()
{
    Open(u"select KeyId, Vint, Vstr, Vfloat, Vbool from keyvalue order by KeyId"_s);
}

void TKeyValue2::EnsureRow(int keyId)
{
    if (!Active())
        openMirror();
    if (DataSet()->Locate(kKeyId, keyId))
        return;
    // Another workstation may have created the row since the mirror was read.
    openMirror();
    if (DataSet()->Locate(kKeyId, keyId))
        return;
    Close();
    Database().ExecSQL(u"insert into keyvalue(KeyId) values (:KeyId)"_s, {MakeParam(kKeyId, keyId)});
    openMirror();
    if (!DataSet()->Locate(kKeyId, keyId))
        throw EDatabaseError(u"数据表 keyvalue 中没有 KeyId=%1 的行."_s.arg(keyId));
}

bool TKeyValue2::GetSwitch(int index)
{
    EnsureRow(index);
    return DataSet()->AsBoolean(u"Vbool"_s);
}

bool TKeyValue2::SetSwitch(int index, bool value)
{
    return writeColumn(index, u"Vbool"_s, value);
}

double TKeyValue2::GetFloat(int keyId)
{
    EnsureRow(keyId);
    return DataSet()->AsFloat(u"Vfloat"_s);
}

bool TKeyValue2::SetFloat(int keyId, double value)
{
    return writeColumn(keyId, u"Vfloat"_s, value);
}

bool TKeyValue2::writeColumn(int keyId, const QString& column, const QVariant& value)
{
    EnsureRow(keyId);
    // Only this column: a fine saved on key 0 must leave that row's prompt switch as it was.
    const bool written = TRowWriter::UpdateOrInsert(u"update keyvalue set %1=:%1 where KeyId=:KeyId"_s.arg(column),
                                                    u"insert into keyvalue(%1, KeyId)values(:%1, :KeyId)"_s.arg(column),
                                                    {MakeParam(column, value), MakeParam(kKeyId, keyId)});
    if (written && Active() && DataSet()->Locate(kKeyId, keyId)) {
        DataSet()->Edit();
        DataSet()->SetValue(column, value);
        DataSet()->Post();
    }
    return written;
}

bool TKeyValue2::WriteRow(int keyId, const QString& text, bool flag, double number, int integer)
{
    const bool written = TRowWriter::UpdateOrInsert(
        u"update keyvalue set Vstr=:Vstr, Vint=:Vint, Vfloat=:Vfloat, Vbool=:Vbool where KeyId=:KeyId"_s,
        u"insert into keyvalue(Vstr, Vint, Vfloat, Vbool, KeyId)values(:Vstr, :Vint, :Vfloat, :Vbool, :KeyId)"_s,
        {MakeParam(u"Vstr"_s, text), MakeParam(u"Vint"_s, integer), MakeParam(u"Vfloat"_s, number),
         MakeParam(u"Vbool"_s, flag), MakeParam(kKeyId, keyId)});
    if (!written || !Active())
        return written;
    TLwDataSet* set = DataSet();
    if (set->Locate(kKeyId, keyId)) {
        set->Edit();
    } else {
        set->Append();
        set->SetValue(kKeyId, keyId);
    }
    set->SetValue(u"Vstr"_s, text);
    set->SetValue(u"Vint"_s, integer);
    set->SetValue(u"Vfloat"_s, number);
    set->SetValue(u"Vbool"_s, flag);
    set->Post();
    return true;
}

void TKeyValue2::LoadFineRates()
{
    openMirror();
    const auto stored = [this](int keyId, double fallback) {
        if (!DataSet()->Locate(kKeyId, keyId) || DataSet()->IsNull(u"Vfloat"_s))
            return fallback;
        return DataSet()->AsFloat(u"Vfloat"_s);
    };
    FineRates::SetBook(stored(BookFineKey, FineRates::DefaultBook));
    FineRates::SetJournal(stored(JourFineKey, FineRates::DefaultJournal));
}

TKeyValue2& KeyValues()
{
    static TKeyValue2 keyValues;
    return keyValues;
}

namespace FineRates {

double Book()
{
    return g_bookFine;
}

void SetBook(double perDay)
{
    g_bookFine = perDay;
}

double Journal()
{
    return g_journalFine;
}

void SetJournal(double perDay)
{
    g_journalFine = perDay;
}

} // namespace FineRates
