// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/EditHistory.h"
#include "document/PathSample.h"
#include "document/VehiclePath.h"

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class UserInterface;
class ByteReader;
class ByteWriter;
struct TrackFile;

// The one document of the program: all vehicle paths, the samples they cover
// and the extents derived from them. Every command that reads
// or changes paths is a member; each talks to the person through the
// UserInterface it was given.
class CVolantorDoc {
public:
    explicit CVolantorDoc(UserInterface& ui);

    // File New: an empty document.
    bool OnNewDocument();
    // The first sample, in path order, that holds only numbers a flight can
    // have: where the reference point lies. -1 when there is none.
    int ReferenceSample() const;

    // Recomputes every derived member from the paths and their samples.
    void RecalcExtents();

    // "Open ORVEX Flight Path...": asks for recorder logs and reads them.
    void OnOpenFlightPath();
    // Reads recorder logs as new paths, in order, as one edit with one report
    // at the end. A log that cannot be read is reported and left out; the
    // document is unchanged by it.
    void ReadFlightPathFiles(const std::vector<std::string>& paths);
    void ReadFlightPathFile(const std::string& path) { ReadFlightPathFiles({path}); }
    void ReadFlightPath(std::istream& log, const std::string& name);
    // Imports every track of GPS or glider track files (by name, as their
    // readers gave them) as new paths, the same way: one edit, one report, a
    // file that cannot be imported reported and left out.
    void ImportTracks(const std::vector<std::pair<std::string, TrackFile>>& files);
    void ImportTrack(const TrackFile& file, const std::string& name);

    // Document files. Both return false after showing why; a failed open
    // leaves the document as it was, a failed save leaves the old file intact.
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);
    void Serialize(ByteWriter& archive) const;
    void Serialize(ByteReader& archive);

    // "Information...": the statistics report.
    void OnInformation();

    // Scenery: segmentation of the paths and the three scenery outputs.
    void OnGeneratePath();
    void OnClearPath();
    void OnSaveScasmSource();
    // The whole SCASM source text; false after showing why when there is
    // nothing to write or the areas or a path cannot be written.
    bool WriteScasmSource(std::string& text) const;
    void OnCreateBglFile();
    void OnExportMap();
    // "Scenery Report...": what the compiled scenery makes each vehicle fly
    // and how far it strays from its recording.
    void OnSceneryReport();
    // "Fit to Size...": new segmentation thresholds, and the paths generated
    // with them, that bring the compiled file within the bytes.
    void OnFitToSize(std::size_t maxFileBytes);

    // Path editing: loops, trimming, stepping between paths, deleting.
    void OnFindLoopPoint();
    void OnMakeEndMatchStart();
    void OnDeleteToStart(int selectedSample);
    void OnDeleteToEnd(int selectedSample);
    void OnDeletePath();
    void OnNextPath();
    void OnPreviousPath();

    // "Vehicle Settings...": the current path's vehicle, colours, traffic and density.
    void OnVehicleSettings();

    // Room for more samples, growing as appending one at a time would.
    void ReserveSamples(std::size_t more);

    // Every change to the paths and samples is an edit made here: applied,
    // kept for Undo and Redo, and the extents and views brought up to date.
    void Perform(std::unique_ptr<DocumentEdit> edit);
    void OnUndo();
    void OnRedo();
    const EditHistory& History() const { return m_history; }

    // Unsaved while the edits since the last save change what the file keeps;
    // a document without paths has nothing to save, so it is never unsaved.
    bool IsModified() const { return !m_history.IsAtSavedState() && !m_paths.empty(); }
    // The name an output's save dialog starts with: the base name up to its first '.', then the extension.
    std::string SuggestedFileName(const std::string& extension) const
    {
        return m_strBaseName.substr(0, m_strBaseName.find('.')) + extension;
    }
    // The file the document was last opened from or saved to; empty when new.
    const std::string& GetPathName() const { return m_strPathName; }

    std::vector<VehiclePath> m_paths;
    std::vector<PathSample> m_samples;
    int m_nCurPath = -1;
    std::string m_strBaseName;
    float m_fMinLat = 0, m_fMinLon = 0, m_fMaxLat = 0, m_fMaxLon = 0;
    float m_fCenterLat = 0, m_fCenterLon = 0;
    float m_fMinAlt = 0, m_fMaxAlt = 0;
    float m_fRefLat = 0, m_fRefLon = 0, m_fRefAlt = 0;
    float m_fWidth = 0;
    float m_fHeight = 0;
    float m_fTotalLength = 0;  // kilometres
    // Bumped whenever the document starts over empty (New, Open, deleting the
    // last path), so that a view knows to show it afresh.
    int m_nGeneration = 0;
    // Bumped by every edit, undo and redo, so that what is worked out from
    // the paths knows when to work it out again.
    int m_nRevision = 0;

private:
    void ShowCurrentPath();
    // Narrows a box that spans more than half the globe's longitudes to the
    // short way round, across the 180th meridian, where that is narrower.
    void MeasureLongitudesTheShortWay();
    // A new, empty document without a word to the person: what File New and loading start from.
    void ResetToNew();
    // Empties the document, as a new document starts.
    void ClearContents();
    // What one file read gave, not yet in the document: its paths and the lines
    // it adds to the report. kind names the file's kind in messages.
    struct ReadPaths {
        std::string strName;
        std::string strKind;
        std::vector<std::vector<PathSample>> paths;
        std::vector<std::string> notes;
    };
    // Both show why they fail.
    std::optional<ReadPaths> ParseFlightPath(std::istream& log, const std::string& name);
    std::optional<ReadPaths> SampleTrackFile(const TrackFile& file, const std::string& name);
    // Adds what the files gave as one edit, then reports the sample count and their lines.
    void AddReadPaths(std::vector<ReadPaths>&& files, const std::string& editName);
    // After an edit went either way: a document left without paths starts over,
    // one whose samples moved is measured anew.
    void EditApplied(const DocumentEdit& edit);
    // Narrows every path whose range holds the selected sample.
    void TrimAtSelectedSample(int selectedSample, bool keepEnd);
    // Runs the segmenter over cleared samples as one edit; the number of segments it made.
    int SegmentAsEdit(const std::string& name, int (*segment)(CVolantorDoc&));

    UserInterface* m_pUI;
    std::string m_strPathName;
    EditHistory m_history;
};
