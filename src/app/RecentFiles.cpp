// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentFiles.h"

#include <QDir>
#include <QSettings>

namespace {

const char* const kRecentFilesKey = "Recent File List/Files";

// A longer path keeps its start and, longer, its end with the file name.
constexpr qsizetype kMaxShownPath = 48;
constexpr qsizetype kShownPathStart = 16;
constexpr QLatin1String kElision("...");

QString ShortenedInTheMiddle(const QString& path)
{
    if (path.size() <= kMaxShownPath)
        return path;
    const qsizetype end = kMaxShownPath - kShownPathStart - kElision.size();
    return path.left(kShownPathStart) + kElision + path.right(end);
}

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

QString RecentFileMenuText(int number, const QString& path)
{
    QString shown = ShortenedInTheMiddle(QDir::toNativeSeparators(path));
    shown.replace('&', "&&");
    return QString("&%1 %2").arg(number).arg(shown);
}
