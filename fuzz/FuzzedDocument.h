// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

class CVolantorDoc;

// Fills an empty document from fuzz bytes: the preferences (their defaults, or
// values inside the ranges the Preferences dialog allows), up to four paths
// with their vehicle settings and up to 200 samples each. The samples walk a
// little each second, stand still now and then, and once in a while hold an
// extreme value (NaN, infinities, huge numbers, the poles, the date line).
// The extents are computed as reading a log computes them.
void BuildFuzzedDocument(FuzzedDataProvider& bytes, CVolantorDoc& doc);
