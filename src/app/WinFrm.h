#pragma once

#include "app/aFrm.h"

// Base of work windows (lists, circulation, queries, statistics): several may be open at once, each
// stays on top of the main window and is destroyed with everything it owns when closed.
class TWinFrm : public TaFrm
{
    Q_OBJECT

public:
    explicit TWinFrm(QWidget* parent = nullptr);

protected:
    // Escape does not close a work window: it may hold work not yet saved.
    void keyPressEvent(QKeyEvent* event) override;
};
