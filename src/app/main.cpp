// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/VolantorApp.h"

#include <QApplication>

#include <clocale>
#include <iostream>

namespace {

// A usage error exits as volantor-cli's do.
constexpr int kExitUsage = 2;

QStringList ArgumentsBeforeQt(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Help and version are answered before QApplication exists, so they work
    // without a display. Anything else waits for it: it takes its own options
    // (-platform, -style) out of the arguments.
    if (const CommandLine early = ReadCommandLine(ArgumentsBeforeQt(argc, argv));
        early.outcome == CommandLine::Outcome::Answer) {
        std::cout << early.strText.toStdString();
        return 0;
    }
    QApplication application(argc, argv);
    // QApplication adopts the system locale; the recorder reader and the
    // scenery writers expect '.' as the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    const CommandLine commandLine = ReadCommandLine(QApplication::arguments());
    if (commandLine.outcome != CommandLine::Outcome::OpenWindow) {
        std::cerr << commandLine.strText.toStdString();
        return kExitUsage;
    }
    CVolantorApp volantor;
    if (!volantor.InitInstance(commandLine.strFile))
        return 1;
    return QApplication::exec();
}
