// SPDX-License-Identifier: GPL-3.0-or-later
// "Open ORVEX Flight Path...": one recorder log becomes one new path.

#include "document/DocumentEdits.h"
#include "document/FileIO.h"
#include "document/ImpossibleValues.h"
#include "document/RecorderLine.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>

namespace {

// The samples of a log's data lines and what the reader noticed on the way.
struct LogSamples {
    std::vector<PathSample> samples;
    bool bPositioned = false;  // some line gave a position a flight can have
    std::size_t impossibleLines = 0;
    std::size_t firstImpossibleLine = 0;
};

// Until a line gives a position, the working sample's position is not a
// number, so that a short or empty first line is told from one at 0, 0.
PathSample Unpositioned()
{
    PathSample sample;
    sample.m_fLat = sample.m_fLon = sample.m_fAlt = std::numeric_limits<float>::quiet_NaN();
    return sample;
}

void GivePosition(std::vector<PathSample>& samples, const PathSample& from)
{
    for (PathSample& sample : samples) {
        sample.m_fLat = from.m_fLat;
        sample.m_fLon = from.m_fLon;
        sample.m_fAlt = from.m_fAlt;
    }
}

// The data lines that follow line lineNumber. A field a line does not supply
// keeps the previous line's value; an impossible number the program uses keeps
// the previous sample's. The lines before the first one with a position take
// that line's position.
LogSamples ReadDataLines(std::istream& log, std::size_t lineNumber)
{
    LogSamples read;
    const PathSample initial;
    PathSample working = Unpositioned();
    std::string line;
    while (std::getline(log, line)) {
        ++lineNumber;
        recorder::ParseSampleLine(line, working);
        // What the working sample held before this line is the last sample kept.
        const PathSample& previous = read.samples.empty() ? initial : read.samples.back();
        if (!read.bPositioned && HoldsPossiblePosition(working)) {
            read.bPositioned = true;
            GivePosition(read.samples, working);
        }
        if (!read.bPositioned)
            ReplaceImpossibleAttitude(working, previous);
        else if (ReplaceImpossibleValues(working, previous) && read.impossibleLines++ == 0)
            read.firstImpossibleLine = lineNumber;
        read.samples.push_back(working);
    }
    return read;
}

}  // namespace

void CVolantorDoc::OnOpenFlightPath()
{
    ReadFlightPathFiles(m_pUI->ChooseFilesToOpen(
        {"Flight Recorder Files (*.dat)|*.dat||", "dat", SuggestedFileName(".dat")}));
}

void CVolantorDoc::ReadFlightPathFiles(const std::vector<std::string>& paths)
{
    std::vector<ReadPaths> read;
    for (const std::string& path : paths) {
        std::ifstream log(PathFromUtf8(path), std::ios::binary);
        if (!log) {
            m_pUI->ShowFailure("Can't open the flight path file \"" + path + "\".");
            continue;
        }
        if (auto paths = ParseFlightPath(log, path))
            read.push_back(std::move(*paths));
    }
    AddReadPaths(std::move(read), "Open ORVEX Flight Path");
}

void CVolantorDoc::ReadFlightPath(std::istream& log, const std::string& name)
{
    std::vector<ReadPaths> read;
    if (auto paths = ParseFlightPath(log, name))
        read.push_back(std::move(*paths));
    AddReadPaths(std::move(read), "Open ORVEX Flight Path");
}

void CVolantorDoc::AddReadPaths(std::vector<ReadPaths>&& files, const std::string& editName)
{
    std::vector<std::unique_ptr<DocumentEdit>> edits;
    std::vector<std::string> report;
    std::size_t samples = m_samples.size();
    try {
        for (ReadPaths& file : files) {
            std::size_t more = 0;
            for (const auto& path : file.paths)
                more += path.size();
            if (more > static_cast<std::size_t>(INT_MAX) - samples) {
                m_pUI->ShowFailure("The " + file.strKind + " holds more samples than one document can keep.");
                continue;
            }
            samples += more;
            for (auto& path : file.paths)
                edits.push_back(std::make_unique<AppendPathEdit>(editName, std::move(path)));
            report.insert(report.end(), file.notes.begin(), file.notes.end());
        }
        if (edits.empty())
            return;
        Perform(std::make_unique<EditGroup>(editName, std::move(edits)));
    } catch (const std::bad_alloc&) {
        const std::string what = files.size() == 1
                                     ? "the " + files.front().strKind + " \"" + files.front().strName + "\""
                                     : "these files";
        m_pUI->ShowFailure("There is not enough memory to add " + what + "; nothing was loaded.");
        return;
    }
    m_pUI->ShowInformation(std::to_string(m_samples.size()) + " Sample Points");
    for (const std::string& line : report)
        m_pUI->ShowInformation(line);
}

std::optional<CVolantorDoc::ReadPaths> CVolantorDoc::ParseFlightPath(std::istream& log,
                                                                     const std::string& name)
{
    const auto readFailed = [&] {
        if (!log.bad())
            return false;
        m_pUI->ShowFailure("Error reading the flight path file \"" + name + "\"; nothing was loaded.");
        return true;
    };

    std::string line;
    if (!std::getline(log, line)) {
        if (!readFailed())
            m_pUI->ShowFailure("Error Reading Header");
        return std::nullopt;
    }
    if (!recorder::IsHeaderLine(line)) {
        m_pUI->ShowFailure("Not a valid data file!");
        return std::nullopt;
    }
    if (!std::getline(log, line)) {
        if (!readFailed())
            m_pUI->ShowFailure("Error reading data file line 2!");
        return std::nullopt;
    }
    if (!std::getline(log, line)) {
        if (!readFailed())
            m_pUI->ShowFailure("Error reading data file definitions!");
        return std::nullopt;
    }

    // The samples are collected apart and join the document only once the
    // whole file was read, so a failing read leaves the document unchanged.
    LogSamples read;
    try {
        m_pUI->RunLongTask("Reading " + name + "...", [&] { read = ReadDataLines(log, 3); });
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to read the flight path file \"" + name +
                           "\"; nothing was loaded.");
        return std::nullopt;
    }
    if (readFailed())
        return std::nullopt;
    if (!read.samples.empty() && !read.bPositioned) {
        m_pUI->ShowFailure("No line of the flight path file \"" + name +
                           "\" gives a position a flight can have; nothing was loaded.");
        return std::nullopt;
    }
    ReadPaths paths{name, "flight path file", {}, {}};
    paths.paths.push_back(std::move(read.samples));
    if (read.impossibleLines > 0)
        paths.notes.push_back(std::to_string(read.impossibleLines) + " line(s)" + kImpossibleValuesHeld +
                              ", the first on line " + std::to_string(read.firstImpossibleLine) +
                              "; they keep the previous line's values.");
    return paths;
}
