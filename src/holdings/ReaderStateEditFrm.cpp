#include "holdings/ReaderStateEditFrm.h"

#include "app/LwComboBox.h"
#include "app/LwEdit.h"
#include "app/LwLabel.h"
#include "data/DbError.h"
#include "data/Notifier.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TReaderStateEditFrm::TReaderStateEditFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"ReaderStateEditFrm"_s);
    setWindowTitle(u"读者状态设置"_s);
    setModal(true);

    QWidget* body = Body();
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(12, 12, 12, 8);

    auto* pickRow = new QHBoxLayout;
    auto* pickLabel = new QLabel(u"读者编号/首拼"_s, body);
    m_readerEdit = new TlwEdit(body);
    m_readerEdit->setObjectName(u"edtReader1"_s);
    m_readerEdit->setReadOnly(true);
    pickLabel->setBuddy(m_readerEdit);
    m_pickBtn = new QToolButton(body);
    m_pickBtn->setObjectName(u"btnPick1"_s);
    m_pickBtn->setText(u"..."_s);
    connect(m_pickBtn, &QToolButton::clicked, this, &TReaderStateEditFrm::pickReader);
    pickRow->addWidget(pickLabel);
    pickRow->addWidget(m_readerEdit, 1);
    pickRow->addWidget(m_pickBtn);
    layout->addLayout(pickRow);

    auto* group = new QGroupBox(body);
    group->setObjectName(u"GroupBox1"_s);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const auto addValue = [&](const QString& caption, const QString& name, int row, int column, bool alert) {
        grid->addWidget(new QLabel(caption, group), row, column);
        auto* value = new TlwLabel(group);
        value->setObjectName(name);
        value->setMinimumWidth(110);
        if (alert) {
            QFont font = value->font();
            font.setBold(true);
            value->setFont(font);
            QPalette palette = value->palette();
            palette.setColor(QPalette::WindowText, Qt::red);
            value->setPalette(palette);
        }
        grid->addWidget(value, row, column + 1);
        return value;
    };
    m_code = addValue(u"读者编号:"_s, u"txtCode1"_s, 0, 0, false);
    m_sex = addValue(u"性    别:"_s, u"txtSex1"_s, 0, 2, false);
    m_name = addValue(u"姓    名:"_s, u"txtName1"_s, 1, 0, false);
    m_state = addValue(u"状    态:"_s, u"txtState1"_s, 1, 2, true);
    m_dept = addValue(u"部    门:"_s, u"txtDept1"_s, 2, 0, false);
    m_deposit = addValue(u"押金余额:"_s, u"txtDeposit1"_s, 2, 2, true);
    m_loaning = addValue(u"当前借书:"_s, u"txtLoaning1"_s, 3, 0, false);
    grid->removeWidget(m_loaning);
    grid->addWidget(m_loaning, 3, 1, 1, 3);
    layout->addWidget(group);

    auto* opRow = new QHBoxLayout;
    auto* opLabel = new QLabel(u"设置状态"_s, body);
    m_op = new TlwComboBox(body);
    m_op->setObjectName(u"cbxState1"_s);
    // the position of each item is the operation code of TReaderSet::ChangeState
    m_op->addItems({u"挂失"_s, u"解除挂失"_s, u"停用"_s, u"启用"_s});
    m_op->setCurrentIndex(-1);
    m_op->setMinimumWidth(140);
    opLabel->setBuddy(m_op);
    opRow->addWidget(opLabel);
    opRow->addWidget(m_op);
    opRow->addStretch(1);
    layout->addLayout(opRow);

    ShowReader(RReader());
}

void TReaderStateEditFrm::ShowReader(const RReader& reader)
{
    m_reader = reader;
    m_readerEdit->setText(reader.Code);
    m_code->SetText(reader.Code);
    m_sex->SetText(reader.Sex);
    m_name->SetText(reader.Name);
    m_state->SetText(reader.StateName);
    m_dept->SetText(reader.Dept);
    m_deposit->SetText(reader.Id > 0 ? QString::number(reader.Deposit, 'f', 2) : QString());
    RReaderDebts debts;
    if (reader.Id > 0)
        debts = TReaderSet::Debts(reader.Id);
    m_loaning->SetText(u"未还图书 %1 本, 未还期刊 %2 本"_s.arg(debts.OpenBooks).arg(debts.OpenJournals));
}

void TReaderStateEditFrm::pickReader()
{
    if (!m_pick)
        return;
    RReader reader;
    try {
        if (m_pick(reader))
            ShowReader(reader);
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
    }
}

bool TReaderStateEditFrm::CloseQuery()
{
    QString failText;
    try {
        if (!TReaderSet::ChangeState(m_reader.Id, m_op->currentIndex(), failText)) {
            Notifier().Error(failText);
            return false;
        }
    } catch (const EDatabaseError& error) {
        Notifier().Error(error.Message());
        return false;
    }
    // the information box adds the blank first line itself
    Notifier().Info(u"操作成功, %1 的读者状态已%2"_s.arg(m_reader.Name, m_op->currentText()));
    return true;
}

bool EditReaderState(const TReaderStateEditFrm::TPickReader& pick, QWidget* parent)
{
    TReaderStateEditFrm form(parent);
    form.SetOnPickReader(pick);
    return form.exec() == QDialog::Accepted;
}
