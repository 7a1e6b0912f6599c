// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/UserInterface.h"

#include <QMessageBox>
#include <QString>

class CMainFrame;

// The person's side of the document commands in the desktop program: message
// boxes, file dialogs, the frame's status panes and its view. The modal parts
// are virtual so that tests can answer them without opening windows.
class QtUserInterface : public UserInterface {
public:
    void AttachFrame(CMainFrame* frame) { m_pFrame = frame; }

    void ShowMessage(const std::string& text, MessageKind kind) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
    std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) override;
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
    void SetPaneText(int pane, const std::string& text) override;
    void UpdateAllViews() override;
    void MarkSamples(const std::vector<int>& samples) override;
    bool RunDialog(PreferencesDialogData& data) override;
    bool RunDialog(VehicleDialogData& data) override;
    void RunLongTask(const std::string& label, const std::function<void()>& work) override;

    // "Save changes to ...?" with Yes, No and Cancel.
    virtual QMessageBox::StandardButton AskSaveChanges(const QString& question);

protected:
    QWidget* Parent() const;

private:
    CMainFrame* m_pFrame = nullptr;
};

// "Flight Path Files (*.vol)|*.vol||" as a file dialog's name filters.
QString QtFileFilter(const std::string& filter);
