// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ByteStream.h"
#include "document/DocumentEdits.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "processing/PathSegmentation.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <random>

// Owns the document; notes all it is asked and told, and the marks while asked.
struct Person : FakeUserInterface {
    CVolantorDoc doc{*this};
    bool yes = false;
    std::string said;
    std::string marks;  // " mark" and each marked sample

    bool AskYesNo(const std::string& question) override
    {
        said += " " + question + marks;
        return yes;
    }
    void MarkSamples(const std::vector<int>& samples) override
    {
        marks.clear();
        for (int i : samples)
            marks += " mark" + std::to_string(i);
    }
    void ShowMessage(const std::string& text, MessageKind) override { said += " " + text; }
    template <typename T> std::string Listed(T PathSample::*field, const char* tag) const
    {
        std::string text;
        for (std::size_t i = 0; i < doc.m_samples.size(); ++i)
            text += doc.m_samples[i].*field ? tag + std::to_string(i) : "";
        return text;
    }
    // Path ranges ("=" if the last sample lies on the first, "h" if it also heads the same way),
    // @ the current path, marked samples, s segment starts, * a save is due; then all that was said.
    std::string Outcome() const
    {
        std::string text;
        for (const VehiclePath& p : doc.m_paths) {
            const PathSample &a = doc.m_samples[p.m_nFirstSample], &b = doc.m_samples[p.m_nLastSample];
            const bool same =
                std::tie(a.m_fLat, a.m_fLon, a.m_fAlt) == std::tie(b.m_fLat, b.m_fLon, b.m_fAlt);
            text += std::to_string(p.m_nFirstSample) + "-" + std::to_string(p.m_nLastSample) +
                    (same ? "=" : "") + (same && a.m_fHeading == b.m_fHeading ? "h " : " ");
        }
        return text + "@" + std::to_string(doc.m_nCurPath) + marks + Listed(&PathSample::m_nSegKind, " s") +
               (doc.IsModified() ? " * |" : " |") + said;
    }
    // What Undo and Redo must bring back: the saved bytes, the segments and whether a save is due.
    std::string State() const
    {
        ByteWriter file;
        doc.Serialize(file);
        return std::string(file.Bytes().begin(), file.Bytes().end()) + Listed(&PathSample::m_nSegKind, " s") +
               Listed(&PathSample::m_nSegEnd, " e") + (doc.IsModified() ? "*" : "");
    }
};

using Command = void (*)(CVolantorDoc&, int selected);
constexpr Command Loop = [](CVolantorDoc& d, int) { d.OnFindLoopPoint(); };
constexpr Command EndMatch = [](CVolantorDoc& d, int) { d.OnMakeEndMatchStart(); };
constexpr Command ToStart = [](CVolantorDoc& d, int s) { d.OnDeleteToStart(s); };
constexpr Command ToEnd = [](CVolantorDoc& d, int s) { d.OnDeleteToEnd(s); };
constexpr Command Next = [](CVolantorDoc& d, int) { d.OnNextPath(); };
constexpr Command Previous = [](CVolantorDoc& d, int) { d.OnPreviousPath(); };
constexpr Command Delete = [](CVolantorDoc& d, int) { d.OnDeletePath(); };

static const struct {
    const char* name;
    std::vector<Command> commands;
    int current, selected;  // current -1: nothing loaded
    bool yes;
    const char* outcome;
} kRows[] = {
    {"loop yes", {Loop}, 0, 0, true, "0-20= 60-62 @0 s60 * | Create Loop From 0 to 20? mark0 mark20"},
    {"loop no", {Loop}, 0, 0, false, "0-59 60-62 @0 s59 s60 | Create Loop From 0 to 20? mark0 mark20"},
    {"loop none", {Loop}, 1, 0, true, "0-59 60-62 @1 s59 s60 | No loop point found!"},
    {"loop, nothing loaded", {Loop}, -1, 0, true, "@-1 | No path loaded!"},
    {"end match", {EndMatch}, 1, 0, true, "0-59 60-62=h @1 s59 s60 * | Make end point match first point?"},
    {"no end match", {EndMatch}, 1, 0, false, "0-59 60-62 @1 s59 s60 | Make end point match first point?"},
    {"end match, nothing loaded", {EndMatch}, -1, 0, true, "@-1 | Nothing loaded!"},
    {"trim to start", {ToStart}, 0, 61, false, "0-59 61-62 @0 s59 * |"},
    {"trim to end", {ToEnd}, 0, 61, false, "0-59 60-61 @0 s59 * |"},
    {"trim to start at the end", {ToStart}, 0, 62, false, "0-59 62-62=h @0 s59 * |"},
    {"trim to end at the start", {ToEnd}, 0, 60, false, "0-59 60-60=h @0 s59 * |"},
    {"trim to end at the end", {ToEnd}, 0, 62, false, "0-59 60-62 @0 s59 s60 |"},
    {"trim outside every path", {ToStart}, 0, 63, false, "0-59 60-62 @0 s59 s60 |"},
    {"next", {Next}, 0, 0, false, "0-59 60-62 @1 s59 s60 |"},
    {"next wraps", {Next}, 1, 0, false, "0-59 60-62 @0 s59 s60 |"},
    {"previous", {Previous}, 1, 0, false, "0-59 60-62 @0 s59 s60 |"},
    {"previous wraps", {Previous}, 0, 0, false, "0-59 60-62 @1 s59 s60 |"},
    {"delete the first", {Delete}, 0, 0, false, "60-62 @0 s59 s60 * |"},
    {"delete the last", {Delete}, 1, 0, false, "0-59 @0 s59 s60 * |"},
    {"delete both: nothing left to save", {Delete, Delete}, 0, 0, false, "@-1 |"},
    {"delete, nothing loaded", {Delete}, -1, 0, false, "@-1 |"},
};

TEST(PathEditing, Commands)
{
    for (const auto& row : kRows) {
        Person person;
        CVolantorDoc& doc = person.doc;
        person.yes = row.yes;
        // Path 0 is samples 0..59, 1 m apart on a line, path 1 samples 60..62; each has a place and
        // heading of its own. Samples 59 and 60 open segments.
        std::vector<PathSample> samples;
        for (int i = 0; i < 63; ++i) {
            PathSample& s = samples.emplace_back(SampleAt(i * 0.001f, i * 0.001f, i));
            s.m_fX = s.m_fHeading = i;
            s.m_nSegKind = i == 59 || i == 60 ? kMoveSegment : 0;
        }
        if (row.current >= 0) {
            AddPath(doc, {samples.begin(), samples.begin() + 60});
            AddPath(doc, {samples.begin() + 60, samples.end()});
        }
        doc.m_nCurPath = row.current;
        const std::string before = person.State();
        for (Command command : row.commands)
            command(doc, row.selected);
        EXPECT_EQ(person.Outcome(), row.outcome) << row.name;
        const std::string after = person.State();
        while (doc.History().CanUndo())
            doc.OnUndo();
        EXPECT_EQ(person.State(), before) << row.name;
        while (doc.History().CanRedo())
            doc.OnRedo();
        EXPECT_EQ(person.State(), after) << row.name;
    }
}

TEST(PathEditing, AnyMixOfCommandsUndoesAndRedoesToTheSameDocument)
{
    SetDefaultPreferences();
    Person person;
    CVolantorDoc& doc = person.doc;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> wander(-0.01f, 0.01f);
    for (int path = 0; path < 3; ++path) {
        std::vector<PathSample> samples;
        for (int i = 0; i < 40; ++i)
            samples.push_back(SampleAt(47 + wander(random), -122 + wander(random), 500 + 1000 * wander(random)));
        AddPath(doc, samples);
    }
    doc.RecalcExtents();
    int selected = 0;
    const std::function<void()> commands[] = {
        [&] { doc.OnUndo(); }, [&] { doc.OnRedo(); }, [&] { doc.OnFindLoopPoint(); },
        [&] { doc.OnMakeEndMatchStart(); }, [&] { doc.OnDeleteToStart(selected); },
        [&] { doc.OnDeleteToEnd(selected); },
        [&] { doc.OnDeletePath(); }, [&] { doc.OnGeneratePath(); }, [&] { doc.OnClearPath(); },
        [&] { doc.OnNextPath(); },
        [&] {
            VehiclePath dense = doc.m_paths.at(doc.m_nCurPath);
            dense.m_nDensity = static_cast<int>(random() % 5);
            doc.Perform(std::make_unique<PathSettingsEdit>("Vehicle Settings", doc.m_nCurPath, dense));
        }};
    // The document after each number of edits in effect.
    std::vector<std::string> states{person.State()};
    for (int step = 0; step < 200; ++step) {
        const std::size_t command = random() % std::size(commands);
        person.yes = random() % 2;
        selected = doc.m_samples.empty() ? 0 : static_cast<int>(random() % doc.m_samples.size());
        if (command == std::size(commands) - 1 && doc.m_paths.empty())
            continue;
        const std::size_t done = doc.History().Index();
        commands[command]();
        const std::size_t now = doc.History().Index();
        SCOPED_TRACE(step);
        if (command > 1 && now != done) {
            ASSERT_EQ(now, done + 1);
            states.resize(now);
            states.push_back(person.State());
        } else {
            ASSERT_EQ(person.State(), states.at(now));
        }
    }
}
