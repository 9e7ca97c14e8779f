#pragma once

#include <QLabel>
#include <QPixmap>

// A picture that acts as a button: with the hover flag set it shows its hover picture while the
// pointer is over it and its normal picture otherwise. The enter and leave signals fire either way.
class TlwImgBtn : public QLabel
{
    Q_OBJECT

public:
    explicit TlwImgBtn(QWidget* parent = nullptr);

    QPixmap HoverPicture() const { return m_hover; }
    void SetHoverPicture(const QPixmap& picture) { m_hover = picture; }
    QPixmap NormalPicture() const { return m_normal; }
    void SetNormalPicture(const QPixmap& picture) { m_normal = picture; }
    bool Hover() const { return m_hoverOn; }
    void SetHover(bool on) { m_hoverOn = on; }

    void ShowHover() { setPixmap(m_hover); }
    void ShowNormal() { setPixmap(m_normal); }

signals:
    void mouseEntered();
    void mouseLeft();
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_hover;
    QPixmap m_normal;
    bool m_hoverOn = false;
    bool m_pressed = false;
};
