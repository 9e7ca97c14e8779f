#pragma once

#include <QPlainTextEdit>

// The program's multi-line edit: cyan while focused (yellow when read-only), white otherwise. Tab
// moves to the next control; Enter starts a new line.
class TlwMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TlwMemo(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    void SetText(const QString& text) { setPlainText(text); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paint(bool focused);
};
