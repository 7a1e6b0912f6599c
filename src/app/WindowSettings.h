// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMainWindow;

// The window's size, position, toolbar and status bar as the last run left
// them, kept in the settings store beside the recent files.
// False when none were kept yet: the window stays as it is.
bool RestoreWindowSettings(QMainWindow& window);
void SaveWindowSettings(const QMainWindow& window);
