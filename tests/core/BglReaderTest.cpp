// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled scenery file read back: the movement it flies, and every file
// it cannot take refused with the byte where it goes wrong.

#include "output/BglReader.h"
#include "document/Preferences.h"
#include "document/VehicleSettings.h"
#include "output/BglCompiler.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/WorkedExampleBytes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A command's values, each with the resolution of its field (an angle's also
// allows for the rounding of the float it is read into).
using Values = std::vector<std::pair<double, double>>;
constexpr double kAngle = 1 / 182.04 + 1e-4, kMetre = 0.5;
Values ValuesOf(const pattern::Command& command)
{
    return std::visit(
        pattern::Overloaded{
            [](const pattern::SetColor& c) {
                return Values{{c.nSlot, 0}, {c.nColor, 0}};
            },
            [](const pattern::SetPos& c) {
                return Values{{c.dLat, 1 / 111130.55556},
                              {c.dLon, 1 / 11930464.71168},
                              {static_cast<float>(c.dAltMetres), 1 / 65536.0}};
            },
            [](const pattern::Heading& c) {
                return Values{{c.fAngle, kAngle}};
            },
            [](const pattern::PitchTo& c) {
                return Values{{c.fAngle, kAngle}, {c.dRate, kAngle}};
            },
            [](const pattern::BankTo& c) {
                return Values{{c.fAngle, kAngle}, {c.dRate, kAngle}};
            },
            [](const pattern::YawTo& c) {
                return Values{{c.fAngle, kAngle}, {c.dRate, kAngle}};
            },
            [](const pattern::Hold& c) {
                return Values{{c.nSeconds, 0}};
            },
            [](const pattern::MoveXY& c) {
                return Values{{c.nSeconds, 0}, {c.dEast, kMetre}, {c.dNorth, kMetre}};
            },
            [](const pattern::Move3D& c) {
                return Values{{c.nSeconds, 0}, {c.dEast, kMetre}, {c.dUp, kMetre}, {c.dNorth, kMetre}};
            },
            [](const pattern::Gear& c) {
                return Values{{c.bUp, 0}};
            },
            [](const pattern::Jump& c) {
                return Values{{c.nPattern, 0}};
            },
            [](const auto&) { return Values{}; },  // the notes
        },
        command);
}

// The same commands in the same order, each value within its field's resolution.
void ExpectSameMovement(const std::vector<pattern::Command>& expected,
                        const std::vector<pattern::Command>& read)
{
    ASSERT_EQ(expected.size(), read.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(expected[k].index(), read[k].index());
        const Values want = ValuesOf(expected[k]), got = ValuesOf(read[k]);
        for (std::size_t v = 0; v < want.size(); ++v)
            EXPECT_NEAR(got[v].first, want[v].first, want[v].second) << "value " << v;
    }
}

// The message of the refusal, or "read" when the file is taken.
std::string Outcome(const Bytes& bytes)
{
    try {
        ReadCompiledScenery(bytes);
        return "read";
    } catch (const BglFault& fault) {
        return fault.what();
    }
}

}  // namespace

TEST(BglReader, WorkedExampleReadsAsWorkedOutByHand)
{
    const CompiledScenery scenery = ReadCompiledScenery(kWorkedExampleBytes);
    EXPECT_NEAR(scenery.dNorth, 47.599996, 1e-5);  // 5289814 / 111130.55556
    EXPECT_NEAR(scenery.dSouth, 47.149994, 1e-5);
    EXPECT_NEAR(scenery.dEast, -122.15, 1e-7);  // -1457306264 / 11930464.71168
    EXPECT_NEAR(scenery.dWest, -122.6, 1e-7);
    EXPECT_NEAR(scenery.dRefLat, 47.249993, 1e-5);
    EXPECT_EQ(scenery.nBlockSize, 146u);
    EXPECT_EQ(scenery.strNotice, std::string(3, '\0') + kNotice);
    ASSERT_EQ(scenery.patterns.size(), 1u);
    const CompiledPattern& cessna = scenery.patterns[0];
    EXPECT_FALSE(cessna.bHelicopter);
    EXPECT_EQ(cessna.nObject, 0xFE0Bu);
    EXPECT_EQ(cessna.nTrafficByte, 0x30u);
    EXPECT_EQ(cessna.nBodyOffset, 229u);
    EXPECT_EQ(cessna.nBodyBytes, 98u);
    using namespace pattern;
    ExpectSameMovement({SetColor{0, 4}, SetColor{1, 5}, SetColor{2, 4}, SetColor{3, 3}, SetColor{4, 2},
                        SetPos{47.249993, -122.5, 30.479996}, Heading{89.996704f}, PitchTo{0, 179.998901},
                        BankTo{0, 179.998901}, Hold{17}, YawTo{44.995605f, -2.999341},
                        PitchTo{4.998901f, 0.999780}, Move3D{23, 18823, 305, 27783}, Gear{true},
                        SetPos{47.499996, -122.25, 335.279999}, Jump{0}},
                       cessna.commands);
}

TEST(BglReader, RefusesEachFaultNamingItsByte)
{
    const struct {
        const char* name;
        std::size_t nAt;
        std::uint8_t value;
        const char* message;
    } rows[] = {
        // clang-format off
        {"another kind of file", 0, 2, "at byte 0: the file starts with the word 2, not the 1 of a scenery file."},
        {"the block elsewhere", 82, 0xA1, "at byte 82: the dynamic scenery is said to start at byte 161; this reader takes files whose dynamic scenery starts at byte 160."},
        {"another block", 160, 0x16, "at byte 160: the block code is 0x16, not the dynamic scenery's 0x15."},
        {"no reference latitude", 213, 0x35, "at byte 213: the code 0x35 stands where the reference latitude's 0x34 belongs."},
        {"size word", 179, 0x93, "at byte 179: the size word counts 147 bytes, but the dynamic scenery holds 146 from byte 181 to the end of the last body."},
        {"unknown entry", 220, 0x33, "at byte 220: 0x33 is no pattern-table entry code."},
        {"entry leads elsewhere", 223, 0x0A, "at byte 223: the entry of pattern 0 leads to byte 230, but its body starts at byte 229."},
        {"upper half of the offset", 225, 1, "at byte 225: the upper half of the entry's offset field is 1, not 0."},
        {"a normal entry read as a helicopter's", 220, 0x35, "at byte 223: the upper half of the entry's offset field is 9, not 0."},
        {"unknown command", 229, 0x30, "at byte 229: 0x30 is no pattern command code."},
        {"palette", 232, 0xF1, "at byte 232: the colour's palette byte is 0xF1, not 0xF0."},
        {"latitude fraction", 250, 1, "at byte 250: the fraction of the position's latitude is 1, not 0."},
        {"latitude off the globe", 255, 0x10, "at byte 252: the position's latitude is 2462.7 degrees, off the globe."},
        {"gear neither up nor down", 304, 2, "at byte 304: the gear byte is 2, neither 0 (up) nor 1 (down)."},
        {"jump short of the body", 325, 0xA2, "at byte 324: the closing jump leads to byte 230, not back to the body's first byte 229."},
        // clang-format on
    };
    for (const auto& row : rows) {
        Bytes bytes = kWorkedExampleBytes;
        bytes.at(row.nAt) = row.value;
        EXPECT_EQ(Outcome(bytes), row.message) << row.name;
    }
}

// Any byte damaged, or the file cut anywhere, is refused with the byte named
// or read; nothing else may happen. Only the notice may be cut.
TEST(BglReader, AnyDamageIsRefusedOrRead)
{
    const Bytes& file = kWorkedExampleBytes;
    for (std::size_t at = 0; at < file.size(); ++at) {
        for (const int value : {file[at] + 1, 0x00, 0xFF}) {
            Bytes bytes = file;
            bytes[at] = static_cast<std::uint8_t>(value);
            const std::string outcome = Outcome(bytes);
            EXPECT_TRUE(outcome == "read" || outcome.starts_with("at byte ")) << at << ": " << outcome;
        }
    }
    EXPECT_EQ(Outcome(Bytes(file.begin(), file.begin() + 219)),
              "at byte 219: the file ends before its pattern table, which starts at byte 220.");
    EXPECT_EQ(Outcome(Bytes(file.begin(), file.begin() + 300)),
              "at byte 300: the file ends inside the body of pattern 0.");
    for (std::size_t length = 0; length < file.size(); ++length) {
        const std::string outcome =
            Outcome(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_TRUE(length < 327 ? outcome.starts_with("at byte ") : outcome == "read")
            << length << ": " << outcome;
    }
}

// Random documents of 1 to 3 paths, segmented by Generate Path, compiled and
// read back: the movement of every path, notes left out.
TEST(BglReader, ReadsBackTheMovementOfRandomDocuments)
{
    SetDefaultPreferences();
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(-1, 1);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        FakeUserInterface ui;
        CVolantorDoc doc(ui);
        const float lat = 60 * unit(random), lon = 170 * unit(random);
        for (int paths = 1 + static_cast<int>(random() % 3); paths > 0; --paths) {
            PathSample s = SampleAt(lat + unit(random), lon + unit(random), 3000 + 3000 * unit(random));
            std::vector<PathSample> samples;
            for (int j = 2 + static_cast<int>(random() % 60); j > 0; --j) {
                s.m_fLat += 0.002f * unit(random);
                s.m_fLon += 0.002f * unit(random);
                s.m_fAlt += 100 * unit(random);
                s.m_fHeading = 180 + 180 * unit(random);
                s.m_fPitch = 30 * unit(random);
                s.m_fBank = 60 * unit(random);
                s.m_cGear = random() % 4 ? s.m_cGear : "ud"[random() % 2];
                samples.push_back(s);
            }
            VehiclePath& path = AddPath(doc, samples);
            path.m_strVehicle = kVehicleChoices[random() % kVehicleChoices.size()];
            for (int& color : path.m_nColor)
                color = static_cast<int>(random() % 256);
            path.m_nDensity = static_cast<int>(random() % 16);
            path.m_nTrafficFlags = static_cast<int>(random() % 16);
        }
        doc.RecalcExtents();
        doc.OnGeneratePath();
        std::string refusal;
        const CompiledScenery scenery = ReadCompiledScenery(CompileBgl(doc, refusal).value());
        ASSERT_EQ(scenery.patterns.size(), doc.m_paths.size());
        PatternSequencer sequencer;
        for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
            const VehiclePath& path = doc.m_paths[i];
            const CompiledPattern& read = scenery.patterns[i];
            EXPECT_EQ(read.bHelicopter, IsHelicopter(path));
            EXPECT_EQ(read.nTrafficByte, read.bHelicopter ? 0 : path.m_nTrafficFlags * 16 + path.m_nDensity);
            std::vector<pattern::Command> expected;
            for (pattern::Command command : sequencer.Sequence(doc.m_samples, path, i)) {
                if (auto* yaw = std::get_if<pattern::YawTo>(&command))
                    yaw->dRate = std::trunc(yaw->dRate);  // as it is compiled
                if (!ValuesOf(command).empty())
                    expected.push_back(command);
            }
            ExpectSameMovement(expected, read.commands);
        }
    }
}
