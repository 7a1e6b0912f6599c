// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/UserInterface.h"

// The person at the screen for the fuzz targets: shows nothing, counts the
// failures it was told about, cancels every file choice and dialog, and
// answers every question as set beforehand.
class SilentUserInterface : public UserInterface {
public:
    void ShowMessage(const std::string&, MessageKind kind) override
    {
        if (kind == MessageKind::Failure)
            ++failures;
    }
    bool AskYesNo(const std::string&) override { return answerYes; }
    std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return std::nullopt; }
    std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return std::nullopt; }
    void SetPaneText(int, const std::string&) override {}
    void UpdateAllViews() override {}
    bool RunDialog(PreferencesDialogData&) override { return false; }
    bool RunDialog(VehicleDialogData&) override { return false; }

    int failures = 0;
    bool answerYes = false;
};
