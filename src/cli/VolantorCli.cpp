#include "cli/VolantorCli.h"

#include "cli/CliUserInterface.h"
#include "document/FileIO.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewCommands.h"
#include "view/qt/PathViewImage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <optional>
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
};

void ReadFlightPath(CVolantorDoc& doc, CliUserInterface& ui, const std::string& file)
{
    ui.SetNextFile(file);
    doc.OnOpenFlightPath();
}

void OpenDocument(CVolantorDoc& doc, CliUserInterface&, const std::string& file)
{
    doc.OnOpenDocument(file);
}

constexpr int kMaxPictureSide = 10000;

// WIDTHxHEIGHT, each side from 1 to kMaxPictureSide.
std::optional<std::pair<int, int>> ParsePictureSize(std::string_view text)
{
    const auto side = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < 1 || value > kMaxPictureSide)
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

void SetPictureSize(CVolantorDoc&, CliUserInterface& ui, const std::string& size)
{
    const auto [width, height] = *ParsePictureSize(size);
    ui.SetPictureSize(width, height);
}

// The view as the window would paint it, written as a PNG file.
void SavePicture(CVolantorDoc& doc, CliUserInterface& ui, const std::string& file)
{
    EnsureGuiApplication();
    PathView view(doc, ui);
    const QImage image = RenderPathViewImage(view, QSize(ui.PictureWidth(), ui.PictureHeight()));
    std::string error;
    if (!SaveFileSafely(file, EncodePng(image), error))
        ui.ShowFailure("Can't save \"" + file + "\": " + error + ".");
}

const std::vector<StepKind>& StepKinds()
{
    static const std::vector<StepKind> kinds{
        {"--open", "FILE", "open a document file (*.vol)", OpenDocument},
        {"--save", "FILE", "save the document to FILE",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string& file) { doc.OnSaveDocument(file); }},
        {"--info", "", "show the flight path information",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string&) { doc.OnInformation(); }},
        {"--size", "WxH", "picture size for the --png steps after it (800x600)", SetPictureSize},
        {"--png", "FILE", "paint the view into a PNG picture", SavePicture},
        {"--3d", "", "toggle between the overhead and the 3D view",
         [](CVolantorDoc& doc, CliUserInterface& ui, const std::string&) { On3DView(doc, ui); }},
        {"--zoom-in", "", "zoom the view in",
         [](CVolantorDoc& doc, CliUserInterface& ui, const std::string&) { OnZoomIn(doc, ui); }},
        {"--zoom-out", "", "zoom the view out",
         [](CVolantorDoc& doc, CliUserInterface& ui, const std::string&) { OnZoomOut(doc, ui); }},
        {"--reset-view", "", "zoom and pan back to the whole picture",
         [](CVolantorDoc& doc, CliUserInterface& ui, const std::string&) { OnResetView(doc, ui); }},
    };
    return kinds;
}

const StepKind& FindStepKind(std::string_view option)
{
    const auto& kinds = StepKinds();
    return *std::find_if(kinds.begin(), kinds.end(), [&](const StepKind& k) { return k.strOption == option; });
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

std::string Usage()
{
    std::string usage =
        "Usage: volantor-cli [--set NAME=VALUE]... STEP...\n"
        "Runs the steps in order on one document, as the window's commands do.\n"
        "\nSteps:\n";
    const auto line = [&](std::string_view left, std::string_view help) {
        std::string text = "  " + std::string(left);
        text.resize(std::max<std::size_t>(text.size() + 2, 24), ' ');
        usage += text + std::string(help) + "\n";
    };
    line("FILE.dat", kReadLogStep.strHelp);
    line("FILE.vol", "open a document file");
    for (const StepKind& kind : StepKinds())
        line(std::string(kind.strOption) + (kind.strArgument.empty() ? "" : " ") + std::string(kind.strArgument),
             kind.strHelp);
    usage += "\nOptions:\n";
    line("--set NAME=VALUE", "set a preference before any step; NAME is one of:");
    std::string names = "   ";
    for (const PreferenceField& field : kPreferenceFields)
        names += " " + std::string(field.strCliName);
    usage += "  " + names + "\n";
    line("--help", "show this text");
    usage +=
        "\nMessages go to standard output, failures to standard error. Questions are\n"
        "answered Yes. Exit status: 0 success, 1 a command failed, 2 a usage error.\n";
    return usage;
}

int UsageError(std::ostream& err, const std::string& message)
{
    err << "volantor-cli: " << message << "\n\n" << Usage();
    return kExitUsage;
}

// Applies one --set NAME=VALUE the way the Preferences dialog stores its values.
std::optional<std::string> ApplyPreference(const std::string& assignment)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
        return "--set needs NAME=VALUE, not \"" + assignment + "\"";
    const std::string name = assignment.substr(0, equals);
    const PreferenceField* field = FindPreferenceField(name);
    if (!field)
        return "unknown preference \"" + name + "\"";
    PreferencesDialogData data = LoadPreferencesDialog();
    if (auto refusal = ParsePreferenceField(*field, assignment.substr(equals + 1), data))
        return *refusal;
    StorePreferencesDialog(data);
    return std::nullopt;
}

}  // namespace

int RunVolantorCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> assignments;
    std::vector<Step> steps;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            out << Usage();
            return 0;
        }
        const auto needArgument = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--set") {
            const auto value = needArgument();
            if (!value)
                return UsageError(err, "--set needs NAME=VALUE");
            assignments.push_back(*value);
            continue;
        }
        if (arg.starts_with("-")) {
            const auto& kinds = StepKinds();
            const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                           [&](const StepKind& k) { return k.strOption == arg; });
            if (kind == kinds.end())
                return UsageError(err, "unknown option " + arg);
            std::string argument;
            if (!kind->strArgument.empty()) {
                const auto value = needArgument();
                if (!value)
                    return UsageError(err, arg + " needs " + std::string(kind->strArgument));
                argument = *value;
            }
            if (kind->strOption == "--size" && !ParsePictureSize(argument))
                return UsageError(err, "--size needs WIDTHxHEIGHT, each from 1 to " +
                                           std::to_string(kMaxPictureSide) + ", not \"" + argument + "\"");
            steps.push_back({&*kind, argument});
            continue;
        }
        const std::string lowered = Lowered(arg);
        if (EndsWith(lowered, ".dat"))
            steps.push_back({&kReadLogStep, arg});
        else if (EndsWith(lowered, ".vol"))
            steps.push_back({&FindStepKind("--open"), arg});
        else
            return UsageError(err, "don't know what to do with \"" + arg + "\" (expected a .dat or .vol file)");
    }
    if (steps.empty())
        return UsageError(err, "no steps given");

    SetDefaultPreferences();
    for (const std::string& assignment : assignments) {
        if (const auto refusal = ApplyPreference(assignment))
            return UsageError(err, *refusal);
    }

    CliUserInterface ui(out, err);
    CVolantorDoc doc(ui);
    doc.OnNewDocument();
    for (const Step& step : steps) {
        step.pKind->run(doc, ui, step.strArgument);
        if (ui.HasFailed())
            return kExitFailure;
    }
    return 0;
}
