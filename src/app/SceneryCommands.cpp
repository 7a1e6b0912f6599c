// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands about compiled scenery: a file opened to watch, and
// the document's scenery fitted into a size.

#include "app/MainFrame.h"
#include "app/QtUserInterface.h"
#include "app/VolantorView.h"
#include "document/VolantorDoc.h"
#include "output/SceneryFit.h"
#include "output/SceneryReplay.h"

#include <QGuiApplication>
#include <QInputDialog>

#include <climits>

void CMainFrame::OnOpenBgl()
{
    if (!SaveModified())
        return;
    const auto file = m_ui.ChooseFileToOpen({"MSFS Files (*.bgl)|*.bgl||", "bgl", ""});
    if (!file)
        return;
    std::string refusal;
    auto replays = ReplayCompiledSceneryFile(*file, refusal);
    if (!replays) {
        m_ui.ShowFailure(refusal);
        return;
    }
    m_doc.OnNewDocument();
    m_strCompiledFile = QString::fromStdString(*file);
    m_pView->Paths().ShowCompiledScenery(std::move(*replays));
}

void CMainFrame::OnFitToSize()
{
    bool ok = false;
    const int bytes = QInputDialog::getInt(this, "Fit to Size",
                                           "Largest BGL file, in bytes:", static_cast<int>(kDefaultFitBytes),
                                           1, INT_MAX, 1024, &ok);
    if (!ok)
        return;
    // The search tries the thresholds on the document itself, so the view
    // may not paint it meanwhile: it takes a second or two at most.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_doc.OnFitToSize(static_cast<std::size_t>(bytes));
    QGuiApplication::restoreOverrideCursor();
}
