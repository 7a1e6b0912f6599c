// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct PreferencesDialogData;
struct VehicleDialogData;

// Everything a document command needs from the person at the screen. The
// desktop shell answers with real dialogs, volantor-cli in text, and the tests
// with a scripted fake. Nothing behind this interface knows about the document.
class UserInterface {
public:
    // A confirmation or report, a refusal or failure that abandons the
    // command, or a table whose columns line up in fixed-width type.
    enum class MessageKind { Information, Failure, Table };

    // What a file dialog offers: the filter ("Flight Recorder Files (*.dat)|*.dat||"),
    // the extension added to a bare name, and the name it starts with.
    struct FileChoice {
        std::string strFilter;
        std::string strDefaultExtension;
        std::string strInitialName;
    };

    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
    // A Yes/No question; true means Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // The file to read, or nothing when the person cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) = 0;
    // Several files to read, in the order chosen; none when the person cancels.
    virtual std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice)
    {
        const auto file = ChooseFileToOpen(choice);
        return file ? std::vector<std::string>{*file} : std::vector<std::string>{};
    }
    // The file to write, after the person agreed to overwrite an existing one.
    virtual std::optional<std::string> ChooseFileToSave(const FileChoice& choice) = 0;
    // Pane 0 is the prompt pane, 1 the mouse readout, 2 the current path.
    virtual void SetPaneText(int pane, const std::string& text) = 0;
    // Every view repaints from the document.
    virtual void UpdateAllViews() = 0;
    // Every view shows these samples framed from its next paint on; none clears.
    virtual void MarkSamples(const std::vector<int>& /*samples*/) {}
    // Modal dialogs; true means OK with the edited values in the data.
    virtual bool RunDialog(PreferencesDialogData& data) = 0;
    virtual bool RunDialog(VehicleDialogData& data) = 0;

    // Runs work that may take long on a large document and touches nothing the
    // views draw. The desktop keeps painting meanwhile and shows the label as
    // progress after half a second; elsewhere the work simply runs. What the
    // work throws comes out here.
    virtual void RunLongTask(const std::string& label, const std::function<void()>& work)
    {
        (void)label;
        work();
    }

    void ShowInformation(const std::string& text) { ShowMessage(text, MessageKind::Information); }
    void ShowFailure(const std::string& text) { ShowMessage(text, MessageKind::Failure); }
};
