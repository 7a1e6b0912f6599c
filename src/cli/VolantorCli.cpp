// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VolantorCli.h"

#include "VolantorVersion.h"
#include "cli/CliUserInterface.h"
#include "cli/ReportJson.h"
#include "cli/VehicleArguments.h"
#include "document/DocumentEdits.h"
#include "document/FileIO.h"
#include "document/Preferences.h"
#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"
#include "document/WholeNumber.h"
#include "output/SceneryFit.h"
#include "output/SceneryReplay.h"
#include "output/SceneryReport.h"
#include "view/PathView.h"
#include "view/qt/PathViewImage.h"
#include "xml/KmlExport.h"
#include "xml/TrackFiles.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A step that takes the document (and the command line's file, if any).
struct StepKind {
    std::string_view strOption;
    std::string_view strArgument;  // empty for steps without one
    std::string_view strHelp;
    std::function<void(CVolantorDoc&, CliUserInterface&, const std::string&)> run;
    // Checks the argument before any step runs; returns the refusal message.
    std::function<std::optional<std::string>(const std::string&)> check = {};
};

// A step's argument that turns out wrong only once the document is known,
// such as a sample index beyond the samples read.
struct LateUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::optional<std::string> ParseSampleIndexArgument(std::string_view text, std::size_t& index)
{
    const auto parsed = WholeNumber<std::size_t>(text);
    if (!parsed)
        return "INDEX is a sample number from 0, not \"" + std::string(text) + "\"";
    index = *parsed;
    return std::nullopt;
}

// A step that runs a point-menu command on a sample, as a right click on it would pick it.
auto AtSample(void (CVolantorDoc::*command)(int selectedSample))
{
    return [command](CVolantorDoc& doc, CliUserInterface&, const std::string& argument) {
        const auto index = WholeNumber<std::size_t>(argument);
        if (!index || *index >= doc.m_samples.size())
            throw LateUsageError("sample index " + argument + " is outside the " +
                                 std::to_string(doc.m_samples.size()) + " samples of the document");
        (doc.*command)(static_cast<int>(*index));
    };
}

// A step that runs a document command without argument.
auto Run(void (CVolantorDoc::*command)())
{
    return [command](CVolantorDoc& doc, CliUserInterface&, const std::string&) { (doc.*command)(); };
}

void ReadFlightPath(CVolantorDoc& doc, CliUserInterface& ui, const std::string& file)
{
    ui.SetNextFile(file);
    doc.OnOpenFlightPath();
}

void ImportTrack(CVolantorDoc& doc, CliUserInterface&, const std::string& file)
{
    doc.ImportTrack(ReadTrackFile(file), file);
}

void OpenDocument(CVolantorDoc& doc, CliUserInterface&, const std::string& file)
{
    doc.OnOpenDocument(file);
}

// A step that saves an output through the command's own file dialog.
auto SaveOutputTo(void (CVolantorDoc::*command)())
{
    return [command](CVolantorDoc& doc, CliUserInterface& ui, const std::string& file) {
        ui.SetNextFile(file);
        (doc.*command)();
    };
}

// A step that changes the current path's vehicle settings, as the Vehicle
// Settings dialog would; the argument was checked before any step ran.
template <typename Value>
auto EditVehicle(std::optional<std::string> (*parse)(std::string_view, Value&),
                 void (*store)(VehiclePath&, const Value&))
{
    return [parse, store](CVolantorDoc& doc, CliUserInterface& ui, const std::string& argument) {
        if (doc.m_paths.empty()) {
            ui.ShowFailure("Nothing loaded!");
            return;
        }
        Value value{};
        parse(argument, value);
        VehiclePath settings = doc.m_paths[doc.m_nCurPath];
        store(settings, value);
        doc.Perform(
            std::make_unique<PathSettingsEdit>("Vehicle Settings", doc.m_nCurPath, std::move(settings)));
    };
}

template <typename Value> auto CheckWith(std::optional<std::string> (*parse)(std::string_view, Value&))
{
    return [parse](const std::string& argument) {
        Value value{};
        return parse(argument, value);
    };
}

// The argument comes as UTF-8; the document keeps one byte per character.
std::optional<std::string> ParseVehicleArgument(std::string_view text, std::string& vehicle)
{
    const QString characters = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto refusal = VehicleTextBytes(characters.toStdU32String(), vehicle))
        return refusal;
    return CheckKnownVehicle(text, vehicle);
}

void StoreVehicle(VehiclePath& path, const std::string& vehicle)
{
    path.m_strVehicle = vehicle;
}

void StoreColors(VehiclePath& path, const std::array<int, 5>& colors)
{
    path.m_nColor = colors;
}

void StoreTrafficFlags(VehiclePath& path, const int& flags)
{
    path.m_nTrafficFlags = flags;
}

void StoreDensity(VehiclePath& path, const int& density)
{
    path.m_nDensity = density;
}

const std::string& VehicleHelp()
{
    static const std::string help = VehicleArgumentHelp();
    return help;
}

constexpr int kMaxPictureSide = 10000;

// WIDTHxHEIGHT, each side from 1 to kMaxPictureSide.
std::optional<std::pair<int, int>> ParsePictureSize(std::string_view text)
{
    const auto side = [](std::string_view digits) -> std::optional<int> {
        const auto value = WholeNumber<int>(digits);
        if (!value || *value < 1 || *value > kMaxPictureSide)
            return std::nullopt;
        return value;
    };
    const auto cross = text.find('x');
    if (cross == std::string_view::npos)
        return std::nullopt;
    const auto width = side(text.substr(0, cross));
    const auto height = side(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return std::pair{*width, *height};
}

std::optional<std::string> CheckPictureSize(const std::string& size)
{
    if (ParsePictureSize(size))
        return std::nullopt;
    std::string refusal = "needs WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxPictureSide);
    refusal += ", not \"" + size + "\"";
    return refusal;
}

void SetPictureSize(CVolantorDoc&, CliUserInterface& ui, const std::string& size)
{
    const auto [width, height] = *ParsePictureSize(size);
    ui.SetPictureSize(width, height);
}

// SECONDS of playback: a number from 0.
std::optional<double> ParsePlaybackSeconds(std::string_view text)
{
    const auto seconds = WholeNumber<double>(text);
    if (!seconds || !std::isfinite(*seconds) || *seconds < 0)
        return std::nullopt;
    return seconds;
}

std::optional<std::string> CheckPlaybackSeconds(const std::string& seconds)
{
    if (ParsePlaybackSeconds(seconds))
        return std::nullopt;
    return "SECONDS is a number of seconds from 0, not \"" + seconds + "\"";
}

// The replay shown with every vehicle where playback has it after the seconds, as the window would.
void ShowReplayAt(CVolantorDoc&, CliUserInterface& ui, const std::string& seconds)
{
    if (!ui.View().State().m_bShowReplay)
        ui.View().OnShowReplay();
    ui.View().SetPlaybackTime(*ParsePlaybackSeconds(seconds));
}

// The view as the window would paint it, written as a PNG file.
void SavePicture(CVolantorDoc&, CliUserInterface& ui, const std::string& file)
{
    EnsureGuiApplication();
    const QImage image = RenderPathViewImage(ui.View(), QSize(ui.PictureWidth(), ui.PictureHeight()));
    std::string error;
    if (!SaveFileSafely(file, EncodePng(image), error))
        ui.ShowFailure("Can't save \"" + file + "\": " + error + ".");
}

// A compiled file shown by itself, as the window's "Open BGL..." shows it.
void ReplayCompiledFile(CVolantorDoc& doc, CliUserInterface& ui, const std::string& file)
{
    std::string refusal;
    auto replays = ReplayCompiledSceneryFile(file, refusal);
    if (!replays) {
        ui.ShowFailure(refusal);
        return;
    }
    doc.OnNewDocument();
    ui.View().ShowCompiledScenery(std::move(*replays));
}

void WriteReportJson(CVolantorDoc& doc, CliUserInterface& ui, const std::string& file)
{
    std::string refusal, error;
    if (doc.m_paths.empty())
        ui.ShowFailure("Nothing loaded!");
    else if (const auto report = ReportScenery(doc, refusal); !report)
        ui.ShowFailure(refusal);
    else if (!SaveFileSafely(file, SceneryReportJson(*report), error))
        ui.ShowFailure("Can't save \"" + file + "\": " + error + ".");
}

std::optional<std::string> ParseFitBytes(std::string_view text, std::size_t& bytes)
{
    const auto parsed = WholeNumber<std::size_t>(text);
    if (!parsed || *parsed == 0)
        return "BYTES is a file size in bytes, not \"" + std::string(text) + "\"";
    bytes = *parsed;
    return std::nullopt;
}

void FitToSize(CVolantorDoc& doc, CliUserInterface&, const std::string& argument)
{
    std::size_t bytes = 0;
    ParseFitBytes(argument, bytes);
    doc.OnFitToSize(bytes);
}

const std::vector<StepKind>& StepKinds()
{
    static const std::vector<StepKind> kinds{
        {"--open", "FILE", "open a document file (*.vol)", OpenDocument},
        {"--save", "FILE", "save the document to FILE",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string& file) { doc.OnSaveDocument(file); }},
        {"--info", "", "show the flight path information",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string&) { doc.OnInformation(); }},
        {"--generate", "", "segment every path into holds and moves",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string&) { doc.OnGeneratePath(); }},
        {"--clear", "", "clear the segmentation of every path",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string&) { doc.OnClearPath(); }},
        {"--sca", "FILE", "write the scenery as SCASM source",
         SaveOutputTo(&CVolantorDoc::OnSaveScasmSource)},
        {"--bgl", "FILE", "compile the scenery into a BGL file",
         SaveOutputTo(&CVolantorDoc::OnCreateBglFile)},
        {"--replay", "FILE", "show what a compiled scenery file (*.bgl) makes its vehicles fly, alone",
         ReplayCompiledFile},
        {"--report", "", "show what the compiled scenery makes each vehicle fly and how far it strays",
         Run(&CVolantorDoc::OnSceneryReport)},
        {"--report-json", "FILE", "write that report as JSON", WriteReportJson},
        {"--fit", "BYTES",
         "choose thresholds that bring the BGL file within BYTES (64 KB is 65536) and generate the paths",
         FitToSize, CheckWith(ParseFitBytes)},
        {"--map", "FILE", "export the areas and paths as map text", SaveOutputTo(&CVolantorDoc::OnExportMap)},
        {"--kml", "FILE", "export the areas and paths as KML for a globe viewer",
         [](CVolantorDoc& doc, CliUserInterface& ui, const std::string& file) {
             ui.SetNextFile(file);
             OnExportKml(doc, ui);
         }},
        {"--vehicle", "TEXT", VehicleHelp(), EditVehicle(ParseVehicleArgument, StoreVehicle),
         CheckWith(ParseVehicleArgument)},
        {"--colors", "C0,C1,C2,C3,C4", "set the current path's five colours (0 to 255)",
         EditVehicle(ParseColorsArgument, StoreColors), CheckWith(ParseColorsArgument)},
        {"--traffic", "FLAGS",
         "set the current path's traffic flags (1 air, 2 ground, 4 airport service, 8 outside)",
         EditVehicle(ParseTrafficArgument, StoreTrafficFlags), CheckWith(ParseTrafficArgument)},
        {"--density", "D", "set the current path's minimum scenery density: 0 very sparse to 4 very dense",
         EditVehicle(ParseDensityArgument, StoreDensity), CheckWith(ParseDensityArgument)},
        {"--loop", "", "close the current path into a loop where it comes closest to itself",
         Run(&CVolantorDoc::OnFindLoopPoint)},
        {"--end-match", "", "move the current path's last point onto its first",
         Run(&CVolantorDoc::OnMakeEndMatchStart)},
        {"--trim-start", "INDEX", "drop the samples before sample INDEX (an index into all samples)",
         AtSample(&CVolantorDoc::OnDeleteToStart), CheckWith(ParseSampleIndexArgument)},
        {"--trim-end", "INDEX", "drop the samples after sample INDEX", AtSample(&CVolantorDoc::OnDeleteToEnd),
         CheckWith(ParseSampleIndexArgument)},
        {"--delete", "", "delete the current path", Run(&CVolantorDoc::OnDeletePath)},
        {"--next", "", "make the next path current", Run(&CVolantorDoc::OnNextPath)},
        {"--previous", "", "make the previous path current", Run(&CVolantorDoc::OnPreviousPath)},
        {"--undo", "", "undo the last change to the paths", Run(&CVolantorDoc::OnUndo)},
        {"--redo", "", "redo the last change undone", Run(&CVolantorDoc::OnRedo)},
        {"--size", "WxH", "picture size for the --png steps after it (800x600)", SetPictureSize,
         CheckPictureSize},
        {"--png", "FILE", "paint the view into a PNG picture", SavePicture},
        {"--at", "SECONDS",
         "show the replay, its vehicles SECONDS into playback, in the --png pictures after it", ShowReplayAt,
         CheckPlaybackSeconds},
        {"--3d", "", "toggle between the overhead and the 3D view",
         [](CVolantorDoc&, CliUserInterface& ui, const std::string&) { ui.View().On3DView(); }},
        {"--zoom-in", "", "zoom the view in",
         [](CVolantorDoc&, CliUserInterface& ui, const std::string&) { ui.View().OnZoomIn(); }},
        {"--zoom-out", "", "zoom the view out",
         [](CVolantorDoc&, CliUserInterface& ui, const std::string&) { ui.View().OnZoomOut(); }},
        {"--reset-view", "", "zoom and pan back to the whole picture",
         [](CVolantorDoc&, CliUserInterface& ui, const std::string&) { ui.View().OnResetView(); }},
    };
    return kinds;
}

struct Step {
    const StepKind* pKind;
    std::string strArgument;
};

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

const StepKind kReadLogStep{"FILE.dat", "", "read a flight recorder log as a new path", ReadFlightPath};
const StepKind kImportTrackStep{"FILE.gpx", "", "import a GPS (GPX) or glider (IGC) track as new paths",
                                ImportTrack};

// NAME=VALUE of --set, checked as the Preferences dialog checks its edit.
std::optional<std::string> ParsePreferenceAssignment(std::string_view assignment,
                                                     const PreferenceField*& field,
                                                     PreferencesDialogData& data)
{
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return "needs NAME=VALUE, not \"" + std::string(assignment) + "\"";
    const std::string_view name = assignment.substr(0, equals);
    field = FindPreferenceField(name);
    if (!field)
        return "unknown preference \"" + std::string(name) + "\"";
    data = LoadPreferencesDialog();
    return ParsePreferenceField(*field, assignment.substr(equals + 1), data);
}

std::optional<std::string> CheckPreferenceAssignment(const std::string& assignment)
{
    const PreferenceField* field = nullptr;
    PreferencesDialogData data;
    return ParsePreferenceAssignment(assignment, field, data);
}

// Changes the named preference alone, for the steps after it.
void SetPreference(CVolantorDoc&, CliUserInterface&, const std::string& assignment)
{
    const PreferenceField* field = nullptr;
    PreferencesDialogData data;
    ParsePreferenceAssignment(assignment, field, data);
    StorePreferenceField(*field, data);
}

const StepKind kSetPreferenceStep{"--set", "NAME=VALUE", "set a preference for the steps after it",
                                  SetPreference, CheckPreferenceAssignment};

// The step an option names, or none.
const StepKind* FindStepKind(std::string_view option)
{
    if (option == kSetPreferenceStep.strOption)
        return &kSetPreferenceStep;
    const auto& kinds = StepKinds();
    const auto kind =
        std::find_if(kinds.begin(), kinds.end(), [&](const StepKind& k) { return k.strOption == option; });
    return kind == kinds.end() ? nullptr : &*kind;
}

std::string Usage()
{
    std::string usage = "Usage: volantor-cli STEP...\n"
                        "Runs the steps in order on one document, as the window's commands do.\n"
                        "\nSteps:\n";
    const auto line = [&](std::string_view left, std::string_view help) {
        std::string text = "  " + std::string(left);
        text.resize(std::max<std::size_t>(text.size() + 2, 24), ' ');
        usage += text + std::string(help) + "\n";
    };
    line("FILE.dat", kReadLogStep.strHelp);
    line("FILE.gpx, FILE.igc", kImportTrackStep.strHelp);
    line("FILE.vol", "open a document file");
    for (const StepKind& kind : StepKinds())
        line(std::string(kind.strOption) + (kind.strArgument.empty() ? "" : " ") +
                 std::string(kind.strArgument),
             kind.strHelp);
    line("--set NAME=VALUE", std::string(kSetPreferenceStep.strHelp) + "; NAME is one of:");
    std::string names = "   ";
    for (const PreferenceField& field : kPreferenceFields)
        names.append(" ").append(field.strCliName);
    usage += "  " + names + "\n";
    usage += "\nOptions:\n";
    line("--help", "show this text");
    line("--version", "show the program's version");
    usage += "\nMessages go to standard output, failures to standard error. Questions are\n"
             "answered Yes. Exit status: 0 success, 1 a command failed, 2 a usage error.\n";
    return usage;
}

int UsageError(std::ostream& err, const std::string& message)
{
    err << "volantor-cli: " << message << "\n\n" << Usage();
    return kExitUsage;
}

}  // namespace

int RunVolantorCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<Step> steps;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            out << Usage();
            return 0;
        }
        if (arg == "--version") {
            out << "Volantor " << kVolantorVersion << "\n";
            return 0;
        }
        const auto needArgument = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg.starts_with("-")) {
            const StepKind* kind = FindStepKind(arg);
            if (!kind)
                return UsageError(err, "unknown option " + arg);
            std::string argument;
            if (!kind->strArgument.empty()) {
                const auto value = needArgument();
                if (!value)
                    return UsageError(err, arg + " needs " + std::string(kind->strArgument));
                argument = *value;
            }
            if (kind->check) {
                if (const auto refusal = kind->check(argument))
                    return UsageError(err, arg + ": " + *refusal);
            }
            steps.push_back({kind, argument});
            continue;
        }
        const std::string lowered = Lowered(arg);
        if (EndsWith(lowered, ".dat"))
            steps.push_back({&kReadLogStep, arg});
        else if (IsTrackFileName(lowered))
            steps.push_back({&kImportTrackStep, arg});
        else if (EndsWith(lowered, ".vol"))
            steps.push_back({FindStepKind("--open"), arg});
        else
            return UsageError(err, "don't know what to do with \"" + arg +
                                       "\" (expected a .dat, .gpx, .igc or .vol file)");
    }
    if (std::all_of(steps.begin(), steps.end(),
                    [](const Step& step) { return step.pKind == &kSetPreferenceStep; }))
        return UsageError(err, "no steps given");

    SetDefaultPreferences();
    CliUserInterface ui(out, err);
    CVolantorDoc doc(ui);
    PathView view(doc, ui);
    ui.AttachView(view);
    doc.OnNewDocument();
    for (const Step& step : steps) {
        try {
            step.pKind->run(doc, ui, step.strArgument);
        } catch (const LateUsageError& error) {
            return UsageError(err, std::string(step.pKind->strOption) + ": " + error.what());
        }
        if (ui.HasFailed())
            return kExitFailure;
    }
    return 0;
}
