#include "app/RecentFiles.h"

#include <QSettings>

namespace {

const char* const kRecentFilesKey = "Recent File List/Files";

} // namespace

QStringList LoadRecentFiles()
{
    return QSettings().value(kRecentFilesKey).toStringList();
}

void SaveRecentFiles(const QStringList& files)
{
    QSettings().setValue(kRecentFilesKey, files);
}

QStringList WithRecentFile(QStringList files, const QString& path, int maxFiles)
{
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > maxFiles)
        files.removeLast();
    return files;
}
