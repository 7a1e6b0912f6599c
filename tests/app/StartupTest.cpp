// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedQtUserInterface.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include "app/VolantorApp.h"
#include "document/Preferences.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest()
    {
        QSettings().clear();
        auto scripted = std::make_unique<ScriptedQtUserInterface>();
        ui = scripted.get();
        app = std::make_unique<CVolantorApp>(std::move(scripted));
    }
    ~StartupTest() override { QSettings().clear(); }

    TempDir dir;
    ScriptedQtUserInterface* ui;
    std::unique_ptr<CVolantorApp> app;
};

TEST_F(StartupTest, WithoutArgumentStartsWithANewDocumentAndDefaultPreferences)
{
    g_fBankThreshold = 1;
    ASSERT_TRUE(app->InitInstance({"volantor"}));
    EXPECT_EQ(g_fBankThreshold, 25.0f);
    EXPECT_TRUE(app->Frame().isVisible());
    EXPECT_EQ(app->Frame().windowTitle(), "Volant - Volantor");
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(StartupTest, DocumentArgumentIsOpenedAndNamesTheWindow)
{
    const std::string saved = dir.File("route.vol");
    {
        ScriptedQtUserInterface writerUi;
        CVolantorDoc writer(writerUi);
        writer.ReadFlightPathFile(dir.Write("log.dat", RecorderLog({{47.0f, -122.0f, 900.0f}})));
        ASSERT_TRUE(writer.OnSaveDocument(saved));
    }
    ASSERT_TRUE(app->InitInstance({"volantor", QString::fromStdString(saved)}));
    EXPECT_EQ(app->Frame().windowTitle(), "route.vol - Volantor");
    EXPECT_EQ(app->Frame().Document().m_paths.size(), 1u);
}

TEST_F(StartupTest, UnreadableDocumentArgumentEndsStartUpAfterShowingWhy)
{
    EXPECT_FALSE(app->InitInstance({"volantor", QString::fromStdString(dir.Write("bad.vol", "junk"))}));
    EXPECT_EQ(ui->messages.size(), 1u);
}

} // namespace
