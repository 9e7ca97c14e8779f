#pragma once

#include <QIcon>
#include <QList>

// The pictures the windows' tool bars share, loaded once during start-up.
class TPubFrm
{
public:
    TPubFrm();

    // Tool bar pictures: small (16), large (32) and the list-window set.
    QList<QIcon> ImageList1;
    QList<QIcon> ImageList2;
    QList<QIcon> ImageList3;
};

// The process-wide instance; null before start-up creates it.
TPubFrm* PubFrm();
void SetPubFrm(TPubFrm* pubFrm);
