// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainFrame.h"
#include "app/QtUserInterface.h"
#include "document/VolantorDoc.h"

#include <QStringList>

#include <memory>

// The program: one document shown in one frame.
class CVolantorApp {
public:
    // The interface answers the document's messages and questions; tests pass a scripted one.
    explicit CVolantorApp(std::unique_ptr<QtUserInterface> ui = std::make_unique<QtUserInterface>());
    ~CVolantorApp();

    // Sets up the preferences, the document from the command line and the
    // frame. False when the command-line document could not be opened; the
    // reason has been shown by then.
    bool InitInstance(const QStringList& arguments);

    CMainFrame& Frame() { return *m_pFrame; }

private:
    std::unique_ptr<QtUserInterface> m_pUI;
    CVolantorDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};
