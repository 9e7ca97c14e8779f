#pragma once

#include "app/aFrm.h"
#include "grids/DataWriter.h"

class QButtonGroup;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TLwDataSet;
class TlwEdit;

// "导出...": a two-page wizard that writes the records of a data set (as it stands, filter and
// sort included) to a text, Excel, HTML or CSV file with the columns and order the operator picks.
class TDataExporterFrm : public TaFrm
{
    Q_OBJECT

public:
    TDataExporterFrm(TLwDataSet* dataSet, QWidget* parent = nullptr);

    // Captions of the chosen columns, one per line (CR LF). Writing moves each listed caption
    // found among the available columns to the chosen list, in the order of the lines.
    QString SelectedFields() const;
    void SetSelectedFields(const QString& lines);
    // The chosen columns as the writers take them.
    RExportColumns ChosenColumns() const;

    // 0 the column page, 1 the output page.
    int Page() const;
    // The chosen format's index, -1 while none is chosen.
    int FormatIndex() const;
    void SetFormatIndex(int index);
    // The save dialog's filter and default extension for the chosen format.
    QString Filter() const { return m_filter; }
    QString DefaultExt() const { return m_defaultExt; }

    QListWidget* ListBox1() const { return m_available; }
    QListWidget* ListBox2() const { return m_chosen; }
    QPushButton* ChooseBtn1() const { return m_choose; }
    QPushButton* ReturnBtn1() const { return m_return; }
    QPushButton* UpBtn1() const { return m_up; }
    QPushButton* DownBtn1() const { return m_down; }
    QPushButton* PriorBtn1() const { return m_prior; }
    QPushButton* NextBtn1() const { return m_next; }
    QPushButton* CancelBtn1() const { return m_cancel; }
    QPushButton* BrowseBtn1() const { return m_browse; }
    QRadioButton* FormatBtn(int index) const;
    TlwEdit* edtFileName1() const { return m_fileName; }

    // Closes with OK after the checks, the writing and the closing question.
    void accept() override;

private:
    void chooseSelected();
    void returnSelected();
    void moveChosen(int step);
    void updateButtons();
    void showPage(int page);
    void formatChosen(int index);
    bool writeFile();

    TLwDataSet* m_dataSet;
    QStackedWidget* m_pages = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_chosen = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_return = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_prior = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_browse = nullptr;
    QButtonGroup* m_formats = nullptr;
    TlwEdit* m_fileName = nullptr;
    QString m_filter;
    QString m_defaultExt;
};
