#include "cli/VolantorCli.h"

#include "cli/CliUserInterface.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"

#include <algorithm>
#include <cctype>
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

const std::vector<StepKind>& StepKinds()
{
    static const std::vector<StepKind> kinds{
        {"--open", "FILE", "open a document file (*.vol)", OpenDocument},
        {"--save", "FILE", "save the document to FILE",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string& file) { doc.OnSaveDocument(file); }},
        {"--info", "", "show the flight path information",
         [](CVolantorDoc& doc, CliUserInterface&, const std::string&) { doc.OnInformation(); }},
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
