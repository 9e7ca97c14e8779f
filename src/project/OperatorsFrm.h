#pragma once

#include "app/AInfoDlgFrm.h"

#include <memory>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class TOperatorEditorFrm;
class TOperatorSet;

// The operators and their rights: one icon per operator ("sa" is never listed), and the editor for
// adding, changing and removing them.
class TOperatorsFrm : public TAInfoDlgFrm
{
    Q_OBJECT

public:
    explicit TOperatorsFrm(QWidget* parent = nullptr);
    ~TOperatorsFrm() override;

    // The operators command: refuses without right 100001 (EAbort after the refusal box, so the
    // command ends), otherwise shows the window modally.
    static void Execute(QWidget* parent = nullptr);

    QListWidget* ListView1() const { return m_list; }
    QPushButton* btnProp1() const { return m_prop; }
    QPushButton* btnAdd1() const { return m_add; }
    QPushButton* btnDelete1() const { return m_delete; }
    TOperatorEditorFrm* Editor() const { return m_editor; }

    // The three buttons' commands.
    void EditSelected();
    void AddNew();
    void DeleteSelected();

private:
    QListWidgetItem* addItem(const QString& login);
    void updateButtons();

    std::unique_ptr<TOperatorSet> m_set;
    TOperatorEditorFrm* m_editor = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_prop = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
};
