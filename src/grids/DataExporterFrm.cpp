#include "grids/DataExporterFrm.h"

#include "app/LwEdit.h"
#include "app/MessageHelpers.h"
#include "data/LwDataSet.h"
#include "data/Notifier.h"
#include "grids/Desktop.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFieldRole = Qt::UserRole;

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Moves the current item of `from` to the end of `to`; the selection in `from` stays at the same
// position, or the one before it when the last item went.
void moveItem(QListWidget* from, QListWidget* to)
{
    const int row = from->currentRow();
    if (row < 0)
        return;
    to->addItem(from->takeItem(row));
    if (from->count() > 0)
        from->setCurrentRow(std::min(row, from->count() - 1));
}

} // namespace

TDataExporterFrm::TDataExporterFrm(TLwDataSet* dataSet, QWidget* parent) : TaFrm(parent), m_dataSet(dataSet)
{
    setObjectName(u"DataExporterFrm"_s);
    setWindowTitle(u"导出..."_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    SetPosition(TPosition::CenterOwner);

    m_pages = new QStackedWidget(this);

    // Page 1: the columns
    auto* columnsPage = new QWidget(m_pages);
    m_available = new QListWidget(columnsPage);
    m_available->setObjectName(u"ListBox1"_s);
    m_chosen = new QListWidget(columnsPage);
    m_chosen->setObjectName(u"ListBox2"_s);
    for (QListWidget* list : {m_available, m_chosen})
        list->setMinimumSize(180, 240);
    if (dataSet)
        for (int f = 0; f < dataSet->FieldCount(); ++f) {
            auto* item = new QListWidgetItem(dataSet->Field(f).Title());
            item->setData(kFieldRole, f);
            m_available->addItem(item);
        }
    m_available->setCurrentRow(-1);
    m_choose = makeButton(u" >"_s, u"ChooseBtn1"_s, columnsPage);
    m_return = makeButton(u"< "_s, u"ReturnBtn1"_s, columnsPage);
    m_up = makeButton(u"上移"_s, u"UpBtn1"_s, columnsPage);
    m_down = makeButton(u"下移"_s, u"DownBtn1"_s, columnsPage);
    for (QPushButton* button : {m_choose, m_return, m_up, m_down})
        button->setEnabled(false);
    auto* hint = new QLabel(
        u"请从左边列表框中双击或点击\">\"按纽选择您将要导出的列,上下移动按纽可以调整列的前后位置."_s, columnsPage);
    hint->setWordWrap(true);

    connect(m_available, &QListWidget::itemClicked, this,
            [this] { m_choose->setEnabled(m_available->currentRow() >= 0); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, &TDataExporterFrm::chooseSelected);
    connect(m_chosen, &QListWidget::itemClicked, this, [this] {
        const bool selected = m_chosen->currentRow() >= 0;
        m_return->setEnabled(selected);
        m_up->setEnabled(selected);
        m_down->setEnabled(selected);
    });
    connect(m_chosen, &QListWidget::itemDoubleClicked, this, &TDataExporterFrm::returnSelected);
    connect(m_choose, &QPushButton::clicked, this, &TDataExporterFrm::chooseSelected);
    connect(m_return, &QPushButton::clicked, this, &TDataExporterFrm::returnSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveChosen(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveChosen(1); });

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_choose);
    middle->addWidget(m_return);
    middle->addSpacing(16);
    middle->addWidget(m_up);
    middle->addWidget(m_down);
    middle->addStretch(1);
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(u"可选项"_s, columnsPage), 0, 0);
    lists->addWidget(new QLabel(u"已选项"_s, columnsPage), 0, 2);
    lists->addWidget(m_available, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(m_chosen, 1, 2);
    auto* columnsLayout = new QVBoxLayout(columnsPage);
    columnsLayout->addWidget(new QLabel(u"选择数据列"_s, columnsPage));
    columnsLayout->addLayout(lists, 1);
    columnsLayout->addWidget(hint);

    // Page 2: format and file
    auto* outputPage = new QWidget(m_pages);
    auto* formatBox = new QGroupBox(u"输出格式"_s, outputPage);
    auto* formatLayout = new QVBoxLayout(formatBox);
    m_formats = new QButtonGroup(this);
    for (int i = 0; i < TDataWriter::FormatCount; ++i) {
        auto* radio = new QRadioButton(TDataWriter::FormatInfo(TExportFormat(i)).Caption, formatBox);
        radio->setObjectName(u"FormatBtn%1"_s.arg(i));
        m_formats->addButton(radio, i);
        formatLayout->addWidget(radio);
    }
    connect(m_formats, &QButtonGroup::idClicked, this, &TDataExporterFrm::formatChosen);
    auto* placeBox = new QGroupBox(u"输出位置"_s, outputPage);
    m_fileName = new TlwEdit(placeBox);
    m_fileName->setObjectName(u"edtFileName1"_s);
    m_fileName->SetTabOnEnter(false);
    m_fileName->setMinimumWidth(300);
    m_browse = makeButton(u"浏览..."_s, u"BrowseBtn1"_s, placeBox);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString path = TDesktop::SaveFileName(this, u"导出"_s, m_filter, m_defaultExt, m_fileName->text());
        if (!path.isEmpty())
            m_fileName->setText(path);
    });
    auto* placeLayout = new QHBoxLayout(placeBox);
    placeLayout->addWidget(new QLabel(u"文件"_s, placeBox));
    placeLayout->addWidget(m_fileName, 1);
    placeLayout->addWidget(m_browse);
    auto* outputLayout = new QVBoxLayout(outputPage);
    outputLayout->addWidget(new QLabel(u"输出"_s, outputPage));
    outputLayout->addWidget(formatBox);
    outputLayout->addWidget(placeBox);
    outputLayout->addStretch(1);

    m_pages->addWidget(columnsPage);
    m_pages->addWidget(outputPage);

    m_cancel = makeButton(u"取消"_s, u"CancelBtn1"_s, this);
    m_help = makeButton(u"帮助"_s, u"HelpBtn1"_s, this);
    m_prior = makeButton(u"上一步(&P)"_s, u"PriorBtn1"_s, this);
    m_next = makeButton(u"下一步(&N)"_s, u"NextBtn1"_s, this);
    connect(m_cancel, &QPushButton::clicked, this, &TDataExporterFrm::reject);
    connect(m_help, &QPushButton::clicked, this, [this] { Help(u"DataExporter"_s); });
    connect(m_prior, &QPushButton::clicked, this, [this] { showPage(Page() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (Page() + 1 < m_pages->count())
            showPage(Page() + 1);
        else
            accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    buttons->addWidget(m_prior);
    buttons->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    showPage(0);
}

int TDataExporterFrm::Page() const
{
    return m_pages->currentIndex();
}

void TDataExporterFrm::showPage(int page)
{
    if (page < 0 || page >= m_pages->count())
        return;
    m_pages->setCurrentIndex(page);
    m_prior->setEnabled(page > 0);
    m_next->setText(page + 1 == m_pages->count() ? u"确定(&N)"_s : u"下一步(&N)"_s);
}

QRadioButton* TDataExporterFrm::FormatBtn(int index) const
{
    return qobject_cast<QRadioButton*>(m_formats->button(index));
}

int TDataExporterFrm::FormatIndex() const
{
    return m_formats->checkedId();
}

void TDataExporterFrm::SetFormatIndex(int index)
{
    if (QRadioButton* radio = FormatBtn(index)) {
        radio->setChecked(true);
        formatChosen(index);
    }
}

void TDataExporterFrm::formatChosen(int index)
{
    const RExportFormatInfo info = TDataWriter::FormatInfo(TExportFormat(index));
    m_filter = info.Filter;
    m_defaultExt = info.DefaultExt;
    if (!m_fileName->text().isEmpty())
        m_fileName->setText(TDesktop::WithExtension(m_fileName->text(), m_defaultExt, true));
}

// ---- the two lists ----------------------------------------------------------------------------

void TDataExporterFrm::chooseSelected()
{
    moveItem(m_available, m_chosen);
    updateButtons();
}

void TDataExporterFrm::returnSelected()
{
    moveItem(m_chosen, m_available);
    updateButtons();
}

void TDataExporterFrm::moveChosen(int step)
{
    const int row = m_chosen->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_chosen->count())
        return;
    QListWidgetItem* item = m_chosen->takeItem(row);
    m_chosen->insertItem(target, item);
    m_chosen->setCurrentRow(target);
}

void TDataExporterFrm::updateButtons()
{
    if (m_available->count() == 0)
        m_choose->setEnabled(false);
    if (m_chosen->count() == 0) {
        m_return->setEnabled(false);
        m_up->setEnabled(false);
        m_down->setEnabled(false);
    }
}

QString TDataExporterFrm::SelectedFields() const
{
    QString text;
    for (int row = 0; row < m_chosen->count(); ++row)
        text += m_chosen->item(row)->text() + u"\r\n"_s;
    return text;
}

void TDataExporterFrm::SetSelectedFields(const QString& lines)
{
    static const QRegularExpression breaks(u"\r\n|\r|\n"_s);
    for (const QString& caption : lines.split(breaks, Qt::SkipEmptyParts)) {
        for (int row = 0; row < m_available->count(); ++row)
            if (m_available->item(row)->text() == caption) {
                m_available->setCurrentRow(row);
                moveItem(m_available, m_chosen);
                break;
            }
    }
    updateButtons();
}

RExportColumns TDataExporterFrm::ChosenColumns() const
{
    RExportColumns columns;
    for (int row = 0; row < m_chosen->count(); ++row)
        columns.append({m_chosen->item(row)->data(kFieldRole).toInt(), m_chosen->item(row)->text()});
    return columns;
}

// ---- closing ----------------------------------------------------------------------------------

void TDataExporterFrm::accept()
{
    if (m_chosen->count() == 0) {
        InfoBox(u"没有选择任何要导出的列,请返回上一步并选择."_s);
        return;
    }
    if (FormatIndex() < 0) {
        InfoBox(u"必须指定要导出的格式."_s);
        return;
    }
    QString path = m_fileName->text().trimmed();
    if (path.isEmpty()) {
        InfoBox(u"必须指定要导出的文件位置."_s);
        m_fileName->setFocus();
        return;
    }
    // A name typed without extension gets the format's, as the save dialog would give it.
    path = TDesktop::WithExtension(path, m_defaultExt, false);
    m_fileName->setText(path);
    if (QFileInfo::exists(path) && !Notifier().Confirm(u"\r\n该文件已经存在,是否继续执行并覆盖文件?"_s))
        return;
    if (!writeFile())
        return;
    const QString question =
        u"\r\n数据导出成功,共 %1条记录,是否现在就打开?    "_s.arg(m_dataSet ? m_dataSet->RecordCount() : 0);
    if (Notifier().Confirm(question) && !TDesktop::OpenFile(path))
        InfoBox(u"文件已保存到:\r\n%1\r\n本机没有可以打开它的程序, 请到该位置查看."_s.arg(path));
    TaFrm::accept();
}

bool TDataExporterFrm::writeFile()
{
    if (!m_dataSet)
        return false;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written =
        TDataWriter::WriteFile(TExportFormat(FormatIndex()), m_fileName->text(), *m_dataSet, ChosenColumns(), &error);
    QApplication::restoreOverrideCursor();
    if (!written)
        Notifier().Error(error);
    return written;
}
