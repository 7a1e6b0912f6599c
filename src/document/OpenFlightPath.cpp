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
    const std::string initialName = m_strBaseName.substr(0, m_strBaseName.find('.')) + ".dat";
    const auto path = m_pUI->ChooseFileToOpen({"Flight Recorder Files (*.dat)|*.dat||", "dat", initialName});
    if (path)
        ReadFlightPathFile(*path);
}

void CVolantorDoc::ReadFlightPathFile(const std::string& path)
{
    std::ifstream log(PathFromUtf8(path), std::ios::binary);
    if (!log) {
        m_pUI->ShowFailure("Can't open the flight path file \"" + path + "\".");
        return;
    }
    ReadFlightPath(log, path);
}

void CVolantorDoc::ReadFlightPath(std::istream& log, const std::string& name)
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
        return;
    }
    if (!recorder::IsHeaderLine(line)) {
        m_pUI->ShowFailure("Not a valid data file!");
        return;
    }
    if (!std::getline(log, line)) {
        if (!readFailed())
            m_pUI->ShowFailure("Error reading data file line 2!");
        return;
    }
    if (!std::getline(log, line)) {
        if (!readFailed())
            m_pUI->ShowFailure("Error reading data file definitions!");
        return;
    }

    // The samples are collected apart and join the document only once the
    // whole file was read, so a failing read leaves the document unchanged.
    LogSamples read;
    try {
        m_pUI->RunLongTask("Reading " + name + "...", [&] { read = ReadDataLines(log, 3); });
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to read the flight path file \"" + name +
                           "\"; nothing was loaded.");
        return;
    }
    if (readFailed())
        return;
    if (!read.samples.empty() && !read.bPositioned) {
        m_pUI->ShowFailure("No line of the flight path file \"" + name +
                           "\" gives a position a flight can have; nothing was loaded.");
        return;
    }
    if (read.samples.size() > static_cast<std::size_t>(INT_MAX) - m_samples.size()) {
        m_pUI->ShowFailure("The flight path file holds more samples than one document can keep.");
        return;
    }
    try {
        Perform(std::make_unique<AppendPathEdit>("Open ORVEX Flight Path", std::move(read.samples)));
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to add the flight path file \"" + name +
                           "\"; nothing was loaded.");
        return;
    }
    m_pUI->ShowInformation(std::to_string(m_samples.size()) + " Sample Points");
    if (read.impossibleLines > 0)
        m_pUI->ShowInformation(std::to_string(read.impossibleLines) + " line(s)" + kImpossibleValuesHeld +
                               ", the first on line " + std::to_string(read.firstImpossibleLine) +
                               "; they keep the previous line's values.");
}
