// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes as a glider's IGC file: read into a track, then imported into a
// document that already holds one path, undone and redone.

#include "FuzzCheck.h"
#include "SilentUserInterface.h"
#include "document/IgcReader.h"
#include "document/ImpossibleValues.h"
#include "document/VolantorDoc.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char kPriorLog[] = "# ORVEX Flight Data Recorder version 6\nprior\ncolumns\n"
                             "0 12:00:00 47.400000 -122.300000 400.0 0.00 0.00 90.00 0 0 0 0 0 0 d x y\n";

// The widest pitch and bank the import gives, and the largest altitude a fix can write.
constexpr float kAttitudeLimit = 45;
constexpr double kAltitudeLimit = 99999;

void RequireReadTrack(const TrackFile& file)
{
    if (!file.strError.empty()) {
        Require(file.tracks.empty(), "a refused file holds no track");
        return;
    }
    Require(file.tracks.size() == 1 && !file.tracks[0].points.empty() && file.strSourceUnit == "line",
            "a file read is one track of fixes counted by line");
    int line = 0;
    double time = -INFINITY;
    for (const TrackPoint& point : file.tracks[0].points) {
        Require(point.nSource > line && point.fTime >= time, "the fixes follow each other in lines and time");
        Require(std::fabs(point.fLat) <= 90 && std::fabs(point.fLon) <= 180 &&
                    std::fabs(point.fAltMetres) <= kAltitudeLimit,
                "each fix lies on the globe at an altitude the file can write");
        line = point.nSource;
        time = point.fTime;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream igc(std::string(reinterpret_cast<const char*>(data), size));
    const TrackFile file = ReadIgc(igc, "fuzz.igc");
    RequireReadTrack(file);

    SilentUserInterface ui;
    CVolantorDoc doc(ui);
    std::istringstream prior(kPriorLog);
    doc.ReadFlightPath(prior, "prior.dat");
    Require(ui.failures == 0 && doc.m_paths.size() == 1, "the prior log is read");
    const std::vector<VehiclePath> pathsBefore = doc.m_paths;
    const std::vector<PathSample> samplesBefore = doc.m_samples;
    const std::size_t editsBefore = doc.History().Index();

    doc.ImportTrack(file, "fuzz.igc");
    // An IGC file's times never go backwards, so every file read imports.
    Require(ui.failures == (file.strError.empty() ? 0 : 1), "exactly the files read are imported");
    if (!file.strError.empty()) {
        Require(doc.m_paths == pathsBefore && doc.m_samples == samplesBefore &&
                    doc.History().Index() == editsBefore,
                "a refused file leaves the document unchanged");
        return 0;
    }

    Require(doc.m_paths.size() > 1 && doc.m_paths[0] == pathsBefore[0],
            "the track adds paths after the prior one");
    for (std::size_t i = samplesBefore.size(); i < doc.m_samples.size(); ++i) {
        const PathSample& sample = doc.m_samples[i];
        Require(!HoldsImpossibleNumbers(sample), "no sample holds an impossible number");
        Require(std::fabs(sample.m_fPitch) <= kAttitudeLimit && std::fabs(sample.m_fBank) <= kAttitudeLimit &&
                    sample.m_fHeading >= 0 && sample.m_fHeading < 360,
                "attitudes stay within the ranges the preferences accept");
        Require(sample.m_cGear == 'u' || sample.m_cGear == 'd', "the gear is up or down");
    }

    const std::vector<VehiclePath> pathsAfter = doc.m_paths;
    const std::vector<PathSample> samplesAfter = doc.m_samples;
    doc.OnUndo();
    Require(doc.m_paths == pathsBefore && doc.m_samples == samplesBefore, "Undo takes the whole import back");
    doc.OnRedo();
    Require(doc.m_paths == pathsAfter && doc.m_samples == samplesAfter, "Redo puts it back as it was");
    return 0;
}
