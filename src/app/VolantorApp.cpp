// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolantorApp.h"

#include "VolantorVersion.h"
#include "document/Preferences.h"

#include <QApplication>

CVolantorApp::CVolantorApp(std::unique_ptr<QtUserInterface> ui) : m_pUI(std::move(ui)), m_doc(*m_pUI) {}

CVolantorApp::~CVolantorApp() = default;

bool CVolantorApp::InitInstance(const QStringList& arguments)
{
    // The settings store (only the recent-file list) lives under the maker's name.
    QApplication::setOrganizationName("Brightmoor");
    QApplication::setApplicationName("Volantor");
    QApplication::setApplicationVersion(QString::fromUtf8(kVolantorVersion.data(), kVolantorVersion.size()));
    SetDefaultPreferences();

    m_pFrame = std::make_unique<CMainFrame>(m_doc, *m_pUI);
    m_pUI->AttachFrame(m_pFrame.get());

    m_doc.OnNewDocument();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        if (!m_doc.OnOpenDocument(path.toStdString()))
            return false;
        m_pFrame->AddRecentFile(path);
    }
    m_pFrame->DocumentChanged();
    m_pFrame->show();
    return true;
}
