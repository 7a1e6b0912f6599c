// SPDX-License-Identifier: GPL-3.0-or-later
// The real window: its commands, keys and view as the user meets them, and start-up.
#include "support/RecorderLog.h"
#include "support/TempDir.h"
#include "support/WorkedExampleBytes.h"

#include "app/CommandLine.h"
#include "app/CommandTable.h"
#include "app/PlaybackClock.h"
#include "app/RecentFiles.h"
#include "app/VolantorApp.h"
#include "app/VolantorView.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// The desktop interface with the save question and Save As answered from scripts.
class ScriptedUi : public QtUserInterface {
public:
    using File = std::optional<std::string>;
    void ShowMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
    File ChooseFileToSave(const FileChoice&) override { return std::exchange(saveAs, {}); }
    File ChooseFileToOpen(const FileChoice&) override { return std::exchange(open, {}); }
    QMessageBox::StandardButton AskSaveChanges(const QString& question) override
    {
        messages.push_back(question.toStdString());
        return std::exchange(answer, QMessageBox::Cancel);
    }
    std::vector<std::string> messages;
    File saveAs;
    File open;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
};

// The items in order, "-" for a separator, a disabled item in brackets.
std::string Items(const QWidget* owner)
{
    std::string items;
    for (const QAction* action : owner->actions()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << "its keys would be added to the shown text";
        const std::string text = action->isSeparator() ? "-" : action->text().toStdString();
        if (action->isVisible())
            items += (items.empty() ? "" : "|") + (action->isEnabled() ? text : "[" + text + "]");
    }
    return items;
}

// Each test starts with no recent files and no window layout, whatever the tests before it saved.
struct NoSettings {
    NoSettings() { QSettings().clear(); }
};

class MainFrameTest : public ::testing::Test, NoSettings {
protected:
    MainFrameTest() { ui.AttachFrame(&frame); }
    void LoadLog()
    {
        doc.ReadFlightPathFile(
            dir.Write("a.dat", RecorderLog({{47.5f, 8.5f, 0}, {47.51f, 8.51f, 0}, {47.5f, 8.52f, 0}})));
        ui.messages.clear();
    }
    // Where sample j is drawn, in the view's pixels.
    QPoint Drawn(int j)
    {
        frame.View().repaint();
        const ViewState& state = frame.View().Paths().State();
        return {state.m_screen[j].x + state.m_nOffsetX + frame.View().width() / 2,
                state.m_screen[j].y + state.m_nOffsetY + frame.View().height() / 2};
    }

    TempDir dir;
    ScriptedUi ui;
    CVolantorDoc doc{ui};
    CMainFrame frame{doc, ui};
};

TEST_F(MainFrameTest, MenusAndToolbarShowTheCommandsInOrderEnabledWhileThereIsAPath)
{
    const auto menus = [this] {
        std::string text;
        for (const QAction* menu : frame.menuBar()->actions())
            text += menu->text().toStdString() + ": " + Items(menu->menu()) + "\n";
        return text;
    };
    const std::string withoutPath =
        "&File: &New\tCtrl+N|&Open...\tCtrl+O|[&Save...\tCtrl+S]|[Save &As...]|-|Open ORVEX &Flight Path...|"
        "Import &Track...|Open &BGL...|-|[Create &BGL File...]|[Save S&CASM Source...\tCtrl+S]|[&Export "
        "Map...\tCtrl+E]|"
        "[Export &KML...]|-|[Recent File]|-|E&xit\tCtrl+X\n&Edit: [&Undo\tCtrl+Z]|[&Redo\tCtrl+Y]|-|"
        "[Find &Loop Point]|[&Make End Match Start]|[&Generate Path]|[Fit to &Size...]|[&Clear "
        "Path]|[&Delete]|-|"
        "&Preferences...\n"
        "&Vehicle: [&Settings...]|[&Next]|[&Previous]\n"
        "&View: &Toolbar|&Status Bar|&3D View\tCtrl+3|[Information...\tCtrl+I]|[Scenery &Report...]|"
        "[&Reset View\tCtrl+R]|-|"
        "[Show &Replay]|[&Play\tSpace]|[Re&wind\tHome]|-|&1\u00D7 Speed|1&0\u00D7 Speed|&60\u00D7 Speed\n"
        "&Help: Volantor &Help|&About Volantor...\n";
    EXPECT_EQ(menus(), withoutPath);
    EXPECT_EQ(Items(frame.ToolBar()),
              "&New\tCtrl+N|&Open...\tCtrl+O|-|Zoom Out|Zoom In|[&Reset View\tCtrl+R]|-|"
              "[&Generate Path]|[Find &Loop Point]|-|[&Previous]|[&Next]|-|[&Undo\tCtrl+Z]|[&Redo\tCtrl+Y]|-|"
              "[Show &Replay]|[&Play\tSpace]");
    LoadLog();
    const std::string withPath = menus();
    EXPECT_EQ(std::count(withPath.begin(), withPath.end(), '['), 2)
        << withPath;                 // Redo, the Recent File stand-in
    frame.Action(32805)->trigger();  // Delete, the only path
    const QMenu* edit = frame.menuBar()->actions().at(1)->menu();
    EXPECT_EQ(Items(edit).substr(0, 60), "&Undo Delete\tCtrl+Z|[&Redo\tCtrl+Y]|-|[Find &Loop Point]|[&Ma");
    frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(Items(edit).substr(0, 60), "&Undo Open ORVEX Flight Path\tCtrl+Z|&Redo Delete\tCtrl+Y|-|Fi");
}

TEST_F(MainFrameTest, UnsavedChangesAreAskedAboutBeforeNewAndClose)
{
    // Yes saves the unnamed document through Save As, where a file is chosen or not.
    using B = QMessageBox;
    const std::tuple<B::StandardButton, bool, bool> rows[] = {
        {B::Cancel, false, false}, {B::No, false, true}, {B::Yes, false, false}, {B::Yes, true, true}};
    for (const auto& [answer, bFileChosen, bReplaced] : rows) {
        LoadLog();
        ui.answer = answer;
        ui.saveAs = bFileChosen ? std::optional(dir.File("kept.vol")) : std::nullopt;
        frame.Action(ID_FILE_NEW)->trigger();
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Save changes to Volant?"});
        EXPECT_EQ(doc.m_paths.empty(), bReplaced) << answer;
        EXPECT_EQ(TempDir::Read(dir.File("kept.vol")).empty(), !bFileChosen) << answer;
    }
    LoadLog();
    EXPECT_FALSE(frame.close());
    ui.answer = QMessageBox::No;
    EXPECT_TRUE(frame.close());
}

TEST_F(MainFrameTest, KeysAndTheMouseOnTheViewRunTheirCommands)
{
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(ui.messages.empty());  // Information needs a path
    LoadLog();
    QTest::keyClick(&frame, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(ui.messages.size(), 1u);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("named.vol")));
    ui.saveAs = dir.File("other.vol");
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);  // Save As, though the document has a name
    EXPECT_EQ(frame.windowTitle(), "other.vol[*] - Volantor");
    EXPECT_FALSE(frame.isWindowModified());

    std::string menu;
    QTimer::singleShot(0, [&] {
        QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(popup);
        menu = Items(popup) + (frame.View().Paths().State().IsMarked(1) ? " on a marked sample" : "");
        popup->setActiveAction(popup->actions().at(2));
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QTest::mouseClick(&frame.View(), Qt::RightButton, {}, Drawn(1) + QPoint(3, -3));
    EXPECT_EQ(menu, "Point Info|Delete to Start|Delete to End on a marked sample");
    EXPECT_TRUE(frame.View().Paths().State().m_marked.empty());
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 1);  // Delete to End, at the picked sample
    EXPECT_TRUE(frame.isWindowModified());
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_Backspace, Qt::AltModifier);  // Undo, back where the document was saved
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 2);
    EXPECT_FALSE(frame.isWindowModified());
    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // Redo
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 1);
    QTest::mouseMove(&frame.View(), Drawn(0));
    EXPECT_EQ(frame.PaneText(1), "X: 0.0 Y: 0.0");
}

TEST_F(MainFrameTest, SpacePlaysAndPausesTheReplayHomeRewindsItAndASpeedItemSetsHowFast)
{
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    LoadLog();
    const ViewState& state = frame.View().Paths().State();
    for (const auto& [id, speed] : {std::pair(ID_VIEW_SPEED_10, 10), std::pair(ID_VIEW_SPEED_60, 60)}) {
        frame.Action(id)->trigger();
        EXPECT_EQ(frame.Playback().Speed(), speed);
        EXPECT_TRUE(frame.Action(id)->isChecked() && !frame.Action(ID_VIEW_SPEED_1)->isChecked()) << speed;
    }
    QTest::keyClick(&frame, Qt::Key_Space);
    EXPECT_EQ(frame.Action(ID_VIEW_PLAY)->text(), "&Pause\tSpace");
    // Playing shows the replay.
    EXPECT_TRUE(state.m_bShowReplay && frame.Action(ID_VIEW_REPLAY)->isChecked());
    QTest::qWait(200);  // about 12 s of replay at 60 times the pace of the clock
    QTest::keyClick(&frame, Qt::Key_Space);
    EXPECT_EQ(frame.Action(ID_VIEW_PLAY)->text(), "&Play\tSpace");
    const double paused = state.m_dPlaybackSeconds;
    EXPECT_GT(paused, 3);
    EXPECT_NE(frame.PaneText(3), "0:00:00");
    QTest::qWait(50);
    EXPECT_EQ(state.m_dPlaybackSeconds, paused);
    QTest::keyClick(&frame, Qt::Key_Home);
    EXPECT_EQ(state.m_dPlaybackSeconds, 0);
    EXPECT_EQ(frame.PaneText(3), "0:00:00");
}

// A compiled file opened alone: its vehicles shown and played, nothing to
// save; a damaged one is refused; the next document puts it away.
TEST_F(MainFrameTest, OpenBglShowsAScenerysVehiclesReadOnly)
{
    LoadLog();
    ui.open = dir.Write("w.bgl", std::string(kWorkedExampleBytes.begin(), kWorkedExampleBytes.end()));
    ui.answer = QMessageBox::No;
    frame.Action(ID_OPEN_BGL)->trigger();
    EXPECT_TRUE(doc.m_paths.empty());
    EXPECT_EQ(frame.windowTitle(), "w.bgl (read-only)[*] - Volantor");
    EXPECT_TRUE(frame.Action(ID_VIEW_PLAY)->isEnabled() && !frame.Action(ID_FILE_SAVE)->isEnabled());
    frame.Action(ID_VIEW_PLAY)->trigger();
    EXPECT_EQ(frame.Action(ID_VIEW_PLAY)->text(), "&Pause\tSpace");
    frame.Action(ID_VIEW_PLAY)->trigger();

    const std::string bad = dir.Write("bad.bgl", "no scenery");
    ui.open = bad;
    frame.Action(ID_OPEN_BGL)->trigger();
    EXPECT_EQ(ui.messages.back(), "\"" + bad +
                                      "\" is not a scenery file Volantor can read: at byte 10: the file "
                                      "ends before its pattern table, which starts at byte 220.");
    EXPECT_EQ(frame.windowTitle(), "w.bgl (read-only)[*] - Volantor");
    frame.Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(frame.windowTitle(), "Volant[*] - Volantor");
    EXPECT_FALSE(frame.Action(ID_VIEW_PLAY)->isEnabled());
}

TEST_F(MainFrameTest, TheMapMovesUnderTheHand)
{
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    LoadLog();
    CVolantorView& view = frame.View();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    // A wheel notch forward zooms in, one back zooms out, each about the spot under the cursor.
    for (const auto& [j, notch] : {std::pair(1, 120), std::pair(0, -120), std::pair(2, 120)}) {
        const QPoint at = Drawn(j);
        QWheelEvent wheel(at, view.mapToGlobal(at), {}, {0, notch}, {}, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        const QPoint moved = Drawn(j) - at;
        EXPECT_TRUE(std::abs(moved.x()) <= 1 && std::abs(moved.y()) <= 1)
            << j << ": " << moved.x() << "," << moved.y();
    }
    EXPECT_FLOAT_EQ(view.Paths().State().m_fZoom, 1.5f * 0.66f * 1.5f);
    // Dragged, the map follows the hand; a click that moves less than a drag recentres on its release.
    const QPoint grabbed = Drawn(0);
    send(QEvent::MouseButtonPress, grabbed, Qt::LeftButton);
    send(QEvent::MouseMove, grabbed + QPoint(30, 12), Qt::LeftButton);
    send(QEvent::MouseMove, grabbed + QPoint(40, -25), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grabbed + QPoint(40, -25), Qt::NoButton);
    EXPECT_EQ(Drawn(0), grabbed + QPoint(40, -25));
    const QPoint centre(view.width() / 2, view.height() / 2 - view.height() / 16);
    send(QEvent::MouseButtonPress, Drawn(0), Qt::LeftButton);
    send(QEvent::MouseMove, Drawn(0) + QPoint(2, 1), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Drawn(0) + QPoint(2, 1), Qt::NoButton);
    EXPECT_EQ(Drawn(0), centre - QPoint(2, 1));
    // An arrow key looks a tenth of the window further that way.
    const struct {
        const char* name;
        Qt::Key key;
        int tenthsRight, tenthsDown;  // how far the map moves
    } keys[] = {{"left", Qt::Key_Left, 1, 0},
                {"right", Qt::Key_Right, -1, 0},
                {"up", Qt::Key_Up, 0, 1},
                {"down", Qt::Key_Down, 0, -1}};
    for (const auto& key : keys) {
        const QPoint before = Drawn(0);
        QTest::keyClick(&view, key.key);
        EXPECT_EQ(Drawn(0) - before,
                  QPoint(key.tenthsRight * (view.width() / 10), key.tenthsDown * (view.height() / 10)))
            << key.name;
    }
}

TEST_F(MainFrameTest, StartUpOpensTheDocumentOrReadsTheLogOnTheCommandLineOrEndsAtADocumentItCannotRead)
{
    LoadLog();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("route.vol")));
    dir.Write("bad.vol", "junk");
    const std::tuple<const char*, bool, std::size_t> rows[] = {{"route.vol", true, 1},  // opened as today
                                                               {"a.dat", true, 1},      // read as a new path
                                                               {"bad.vol", false, 0}};
    for (const auto& [file, bStarts, paths] : rows) {
        CVolantorApp app(std::make_unique<ScriptedUi>());
        const QString path = QString::fromStdString(dir.File(file));
        EXPECT_EQ(app.InitInstance(ReadCommandLine({"volantor", path}).strFile), bStarts) << file;
        EXPECT_EQ(app.Frame().Document().m_paths.size(), paths) << file;
        EXPECT_FALSE(app.Frame().windowIcon().pixmap(32).isNull());
    }
    EXPECT_EQ(ReadCommandLine({"volantor", "a.vol", "--version"}).strText, "Volantor 1.0.0\n");
}

TEST_F(MainFrameTest, RecentFilesKeepTheEightLatestForTheNextRunAndLoseOneThatNoLongerOpens)
{
    for (int i = 0; i < 10; ++i)
        frame.AddRecentFile(QString::fromStdString(dir.File("f")) + QString::number(i) + ".vol");
    CMainFrame next(doc, ui);  // as the next run finds them
    ASSERT_EQ(next.RecentFileActions().size(), 8);
    EXPECT_TRUE(next.RecentFiles().front().endsWith("/f9.vol") &&
                next.RecentFiles().back().endsWith("/f2.vol"));
    EXPECT_EQ(
        RecentFileMenuText(4, "/home/pat/scenery/projects/2024/northern R&D fields/a.vol").toStdString(),
        "&4 /home/pat/scener...024/northern R&&D fields/a.vol");
    next.RecentFileActions().at(0)->trigger();  // f9.vol was never written
    EXPECT_EQ(next.RecentFiles().size(), 7);
}

TEST_F(MainFrameTest, ADropOpensItsDocumentAfterTheSaveQuestionReadsItsLogsIntoItAndRefusesTheRestByName)
{
    LoadLog();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("route.VOL")));  // one path of 3 samples
    LoadLog();
    ui.answer = QMessageBox::No;
    const QString in = QString::fromStdString(dir.File(""));
    QMimeData data;
    dir.Write("t.IGC",
              "HFDTE010524\nB1200004730000N00830000EA0010000100\nB1200014730010N00830000EA0010000100\n");
    data.setUrls({QUrl::fromLocalFile(in + "x.txt"), QUrl::fromLocalFile(in + "a.dat"),
                  QUrl::fromLocalFile(in + "route.VOL"), QUrl::fromLocalFile(in + "t.IGC"),
                  QUrl::fromLocalFile(in + "c.vol")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);  // makes the frame the drop's target
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    QApplication::processEvents();
    QString shown = QString("%1, %2 recent|").arg(frame.TitleName()).arg(frame.RecentFiles().size());
    for (const std::string& message : ui.messages)
        shown += QString::fromStdString(message).remove(in) + "|";
    EXPECT_EQ(shown,
              "route.VOL, 1 recent|\"x.txt\" was not opened: only documents (*.vol), flight recorder logs "
              "(*.dat) and tracks (*.gpx, *.igc) can be dropped here.|\"c.vol\" was not opened: one "
              "document opens at a time.|Save changes to route.VOL?|Paths Loaded: 1  Samples: 3|"
              "6 Sample Points|8 Sample Points|Altitudes: GNSS|");
}

TEST_F(MainFrameTest, TheNextWindowOpensWithTheSizePlaceAndBarsTheLastOneClosedWith)
{
    EXPECT_EQ(frame.size(), QSize(800, 600));  // as on the first run
    frame.setGeometry(40, 50, 600, 400);
    frame.ToolBar()->hide();
    frame.statusBar()->hide();
    ASSERT_TRUE(frame.close());
    CMainFrame next(doc, ui);
    EXPECT_EQ(next.geometry(), QRect(40, 50, 600, 400));
    EXPECT_FALSE(next.Action(ID_VIEW_TOOLBAR)->isChecked() || next.Action(ID_VIEW_STATUS_BAR)->isChecked());
}

}  // namespace
