#include "app/PubFrm.h"

#include <QApplication>
#include <QStyle>

namespace {
TPubFrm* g_pubFrm = nullptr;
}

TPubFrm::TPubFrm()
{
    // The desktop's theme icons where it has them, the style's standard pictures otherwise.
    QStyle* style = QApplication::style();
    const QList<QStyle::StandardPixmap> pictures{
        QStyle::SP_FileDialogNewFolder, QStyle::SP_DialogSaveButton,  QStyle::SP_TrashIcon,
        QStyle::SP_BrowserReload,       QStyle::SP_FileDialogContentsView, QStyle::SP_DialogHelpButton,
        QStyle::SP_DialogCloseButton,   QStyle::SP_ArrowUp,           QStyle::SP_ArrowDown,
    };
    for (QStyle::StandardPixmap picture : pictures) {
        const QIcon icon = style->standardIcon(picture);
        ImageList1.append(icon);
        ImageList2.append(icon);
        ImageList3.append(icon);
    }
}

TPubFrm* PubFrm()
{
    return g_pubFrm;
}

void SetPubFrm(TPubFrm* pubFrm)
{
    g_pubFrm = pubFrm;
}
