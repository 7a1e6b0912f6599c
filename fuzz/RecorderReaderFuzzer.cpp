// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes as a flight-recorder log: each line through the sample parser
// and the C library's conversion it must agree with, then the whole log
// through the reader into a document that already holds one path.

#include "FuzzCheck.h"
#include "SilentUserInterface.h"
#include "document/ImpossibleValues.h"
#include "document/RecorderLine.h"
#include "document/VolantorDoc.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kIgnoredLines = 3;  // the header and the two after it
constexpr float kAnyFinite = std::numeric_limits<float>::max();

constexpr std::string_view kPriorLog =
    "# ORVEX Flight Data Recorder version 6\nprior\ncolumns\n"
    "0 12:00:00 47.400000 -122.300000 400.0 0.00 0.00 90.00 0 0 0 0 0 0 d x y\n"
    "1 12:00:01 47.400000 -122.299500 400.0 0.00 0.00 90.00 0 0 0 0 0 0 d x y\n";

// The lines std::getline delivers: split at line feeds, with no empty line
// after a final line feed.
std::vector<std::string_view> LinesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Bit for bit, so that a NaN read from the log equals itself.
bool SameFloat(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// The members a log line fills.
bool SameRecordedFields(const PathSample& a, const PathSample& b)
{
    return SameFloat(a.m_fField1, b.m_fField1) && a.m_strField2 == b.m_strField2 &&
           SameFloat(a.m_fLat, b.m_fLat) && SameFloat(a.m_fLon, b.m_fLon) && SameFloat(a.m_fAlt, b.m_fAlt) &&
           SameFloat(a.m_fPitch, b.m_fPitch) && SameFloat(a.m_fBank, b.m_fBank) &&
           SameFloat(a.m_fHeading, b.m_fHeading) && SameFloat(a.m_fField9, b.m_fField9) &&
           SameFloat(a.m_fField10, b.m_fField10) && SameFloat(a.m_fField11, b.m_fField11) &&
           SameFloat(a.m_fField12, b.m_fField12) && SameFloat(a.m_fField13, b.m_fField13) &&
           SameFloat(a.m_fField14, b.m_fField14) && a.m_cGear == b.m_cGear && a.m_cField16 == b.m_cField16 &&
           a.m_cField17 == b.m_cField17;
}

bool Possible(float value, float limit)
{
    return std::fabs(value) <= limit;
}

bool PossiblePosition(const PathSample& s)
{
    return Possible(s.m_fLat, 90) && Possible(s.m_fLon, 180) && Possible(s.m_fAlt, kAnyFinite);
}

// Every line, carrying one working sample along as the reader does, must
// convert exactly as the C library converts it. Returns the samples the reader
// should keep, or nothing when no line gives a position.
std::optional<std::vector<PathSample>> ParseEachLine(const std::vector<std::string_view>& lines)
{
    PathSample direct, reference;
    for (std::string_view line : lines) {
        recorder::ParseSampleLine(line, direct);
        recorder::ParseSampleLineWithScanf(line, reference);
        Require(SameRecordedFields(direct, reference), "a line converts as the C library converts it");
    }

    // What the lines say, a position no line gave yet being not a number.
    std::vector<PathSample> said;
    PathSample working;
    working.m_fLat = working.m_fLon = working.m_fAlt = std::numeric_limits<float>::quiet_NaN();
    for (std::size_t i = kIgnoredLines; i < lines.size(); ++i) {
        recorder::ParseSampleLineWithScanf(lines[i], working);
        said.push_back(working);
    }
    if (said.empty())
        return said;
    const auto positioned = std::find_if(said.begin(), said.end(), PossiblePosition);
    if (positioned == said.end())
        return std::nullopt;

    // The reader keeps the previous sample's value of an impossible number it
    // uses, and gives the lines before the first position that position; the
    // other fields stay as said.
    const std::size_t first = static_cast<std::size_t>(positioned - said.begin());
    std::vector<PathSample> kept = said;
    const PathSample initial;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const PathSample& previous = i == 0 ? initial : kept[i - 1];
        PathSample& sample = kept[i];
        for (float PathSample::*attitude :
             {&PathSample::m_fPitch, &PathSample::m_fBank, &PathSample::m_fHeading}) {
            if (!Possible(sample.*attitude, kAnyFinite))
                sample.*attitude = previous.*attitude;
        }
        const PathSample& place = i < first ? said[first] : previous;
        for (const auto& [member, limit] :
             {std::pair{&PathSample::m_fLat, 90.0f}, std::pair{&PathSample::m_fLon, 180.0f},
              std::pair{&PathSample::m_fAlt, kAnyFinite}}) {
            if (i < first || !Possible(sample.*member, limit))
                sample.*member = place.*member;
        }
    }
    return kept;
}

void Read(CVolantorDoc& doc, std::string_view log)
{
    std::istringstream stream{std::string(log)};
    doc.ReadFlightPath(stream, "fuzz.dat");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = LinesOf(log);
    const std::optional<std::vector<PathSample>> expected = ParseEachLine(lines);

    SilentUserInterface ui;
    CVolantorDoc doc(ui);
    Read(doc, kPriorLog);
    Require(ui.failures == 0 && doc.m_paths.size() == 1, "the prior log is read");
    const std::vector<VehiclePath> pathsBefore = doc.m_paths;
    const std::vector<PathSample> samplesBefore = doc.m_samples;

    Read(doc, log);
    const bool accepted = lines.size() >= kIgnoredLines && recorder::IsHeaderLine(lines[0]) && expected;
    Require(ui.failures == (accepted ? 0 : 1),
            "exactly a log with its three first lines and a position, or no data line, is accepted");
    if (!accepted) {
        Require(doc.m_paths == pathsBefore && doc.m_samples == samplesBefore && doc.m_nCurPath == 0,
                "a refused log leaves the document unchanged");
        return 0;
    }

    Require(doc.m_paths.size() == 2 && doc.m_nCurPath == 1, "the log becomes the current, second path");
    Require(doc.m_paths[0] == pathsBefore[0], "the earlier path keeps its range");
    const VehiclePath& path = doc.m_paths[1];
    Require(path.m_nFirstSample == static_cast<int>(samplesBefore.size()) &&
                path.m_nLastSample == static_cast<int>(doc.m_samples.size()) - 1 &&
                doc.m_samples.size() == samplesBefore.size() + expected->size(),
            "the new path covers exactly the appended samples");
    for (std::size_t i = 0; i < samplesBefore.size(); ++i)
        Require(doc.m_samples[i] == samplesBefore[i], "the earlier samples stay as they were");
    for (std::size_t i = 0; i < expected->size(); ++i) {
        const PathSample& sample = doc.m_samples[samplesBefore.size() + i];
        Require(SameRecordedFields(sample, (*expected)[i]), "each sample holds what its line says");
        Require(!HoldsImpossibleNumbers(sample), "no sample holds an impossible number");
    }
    return 0;
}
