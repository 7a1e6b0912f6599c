// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedQtUserInterface.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"
#include "document/VolantorDoc.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QSettings>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Notes the text of every menu item the style is asked to draw.
class MenuItemRecorder : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item && element == CE_MenuItem)
            texts.push_back(item->menuItemType == QStyleOptionMenuItem::Separator ? "-"
                                                                                  : item->text.toStdString());
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    mutable std::vector<std::string> texts;
};

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() : doc(ui)
    {
        QSettings().clear();
        doc.OnNewDocument();
        frame = std::make_unique<CMainFrame>(doc, ui);
        ui.AttachFrame(frame.get());
    }
    ~MainFrameTest() override { QSettings().clear(); }

    void LoadLog()
    {
        const std::string log = dir.Write("flight.dat", RecorderLog({{47.0f, -122.0f, 1000.0f},
                                                                     {47.001f, -122.0f, 1010.0f},
                                                                     {47.002f, -122.001f, 1020.0f}}));
        doc.ReadFlightPathFile(log);
        ASSERT_EQ(doc.m_paths.size(), 1u);
    }

    // The texts of a menu's items as it draws them, "-" for a separator.
    static std::vector<std::string> MenuTexts(QMenu* menu)
    {
        MenuItemRecorder recorder;
        menu->setStyle(&recorder);
        menu->adjustSize();
        menu->grab();
        menu->setStyle(nullptr);
        return recorder.texts;
    }

    QMenu* Menu(int index) const { return frame->menuBar()->actions().at(index)->menu(); }

    TempDir dir;
    ScriptedQtUserInterface ui;
    CVolantorDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, WithoutPathTheCommandsNeedingOneAreDisabled)
{
    for (const CommandEntry& entry : CommandTable())
        if (entry.bNeedsPath) {
            EXPECT_FALSE(frame->Action(entry.nId)->isEnabled()) << entry.strText;
        }
    EXPECT_TRUE(frame->Action(ID_OPEN_FLIGHT_PATH)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_EDIT_PREFERENCES)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_FILE_NEW)->isEnabled());
    EXPECT_EQ(frame->PaneText(0), "Ready");
    EXPECT_EQ(frame->PaneText(1), "  0 00 00.0000    0 00 00.0000");
    EXPECT_EQ(frame->PaneText(2), "No Flight Path Loaded");
    EXPECT_EQ(frame->windowTitle(), "Volant - Volantor");
}

TEST_F(MainFrameTest, ReadingALogEnablesThePathCommandsAndNamesThePath)
{
    LoadLog();
    for (const CommandEntry& entry : CommandTable())
        if (entry.bNeedsPath && entry.handler) {
            EXPECT_TRUE(frame->Action(entry.nId)->isEnabled()) << entry.strText;
        }
    EXPECT_EQ(frame->PaneText(2), "PATTERN0");

    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_TRUE(frame->grab().save("main-frame.png"));
}

TEST_F(MainFrameTest, DeletingTheLastPathDisablesThePathCommandsAgain)
{
    LoadLog();
    frame->Action(32805)->trigger();
    ASSERT_TRUE(doc.m_paths.empty());
    EXPECT_FALSE(frame->Action(ID_GENERATE_PATH)->isEnabled());
    EXPECT_FALSE(frame->Action(ID_NEXT_PATH)->isEnabled());
}

TEST_F(MainFrameTest, CtrlSOpensSaveAsEvenWithAFileName)
{
    LoadLog();
    const std::string saved = dir.File("first.vol");
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));

    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);

    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(ui.fileChoices[0].strFilter, "Flight Path Files (*.vol)|*.vol||");
    EXPECT_EQ(ui.fileChoices[0].strDefaultExtension, "vol");
}

TEST_F(MainFrameTest, AcceleratorsFollowTheirOwnTableNotTheMenuTexts)
{
    EXPECT_EQ(frame->Accelerator(ID_FILE_SAVE_AS), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(frame->Accelerator(ID_FILE_SAVE).isEmpty());
    EXPECT_TRUE(frame->Accelerator(32808).isEmpty());
    EXPECT_TRUE(frame->Accelerator(32785).isEmpty());
    EXPECT_TRUE(frame->Accelerator(ID_APP_EXIT).isEmpty());
    EXPECT_EQ(frame->Accelerator(ID_VIEW_ZOOM_IN), QKeySequence(Qt::Key_PageDown));
    EXPECT_EQ(frame->Accelerator(ID_VIEW_ZOOM_OUT), QKeySequence(Qt::Key_PageUp));
    EXPECT_EQ(frame->Accelerator(ID_VEHICLE_SETTINGS), QKeySequence("Ctrl+V"));
    EXPECT_EQ(frame->Accelerator(57643), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    EXPECT_EQ(frame->Accelerator(57670), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(frame->Action(57643)->isEnabled());
}

TEST_F(MainFrameTest, MenusHoldTheCommandsInOrderWithTheirSeparators)
{
    ASSERT_EQ(frame->menuBar()->actions().size(), 5);
    EXPECT_EQ(MenuTexts(Menu(0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save...\tCtrl+S", "Save &As...",
                                        "-", "Open ORVEX &Flight Path...", "-", "Create &BGL File...",
                                        "Save S&CASM Source...\tCtrl+S", "&Export Map...\tCtrl+E", "-",
                                        "Recent File", "-", "E&xit\tCtrl+X"}));
    EXPECT_EQ(MenuTexts(Menu(1)),
              (std::vector<std::string>{"Find &Loop Point", "&Make End Match Start", "&Generate Path",
                                        "&Clear Path", "&Delete", "-", "&Preferences..."}));
    EXPECT_EQ(MenuTexts(Menu(2)), (std::vector<std::string>{"&Settings...", "&Next", "&Previous"}));
    EXPECT_EQ(MenuTexts(Menu(3)),
              (std::vector<std::string>{"&Toolbar", "&Status Bar", "&3D View\tCtrl+3",
                                        "Information...\tCtrl+I", "&Reset View\tCtrl+R"}));
    EXPECT_EQ(MenuTexts(Menu(4)), (std::vector<std::string>{"Volantor &Help", "&About Volantor..."}));
}

TEST_F(MainFrameTest, ToolbarButtonsStandInOrderWithSeparators)
{
    std::vector<int> ids;
    for (QAction* action : frame->ToolBar()->actions()) {
        int id = 0;
        for (const CommandEntry& entry : CommandTable())
            if (frame->Action(entry.nId) == action)
                id = entry.nId;
        ids.push_back(id);
    }
    EXPECT_EQ(
        ids, (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, 0, ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_IN, ID_VIEW_RESET,
                               0, ID_GENERATE_PATH, ID_FIND_LOOP_POINT, 0, ID_PREVIOUS_PATH, ID_NEXT_PATH}));
    EXPECT_EQ(frame->Action(ID_GENERATE_PATH)->toolTip(), "Generate");
    EXPECT_EQ(frame->Action(ID_GENERATE_PATH)->statusTip(), "Generate Dynamic Scenery Path");
}

TEST_F(MainFrameTest, RecentFilesSurviveRecreatingTheFrame)
{
    LoadLog();
    const std::string saved = dir.File("R&D kept.vol");
    ui.filesToSave.push_back(saved);
    frame->Action(ID_FILE_SAVE_AS)->trigger();
    EXPECT_EQ(frame->windowTitle(), "R&D kept.vol - Volantor");

    frame = std::make_unique<CMainFrame>(doc, ui);
    ui.AttachFrame(frame.get());
    ASSERT_EQ(frame->RecentFiles().size(), 1);
    EXPECT_EQ(frame->RecentFiles().at(0).toStdString(), saved);
    ASSERT_EQ(frame->RecentFileActions().size(), 1);
    EXPECT_TRUE(frame->RecentFileActions().at(0)->text().endsWith("/R&&D kept.vol"));

    doc.OnNewDocument();
    frame->RecentFileActions().at(0)->trigger();
    EXPECT_EQ(doc.m_paths.size(), 1u);
    EXPECT_EQ(doc.GetPathName(), saved);
}

TEST(RecentFileMenuText, ShowsThePathAsItIsShortenedInTheMiddle)
{
    const struct {
        const char* name;
        int number;
        const char* path;
        const char* text;
    } rows[] = {
        {"short path whole", 1, "/home/pat/airfield.vol", "&1 /home/pat/airfield.vol"},
        {"ampersand shown, not a mnemonic", 2, "/home/pat/R&D/a&b.vol", "&2 /home/pat/R&&D/a&&b.vol"},
        {"48 characters whole", 3, "/home/pat/scenery/projects/northern/airfield.vol",
         "&3 /home/pat/scenery/projects/northern/airfield.vol"},
        {"longer: first 16 and last 29 kept", 4,
         "/home/pat/scenery/projects/2024/northern airfields/circuit.vol",
         "&4 /home/pat/scener...orthern airfields/circuit.vol"},
        {"ampersand kept whole beside the cut", 5,
         "/home/pat/scenery/projects/2024/northern R&D fields/circuit.vol",
         "&5 /home/pat/scener...rthern R&&D fields/circuit.vol"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RecentFileMenuText(row.number, row.path).toStdString(), row.text) << row.name;
}

TEST_F(MainFrameTest, RecentFileThatNoLongerOpensLeavesTheList)
{
    frame->AddRecentFile(QString::fromStdString(dir.File("gone.vol")));
    ASSERT_EQ(frame->RecentFileActions().size(), 1);
    frame->RecentFileActions().at(0)->trigger();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(frame->RecentFiles().isEmpty());
    EXPECT_TRUE(frame->RecentFileActions().isEmpty());
}

TEST_F(MainFrameTest, SavingUnderTheDocumentsNameKeepsItWithoutAsking)
{
    LoadLog();
    const std::string saved = dir.File("named.vol");
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    doc.SetModifiedFlag();
    frame->Action(ID_FILE_SAVE)->trigger();
    EXPECT_TRUE(ui.fileChoices.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame->RecentFiles().value(0).toStdString(), saved);
}

TEST_F(MainFrameTest, RecentFilesKeepTheEightLatestNewestFirst)
{
    for (int i = 0; i < 10; ++i)
        frame->AddRecentFile(QString::fromStdString(dir.File(std::string("f") + std::to_string(i) + ".vol")));
    const QStringList files = frame->RecentFiles();
    ASSERT_EQ(files.size(), 8);
    EXPECT_TRUE(files.front().endsWith("f9.vol"));
    EXPECT_TRUE(files.back().endsWith("f2.vol"));
    EXPECT_EQ(frame->RecentFileActions().size(), 8);
    EXPECT_TRUE(frame->RecentFileActions().at(0)->text().startsWith("&1 "));
}

TEST_F(MainFrameTest, UnsavedChangesAskBeforeNewAndCancelKeepsTheDocument)
{
    LoadLog();
    ui.saveAnswers.push_back(QMessageBox::Cancel);
    frame->Action(ID_FILE_NEW)->trigger();
    ASSERT_EQ(ui.saveQuestions.size(), 1u);
    EXPECT_EQ(ui.saveQuestions[0], "Save changes to Volant?");
    EXPECT_EQ(doc.m_paths.size(), 1u);

    ui.saveAnswers.push_back(QMessageBox::No);
    frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_TRUE(doc.m_paths.empty());
    EXPECT_FALSE(frame->Action(ID_GENERATE_PATH)->isEnabled());
}

TEST_F(MainFrameTest, AnsweringYesSavesAnUnnamedDocumentThroughSaveAs)
{
    LoadLog();
    const std::string target = dir.File("answer.vol");
    ui.saveAnswers.push_back(QMessageBox::Yes);
    ui.filesToSave.push_back(target);
    frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_FALSE(TempDir::Read(target).empty());
    EXPECT_TRUE(doc.m_paths.empty());
}

TEST_F(MainFrameTest, CancelledSaveAsAfterYesKeepsTheDocument)
{
    LoadLog();
    ui.saveAnswers.push_back(QMessageBox::Yes);
    frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(doc.m_paths.size(), 1u);
}

TEST_F(MainFrameTest, ClosingWithUnsavedChangesCanBeCancelled)
{
    LoadLog();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    ui.saveAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ui.saveAnswers.push_back(QMessageBox::No);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(ui.saveQuestions.size(), 2u);
}

TEST_F(MainFrameTest, UnmodifiedDocumentIsReplacedWithoutAsking)
{
    frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_TRUE(ui.saveQuestions.empty());
}

TEST_F(MainFrameTest, PreferencesCommandRunsItsDialog)
{
    frame->Action(ID_EDIT_PREFERENCES)->trigger();
    EXPECT_EQ(ui.dialogsRun, 1);
}

}  // namespace
