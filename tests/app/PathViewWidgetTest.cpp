// SPDX-License-Identifier: GPL-3.0-or-later
// The path view on the real window, driven with mouse and key events.

#include "ScriptedQtUserInterface.h"
#include "support/DocumentBuilder.h"

#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/VolantorView.h"
#include "document/VolantorDoc.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PathViewWidgetTest : public ::testing::Test {
protected:
    PathViewWidgetTest() : doc(ui)
    {
        QSettings().clear();
        doc.OnNewDocument();
        // Climbing paths, so the 3D view raises every sample but the first well off the ground.
        AddPath(doc, {SampleAt(47.50f, 8.50f, 1000), SampleAt(47.502f, 8.504f, 3000),
                      SampleAt(47.504f, 8.508f, 5000), SampleAt(47.506f, 8.512f, 7000)});
        AddPath(doc, {SampleAt(47.51f, 8.49f, 1000), SampleAt(47.52f, 8.51f, 6000)});
        doc.m_nCurPath = 0;
        doc.RecalcExtents();
        frame = std::make_unique<CMainFrame>(doc, ui);
        ui.AttachFrame(frame.get());
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        Repaint();
    }
    ~PathViewWidgetTest() override { QSettings().clear(); }

    CVolantorView& View() { return frame->View(); }

    // Paints the view now, storing every drawn position.
    void Repaint() { View().repaint(); }

    // Where sample j was drawn, in the view's client pixels.
    QPoint Drawn(int j)
    {
        const PathSample& s = doc.m_samples[j];
        return {s.m_nScreenX + View().width() / 2 + doc.m_nOffsetX,
                s.m_nScreenY + View().height() / 2 + doc.m_nOffsetY};
    }

    // A right click at the point; the point menu, if it opens, is answered by
    // choosing the item with the text, or closed when the text is empty.
    void RightClick(QPoint point, const QString& choice = {})
    {
        bMenuOpened = false;
        QTimer::singleShot(0, [this, choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            bMenuOpened = true;
            for (const QAction* action : menu->actions())
                menuTexts.push_back(action->text().toStdString());
            markedWhileOpen = doc.m_samples[doc.m_nSelSample].m_bMarked;
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions())
                if (action->text() == choice)
                    chosen = action;
            if (!chosen) {
                menu->close();
                return;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::mouseClick(&View(), Qt::RightButton, {}, point);
    }

    ScriptedQtUserInterface ui;
    CVolantorDoc doc;
    std::unique_ptr<CMainFrame> frame;
    bool bMenuOpened = false;
    bool markedWhileOpen = false;
    std::vector<std::string> menuTexts;
};

TEST_F(PathViewWidgetTest, RightClickWithinThreePixelsPicksTheSampleAndMarksItWhileTheMenuIsOpen)
{
    RightClick(Drawn(2) + QPoint(3, -3));
    EXPECT_TRUE(bMenuOpened);
    EXPECT_EQ(menuTexts, (std::vector<std::string>{"Point Info", "Delete to Start", "Delete to End"}));
    EXPECT_TRUE(markedWhileOpen);
    EXPECT_EQ(doc.m_nSelSample, 2);
    EXPECT_FALSE(doc.m_samples[2].m_bMarked);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PathViewWidgetTest, RightClickFourPixelsAwayFindsNoPoint)
{
    for (const QPoint miss : {QPoint(4, 0), QPoint(0, -4), QPoint(-4, 4)}) {
        ui.messages.clear();
        RightClick(Drawn(2) + miss);
        EXPECT_FALSE(bMenuOpened);
        EXPECT_EQ(ui.messages, std::vector<std::string>{"No Point Found!"});
        EXPECT_EQ(doc.m_nSelSample, 0);
    }
}

TEST_F(PathViewWidgetTest, OfTwoSamplesDrawnOnTheSameSpotTheLowerIndexWins)
{
    AddPath(doc, {doc.m_samples[2], doc.m_samples[3]});
    doc.m_nCurPath = 0;
    Repaint();
    ASSERT_EQ(Drawn(6), Drawn(2));
    RightClick(Drawn(6));
    EXPECT_EQ(doc.m_nSelSample, 2);
}

TEST_F(PathViewWidgetTest, In3DThePickHitsTheRaisedMarkerNotItsFoot)
{
    QTest::keyClick(frame.get(), Qt::Key_3, Qt::ControlModifier);
    ASSERT_TRUE(doc.m_b3DView);
    Repaint();
    const PathSample& raised = doc.m_samples[3];
    RightClick(Drawn(3));
    EXPECT_TRUE(bMenuOpened);
    EXPECT_EQ(doc.m_nSelSample, 3);

    // Its foot lies on the ground, well below the marker.
    doc.m_nSelSample = 0;
    const QPoint foot = Drawn(3) + QPoint(0, 20);
    ASSERT_GT(raised.m_fAlt, 5000.0f);
    RightClick(foot);
    EXPECT_FALSE(bMenuOpened);
    EXPECT_EQ(doc.m_nSelSample, 0);
}

TEST_F(PathViewWidgetTest, ChosenDeleteToEndTrimsThePathAtThePickedSample)
{
    RightClick(Drawn(1), "Delete to End");
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 1);
    EXPECT_FALSE(doc.m_samples[1].m_bMarked);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PathViewWidgetTest, ChosenPointInfoDescribesThePickedSample)
{
    RightClick(Drawn(0), "Point Info");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Seconds: 0, Altitude: 1000, Reference Altitude: 1000\n"
                              "Latitude: 47.500000 Longitude: 8.500000\n"
                              "Meters from Reference - X: 0.00 Y: 0.00");
}

TEST_F(PathViewWidgetTest, LeftClickBringsTheClickedSpotToTheCentreOfTheMapArea)
{
    const int W = View().width();
    const int H = View().height();
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(W / 2, H / 2 - H / 16));
    EXPECT_EQ(doc.m_nOffsetX, 0);
    EXPECT_EQ(doc.m_nOffsetY, 0);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(W / 2 + 10, H / 2 - H / 16));
    EXPECT_EQ(doc.m_nOffsetX, -10);
    EXPECT_EQ(doc.m_nOffsetY, 0);
}

TEST_F(PathViewWidgetTest, MouseOverTheFirstSampleReadsZeroInPaneOne)
{
    QTest::mouseMove(&View(), Drawn(0));
    EXPECT_EQ(frame->PaneText(1), "X: 0.0 Y: 0.0");
}

TEST_F(PathViewWidgetTest, FileNewLeavesNoReadoutOfTheOldPaths)
{
    // From elsewhere first: a move to where the cursor already is sends no event.
    QTest::mouseMove(&View(), Drawn(0) + QPoint(9, 9));
    QTest::mouseMove(&View(), Drawn(0));
    ASSERT_EQ(frame->PaneText(1), "X: 0.0 Y: 0.0");
    frame->Action(ID_FILE_NEW)->trigger();
    ASSERT_TRUE(doc.m_paths.empty());
    QTest::mouseMove(&View(), Drawn(0) + QPoint(5, 5));
    EXPECT_EQ(frame->PaneText(1), "  0 00 00.0000    0 00 00.0000");
    EXPECT_EQ(frame->PaneText(2), "No Flight Path Loaded");
}

TEST_F(PathViewWidgetTest, ViewCommandsFromKeysAndMenu)
{
    QAction* view3D = frame->Action(ID_VIEW_3D);
    ASSERT_TRUE(view3D->isEnabled());
    view3D->trigger();
    EXPECT_TRUE(doc.m_b3DView);
    EXPECT_TRUE(view3D->isChecked());
    view3D->trigger();
    EXPECT_FALSE(doc.m_b3DView);
    EXPECT_FALSE(view3D->isChecked());

    doc.m_nOffsetX = 100;
    QTest::keyClick(frame.get(), Qt::Key_PageDown);
    EXPECT_EQ(doc.m_fZoom, 1.5f);
    EXPECT_EQ(doc.m_nOffsetX, 125);
    QTest::keyClick(frame.get(), Qt::Key_PageUp);
    EXPECT_EQ(doc.m_fZoom, 1.5f * 0.66f);
    EXPECT_EQ(doc.m_nOffsetX, 94);
    QTest::keyClick(frame.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(doc.m_fZoom, 1.0f);
    EXPECT_EQ(doc.m_nOffsetX, 0);
}

TEST_F(PathViewWidgetTest, WindowPaintsTheCurrentPathBlueOverheadAndNoBlueIn3D)
{
    frame->grab().save("main-frame-paths.png");
    const auto blueInMapArea = [this] {
        const QImage image = View().grab().toImage();
        const int mapBottom = image.height() - image.height() / 8;
        int blue = 0;
        for (int y = 0; y < mapBottom; ++y)
            for (int x = 0; x < image.width(); ++x)
                blue += image.pixelColor(x, y) == QColor(0, 0, 240);
        return blue;
    };
    EXPECT_GT(blueInMapArea(), 50);
    frame->Action(ID_VIEW_3D)->trigger();
    frame->grab().save("main-frame-3d.png");
    EXPECT_EQ(blueInMapArea(), 0);
}

} // namespace
