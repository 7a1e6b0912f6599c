// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/UserInterface.h"

#include <ostream>

class PathView;

// The person's side of the document commands in batch use: confirmations and
// reports go to standard output, refusals and failures to standard error,
// questions are answered Yes and file choices come from the command line.
class CliUserInterface : public UserInterface {
public:
    CliUserInterface(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    void ShowMessage(const std::string& text, MessageKind kind) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
    void SetPaneText(int, const std::string&) override {}
    void UpdateAllViews() override {}
    bool RunDialog(PreferencesDialogData&) override { return false; }
    bool RunDialog(VehicleDialogData&) override { return false; }

    // The file the next file dialog chooses.
    void SetNextFile(const std::string& name) { m_nextFile = name; }
    // The client area the pictures of the view are painted for.
    void SetPictureSize(int width, int height)
    {
        m_nPictureWidth = width;
        m_nPictureHeight = height;
    }
    int PictureWidth() const { return m_nPictureWidth; }
    int PictureHeight() const { return m_nPictureHeight; }
    // The view the pictures are painted through; its zoom, pan and 3D switch last from step to step.
    void AttachView(PathView& view) { m_pView = &view; }
    PathView& View() const { return *m_pView; }
    // True once a command has shown a failure.
    bool HasFailed() const { return m_bFailed; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    std::optional<std::string> m_nextFile;
    bool m_bFailed = false;
    int m_nPictureWidth = 800;
    int m_nPictureHeight = 600;
    PathView* m_pView = nullptr;
};
