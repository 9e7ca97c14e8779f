#include "holdings/CatalogEditFrm.h"

#include "data/DbError.h"
#include "data/Notifier.h"
#include "holdings/CatalogTree.h"
#include "holdings/PreparedCatalog.h"
#include "project/Operator.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TCatalogEditFrm::TCatalogEditFrm(TPickCallback pick, QWidget* parent) : TaFrm(parent), m_pick(std::move(pick))
{
    buildBrowse();
}

TCatalogEditFrm::TCatalogEditFrm(const RCatalog& record, TSaveCallback save, QWidget* parent)
    : TaFrm(parent), m_record(record), m_save(std::move(save))
{
    buildEdit();
}

void TCatalogEditFrm::buildBrowse()
{
    setObjectName(u"CatalogEditFrm"_s);
    setWindowTitle(u"中图分类"_s);
    resize(360, 520);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(u"ToolBar1"_s);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_tree = new TCatalogTree(this);

    auto add = [&](const QString& name, const QString& text, auto slot) {
        QAction* action = toolbar->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(u"AddAction1"_s, u"添加"_s, [this] { m_tree->AddClass(); });
    add(u"EditAction1"_s, u"修改"_s, [this] { m_tree->EditClass(); });
    add(u"DeleteAction1"_s, u"删除"_s, [this] { m_tree->DeleteClass(); });
    QAction* pick = add(u"PickAction1"_s, u"选择"_s, [this] { Pick(); });
    pick->setEnabled(bool(m_pick));
    toolbar->addSeparator();
    add(u"PreparedAction1"_s, u"装入中图分类简表"_s, [this] { LoadPrepared(); });
    toolbar->addSeparator();
    add(u"ExitAction1"_s, u"  退出  "_s, [this] { reject(); });

    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        // a class with subclasses opens and closes on a double click; only a leaf is picked
        if (m_pick && item && !TCatalogTree::HasChildren(item))
            Pick();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_tree, 1);
}

void TCatalogEditFrm::buildEdit()
{
    setObjectName(u"CatalogEditFrm"_s);
    setWindowTitle(u"中图分类"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetPosition(TPosition::CenterOwner);

    auto* path = new QLabel(m_record.Path, this);
    path->setObjectName(u"txtPath1"_s);
    m_mark = new QLineEdit(m_record.Mark, this);
    m_mark->setObjectName(u"edtMark1"_s);
    m_name = new QLineEdit(m_record.Name, this);
    m_name->setObjectName(u"edtName1"_s);
    m_note = new QLineEdit(m_record.Note, this);
    m_note->setObjectName(u"edtNote1"_s);
    for (QLineEdit* edit : {m_mark, m_name, m_note}) {
        edit->setMaxLength(50);
        edit->setMinimumWidth(240);
    }
    m_continuous = new QCheckBox(u"连续添加模式"_s, this);
    m_continuous->setObjectName(u"chkContinue1"_s);
    m_continuous->setVisible(m_record.Id < 1);

    auto* form = new QFormLayout;
    form->addRow(u"上级分类名称"_s, path);
    form->addRow(u"中图分类号"_s, m_mark);
    form->addRow(u"分类名称"_s, m_name);
    form->addRow(u"备注"_s, m_note);

    auto* ok = new QPushButton(u"确定"_s, this);
    ok->setObjectName(u"OkBtn1"_s);
    ok->setDefault(true);
    auto* cancel = new QPushButton(u"取消"_s, this);
    cancel->setObjectName(u"CancelBtn1"_s);
    connect(ok, &QPushButton::clicked, this, &TCatalogEditFrm::confirm);
    connect(cancel, &QPushButton::clicked, this, &TCatalogEditFrm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_continuous);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_mark->setFocus();
}

void TCatalogEditFrm::confirm()
{
    RCatalog record = m_record;
    record.Mark = m_mark->text();
    record.Name = m_name->text();
    record.Note = m_note->text();
    bool saved = false;
    try {
        saved = m_save && m_save(record);
    } catch (const EDatabaseError& e) {
        Notifier().Error(e.Message());
        return;
    }
    if (!saved)
        return;
    if (m_continuous->isVisible() && m_continuous->isChecked()) {
        // the next class goes under the same parent
        m_mark->clear();
        m_name->clear();
        m_note->clear();
        m_mark->setFocus();
        return;
    }
    accept();
}

bool TCatalogEditFrm::EditRecord(const RCatalog& record, QWidget* parent, TSaveCallback save)
{
    TCatalogEditFrm frm(record, std::move(save), parent);
    return frm.exec() == QDialog::Accepted;
}

void TCatalogEditFrm::Pick()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!m_pick || !item)
        return;
    if (m_pick(TCatalogTree::Record(item))) {
        m_picked = true;
        accept();
    }
}

void TCatalogEditFrm::LoadPrepared()
{
    if (!TCatalogSet::IsEmpty()) {
        Notifier().Info(TPreparedCatalog::NotEmptyText());
        return;
    }
    try {
        if (!TPreparedCatalog::Load()) {
            Notifier().Info(TPreparedCatalog::NotEmptyText());
            return;
        }
    } catch (const EDatabaseError& e) {
        Notifier().Error(e.Message());
        return;
    }
    m_tree->Reload();
}

bool ShowCatalog(TCatalogEditFrm::TPickCallback pick, QWidget* parent)
{
    CurrentOperator().RequireRight(TRight::Catalog);
    TCatalogEditFrm frm(std::move(pick), parent);
    frm.Tree()->Reload();
    frm.exec();
    return frm.Picked();
}
