// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the window does with a file it is handed by name, dropped or on the
// command line: decided by the extension, in any case.
enum class FileKind { Document, RecorderLog, Track, Other };

FileKind FileKindOf(const QString& path);
