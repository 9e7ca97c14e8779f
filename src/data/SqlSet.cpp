#include "data/SqlSet.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/Notifier.h"

using namespace Qt::StringLiterals;

TSqlSet::TSqlSet() : m_dataSet(std::make_unique<TLwDataSet>()) {}

TSqlSet::~TSqlSet() = default;

int TSqlSet::Open(const QString& sql, const TDBParameters& params)
{
    m_dataSet->Close();
    m_sql = sql;
    m_params = params;
    try {
        QSqlQuery query = Database().Select(sql, params);
        m_dataSet->LoadFromQuery(query);
    } catch (const EDatabaseError& error) {
        m_dataSet->Close();
        Notifier().Info(u"SQL语句错误,原文如下:\r\n"_s + sql + u"\r\n\r\n错误提示:\r\n"_s + error.DriverMessage());
        throw EAbort();
    }
    return m_dataSet->RecordCount();
}

void TSqlSet::Close()
{
    m_dataSet->Close();
}

TField& TSqlSet::AddField(TFieldType type, const QString& name, int size, bool visible, const QString& label)
{
    return m_dataSet->AddField(type, name, size, visible, label);
}

QString TSqlSet::JoinField(const QString& field, const QString& separator)
{
    if (!m_dataSet->Active() || m_dataSet->IsEmpty())
        return QString();
    QStringList parts;
    m_dataSet->First();
    while (!m_dataSet->Eof()) {
        parts.append(m_dataSet->AsString(field));
        m_dataSet->Next();
    }
    return parts.join(separator);
}

void TSqlSet::reopen()
{
    m_dataSet->DisableControls();
    try {
        Open(m_sql, m_params);
    } catch (...) {
        m_dataSet->EnableControls();
        throw;
    }
    m_dataSet->EnableControls();
}
