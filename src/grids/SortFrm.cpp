#include "grids/SortFrm.h"

#include "data/LwDataSet.h"
#include "grids/SortText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString directionText(const QString& direction)
{
    if (direction == u"ASC"_s)
        return u"升序"_s;
    if (direction == u"DESC"_s)
        return u"降序"_s;
    return QString();
}

} // namespace

TSortFrm::TSortFrm(QWidget* parent) : TADlgFrm(parent)
{
    setObjectName(u"SortFrm"_s);
    setWindowTitle(u"排序"_s);
    OkBtn1()->setText(u"确定(&Y)"_s);
    CancelBtn1()->setText(u"取消(&Q)"_s);
    HelpBtn1()->hide();

    m_grid = new QTableWidget(0, 2, Body());
    m_grid->setObjectName(u"Grid1"_s);
    m_grid->setToolTip(u"双击可改变当前值"_s);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(120);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setMinimumSize(2 * 120 + 24, 300);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { CycleDirection(row); });
    connect(m_grid, &QTableWidget::itemSelectionChanged, this, &TSortFrm::updateButtons);

    m_up = new QPushButton(u"上移(&U)"_s, Body());
    m_up->setObjectName(u"UpBtn1"_s);
    m_down = new QPushButton(u"下移(&D)"_s, Body());
    m_down->setObjectName(u"DownBtn1"_s);
    for (QPushButton* button : {m_up, m_down})
        button->setAutoDefault(false);
    connect(m_up, &QPushButton::clicked, this, [this] {
        const int row = m_grid->currentRow();
        if (row > 0)
            MoveRow(row, row - 1);
    });
    connect(m_down, &QPushButton::clicked, this, [this] {
        const int row = m_grid->currentRow();
        if (row >= 0 && row + 1 < m_grid->rowCount())
            MoveRow(row, row + 1);
    });

    auto* hint = new QLabel(u"提示:双击空白处切换排序方式(升/降/无),单击上下移动键调整优先顺序"_s, Body());
    hint->setWordWrap(true);
    hint->setEnabled(false);

    auto* side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_grid, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(hint);
    updateButtons();
}

void TSortFrm::Setup(const TLwDataSet* dataSet, const QString& sortText, bool visibleOnly)
{
    m_names.clear();
    m_directions.clear();
    QStringList labels;
    if (dataSet) {
        for (const TField& field : dataSet->Fields()) {
            if (field.Calculated || field.Type == TFieldType::Blob || field.Type == TFieldType::Memo)
                continue;
            if (visibleOnly && !field.Visible)
                continue;
            m_names.append(field.Name);
            m_directions.append(QString());
            labels.append(field.Title());
        }
    }
    m_grid->setRowCount(int(m_names.size()));
    for (int row = 0; row < m_names.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(labels.at(row)));
        m_grid->setItem(row, 1, new QTableWidgetItem);
        showRow(row);
    }
    // The sort's own fields come first, in their order; a field the list lacks is passed over.
    int placed = 0;
    for (const RSortItem& item : TSortText::Parse(sortText)) {
        int row = -1;
        for (int r = placed; r < m_names.size(); ++r)
            if (m_names.at(r).compare(item.Field, Qt::CaseInsensitive) == 0) {
                row = r;
                break;
            }
        if (row < 0)
            continue;
        m_directions[row] = item.Descending ? u"DESC"_s : u"ASC"_s;
        showRow(row);
        MoveRow(row, placed++);
    }
    m_grid->setCurrentCell(-1, -1);
    m_grid->clearSelection();
    updateButtons();
}

void TSortFrm::showRow(int row)
{
    if (QTableWidgetItem* item = m_grid->item(row, 1))
        item->setText(directionText(m_directions.at(row)));
}

void TSortFrm::CycleDirection(int row)
{
    if (row < 0 || row >= m_directions.size())
        return;
    QString& direction = m_directions[row];
    direction = direction.isEmpty() ? u"ASC"_s : direction == u"ASC"_s ? u"DESC"_s : QString();
    showRow(row);
}

void TSortFrm::MoveRow(int from, int to)
{
    const int count = int(m_names.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    m_names.move(from, to);
    m_directions.move(from, to);
    QTableWidgetItem* label = m_grid->takeItem(from, 0);
    QTableWidgetItem* direction = m_grid->takeItem(from, 1);
    m_grid->removeRow(from);
    m_grid->insertRow(to);
    m_grid->setItem(to, 0, label);
    m_grid->setItem(to, 1, direction);
    m_grid->setCurrentCell(to, 0);
    updateButtons();
}

void TSortFrm::updateButtons()
{
    const int row = m_grid->currentRow();
    const bool selected = row >= 0 && !m_grid->selectedItems().isEmpty();
    m_up->setEnabled(selected && row > 0);
    m_down->setEnabled(selected && row + 1 < m_grid->rowCount());
}

QString TSortFrm::SortText() const
{
    QStringList parts;
    for (int row = 0; row < m_names.size(); ++row)
        if (!m_directions.at(row).isEmpty())
            parts.append(m_names.at(row) + u' ' + m_directions.at(row));
    return parts.join(u',');
}

bool TSortFrm::eventFilter(QObject* watched, QEvent* event)
{
    // Dragging a row: pressed on one row, let go over another.
    if (watched == m_grid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_pressedRow = mouse->button() == Qt::LeftButton ? m_grid->rowAt(int(mouse->position().y())) : -1;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int target = m_grid->rowAt(int(mouse->position().y()));
            if (m_pressedRow >= 0 && target >= 0 && target != m_pressedRow)
                MoveRow(m_pressedRow, target);
            m_pressedRow = -1;
        }
    }
    return TADlgFrm::eventFilter(watched, event);
}
