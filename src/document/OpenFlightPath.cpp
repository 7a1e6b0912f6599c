// "Open ORVEX Flight Path...": one recorder log becomes one new path.

#include "document/FileIO.h"
#include "document/ImpossibleValues.h"
#include "document/RecorderLine.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"

#include <climits>
#include <fstream>
#include <iterator>

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
    std::vector<PathSample> samples;
    const PathSample initial;
    PathSample working;
    std::size_t lineNumber = 3, impossibleLines = 0, firstImpossibleLine = 0;
    while (std::getline(log, line)) {
        ++lineNumber;
        recorder::ParseSampleLine(line, working);
        // What the working sample held before this line is the last sample kept.
        const PathSample& previous = samples.empty() ? initial : samples.back();
        if (ReplaceImpossibleValues(working, previous) && impossibleLines++ == 0)
            firstImpossibleLine = lineNumber;
        samples.push_back(working);
    }
    if (readFailed())
        return;
    if (samples.size() > static_cast<std::size_t>(INT_MAX) - m_samples.size()) {
        m_pUI->ShowFailure("The flight path file holds more samples than one document can keep.");
        return;
    }

    VehiclePath vehiclePath;
    vehiclePath.m_nFirstSample = static_cast<int>(m_samples.size());
    if (m_samples.empty())
        m_samples = std::move(samples);
    else
        m_samples.insert(m_samples.end(), std::make_move_iterator(samples.begin()),
                         std::make_move_iterator(samples.end()));
    vehiclePath.m_nLastSample = static_cast<int>(m_samples.size()) - 1;
    m_paths.push_back(vehiclePath);
    ++m_nCurPath;
    SetModifiedFlag();

    RecalcExtents();
    ShowCurrentPath();
    m_pUI->UpdateAllViews();
    m_pUI->ShowInformation(std::to_string(m_samples.size()) + " Sample Points");
    if (impossibleLines > 0)
        m_pUI->ShowInformation(std::to_string(impossibleLines) + " line(s)" + kImpossibleValuesHeld +
                               ", the first on line " + std::to_string(firstImpossibleLine) +
                               "; they keep the previous line's values.");
}
