// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpFile.h"

#include <QDir>
#include <QFileInfo>

QString ManualIndexPath(const QString& applicationDir)
{
    return QDir::cleanPath(QDir(applicationDir).absoluteFilePath("../share/doc/volantor/manual/index.html"));
}

std::optional<QString> HelpFileToOpen(const QString& currentDir, const QString& applicationDir)
{
    const QString helpDocument = QDir(currentDir).absoluteFilePath("VolHelp.doc");
    if (QFileInfo::exists(helpDocument))
        return helpDocument;
    const QString manual = ManualIndexPath(applicationDir);
    if (QFileInfo::exists(manual))
        return manual;
    return std::nullopt;
}
