#include "holdings/PublisherEditFrm.h"

#include "app/LwEdit.h"
#include "data/DbError.h"
#include "data/Notifier.h"

#include <QFormLayout>

using namespace Qt::StringLiterals;

TPublisherEditFrm::TPublisherEditFrm(const RPublisher& record, TSaveCallback save, QWidget* parent)
    : TADlgFrm(parent), m_record(record), m_save(std::move(save))
{
    setObjectName(u"PublisherEditFrm"_s);
    setWindowTitle(u"出版社"_s);
    auto make = [this](const QString& name, const QString& text) {
        auto* edit = new TlwEdit(Body());
        edit->setObjectName(name);
        edit->setMaxLength(50);
        edit->setMinimumWidth(260);
        edit->setText(text);
        return edit;
    };
    m_name = make(u"edtName1"_s, record.Name);
    m_isbn = make(u"edtISBN1"_s, record.ISBN);
    m_addr = make(u"edtAddr1"_s, record.Addr);
    auto* form = new QFormLayout(Body());
    form->addRow(u"出版社名称"_s, m_name);
    form->addRow(u"ISBN号"_s, m_isbn);
    form->addRow(u"出版地址"_s, m_addr);
}

RPublisher TPublisherEditFrm::Record() const
{
    return RPublisher{m_record.Id, m_name->text(), m_isbn->text(), m_addr->text()};
}

bool TPublisherEditFrm::CloseQuery()
{
    RPublisher record = Record();
    try {
        const bool saved = m_save ? m_save(record) : TPublisherSet::Save(record);
        if (saved)
            m_record = record;
        return saved;
    } catch (const EDatabaseError& e) {
        Notifier().Error(e.Message());
    }
    return false;
}

bool EditPublisher(RPublisher& record, TPublisherEditFrm::TSaveCallback save, QWidget* parent)
{
    TPublisherEditFrm frm(record, std::move(save), parent);
    if (frm.exec() != QDialog::Accepted)
        return false;
    record = frm.Record();
    return true;
}
