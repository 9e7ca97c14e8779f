#include "project/CompanyInfoFrm.h"

#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "project/Company.h"
#include "project/Operator.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

TCompanyInfoFrm::TCompanyInfoFrm(TCompany& company, QWidget* parent) : TADlgFrm(parent), m_company(company)
{
    setObjectName(u"CompanyInfoFrm"_s);
    setWindowTitle(u"公司信息"_s);

    QWidget* body = Body();
    const auto makeEdit = [body](const QString& name) {
        auto* edit = new TlwEdit(body);
        edit->setObjectName(name);
        return edit;
    };
    m_company1 = makeEdit(u"EdtCompany1"_s);
    m_lawMan1 = makeEdit(u"EdtLawMan1"_s);
    m_tel1 = makeEdit(u"EdtTel1"_s);
    m_fax1 = makeEdit(u"EdtFax1"_s);
    m_address1 = makeEdit(u"EdtAddress1"_s);
    m_zip1 = makeEdit(u"edtZip1"_s);
    m_introl1 = new QPlainTextEdit(body);
    m_introl1->setObjectName(u"MemIntrol1"_s);
    m_introl1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_introl1->setTabChangesFocus(true);

    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const auto addRow = [&](int row, const QString& caption, QWidget* control, int column, int span) {
        auto* label = new QLabel(caption, body);
        label->setBuddy(control);
        grid->addWidget(label, row, column);
        grid->addWidget(control, row, column + 1, 1, span);
    };
    addRow(0, u"企业名称"_s, m_company1, 0, 3);
    addRow(1, u"负责人"_s, m_lawMan1, 0, 3);
    addRow(2, u"联系电话"_s, m_tel1, 0, 1);
    addRow(2, u"传真号码"_s, m_fax1, 2, 1);
    addRow(3, u"地址"_s, m_address1, 0, 3);
    addRow(4, u"邮编"_s, m_zip1, 0, 1);
    auto* profile = new QLabel(u"公司简介"_s, body);
    profile->setBuddy(m_introl1);
    profile->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(profile, 5, 0);
    grid->addWidget(m_introl1, 5, 1, 1, 3);
    m_tel1->setMinimumWidth(130);
    m_fax1->setMinimumWidth(130);
    m_introl1->setFixedHeight(120);
    m_company1->setMinimumWidth(360);

    setTabOrder(m_company1, m_lawMan1);
    setTabOrder(m_lawMan1, m_tel1);
    setTabOrder(m_tel1, m_fax1);
    setTabOrder(m_fax1, m_address1);
    setTabOrder(m_address1, m_zip1);
    setTabOrder(m_zip1, m_introl1);

    ShowCompany();
}

void TCompanyInfoFrm::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    OkBtn1()->setEnabled(!readOnly);
}

void TCompanyInfoFrm::ShowCompany()
{
    m_company1->setText(m_company.CompanyName);
    m_lawMan1->setText(m_company.Manager);
    m_tel1->setText(m_company.Tel);
    m_fax1->setText(m_company.Fax);
    m_address1->setText(m_company.Address);
    m_zip1->setText(m_company.Zip);
    m_introl1->setPlainText(m_company.Profile);
}

void TCompanyInfoFrm::readControls()
{
    m_company.CompanyName = m_company1->text();
    m_company.Manager = m_lawMan1->text();
    m_company.Tel = m_tel1->text();
    m_company.Fax = m_fax1->text();
    m_company.Address = m_address1->text();
    m_company.Zip = m_zip1->text();
    m_company.Profile = m_introl1->toPlainText();
}

bool TCompanyInfoFrm::CloseQuery()
{
    if (m_readOnly)
        return false;
    readControls();
    try {
        if (m_company.Save())
            return true;
        InfoBox(u"公司信息没有保存, 请重试."_s);
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    } catch (const EAbort&) {
        // the select error has been shown
    }
    // The record goes back to what the table holds; the controls keep what was typed for another try.
    try {
        m_company.Load();
    } catch (const EAbort&) {
    }
    return false;
}

bool TCompanyInfoFrm::Edit(TCompany& company, bool readOnly, QWidget* parent)
{
    TCompanyInfoFrm form(company, parent);
    form.SetReadOnly(readOnly);
    return form.exec() == QDialog::Accepted;
}

bool TCompanyInfoFrm::Edit(bool readOnly, QWidget* parent)
{
    return Edit(Company(), readOnly, parent);
}

bool TCompanyInfoFrm::CompanyCommand(QWidget* parent)
{
    CurrentOperator().RequireRight(TRight::Company);
    return Edit(false, parent);
}

bool TCompanyInfoFrm::PromptAtStart(QWidget* parent)
{
    if (!CurrentOperator().HasRight(TRight::Company) || Company().HasName())
        return false;
    CompanyCommand(parent);
    return true;
}
