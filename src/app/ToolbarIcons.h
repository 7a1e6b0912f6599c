// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The 16 by 15 toolbar picture of a command, drawn in code at the screens' pixel densities.
QIcon ToolbarIcon(int commandId);
// Play's picture while playback runs.
QIcon PauseToolbarIcon();
