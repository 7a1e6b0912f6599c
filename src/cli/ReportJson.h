// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct SceneryReport;

// The scenery report as a JSON document for scripts: one object per pattern
// with its figures (metres, feet and seconds named in the keys), then the
// file's size against the format's limit.
std::string SceneryReportJson(const SceneryReport& report);
