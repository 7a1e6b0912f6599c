// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped onto the window. A drop may hold one document and any number
// of recorder logs and tracks: the document opens first and the others, in
// the order dropped, are read into it as new paths. Further documents, and
// files of any other kind, are refused by name.
#include "app/MainFrame.h"

#include "app/FileKinds.h"
#include "app/QtUserInterface.h"
#include "document/VolantorDoc.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

QString ShownName(const QUrl& url)
{
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toDisplayString();
}

void Refuse(QtUserInterface& ui, const QString& text)
{
    ui.ShowFailure(text.toStdString());
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    // Opened once the drop is over: a question or message box inside it would
    // hold up the program the files were dragged from.
    const QList<QUrl> urls = event->mimeData()->urls();
    QMetaObject::invokeMethod(
        this, [this, urls] { OpenDroppedFiles(urls); }, Qt::QueuedConnection);
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls)
{
    QString document;
    QStringList paths;
    for (const QUrl& url : urls) {
        const FileKind kind = url.isLocalFile() ? FileKindOf(url.toLocalFile()) : FileKind::Other;
        if (kind == FileKind::RecorderLog || kind == FileKind::Track)
            paths << url.toLocalFile();
        else if (kind == FileKind::Document && document.isEmpty())
            document = url.toLocalFile();
        else if (kind == FileKind::Document)
            Refuse(m_ui, QString("\"%1\" was not opened: one document opens at a time.").arg(ShownName(url)));
        else
            Refuse(m_ui, QString("\"%1\" was not opened: only documents (*.vol), flight recorder logs "
                                 "(*.dat) and tracks (*.gpx, *.igc) can be dropped here.")
                             .arg(ShownName(url)));
    }
    // The paths were dropped for the document: without it they stay unread.
    if (!document.isEmpty() && (!SaveModified() || !OpenDocumentFile(document))) {
        DocumentChanged();
        return;
    }
    ReadAsNewPaths(paths);
}
