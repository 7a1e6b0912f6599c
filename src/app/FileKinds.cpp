// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileKinds.h"

#include "xml/TrackFiles.h"

#include <QFileInfo>

FileKind FileKindOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    if (extension.compare(QLatin1String("vol"), Qt::CaseInsensitive) == 0)
        return FileKind::Document;
    if (extension.compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0)
        return FileKind::RecorderLog;
    if (IsTrackFileName(path.toStdString()))
        return FileKind::Track;
    return FileKind::Other;
}
