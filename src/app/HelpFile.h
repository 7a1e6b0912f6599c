// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The manual as the build and the install both lay it out, seen from the
// folder that holds the program.
QString ManualIndexPath(const QString& applicationDir);

// What Help opens: a "VolHelp.doc" in the current folder first, as it always
// has, otherwise the manual beside the program; nothing when neither exists.
std::optional<QString> HelpFileToOpen(const QString& currentDir, const QString& applicationDir);
