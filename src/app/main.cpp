// SPDX-License-Identifier: GPL-3.0-or-later
#include "VolantorVersion.h"
#include "app/VolantorApp.h"

#include <QApplication>

#include <clocale>
#include <iostream>
#include <string_view>

int main(int argc, char* argv[])
{
    // Answered before QApplication exists, so it works without a display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "Volantor " << kVolantorVersion << "\n";
        return 0;
    }
    QApplication application(argc, argv);
    // QApplication adopts the system locale; the recorder reader and the
    // scenery writers expect '.' as the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    CVolantorApp volantor;
    if (!volantor.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
