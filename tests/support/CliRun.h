// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/VolantorCli.h"

#include <sstream>
#include <string>
#include <vector>

// One volantor-cli run with what it wrote to each stream.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunVolantorCli(args, out, err);
    return {status, out.str(), err.str()};
}
