// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/PlatformFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// "x" is the exclusive mode of C11. Windows takes wide file names, so a name
// beyond the code page still opens.
std::FILE* CreateNewFile(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}
