// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainFrame.h"
#include "app/QtUserInterface.h"
#include "document/VolantorDoc.h"

#include <QString>

#include <memory>

// The program: one document shown in one frame.
class CVolantorApp {
public:
    // The interface answers the document's messages and questions; tests pass a scripted one.
    explicit CVolantorApp(std::unique_ptr<QtUserInterface> ui = std::make_unique<QtUserInterface>());
    ~CVolantorApp();

    // Sets up the preferences, the document and the frame. A document named
    // on the command line is opened, a recorder log read as a new path. False
    // when the document could not be opened; the reason has been shown by then.
    bool InitInstance(const QString& file);

    CMainFrame& Frame() { return *m_pFrame; }

private:
    std::unique_ptr<QtUserInterface> m_pUI;
    CVolantorDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};
