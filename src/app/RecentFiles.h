// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The recent-file list, kept in the settings store.
QStringList LoadRecentFiles();
void SaveRecentFiles(const QStringList& files);
// The list with path moved to the front, at most the given number long.
QStringList WithRecentFile(QStringList files, const QString& path, int maxFiles);
// The File menu's text for the entry: "&N " and the path, shortened in the
// middle when long, its '&' shown as itself rather than marking a mnemonic.
QString RecentFileMenuText(int number, const QString& path);
