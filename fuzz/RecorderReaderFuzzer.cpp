// The bytes as a flight-recorder log: each line through the sample parser
// and the C library's conversion it must agree with, then the whole log
// through the reader into a document that already holds one path.

#include "FuzzCheck.h"
#include "SilentUserInterface.h"
#include "document/ImpossibleValues.h"
#include "document/RecorderLine.h"
#include "document/VolantorDoc.h"

#include <bit>
#include <cstdint>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kIgnoredLines = 3;  // the header and the two after it

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
    return SameFloat(a.m_fField1, b.m_fField1) && a.m_strField2 == b.m_strField2 && SameFloat(a.m_fLat, b.m_fLat) &&
           SameFloat(a.m_fLon, b.m_fLon) && SameFloat(a.m_fAlt, b.m_fAlt) && SameFloat(a.m_fPitch, b.m_fPitch) &&
           SameFloat(a.m_fBank, b.m_fBank) && SameFloat(a.m_fHeading, b.m_fHeading) &&
           SameFloat(a.m_fField9, b.m_fField9) && SameFloat(a.m_fField10, b.m_fField10) &&
           SameFloat(a.m_fField11, b.m_fField11) && SameFloat(a.m_fField12, b.m_fField12) &&
           SameFloat(a.m_fField13, b.m_fField13) && SameFloat(a.m_fField14, b.m_fField14) &&
           a.m_cGear == b.m_cGear && a.m_cField16 == b.m_cField16 && a.m_cField17 == b.m_cField17;
}

// Every line, carrying one working sample along as the reader does, must
// convert exactly as the C library converts it. Returns the samples the reader
// should keep.
std::vector<PathSample> ParseEachLine(const std::vector<std::string_view>& lines)
{
    PathSample direct, reference;
    for (std::string_view line : lines) {
        recorder::ParseSampleLine(line, direct);
        recorder::ParseSampleLineWithScanf(line, reference);
        Require(SameRecordedFields(direct, reference), "a line converts as the C library converts it");
    }

    // The reader then keeps the previous values of impossible numbers.
    std::vector<PathSample> samples;
    PathSample working;
    for (std::size_t i = kIgnoredLines; i < lines.size(); ++i) {
        const PathSample previous = working;
        recorder::ParseSampleLine(lines[i], working);
        ReplaceImpossibleValues(working, previous);
        samples.push_back(working);
    }
    return samples;
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
    const std::vector<PathSample> expected = ParseEachLine(lines);

    SilentUserInterface ui;
    CVolantorDoc doc(ui);
    Read(doc, kPriorLog);
    Require(ui.failures == 0 && doc.m_paths.size() == 1, "the prior log is read");
    const std::vector<VehiclePath> pathsBefore = doc.m_paths;
    const std::vector<PathSample> samplesBefore = doc.m_samples;

    Read(doc, log);
    const bool accepted = lines.size() >= kIgnoredLines && recorder::IsHeaderLine(lines[0]);
    Require(ui.failures == (accepted ? 0 : 1), "exactly a log with its three first lines is accepted");
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
                doc.m_samples.size() == samplesBefore.size() + expected.size(),
            "the new path covers exactly the appended samples");
    for (std::size_t i = 0; i < samplesBefore.size(); ++i)
        Require(doc.m_samples[i] == samplesBefore[i], "the earlier samples stay as they were");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        PathSample sample = doc.m_samples[samplesBefore.size() + i];
        Require(SameRecordedFields(sample, expected[i]), "each sample holds what its line says");
        Require(!ReplaceImpossibleValues(sample, PathSample()), "no sample holds an impossible number");
    }
    return 0;
}
