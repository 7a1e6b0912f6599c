// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> DensityStates(const VehicleDialogData& d)
{
    return {d.m_nVerySparse, d.m_nSparse, d.m_nNormal, d.m_nDense, d.m_nVeryDense};
}

}  // namespace

TEST(VehicleSettings, NewPathOpensWithTheDefaults)
{
    const VehicleDialogData data = LoadVehicleDialog(VehiclePath());
    EXPECT_EQ(data.m_strVehicle, "0FE0B - Cessna");
    EXPECT_EQ((std::vector<int>{data.m_nColor0, data.m_nColor1, data.m_nColor2, data.m_nColor3, data.m_nColor4}),
              (std::vector<int>{4, 5, 4, 3, 2}));
    EXPECT_EQ(data.m_bAirTraffic, 1);
    EXPECT_EQ(data.m_bGroundTraffic, 1);
    EXPECT_EQ(data.m_bServiceTraffic, 0);
    EXPECT_EQ(data.m_bOutsideTraffic, 0);
    EXPECT_EQ(DensityStates(data), (std::vector<int>{0, 1, 1, 1, 1}));
}

TEST(VehicleSettings, FlagBitsMapToTheFourChecksAndUnknownBitsAreDropped)
{
    VehiclePath path;
    path.m_nTrafficFlags = 16 | 8 | 4;
    const VehicleDialogData data = LoadVehicleDialog(path);
    EXPECT_EQ(data.m_bAirTraffic, 0);
    EXPECT_EQ(data.m_bServiceTraffic, 1);
    EXPECT_EQ(data.m_bOutsideTraffic, 1);
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_nTrafficFlags, 12);

    VehicleDialogData none = data;
    none.m_bServiceTraffic = none.m_bOutsideTraffic = 0;
    StoreVehicleDialog(none, path);
    EXPECT_EQ(path.m_nTrafficFlags, 0);
}

TEST(VehicleSettings, DensityButtons)
{
    VehiclePath path;
    path.m_nDensity = 3;
    EXPECT_EQ(DensityStates(LoadVehicleDialog(path)), (std::vector<int>{1, 1, 1, 0, 1}));
    path.m_nDensity = 7;
    EXPECT_EQ(DensityStates(LoadVehicleDialog(path)), (std::vector<int>{1, 1, 1, 1, 1}));

    VehicleDialogData data = LoadVehicleDialog(path);
    StoreVehicleDialog(data, path);  // none selected: the density stays
    EXPECT_EQ(path.m_nDensity, 7);
    data.m_nSparse = 0;
    data.m_nVeryDense = 0;  // a later selected button wins
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_nDensity, 4);
}

TEST(VehicleSettings, CommandStoresOnOkOnlyAndMarksTheDocument)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.OnVehicleSettings();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Nothing loaded!"});

    AddPath(doc, {SampleAt(1, 1)});
    AddPath(doc, {SampleAt(2, 2)});
    doc.OnVehicleSettings();  // Cancel
    EXPECT_EQ(doc.m_paths[1], VehiclePath(doc.m_paths[1]));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ui.shownVehicleDialog.m_strVehicle, "0FE0B - Cessna");

    ui.vehicleEdit = [](VehicleDialogData data) {
        data.m_strVehicle = "Helicopter (FS98)";
        data.m_nColor4 = 200;
        data.m_bAirTraffic = 0;
        data.m_nVerySparse = 1;
        data.m_nNormal = 0;
        return data;
    };
    doc.OnVehicleSettings();
    const VehiclePath& path = doc.m_paths[1];
    EXPECT_EQ(path.m_strVehicle, "Helicopter (FS98)");
    EXPECT_EQ(path.m_nColor[4], 200);
    EXPECT_EQ(path.m_nTrafficFlags, 2);
    EXPECT_EQ(path.m_nDensity, 2);
    EXPECT_EQ(doc.m_paths[0].m_strVehicle, "0FE0B - Cessna");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ui.redraws, 0);
}
