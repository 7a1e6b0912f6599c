#pragma once

#include "app/MainFrame.h"
#include "app/QtUserInterface.h"
#include "document/VolantorDoc.h"

#include <QStringList>

#include <memory>

// The program: one document shown in one frame.
class CVolantorApp {
public:
    CVolantorApp();
    ~CVolantorApp();

    // Sets up the preferences, the document from the command line and the
    // frame. False when the command-line document could not be opened; the
    // reason has been shown by then.
    bool InitInstance(const QStringList& arguments);

    CMainFrame& Frame() { return *m_pFrame; }

private:
    QtUserInterface m_ui;
    CVolantorDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};
