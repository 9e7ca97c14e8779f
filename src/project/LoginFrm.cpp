#include "project/LoginFrm.h"

#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "app/Product.h"
#include "data/Configer.h"
#include "data/DbError.h"
#include "project/Operator.h"
#include "project/OperatorSet.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TLoginFrm::TLoginFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"LoginFrm"_s);
    setWindowTitle(u"登陆"_s);
    // Nothing but the two buttons may end the login: no close, minimise or help button in the title.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    SetPosition(TPosition::CenterScreen);

    auto* heading = new QLabel(Product::Name, Body());
    heading->setObjectName(u"lblProduct1"_s);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    heading->setFont(bold);
    auto* prompt = new QLabel(u"请输入您的用户名和密码:"_s, Body());

    m_loginId = new TlwComboBox(Body());
    m_loginId->setObjectName(u"edtLoginId1"_s);
    m_loginId->SetEditable(true);
    m_loginId->setMinimumWidth(180);
    m_password = new TlwEdit(Body());
    m_password->setObjectName(u"edtPassword1"_s);
    m_password->setEchoMode(QLineEdit::Password);
    // Enter in the password is the OK press, not a move to the next field.
    m_password->SetTabOnEnter(false);
    connect(m_password, &QLineEdit::returnPressed, OkBtn1(), &QPushButton::click);

    auto* userLabel = new QLabel(u"用户名(&U)"_s, Body());
    userLabel->setBuddy(m_loginId);
    auto* passwordLabel = new QLabel(u"密码(&P)"_s, Body());
    passwordLabel->setBuddy(m_password);

    auto* fields = new QGridLayout;
    fields->setContentsMargins(24, 4, 8, 0);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(m_loginId, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(m_password, 1, 1);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 8);
    layout->setSpacing(8);
    layout->addWidget(heading);
    layout->addWidget(prompt);
    layout->addLayout(fields);

    const QStringList names = TOperatorSet::ListLoginIds().split(u"\r\n"_s, Qt::SkipEmptyParts);
    m_loginId->addItems(names);
    const QString last = TConfiger::ReadLastLoginId();
    m_loginId->setEditText(last.isEmpty() ? TOperator::SuperUser : last);

    // The name is usually right already, so the caret starts in the password.
    setTabOrder(m_password, m_loginId);
    setTabOrder(m_loginId, OkBtn1());
    m_password->setFocus();
}

bool TLoginFrm::CloseQuery()
{
    // A fresh object per attempt: one that kept an earlier name would let a later, unknown name in
    // with the earlier operator's password.
    TOperator candidate;
    bool matched = false;
    try {
        matched = candidate.LoadByLoginId(m_loginId->currentText()) && candidate.CheckPassword(m_password->text());
    } catch (const EAbort&) {
        // the failing select has been reported already
    } catch (const EDatabaseError& error) {
        InfoBox(error.Message());
    }
    if (!matched) {
        m_password->setFocus();
        m_password->selectAll();
        return false;
    }
    CurrentOperator() = candidate;
    // Offering the name next time is a convenience; a cfg.ini that cannot be written must not stop
    // the login.
    TConfiger::WriteLastLoginId(candidate.LoginId);
    return true;
}

bool TLoginFrm::Login(bool first, const QStringList& arguments, QWidget* parent)
{
    bool loggedIn = first && LoginFromCommandLine(arguments);
    if (!loggedIn) {
        TLoginFrm dialog(parent);
        loggedIn = dialog.exec() == QDialog::Accepted;
    }
    if (loggedIn && CurrentOperator().HasEmptyPassword())
        InfoBox(TOperator::EmptyPasswordNotice());
    return loggedIn;
}

bool TLoginFrm::Login(bool first, QWidget* parent)
{
    return Login(first, QCoreApplication::arguments().mid(1), parent);
}
