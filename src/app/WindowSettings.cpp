// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSettings.h"

#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>

namespace {

const char* const kGeometryKey = "Window/Geometry";
const char* const kToolBarsKey = "Window/State";
// The main window's own state covers its toolbars but not its status bar.
const char* const kStatusBarKey = "Window/StatusBar";

}  // namespace

bool RestoreWindowSettings(QMainWindow& window)
{
    const QSettings settings;
    if (!window.restoreGeometry(settings.value(kGeometryKey).toByteArray()))
        return false;
    window.restoreState(settings.value(kToolBarsKey).toByteArray());
    window.statusBar()->setVisible(settings.value(kStatusBarKey, true).toBool());
    return true;
}

void SaveWindowSettings(const QMainWindow& window)
{
    QSettings settings;
    settings.setValue(kGeometryKey, window.saveGeometry());
    settings.setValue(kToolBarsKey, window.saveState());
    settings.setValue(kStatusBarKey, !window.statusBar()->isHidden());
}
