#include "grids/Desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

TDesktop::TSaveHook& saveHook()
{
    static TDesktop::TSaveHook hook;
    return hook;
}

TDesktop::TOpenHook& openHook()
{
    static TDesktop::TOpenHook hook;
    return hook;
}

} // namespace

void TDesktop::SetSaveHook(TSaveHook hook)
{
    saveHook() = std::move(hook);
}

void TDesktop::SetOpenHook(TOpenHook hook)
{
    openHook() = std::move(hook);
}

QString TDesktop::QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        // the description usually repeats the patterns in brackets; show them once
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        filters.append(u"%1 (%2)"_s.arg(description, patterns));
    }
    return filters.join(u";;"_s);
}

QString TDesktop::WithExtension(const QString& path, const QString& ext, bool replace)
{
    if (path.isEmpty() || ext.isEmpty())
        return path;
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    // a leading dot (".list") names a file, not an extension
    if (dot <= 0)
        return path + u'.' + ext;
    if (!replace)
        return path;
    return path.left(path.size() - (name.size() - dot)) + u'.' + ext;
}

QString TDesktop::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& defaultExt, const QString& initial)
{
    QString path;
    if (saveHook()) {
        path = saveHook()(caption, filter, defaultExt);
    } else {
        QFileDialog dialog(parent, caption, initial);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(QtFilter(filter));
        dialog.setDefaultSuffix(defaultExt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        path = dialog.selectedFiles().constFirst();
    }
    return WithExtension(path, defaultExt, false);
}

bool TDesktop::OpenFile(const QString& path)
{
    if (openHook())
        return openHook()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
