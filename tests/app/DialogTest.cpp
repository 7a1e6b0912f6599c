// SPDX-License-Identifier: GPL-3.0-or-later
// OK refuses the first bad field with a message and the focus on it, and stores nothing until all pass.
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

TEST(PreferencesDlg, FirstBadFieldInCheckingOrderTakesTheFocusAndNothingIsStored)
{
    SetDefaultPreferences();
    PreferencesDialogData data = LoadPreferencesDialog();
    FakeUserInterface ui;
    CPreferencesDlg dialog(data, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.Edit(1005)->clear();
    QTest::keyClicks(dialog.Edit(1005), "7.5");  // the percentages take digits only
    dialog.Edit(1013)->setText("181");           // Header, checked eighth
    dialog.Edit(1009)->setText("x");             // Pitch, checked fourth
    dialog.accept();
    EXPECT_EQ(QApplication::focusWidget(), dialog.Edit(1009));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Pitch: enter a number between 0 and 45."});
    EXPECT_EQ(data.m_fCourse, 20.0f);
    dialog.Edit(1009)->setText("5");
    dialog.Edit(1013)->setText("-180");
    dialog.accept();
    EXPECT_EQ(data.m_fCourse, 75.0f);
}

TEST(VehicleDlg, OnlyAnEditedVehicleTextIsCheckedAndEveryEditIsStoredAtLast)
{
    FakeUserInterface ui;
    VehiclePath path;
    path.m_strVehicle = "0FE0C a custom jet, Fu\xDF";  // longer than may be typed, one byte a character
    VehicleDialogData data = LoadVehicleDialog(path);
    CVehicleDlg dialog(data, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.VehicleBox()->currentText(), "0FE0C a custom jet, Fu\u00DF");
    dialog.ColorEdit(2)->setText("256");
    dialog.accept();
    EXPECT_EQ(QApplication::focusWidget(), dialog.ColorEdit(2));
    dialog.VehicleBox()->lineEdit()->setText(dialog.VehicleBox()->currentText() + "!");
    dialog.accept();
    EXPECT_EQ(QApplication::focusWidget(), dialog.VehicleBox());
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Color 2: enter a whole number between 0 and 255.",
                                                    "Vehicle: enter no more than 20 characters."}));

    dialog.VehicleBox()->lineEdit()->setText("0FE0C Fu\u00DFg\u00E4nger \u00C4\u00D6\u00DC!");
    dialog.ColorEdit(2)->setText("0");
    dialog.TrafficBox(0)->setChecked(false);
    dialog.TrafficBox(3)->setChecked(true);
    QTest::mouseClick(dialog.DensityButton(4), Qt::LeftButton);
    QTest::mouseClick(dialog.DensityButton(3), Qt::LeftButton);  // releases the other
    dialog.accept();
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_strVehicle, "0FE0C Fu\xDFg\xE4nger \xC4\xD6\xDC!");
    EXPECT_EQ(path.m_nColor, (std::array<int, 5>{4, 5, 0, 3, 2}));
    EXPECT_EQ(path.m_nTrafficFlags, kGroundTraffic | kOutsideTraffic);
    EXPECT_EQ(path.m_nDensity, 3);
}

}  // namespace
