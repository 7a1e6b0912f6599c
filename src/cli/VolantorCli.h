// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

// volantor-cli [--set NAME=VALUE]... STEP...
// Runs the steps in order on one document, as the window's commands would run.
// Returns the exit code: 0 success, 1 a command failed, 2 a usage error.
int RunVolantorCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
