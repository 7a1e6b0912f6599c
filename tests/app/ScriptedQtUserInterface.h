// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/QtUserInterface.h"

#include <deque>
#include <string>
#include <vector>

// The desktop interface with its modal parts answered from scripts, so that
// tests drive the real frame without opening message boxes or file dialogs.
class ScriptedQtUserInterface : public QtUserInterface {
public:
    void ShowMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return false;
    }
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Next(filesToOpen);
    }
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Next(filesToSave);
    }
    QMessageBox::StandardButton AskSaveChanges(const QString& question) override
    {
        saveQuestions.push_back(question.toStdString());
        if (saveAnswers.empty())
            return QMessageBox::Cancel;
        const QMessageBox::StandardButton answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    bool RunDialog(PreferencesDialogData&) override
    {
        ++dialogsRun;
        return false;
    }
    bool RunDialog(VehicleDialogData&) override
    {
        ++dialogsRun;
        return false;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> saveQuestions;
    std::vector<FileChoice> fileChoices;
    int dialogsRun = 0;
    std::deque<std::optional<std::string>> filesToOpen;
    std::deque<std::optional<std::string>> filesToSave;
    std::deque<QMessageBox::StandardButton> saveAnswers;

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto next = queue.front();
        queue.pop_front();
        return next;
    }
};
