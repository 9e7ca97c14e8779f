#pragma once

#include <QComboBox>

// The program's drop-down: no auto-completion, Enter to the next field, cyan while focused, and
// Delete clearing the choice of a fixed list.
class TlwComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TlwComboBox(QWidget* parent = nullptr);

    // Editable combos lose their completer whenever they become editable.
    void SetEditable(bool editable);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paint(bool focused);
};
