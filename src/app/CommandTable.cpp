// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandTable.h"

#include "app/MainFrame.h"
#include "app/VolantorView.h"
#include "document/VolantorDoc.h"

#include <algorithm>
#include <vector>

namespace {

using Handler = std::function<void(CMainFrame&)>;

Handler DocCommand(void (CVolantorDoc::*command)())
{
    return [command](CMainFrame& frame) { (frame.Document().*command)(); };
}

Handler FrameCommand(void (CMainFrame::*command)())
{
    return [command](CMainFrame& frame) { (frame.*command)(); };
}

Handler PlaybackSpeed(int speed)
{
    return [speed](CMainFrame& frame) { frame.SetPlaybackSpeed(speed); };
}

const std::vector<CommandEntry>& Table()
{
    using M = CommandMenu;
    // clang-format off
    static const std::vector<CommandEntry> table{
        {ID_FILE_NEW, M::File, "&New\tCtrl+N", FrameCommand(&CMainFrame::OnFileNew), false,
         "Create a new Volantor file\nNew", "Ctrl+N", 0, false, false},
        {ID_FILE_OPEN, M::File, "&Open...\tCtrl+O", FrameCommand(&CMainFrame::OnFileOpen), false,
         "Open an existing Volantor file\nOpen", "Ctrl+O", 1, false, false},
        {ID_FILE_SAVE, M::File, "&Save...\tCtrl+S", FrameCommand(&CMainFrame::OnFileSave), true,
         "Save all paths to a Volantor file\nSave", "", -1, false, false},
        {ID_FILE_SAVE_AS, M::File, "Save &As...", FrameCommand(&CMainFrame::OnFileSaveAs), true,
         "Save the active document with a new name\nSave As", "Ctrl+S", -1, true, false},
        {ID_OPEN_FLIGHT_PATH, M::File, "Open ORVEX &Flight Path...", DocCommand(&CVolantorDoc::OnOpenFlightPath),
         false, "", "", -1, false, false},
        {ID_IMPORT_TRACK, M::File, "Import &Track...", FrameCommand(&CMainFrame::OnImportTrack), false,
         "Read GPS (GPX) and glider (IGC) tracks as new paths\nImport Track", "", -1, false, false},
        {ID_OPEN_BGL, M::File, "Open &BGL...", FrameCommand(&CMainFrame::OnOpenBgl), false,
         "Show what a compiled scenery file makes its vehicles fly, read-only\nOpen BGL", "", -1, true, false},
        {32798, M::File, "Create &BGL File...", DocCommand(&CVolantorDoc::OnCreateBglFile), true, "", "", -1,
         false, false},
        {32808, M::File, "Save S&CASM Source...\tCtrl+S", DocCommand(&CVolantorDoc::OnSaveScasmSource), true,
         "", "", -1, false, false},
        {32785, M::File, "&Export Map...\tCtrl+E", DocCommand(&CVolantorDoc::OnExportMap), true, "", "", -1,
         false, false},
        {ID_EXPORT_KML, M::File, "Export &KML...", FrameCommand(&CMainFrame::OnExportKml), true,
         "Export the paths and scenery areas for a map program\nExport KML", "", -1, true, false},
        {ID_FILE_MRU_FILE1, M::File, "Recent File", {}, false, "Open this document", "", -1, true, false},
        {ID_APP_EXIT, M::File, "E&xit\tCtrl+X", FrameCommand(&CMainFrame::OnAppExit), false,
         "Quit the application; prompts to save documents\nExit", "", -1, false, false},

        // The history's own rows: the frame adds the name of the edit each would step over.
        {ID_EDIT_UNDO, M::Edit, "&Undo\tCtrl+Z", DocCommand(&CVolantorDoc::OnUndo), false,
         "Undo the last change\nUndo", "Ctrl+Z; Alt+Backspace", 13, false, false},
        {ID_EDIT_REDO, M::Edit, "&Redo\tCtrl+Y", DocCommand(&CVolantorDoc::OnRedo), false,
         "Redo the change last undone\nRedo", "Ctrl+Y; Ctrl+Shift+Z", 14, true, false},
        {ID_FIND_LOOP_POINT, M::Edit, "Find &Loop Point", DocCommand(&CVolantorDoc::OnFindLoopPoint), true,
         "Find Loop Point\nLoop", "", 8, false, false},
        {32800, M::Edit, "&Make End Match Start", DocCommand(&CVolantorDoc::OnMakeEndMatchStart), true, "", "",
         -1, false, false},
        {ID_GENERATE_PATH, M::Edit, "&Generate Path", DocCommand(&CVolantorDoc::OnGeneratePath), true,
         "Generate Dynamic Scenery Path\nGenerate", "", 7, false, false},
        {ID_FIT_TO_SIZE, M::Edit, "Fit to &Size...", FrameCommand(&CMainFrame::OnFitToSize), true,
         "Choose the thresholds and generate the paths so that the BGL file fits a size\nFit to Size", "", -1,
         false, false},
        {32806, M::Edit, "&Clear Path", DocCommand(&CVolantorDoc::OnClearPath), true, "", "", -1, false, false},
        {32805, M::Edit, "&Delete", DocCommand(&CVolantorDoc::OnDeletePath), true,
         "Delete Vehicle Path\nDelete", "", -1, true, false},
        {ID_EDIT_PREFERENCES, M::Edit, "&Preferences...", FrameCommand(&CMainFrame::OnPreferences), false,
         "Set program preferences\nPreferences", "Ctrl+P", -1, false, false},

        {ID_VEHICLE_SETTINGS, M::Vehicle, "&Settings...", DocCommand(&CVolantorDoc::OnVehicleSettings), true,
         "Edit Vehicle Settings\nVehicle Settings", "Ctrl+V", -1, false, false},
        {ID_NEXT_PATH, M::Vehicle, "&Next", DocCommand(&CVolantorDoc::OnNextPath), true, "Next Path\nNext", "",
         11, false, false},
        {ID_PREVIOUS_PATH, M::Vehicle, "&Previous", DocCommand(&CVolantorDoc::OnPreviousPath), true,
         "Previous Path\nPrevious", "", 10, false, false},

        {ID_VIEW_TOOLBAR, M::View, "&Toolbar", FrameCommand(&CMainFrame::OnViewToolbar), false,
         "Show or hide the toolbar\nToggle ToolBar", "", -1, false, true},
        {ID_VIEW_STATUS_BAR, M::View, "&Status Bar", FrameCommand(&CMainFrame::OnViewStatusBar), false,
         "Show or hide the status bar\nToggle StatusBar", "", -1, false, true},
        {ID_VIEW_3D, M::View, "&3D View\tCtrl+3", FrameCommand(&CMainFrame::On3DView), false, "Toggle between overhead and 3d Views", "Ctrl+3",
         -1, false, true},
        {32784, M::View, "Information...\tCtrl+I", DocCommand(&CVolantorDoc::OnInformation), true,
         "View information on current flight path", "Ctrl+I", -1, false, false},
        {ID_SCENERY_REPORT, M::View, "Scenery &Report...", DocCommand(&CVolantorDoc::OnSceneryReport), true,
         "What the compiled scenery makes each vehicle fly, and how far it strays\nScenery Report", "", -1, false,
         false},
        {ID_VIEW_RESET, M::View, "&Reset View\tCtrl+R", FrameCommand(&CMainFrame::OnResetView), true, "Recenter Display\nRecenter", "Ctrl+R", 5,
         true, false},
        {ID_VIEW_REPLAY, M::View, "Show &Replay", FrameCommand(&CMainFrame::OnShowReplay), true,
         "Show the course each path's scenery flies, over the recording\nShow Replay", "", 16, false, true},
        // The frame shows "&Pause\tSpace" while playback runs.
        {ID_VIEW_PLAY, M::View, "&Play\tSpace", FrameCommand(&CMainFrame::OnPlayPause), true,
         "Play the replay: every vehicle flies its course, all together\nPlay", "Space", 17, false, false},
        {ID_VIEW_REWIND, M::View, "Re&wind\tHome", FrameCommand(&CMainFrame::OnRewind), true,
         "Return the replay to its start\nRewind", "Home", -1, true, false},
        {ID_VIEW_SPEED_1, M::View, "&1\u00D7 Speed", PlaybackSpeed(1), false, "Play the replay in real time", "", -1,
         false, true},
        {ID_VIEW_SPEED_10, M::View, "1&0\u00D7 Speed", PlaybackSpeed(10), false, "Play the replay ten times as fast",
         "", -1, false, true},
        {ID_VIEW_SPEED_60, M::View, "&60\u00D7 Speed", PlaybackSpeed(60), false,
         "Play the replay sixty times as fast: a minute each second", "", -1, false, true},

        {57670, M::Help, "Volantor &Help", FrameCommand(&CMainFrame::OnHelp), false, "Application Help\nHelp",
         "F1", -1, false, false},
        {57664, M::Help, "&About Volantor...", FrameCommand(&CMainFrame::OnAppAbout), false,
         "Display program information, version number and copyright\nAbout", "", -1, false, false},

        {ID_VIEW_ZOOM_OUT, M::None, "Zoom Out", FrameCommand(&CMainFrame::OnZoomOut), false, "Zoom Out\nOut",
         "PgUp", 3, false, false},
        {ID_VIEW_ZOOM_IN, M::None, "Zoom In", FrameCommand(&CMainFrame::OnZoomIn), false, "Zoom In\nIn",
         "PgDown", 4, false, false},
        // Accelerators the menu has no command for: the keys do nothing.
        {57635, M::None, "Cut", {}, false, "", "Shift+Del", -1, false, false},
        {57680, M::None, "Next Pane", {}, false, "", "F6", -1, false, false},
        {57681, M::None, "Previous Pane", {}, false, "", "Shift+F6", -1, false, false},

        // The view's right-click menu, acting on the sample it picked.
        {ID_POINT_INFO, M::Point, "Point Info", [](CMainFrame& frame) { frame.View().OnPointInfo(); }, false, "",
         "", -1, false, false},
        {ID_DELETE_TO_START, M::Point, "Delete to Start", FrameCommand(&CMainFrame::OnDeleteToStart), false, "",
         "", -1, false, false},
        {ID_DELETE_TO_END, M::Point, "Delete to End", FrameCommand(&CMainFrame::OnDeleteToEnd), false, "", "",
         -1, false, false},
    };
    // clang-format on
    return table;
}

} // namespace

std::span<const CommandEntry> CommandTable()
{
    return Table();
}

const CommandEntry* FindCommand(int id)
{
    const auto& table = Table();
    auto found =
        std::find_if(table.begin(), table.end(), [id](const CommandEntry& entry) { return entry.nId == id; });
    return found == table.end() ? nullptr : &*found;
}

std::string_view StatusPrompt(std::string_view prompt)
{
    return prompt.substr(0, prompt.find('\n'));
}

std::string_view ToolTip(std::string_view prompt)
{
    const auto newline = prompt.find('\n');
    return newline == std::string_view::npos ? std::string_view() : prompt.substr(newline + 1);
}
