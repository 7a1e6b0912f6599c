// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>

// The two file operations the standard library cannot say portably; the
// only place the core calls the operating system.

// Opens a new file for binary writing; fails, leaving it alone, when the name
// is taken by anything (a file, a folder or a link, even a broken one).
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Writes the file's buffered bytes and makes the system put them on the disk,
// so that a crash just after a save cannot leave an empty file behind.
bool FlushToDisk(std::FILE* file);
