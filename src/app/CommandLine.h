// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the volantor command line asks for: the window, with the document or
// recorder log named on it, or an answer printed instead.
struct CommandLine {
    enum class Outcome { OpenWindow, Answer, UsageError };

    Outcome outcome = Outcome::OpenWindow;
    // The help or the version for Answer; for UsageError what is wrong, then the help.
    QString strText;
    // The file the window starts with; empty for none.
    QString strFile;
};

// Reads the arguments, the program's own name first; --help and --version win
// over anything else on the line.
CommandLine ReadCommandLine(const QStringList& arguments);
