// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "VolantorVersion.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

// Qt names the program in the usage line only once an application object
// exists, and then by the path it was started with; the help is shown
// before there is one, so the line is written here.
QString HelpText(const QCommandLineParser& parser)
{
    const QString text = parser.helpText();
    return "Usage: volantor [options] [FILE]" + text.mid(text.indexOf('\n'));
}

CommandLine UsageError(const QCommandLineParser& parser, const QString& message)
{
    return {CommandLine::Outcome::UsageError, "volantor: " + message + "\n\n" + HelpText(parser), {}};
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Opens the window; with FILE, opens that document or reads that flight\n"
                                     "recorder log or track as new paths.");
    const QCommandLineOption help("help", "show this text");
    const QCommandLineOption version("version", "show the program's version");
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        "FILE", "a document (*.vol), a flight recorder log (*.dat) or a track (*.gpx, *.igc)", "[FILE]");

    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help))
        return {CommandLine::Outcome::Answer, HelpText(parser), {}};
    if (parser.isSet(version))
        return {CommandLine::Outcome::Answer,
                "Volantor " + QString::fromUtf8(kVolantorVersion.data(), kVolantorVersion.size()) + "\n",
                {}};
    if (!parsed)
        return UsageError(parser, parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return UsageError(parser, "give at most one FILE");
    return {CommandLine::Outcome::OpenWindow, {}, files.value(0)};
}
