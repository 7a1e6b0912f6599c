// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeUserInterface.h"

#include "app/PreferencesDlg.h"
#include "app/VehicleDlg.h"
#include "document/VehiclePath.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PreferencesDlgTest : public ::testing::Test {
protected:
    PreferencesDlgTest()
    {
        SetDefaultPreferences();
        data = LoadPreferencesDialog();
    }

    // Types text into one edit and presses OK; true when the dialog closed with OK.
    bool TypeAndAccept(CPreferencesDlg& dialog, int controlId, const QString& text)
    {
        dialog.Edit(controlId)->setText(text);
        dialog.accept();
        return dialog.result() == QDialog::Accepted;
    }

    FakeUserInterface ui;
    PreferencesDialogData data;
};

TEST_F(PreferencesDlgTest, EditsShowTheValuesAsTheDialogEditsThem)
{
    CPreferencesDlg dialog(data, ui);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    EXPECT_EQ(dialog.Edit(1005)->text(), "20");
    EXPECT_EQ(dialog.Edit(1006)->text(), "5");
    EXPECT_EQ(dialog.Edit(1008)->text(), "25");
    EXPECT_EQ(dialog.Edit(1012)->text(), "0.05");
    EXPECT_EQ(dialog.Edit(1013)->text(), "0.1");
    EXPECT_EQ(dialog.Edit(1030)->text(), "500");
}

TEST_F(PreferencesDlgTest, BankOf46IsRefusedAndKeepsTheDialogOpenWithTheFocus)
{
    CPreferencesDlg dialog(data, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    EXPECT_FALSE(TypeAndAccept(dialog, 1008, "46"));
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Edit(1008));
    EXPECT_EQ(data.m_fBank, 25.0f);

    EXPECT_TRUE(TypeAndAccept(dialog, 1008, "45"));
    EXPECT_EQ(data.m_fBank, 45.0f);
}

TEST_F(PreferencesDlgTest, FirstRefusedFieldInValidationOrderWinsAndNothingIsStored)
{
    CPreferencesDlg dialog(data, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.Edit(1013)->setText("181"); // Header, validated eighth
    dialog.Edit(1009)->setText("x");   // Pitch, validated fourth
    dialog.Edit(1005)->setText("7");
    dialog.accept();
    EXPECT_EQ(QApplication::focusWidget(), dialog.Edit(1009));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(data.m_fCourse, 20.0f);
}

TEST_F(PreferencesDlgTest, OffsetsAcceptTheEndsOfTheirRange)
{
    CPreferencesDlg dialog(data, ui);
    dialog.Edit(1011)->setText("-180");
    dialog.Edit(1012)->setText("180");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(data.m_fArea1, -180.0f);
    EXPECT_EQ(data.m_fArea2, 180.0f);
}

TEST_F(PreferencesDlgTest, PercentAndSpacingEditsTakeDigitsOnly)
{
    CPreferencesDlg dialog(data, ui);
    dialog.Edit(1005)->clear();
    QTest::keyClicks(dialog.Edit(1005), "1.5");
    EXPECT_EQ(dialog.Edit(1005)->text(), "15");
    dialog.Edit(1011)->clear();
    QTest::keyClicks(dialog.Edit(1011), "-0.5");
    EXPECT_EQ(dialog.Edit(1011)->text(), "-0.5");
}

class VehicleDlgTest : public ::testing::Test {
protected:
    FakeUserInterface ui;
    VehiclePath path;
};

TEST_F(VehicleDlgTest, NewPathOpensWithTheDefaults)
{
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    EXPECT_EQ(dialog.VehicleBox()->currentText(), "0FE0B - Cessna");
    EXPECT_EQ(dialog.VehicleBox()->count(), 7);
    const char* const colors[] = {"4", "5", "4", "3", "2"};
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(dialog.ColorEdit(slot)->text(), colors[slot]);
    EXPECT_TRUE(dialog.TrafficBox(0)->isChecked());
    EXPECT_TRUE(dialog.TrafficBox(1)->isChecked());
    EXPECT_FALSE(dialog.TrafficBox(2)->isChecked());
    EXPECT_FALSE(dialog.TrafficBox(3)->isChecked());
    EXPECT_TRUE(dialog.DensityButton(0)->isChecked());
}

TEST_F(VehicleDlgTest, EditsRoundTripIntoThePath)
{
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    dialog.VehicleBox()->setCurrentIndex(6);
    dialog.ColorEdit(0)->setText("200");
    dialog.ColorEdit(4)->setText("0");
    dialog.TrafficBox(0)->setChecked(false);
    dialog.TrafficBox(1)->setChecked(false);
    dialog.TrafficBox(3)->setChecked(true);
    QTest::mouseClick(dialog.DensityButton(3), Qt::LeftButton);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_strVehicle, "Helicopter (FS98)");
    EXPECT_EQ(path.m_nColor, (std::array<int, 5>{200, 5, 4, 3, 0}));
    EXPECT_EQ(path.m_nTrafficFlags, kOutsideTraffic);
    EXPECT_EQ(path.m_nDensity, 3);
}

TEST_F(VehicleDlgTest, DensityButtonsAreExclusive)
{
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    QTest::mouseClick(dialog.DensityButton(4), Qt::LeftButton);
    QTest::mouseClick(dialog.DensityButton(2), Qt::LeftButton);
    for (int density = 0; density < 5; ++density)
        EXPECT_EQ(dialog.DensityButton(density)->isChecked(), density == 2) << density;
}

TEST_F(VehicleDlgTest, VehicleTextShowsOneCharacterPerStoredByteAndOnlyAnEditIsChecked)
{
    const char* const kTooLong = "Vehicle: enter no more than 20 characters.";
    const struct {
        const char* name;
        const char* stored;   // the document's bytes
        const char* shown;    // UTF-8
        const char* typed;    // UTF-8; nullptr leaves the box untouched
        const char* kept;     // the bytes after OK
        const char* refusal;  // nullptr when OK closes the dialog
    } rows[] = {
        {"untouched long text kept whole", "0FE0C custom jet with a long name",
         "0FE0C custom jet with a long name", nullptr, "0FE0C custom jet with a long name", nullptr},
        {"untouched Latin-1 byte kept", "0FE0C Fu\xDF", "0FE0C Fu\u00DF", nullptr, "0FE0C Fu\xDF", nullptr},
        {"typed 20 Latin-1 characters, one byte each", "0FE0B - Cessna", "0FE0B - Cessna",
         "0FE0C Fu\u00DFg\u00E4nger \u00C4\u00D6\u00DC!", "0FE0C Fu\xDFg\xE4nger \xC4\xD6\xDC!", nullptr},
        {"typed 21 characters refused", "0FE0B - Cessna", "0FE0B - Cessna", "0FE0C - LearJet 12345",
         "0FE0B - Cessna", kTooLong},
        {"edited long text refused", "0FE0C custom jet with a long name", "0FE0C custom jet with a long name",
         "0FE0C custom jet with a long name!", "0FE0C custom jet with a long name", kTooLong},
        {"character beyond Latin-1 refused", "0FE0B - Cessna", "0FE0B - Cessna", "0FE0C \u20AC",
         "0FE0B - Cessna", "Vehicle: enter only Western European (Latin-1) characters."},
    };
    for (const auto& row : rows) {
        ui.messages.clear();
        path.m_strVehicle = row.stored;
        VehicleDialogData data = LoadVehicleDialog(path);
        CVehicleDlg dialog(data, ui);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.VehicleBox()->currentText(), QString::fromUtf8(row.shown)) << row.name;
        if (row.typed)
            dialog.VehicleBox()->lineEdit()->setText(QString::fromUtf8(row.typed));
        dialog.accept();
        EXPECT_EQ(data.m_strVehicle, row.kept) << row.name;
        if (row.refusal) {
            EXPECT_TRUE(dialog.isVisible()) << row.name;
            ASSERT_EQ(ui.messages.size(), 1u) << row.name;
            EXPECT_EQ(ui.messages[0].text, row.refusal) << row.name;
            EXPECT_EQ(QApplication::focusWidget(), dialog.VehicleBox()) << row.name;
        } else {
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << row.name;
            EXPECT_TRUE(ui.messages.empty()) << row.name;
        }
    }
}

TEST_F(VehicleDlgTest, ColourOutOfRangeIsRefusedWithTheFocusOnIt)
{
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.ColorEdit(2)->setText("256");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_EQ(QApplication::focusWidget(), dialog.ColorEdit(2));
    EXPECT_EQ(data.m_nColor2, 4);
}

TEST_F(VehicleDlgTest, UnknownTrafficBitIsDroppedOnOk)
{
    path.m_nTrafficFlags = 16 | kAirTraffic;
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    dialog.accept();
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_nTrafficFlags, kAirTraffic);
}

} // namespace
