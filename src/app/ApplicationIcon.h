// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon in every size the desktop packages install.
QIcon ApplicationIcon();
