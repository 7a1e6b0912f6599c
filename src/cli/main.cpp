// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VolantorCli.h"

#include <iostream>

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunVolantorCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
