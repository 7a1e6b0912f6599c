// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ApplicationIcon.h"

QIcon ApplicationIcon()
{
    // The PNGs of packaging/icons, built into the program (CMakeLists.txt).
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1x%1/org.volantor.Volantor.png").arg(size), QSize(size, size));
    return icon;
}
