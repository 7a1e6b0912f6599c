// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolantorApp.h"

#include "VolantorVersion.h"
#include "app/ApplicationIcon.h"
#include "app/FileKinds.h"
#include "document/Preferences.h"

#include <QApplication>

CVolantorApp::CVolantorApp(std::unique_ptr<QtUserInterface> ui) : m_pUI(std::move(ui)), m_doc(*m_pUI) {}

CVolantorApp::~CVolantorApp() = default;

bool CVolantorApp::InitInstance(const QString& file)
{
    // The settings store (the recent files, the window's layout) lives under the maker's name.
    QApplication::setOrganizationName("Brightmoor");
    QApplication::setApplicationName("Volantor");
    QApplication::setApplicationVersion(QString::fromUtf8(kVolantorVersion.data(), kVolantorVersion.size()));
    QApplication::setWindowIcon(ApplicationIcon());
    SetDefaultPreferences();

    m_pFrame = std::make_unique<CMainFrame>(m_doc, *m_pUI);
    m_pUI->AttachFrame(m_pFrame.get());

    m_doc.OnNewDocument();
    const FileKind kind = FileKindOf(file);
    if (kind == FileKind::RecorderLog || kind == FileKind::Track) {
        m_pFrame->ReadAsNewPaths({file});
    } else if (!file.isEmpty()) {
        if (!m_doc.OnOpenDocument(file.toStdString()))
            return false;
        m_pFrame->AddRecentFile(file);
    }
    m_pFrame->DocumentChanged();
    m_pFrame->show();
    return true;
}
