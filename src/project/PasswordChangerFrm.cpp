#include "project/PasswordChangerFrm.h"

#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/DbError.h"
#include "project/Operator.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

TPasswordChangerFrm::TPasswordChangerFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"PasswordChangerFrm"_s);
    setWindowTitle(u"更改密码"_s);

    auto makeEdit = [this](const QString& name, bool masked) {
        auto* edit = new TlwEdit(Body());
        edit->setObjectName(name);
        edit->setMinimumWidth(180);
        if (masked)
            edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    m_login = makeEdit(u"edtLoginId1"_s, false);
    m_login->setEnabled(false);
    m_current = makeEdit(u"edtPassword1"_s, true);
    m_new1 = makeEdit(u"edtNewPassword1"_s, true);
    m_new2 = makeEdit(u"edtNewPassword2"_s, true);

    auto* layout = new QGridLayout(Body());
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);
    const QList<QPair<QString, TlwEdit*>> rows{
        {u"当前用户"_s, m_login}, {u"当前密码"_s, m_current}, {u"新密码"_s, m_new1}, {u"新密码验证"_s, m_new2}};
    for (int i = 0; i < rows.size(); ++i) {
        auto* label = new QLabel(rows.at(i).first, Body());
        label->setBuddy(rows.at(i).second);
        layout->addWidget(label, i, 0);
        layout->addWidget(rows.at(i).second, i, 1);
    }
    m_current->setFocus();
}

void TPasswordChangerFrm::SetLoginId(const QString& login)
{
    m_login->setText(login);
}

QString TPasswordChangerFrm::CurrentPassword() const
{
    return m_current->text();
}

QString TPasswordChangerFrm::NewPassword() const
{
    return m_new1->text();
}

bool TPasswordChangerFrm::CloseQuery()
{
    if (m_new1->text() == m_new2->text())
        return true;
    InfoBox(u"两次输入的新密码不一样,请确认并重新输入."_s);
    m_new1->clear();
    m_new2->clear();
    m_new1->setFocus();
    return false;
}

bool ChangePassword(TOperator& op, QWidget* parent)
{
    TPasswordChangerFrm dialog(parent);
    dialog.SetLoginId(op.LoginId);
    while (dialog.exec() == QDialog::Accepted) {
        if (!op.CheckPassword(dialog.CurrentPassword())) {
            InfoBox(u"当前密码验证失败,请确认并重新输入."_s);
            continue;
        }
        try {
            op.StorePassword(dialog.NewPassword());
        } catch (const EDatabaseError& error) {
            InfoBox(error.Message());
            continue;
        }
        InfoBox(u"密码更改成功! 下次登陆时请使用新密码."_s);
        return true;
    }
    return false;
}
