// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string_view>

class CMainFrame;

// Where a command appears in the menu bar; None for commands reached only by
// the toolbar or an accelerator, Point for the view's right-click menu.
enum class CommandMenu { File, Edit, Vehicle, View, Help, None, Point };

// One row of the frame's command table. The menus, the toolbar, the
// accelerators and the enabling rule are all built from these rows.
struct CommandEntry {
    int nId;
    CommandMenu menu;
    std::string_view strText; // as the menu shows it, with '&' and the tab before the shortcut text
    std::function<void(CMainFrame&)> handler; // empty: the command does nothing and stays disabled
    bool bNeedsPath;                          // enabled only while the document holds a path
    std::string_view strPrompt;               // status prompt, then after '\n' the tool tip
    std::string_view strAccelerator;          // key sequences in portable text, "; " between them, or empty
    int nToolbarSlot;                         // position on the toolbar, -1 for none; a gap is a separator
    bool bSeparatorAfter;                     // a menu separator follows the item
    bool bCheckable;
};

// Rows in menu order within each menu.
std::span<const CommandEntry> CommandTable();
const CommandEntry* FindCommand(int id);

// The two halves of a prompt string.
std::string_view StatusPrompt(std::string_view prompt);
std::string_view ToolTip(std::string_view prompt);

// Ids of the commands the frame treats specially.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_OPEN_FLIGHT_PATH = 32809;
inline constexpr int ID_EXPORT_KML = 32810;
inline constexpr int ID_IMPORT_TRACK = 32811;
inline constexpr int ID_EDIT_PREFERENCES = 32782;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_VIEW_3D = 32772;
inline constexpr int ID_VIEW_ZOOM_IN = 32777;
inline constexpr int ID_VIEW_ZOOM_OUT = 32776;
inline constexpr int ID_VIEW_RESET = 32778;
inline constexpr int ID_POINT_INFO = 32789;
inline constexpr int ID_DELETE_TO_START = 32790;
inline constexpr int ID_DELETE_TO_END = 32791;
inline constexpr int ID_VEHICLE_SETTINGS = 1013;
inline constexpr int ID_GENERATE_PATH = 32781;
inline constexpr int ID_FIND_LOOP_POINT = 32793;
inline constexpr int ID_NEXT_PATH = 32795;
inline constexpr int ID_PREVIOUS_PATH = 32797;
inline constexpr int ID_VIEW_REPLAY = 32812;
inline constexpr int ID_VIEW_PLAY = 32813;
inline constexpr int ID_VIEW_REWIND = 32814;
inline constexpr int ID_VIEW_SPEED_1 = 32815;
inline constexpr int ID_VIEW_SPEED_10 = 32816;
inline constexpr int ID_VIEW_SPEED_60 = 32817;
inline constexpr int ID_OPEN_BGL = 32818;
inline constexpr int ID_SCENERY_REPORT = 32819;
inline constexpr int ID_FIT_TO_SIZE = 32820;
inline constexpr int kMaxRecentFiles = 8;
