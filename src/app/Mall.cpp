#include "app/Mall.h"

void Tmall::OnStart(QWidget* mainWindow)
{
    Q_UNUSED(mainWindow)
}

void Tmall::OnExit() {}
