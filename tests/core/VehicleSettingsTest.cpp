// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

using Ints = std::vector<int>;

// The dialog's four traffic checks and five density buttons (0: selected) as it opens on the path.
Ints Opened(const VehiclePath& path)
{
    const VehicleDialogData d = LoadVehicleDialog(path);
    return {d.m_bAirTraffic, d.m_bGroundTraffic, d.m_bServiceTraffic, d.m_bOutsideTraffic, d.m_nVerySparse,
            d.m_nSparse,     d.m_nNormal,        d.m_nDense,          d.m_nVeryDense};
}

}  // namespace

TEST(VehicleSettings, DialogOpensFromThePathAndStoresIntoIt)
{
    VehiclePath path;
    EXPECT_EQ(Opened(path), (Ints{1, 1, 0, 0, 0, 1, 1, 1, 1}));
    path.m_nTrafficFlags = 16 | 8 | 4;  // an unknown bit is dropped
    path.m_nDensity = 7;                // no button selected: the density stays
    EXPECT_EQ(Opened(path), (Ints{0, 0, 1, 1, 1, 1, 1, 1, 1}));
    StoreVehicleDialog(LoadVehicleDialog(path), path);
    EXPECT_EQ((Ints{path.m_nTrafficFlags, path.m_nDensity}), (Ints{12, 7}));
    path.m_nDensity = 3;
    EXPECT_EQ(Opened(path), (Ints{0, 0, 1, 1, 1, 1, 1, 0, 1}));
    VehicleDialogData data = LoadVehicleDialog(path);
    data.m_nVerySparse = 0;  // the person picks the sparsest
    data.m_nDense = 1;
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_nDensity, 0);
    data.m_nSparse = data.m_nVeryDense = 0;  // of several selected, the densest
    StoreVehicleDialog(data, path);
    EXPECT_EQ(path.m_nDensity, 4);
}

TEST(VehicleSettings, TypedTextsAndTheObjectCodesTheyName)
{
    EXPECT_EQ(ObjectCodeChoice("0fe0d anything"), 2u);
    EXPECT_TRUE(IsKnownVehicle("Helicopter") && !ObjectCodeChoice("Helicopter (FS98)"));
    EXPECT_FALSE(IsKnownVehicle("helicopter") || IsKnownVehicle("0FE11 - Tank") || IsKnownVehicle("0FE0"));
    std::string bytes;
    EXPECT_EQ(VehicleTextBytes(std::u32string(20, U'\xe9'), bytes), std::nullopt);
    EXPECT_EQ(VehicleTextBytes(std::u32string(21, U'a'), bytes),
              "Vehicle: enter no more than 20 characters.");
    EXPECT_EQ(VehicleTextBytes(U"\u20ac", bytes),
              "Vehicle: enter only Western European (Latin-1) characters.");
    EXPECT_EQ(bytes, std::string(20, '\xe9'));
    int color = -1;
    EXPECT_EQ(ParseVehicleColor(0, " 255\t", color), std::nullopt);
    for (const char* text : {"256", "-1", "", " ", "1x", "0x1", "1.0"})
        EXPECT_EQ(ParseVehicleColor(3, text, color), "Color 3: enter a whole number between 0 and 255.")
            << text;
    EXPECT_EQ(color, 255);
}

TEST(VehicleSettings, CommandStoresOnOkIntoTheCurrentPathOnly)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.OnVehicleSettings();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Nothing loaded!"});
    AddPath(doc, {SampleAt(1, 1)});
    AddPath(doc, {SampleAt(2, 2)}).m_nColor = {9, 8, 7, 6, 5};
    ui.vehicleEdit = [](VehicleDialogData data) {
        data.m_nColor1 = 200;
        return data;
    };
    doc.OnVehicleSettings();
    EXPECT_EQ(doc.m_paths[1].m_nColor, (std::array<int, 5>{9, 200, 7, 6, 5}));
    EXPECT_EQ(doc.m_paths[0].m_nColor, VehiclePath::kDefaultColors);
    EXPECT_TRUE(doc.IsModified());
}
