#pragma once

#include "app/aFrm.h"

#include <QImage>

class QLabel;
class QScrollArea;

// The full-size picture window "大图": the picture at its own size, scroll bars when it is larger than
// the window, which is never larger than the screen. A click on the picture closes it.
class TImageViewFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TImageViewFrm(const QImage& image, QWidget* parent = nullptr);

    // The window's size for a picture of `picture` size on a screen of `screen` size: the picture and
    // its margins, but no wider than the screen and no taller than the screen less 50.
    static QSize WindowSize(QSize picture, QSize screen);

    QScrollArea* ScrollBox1() const { return m_scroll; }
    QLabel* Image1() const { return m_image; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
};

// Shows `image` in the full-size picture window until it is closed; an empty picture shows nothing.
void ShowBigImage(const QImage& image, QWidget* parent = nullptr);
