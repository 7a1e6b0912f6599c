// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Preferences.h"
#include "document/UserInterface.h"
#include "document/VehicleSettings.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A scripted stand-in for the person: records every message, pane text and
// redraw, and answers from what the test sets beforehand. Every question is
// answered No and an unscripted file choice cancels.
class FakeUserInterface : public UserInterface {
public:
    struct Message {
        std::string text;
        MessageKind kind;
    };

    void ShowMessage(const std::string& text, MessageKind kind) override { messages.push_back({text, kind}); }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Next(filesToOpen, std::optional<std::string>());
    }
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Next(filesToSave, std::optional<std::string>());
    }
    void SetPaneText(int pane, const std::string& text) override { panes[pane] = text; }
    void UpdateAllViews() override { ++redraws; }
    bool RunDialog(PreferencesDialogData& data) override
    {
        if (!preferencesEdit)
            return false;
        data = *preferencesEdit;
        return true;
    }

    bool RunDialog(VehicleDialogData& data) override
    {
        if (!vehicleEdit)
            return false;
        data = (*vehicleEdit)(data);
        return true;
    }

    // The texts of all messages shown so far.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Message& message : messages)
            texts.push_back(message.text);
        return texts;
    }
    const std::string& LastText() const { return messages.back().text; }

    std::vector<Message> messages;
    std::vector<FileChoice> fileChoices;
    std::map<int, std::string> panes;
    int redraws = 0;

    std::deque<std::optional<std::string>> filesToOpen;
    std::deque<std::optional<std::string>> filesToSave;
    // What the person types into the Preferences dialog before OK; none = Cancel.
    std::optional<PreferencesDialogData> preferencesEdit;
    // What the person does in the Vehicle Settings dialog before OK; none = Cancel.
    std::optional<std::function<VehicleDialogData(VehicleDialogData)>> vehicleEdit;

private:
    template <typename T> static T Next(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
