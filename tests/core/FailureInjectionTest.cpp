// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program writes (the document, the SCASM source, the BGL file,
// the map text) must survive a write that fails: the previous file stays as
// it was, nothing half-written is left behind, the person is told, and the
// command never reports success.

#include "document/FileIO.h"
#include "document/VolantorDoc.h"
#include "support/FakeUserInterface.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

namespace {

using Kind = UserInterface::MessageKind;

struct Writer {
    const char* name;
    const char* extension;
    // Writes the document to the file; true when the command says it succeeded.
    std::function<bool(CVolantorDoc&, FakeUserInterface&, const std::string&)> write;
    const char* failure;  // the start of the message a failed write shows
};

void PrintTo(const Writer& writer, std::ostream* out)
{
    *out << writer.name;
}

bool ChosenFileWrite(void (CVolantorDoc::*command)(), CVolantorDoc& doc, FakeUserInterface& ui,
                     const std::string& file)
{
    ui.filesToSave.push_back(file);
    const std::size_t before = ui.messages.size();
    (doc.*command)();
    for (std::size_t i = before; i < ui.messages.size(); ++i)
        if (ui.messages[i].kind == Kind::Failure)
            return false;
    return true;
}

const Writer kWriters[] = {
    {"Save", ".vol",
     [](CVolantorDoc& doc, FakeUserInterface&, const std::string& file) { return doc.OnSaveDocument(file); },
     "Can't save \""},
    {"ScasmSource", ".sca",
     [](CVolantorDoc& doc, FakeUserInterface& ui, const std::string& file) {
         return ChosenFileWrite(&CVolantorDoc::OnSaveScasmSource, doc, ui, file);
     },
     "Can't create file!"},
    {"BglFile", ".bgl",
     [](CVolantorDoc& doc, FakeUserInterface& ui, const std::string& file) {
         return ChosenFileWrite(&CVolantorDoc::OnCreateBglFile, doc, ui, file);
     },
     "Can't create file!"},
    {"MapExport", ".txt",
     [](CVolantorDoc& doc, FakeUserInterface& ui, const std::string& file) {
         return ChosenFileWrite(&CVolantorDoc::OnExportMap, doc, ui, file);
     },
     "Error opening map output file!"},
};

class FailedWrite : public ::testing::TestWithParam<Writer> {
protected:
    void SetUp() override
    {
        BuildWorkedExample(doc);
        doc.SetModifiedFlag();
    }

    std::string Target() const { return dir.File(std::string("work") + GetParam().extension); }

    // Runs the write expecting it to fail with the writer's message and no
    // success of any kind.
    void ExpectFailure(const std::string& file)
    {
        ui.messages.clear();
        EXPECT_FALSE(GetParam().write(doc, ui, file));
        ASSERT_FALSE(ui.messages.empty());
        for (const auto& message : ui.messages)
            EXPECT_EQ(message.kind, Kind::Failure) << message.text;
        EXPECT_EQ(ui.LastText().rfind(GetParam().failure, 0), 0u) << ui.LastText();
        if (std::string(GetParam().extension) == ".vol") {
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(doc.GetPathName(), "");
        }
    }

    // The folder holds exactly the one file with its old content.
    void ExpectOnlyPreviousFile(const std::string& file, const std::string& content)
    {
        EXPECT_EQ(TempDir::Read(file), content);
        int entries = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(file).parent_path())) {
            EXPECT_EQ(entry.path(), std::filesystem::path(file)) << "left behind";
            ++entries;
        }
        EXPECT_EQ(entries, 1);
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

}  // namespace

TEST_P(FailedWrite, IntoAFolderThatCannotExist)
{
    // The folder's name is taken by a plain file, which no permission can fix.
    const std::string blocker = dir.Write("blocker", "not a folder");
    ExpectFailure(blocker + "/work" + GetParam().extension);
    EXPECT_EQ(TempDir::Read(blocker), "not a folder");
}

TEST_P(FailedWrite, OntoAFolder)
{
    std::filesystem::create_directory(Target());
    ExpectFailure(Target());
    EXPECT_TRUE(std::filesystem::is_directory(Target()));
}

TEST_P(FailedWrite, OntoAReadOnlyFile)
{
    const std::string previous = "a read-only file, which must survive";
    const std::string file = dir.Write(std::string("work") + GetParam().extension, previous);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ExpectFailure(file);
    ExpectOnlyPreviousFile(file, previous);
}

TEST_P(FailedWrite, OntoAFullDevice)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no full device on this system";
    ExpectFailure("/dev/full");
}

TEST_P(FailedWrite, InterruptedHalfWayKeepsThePreviousFile)
{
    if (!FileSizeLimit::Available())
        GTEST_SKIP() << "no file-size limit on this system";
    const std::string previous = "the previous file, which must survive";
    const std::string file = dir.Write(std::string("work") + GetParam().extension, previous);
    {
        // Every output of the worked example is longer than this.
        FileSizeLimit limit(40);
        ExpectFailure(file);
    }
    ExpectOnlyPreviousFile(file, previous);

    // The same write without the limit succeeds, so the limit was the cause.
    ui.messages.clear();
    EXPECT_TRUE(GetParam().write(doc, ui, file));
    EXPECT_NE(TempDir::Read(file), previous);
}

INSTANTIATE_TEST_SUITE_P(EveryOutput, FailedWrite, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

// A save that succeeds replaces the file without weakening it.

TEST(SaveFileSafely, KeepsThePermissionsOfTheFileItReplaces)
{
    using std::filesystem::perms;
    const struct {
        const char* name;
        perms permissions;
    } rows[] = {
        {"private document stays private", perms::owner_read | perms::owner_write},
        {"group-shared document stays group-writable",
         perms::owner_read | perms::owner_write | perms::group_read | perms::group_write},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string file = dir.Write("work.vol", "old");
        std::filesystem::permissions(file, row.permissions);
        std::string error;
        ASSERT_TRUE(SaveFileSafely(file, std::string_view("new"), error)) << error;
        EXPECT_EQ(TempDir::Read(file), "new");
        EXPECT_EQ(std::filesystem::status(file).permissions(), row.permissions);
    }
}

TEST(SaveFileSafely, NeverTruncatesAFileThatHasTheTemporaryName)
{
    TempDir dir;
    const std::string file = dir.Write("work.vol", "old");
    const std::string bystander = dir.Write("work.vol.~1.tmp", "someone else's file");
    std::string error;
    ASSERT_TRUE(SaveFileSafely(file, std::string_view("new"), error)) << error;
    EXPECT_EQ(TempDir::Read(file), "new");
    EXPECT_EQ(TempDir::Read(bystander), "someone else's file");
}
