// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/UserInterface.h"

// Answers everything silently, so that commands can be timed without a person.
class NullUserInterface : public UserInterface {
public:
    void ShowMessage(const std::string&, MessageKind) override {}
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return std::nullopt; }
    std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return std::nullopt; }
    void SetPaneText(int, const std::string&) override {}
    void UpdateAllViews() override {}
    bool RunDialog(PreferencesDialogData&) override { return false; }
    bool RunDialog(VehicleDialogData&) override { return false; }
};
