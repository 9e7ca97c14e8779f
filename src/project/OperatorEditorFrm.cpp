#include "project/OperatorEditorFrm.h"

#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "project/Operator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TOperatorEditorFrm::TOperatorEditorFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"OperatorEditorFrm"_s);
    setWindowTitle(u"操作员属性"_s);

    auto makeEdit = [this](const QString& name) {
        auto* edit = new TlwEdit(Body());
        edit->setObjectName(name);
        edit->setMinimumWidth(160);
        return edit;
    };
    m_userId = makeEdit(u"edtUserId1"_s);
    m_name = makeEdit(u"edtName1"_s);
    m_contact = makeEdit(u"edtContact1"_s);
    m_note = makeEdit(u"edtNote1"_s);
    m_password1 = makeEdit(u"edtPassword1"_s);
    m_password2 = makeEdit(u"edtPassword2"_s);
    m_password1->setEchoMode(QLineEdit::Password);
    m_password2->setEchoMode(QLineEdit::Password);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    const QList<QPair<QString, TlwEdit*>> rows{{u"登陆名"_s, m_userId},    {u"姓名"_s, m_name},
                                               {u"联系方式"_s, m_contact}, {u"备注"_s, m_note},
                                               {u"密码"_s, m_password1},   {u"验证密码"_s, m_password2}};
    for (int i = 0; i < rows.size(); ++i) {
        auto* label = new QLabel(rows.at(i).first, Body());
        label->setBuddy(rows.at(i).second);
        fields->addWidget(label, i, 0);
        fields->addWidget(rows.at(i).second, i, 1);
    }
    fields->setRowStretch(int(rows.size()), 1);

    m_rights = new QListWidget(Body());
    m_rights->setObjectName(u"CheckListBox1"_s);
    m_rights->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const TRightEntry& entry : RightEntries()) {
        auto* item = new QListWidgetItem(entry.Caption, m_rights);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, entry.Number);
    }
    m_rights->setMinimumWidth(150);
    m_rights->setMinimumHeight(rows.size() * 28);
    connect(m_rights, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    auto* rightsLabel = new QLabel(u"权限"_s, Body());
    rightsLabel->setBuddy(m_rights);
    auto* rightsColumn = new QVBoxLayout;
    rightsColumn->setSpacing(4);
    rightsColumn->addWidget(rightsLabel);
    rightsColumn->addWidget(m_rights, 1);

    auto* layout = new QHBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(rightsColumn, 1);

    PrepareNew();
}

const QList<TOperatorEditorFrm::TRightEntry>& TOperatorEditorFrm::RightEntries()
{
    // Right 1001 (the classification window) is deliberately missing: only "sa" holds it.
    static const QList<TRightEntry> entries{
        {TRight::ClearData, u"清除数据"_s},
        {TRight::Company, u"公司信息设置"_s},
        {TRight::Operators, u"操作员及权限管理"_s},
        {TRight::Print, u"打印"_s},
        {TRight::DesignReport, u"打印设计"_s},
        {TRight::Export, u"数据导出"_s},
        {TRight::ChooseColumns, u"列选择"_s},
        {TRight::SaveLayout, u"列样式保存"_s},
        {TRight::Backup, u"备份设置"_s},
        {TRight::ToolsMenu, u"工具菜单设置"_s},
    };
    return entries;
}

void TOperatorEditorFrm::PrepareNew()
{
    m_existing = false;
    for (TlwEdit* edit : {m_userId, m_name, m_contact, m_note, m_password1, m_password2})
        edit->clear();
    m_password1->setPlaceholderText(QString());
    m_password2->setPlaceholderText(QString());
    for (int i = 0; i < m_rights->count(); ++i)
        m_rights->item(i)->setCheckState(Qt::Unchecked);
    setLoginEditable(true);
    m_userId->setFocus();
}

void TOperatorEditorFrm::PrepareExisting(const QString& login, const QString& name, const QString& contact,
                                         const QString& note, const QString& rights)
{
    m_existing = true;
    m_userId->setText(login);
    m_name->setText(name);
    m_contact->setText(contact);
    m_note->setText(note);
    // The stored form is a hash and of no use in an edit; leaving both empty keeps the password.
    m_password1->clear();
    m_password2->clear();
    m_password1->setPlaceholderText(u"不修改请留空"_s);
    m_password2->setPlaceholderText(u"不修改请留空"_s);
    for (int i = 0; i < m_rights->count(); ++i) {
        QListWidgetItem* item = m_rights->item(i);
        const bool held = rights.contains(u",%1,"_s.arg(item->data(Qt::UserRole).toInt()));
        item->setCheckState(held ? Qt::Checked : Qt::Unchecked);
    }
    setLoginEditable(false);
    m_name->setFocus();
}

void TOperatorEditorFrm::setLoginEditable(bool editable)
{
    m_userId->setEnabled(editable);
    // A name that cannot change is painted like the window around it.
    QPalette colors = m_userId->palette();
    colors.setColor(QPalette::Base, editable ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    m_userId->setPalette(colors);
}

QString TOperatorEditorFrm::LoginId() const
{
    return m_userId->text();
}

QString TOperatorEditorFrm::OperatorName() const
{
    return m_name->text();
}

QString TOperatorEditorFrm::Contact() const
{
    return m_contact->text();
}

QString TOperatorEditorFrm::Note() const
{
    return m_note->text();
}

std::optional<QString> TOperatorEditorFrm::NewPassword() const
{
    if (m_existing && m_password1->text().isEmpty())
        return std::nullopt;
    return m_password1->text();
}

QString TOperatorEditorFrm::RightsText() const
{
    QList<int> granted;
    for (int i = 0; i < m_rights->count(); ++i) {
        const QListWidgetItem* item = m_rights->item(i);
        if (item->checkState() == Qt::Checked)
            granted.append(item->data(Qt::UserRole).toInt());
    }
    return TOperator::RightsText(granted);
}

bool TOperatorEditorFrm::CloseQuery()
{
    // A name of blanks only would look empty in every list.
    if (m_userId->text().trimmed().isEmpty()) {
        InfoBox(u"必须填写登陆名."_s);
        m_userId->setFocus();
        return false;
    }
    if (m_password1->text() != m_password2->text()) {
        InfoBox(u"两次输入的密码不一样,请重新输入."_s);
        m_password1->clear();
        m_password2->clear();
        m_password1->setFocus();
        return false;
    }
    return true;
}
