// SPDX-License-Identifier: GPL-3.0-or-later
// "Create BGL File...": the document compiled into a Flight Simulator scenery
// file, so that no outside assembler is needed.

#include "output/BglCompiler.h"

#include "document/ByteStream.h"
#include "document/FileIO.h"
#include "document/Preferences.h"
#include "document/UserInterface.h"
#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"
#include "output/BglEncoding.h"
#include "output/BglFormat.h"
#include "output/BglPatternBody.h"
#include "output/PatternSequence.h"
#include "output/SceneryArea.h"

#include <string>
#include <string_view>

namespace {

// Each entry's offset field is written as patterns x 8 + 1 and only its lower
// half patched; with more patterns its upper half would be wrong.
constexpr std::size_t kMaxPatterns = 8191;

constexpr std::string_view kBanner = "  Volantor Version 1.0";
constexpr std::size_t kBannerLength = 31;
constexpr std::string_view kNotice = "Dynamic scenery made with Volantor Version 1.0 by Brightmoor";

// The dynamic-scenery objects of the vehicle choices, numbered 0xFE0B on;
// any other code flies the first.
constexpr std::uint16_t kFirstObjectNumber = 0xFE0B;
constexpr int kMaxDensity = 15;  // what the entry byte's lower half holds

void PutZeros(ByteWriter& out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        out.PutU8(0);
}

std::uint16_t ObjectNumber(const VehiclePath& path)
{
    return static_cast<std::uint16_t>(kFirstObjectNumber + ObjectCodeChoice(path.m_strVehicle).value_or(0));
}

std::string PatternName(int index)
{
    return "PATTERN" + std::to_string(index);
}

// Traffic flags in the upper half, density in the lower half.
std::uint8_t TrafficByte(const VehiclePath& path, int index)
{
    if (path.m_nDensity < 0 || path.m_nDensity > kMaxDensity)
        throw bgl::Refusal("Can't create the BGL file: the density of " + PatternName(index) + " is " +
                           std::to_string(path.m_nDensity) + "; densities run from 0 to 15.");
    return static_cast<std::uint8_t>(((path.m_nTrafficFlags & 0x0F) << 4) | path.m_nDensity);
}

// The file up to the pattern table: area header, banner, and the dynamic
// block's bounds and reference latitude.
void PutHeader(ByteWriter& out, const CVolantorDoc& doc)
{
    // Bounds and margins are added in double from the single-precision values.
    const double n = doc.m_fMaxLat, s = doc.m_fMinLat, e = doc.m_fMaxLon, w = doc.m_fMinLon;
    const double h = g_fHeaderOffset, a1 = g_fArea1Offset, a2 = g_fArea2Offset;

    out.PutU16(bgl::kFileCode);
    out.PutI32(bgl::Lat32(n + h));
    out.PutI32(bgl::Lat32(s - h));
    out.PutI32(bgl::Lon32(e + h));
    out.PutI32(bgl::Lon32(w - h));
    PutZeros(out, 64);
    out.PutU32(bgl::kDynamicBlockOffset);
    PutZeros(out, 40 + 2);
    std::string banner(kBanner);
    banner.resize(kBannerLength, ' ');
    out.PutText(banner);
    out.PutU8(0x0A);

    out.PutU8(bgl::kDynamicBlockCode);
    out.PutU16(bgl::Lat512(s - h));  // south before north
    out.PutU16(bgl::Lat512(n + h));
    out.PutU32(10);
    out.PutU8(0);
    out.PutU8(4);
    out.PutU16(bgl::Lat512(n + a1));
    out.PutU16(bgl::Lat512(s - a1));
    out.PutU16(bgl::Lon16(e + a1));
    out.PutU16(bgl::Lon16(w - a1));
    out.PutU16(0);  // the block size, patched once known
    out.PutU16(bgl::Lat512(n + a2));
    out.PutU16(bgl::Lat512(s - a2));
    out.PutU16(bgl::Lon16(e + a2));
    out.PutU16(bgl::Lon16(w - a2));
    PutZeros(out, 24);
    out.PutU8(bgl::kReferenceLatitudeCode);
    out.PutU16(0);
    out.PutI32(bgl::Lat32(doc.m_fRefLat));
}

BglLayout LayOut(const CVolantorDoc& doc)
{
    // A path without samples has nothing to fly; the others keep their index
    // as pattern number.
    std::vector<int> patterns;
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
        if (!doc.m_paths[i].IsEmpty())
            patterns.push_back(i);
    }
    if (patterns.size() > kMaxPatterns)
        throw bgl::Refusal("Can't create the BGL file: it would hold " + std::to_string(patterns.size()) +
                           " patterns, but its pattern table can address at most " +
                           std::to_string(kMaxPatterns) + ".");

    // The area and the sequences come first, so that what they refuse is
    // reported as the SCASM writer reports it.
    CheckAreasInsideTheMeridian(doc);
    PatternSequencer sequencer;
    std::vector<std::vector<pattern::Command>> sequences;
    for (int index : patterns)
        sequences.push_back(sequencer.Sequence(doc.m_samples, doc.m_paths[index], index));

    ByteWriter out;
    try {
        PutHeader(out, doc);
    } catch (const bgl::ValueDoesNotFit&) {
        throw bgl::Refusal(
            "Can't create the BGL file: the area around the paths has bounds that are not numbers.");
    }

    const auto placeholder = static_cast<std::uint32_t>(patterns.size() * 8 + 1);
    std::vector<std::size_t> offsetFields;
    for (int index : patterns) {
        const VehiclePath& path = doc.m_paths[index];
        if (IsHelicopter(path)) {
            out.PutU8(bgl::kHelicopterEntryCode);
            offsetFields.push_back(out.Size());
            out.PutU32(placeholder);
            out.PutBytes(bgl::kHelicopterEntry);
        } else {
            out.PutU8(bgl::kNormalEntryCode);
            out.PutU16(ObjectNumber(path));
            offsetFields.push_back(out.Size());
            out.PutU32(placeholder);
            out.PutU8(TrafficByte(path, index));
        }
    }
    out.PutU8(bgl::kTableEnd);

    BglLayout layout;
    for (std::size_t k = 0; k < patterns.size(); ++k) {
        const std::size_t offset = out.Size();
        out.PutBytes(EncodePatternBody(sequences[k], PatternName(patterns[k])));
        layout.bodies.push_back({patterns[k], offset, out.Size() - offset});
    }

    layout.nBlockSize = out.Size() - bgl::kBlockSizeCountsFrom;
    out.PatchU16(bgl::kBlockSizeOffset, static_cast<std::uint16_t>(layout.nBlockSize));
    for (std::size_t k = 0; k < offsetFields.size(); ++k)
        out.PatchU16(offsetFields[k], static_cast<std::uint16_t>(layout.bodies[k].nOffset - offsetFields[k] +
                                                                 bgl::kEntryDistanceBeforeField));

    PutZeros(out, 3);
    out.PutText(kNotice);
    layout.bytes = out.Bytes();
    return layout;
}

}  // namespace

std::optional<BglLayout> LayOutBgl(const CVolantorDoc& doc, std::string& refusal)
{
    try {
        return LayOut(doc);
    } catch (const bgl::Refusal& reason) {
        refusal = reason.what();
        return std::nullopt;
    } catch (const pattern::Refusal& reason) {
        refusal = "Can't create the BGL file: " + std::string(reason.what());
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> CompileBgl(const CVolantorDoc& doc, std::string& refusal)
{
    std::optional<BglLayout> layout = LayOutBgl(doc, refusal);
    if (!layout)
        return std::nullopt;
    if (!layout->Fits()) {
        refusal = "Can't create the BGL file: its dynamic scenery would take " +
                  std::to_string(layout->nBlockSize) + " bytes, more than the " +
                  std::to_string(BglLayout::kMaxBlockSize) +
                  " the format can hold. Write fewer paths, or generate them with wider thresholds.";
        return std::nullopt;
    }
    return std::move(layout->bytes);
}

void CVolantorDoc::OnCreateBglFile()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    // Compiled in memory first, so a document the format cannot hold is
    // refused before anything is written.
    std::string refusal;
    const auto bytes = CompileBgl(*this, refusal);
    if (!bytes) {
        m_pUI->ShowFailure(refusal);
        return;
    }
    const auto file =
        m_pUI->ChooseFileToSave({"MSFS Files (*.bgl)|*.bgl||", "bgl", SuggestedFileName(".bgl")});
    if (!file)
        return;
    std::string error;
    if (!SaveFileSafely(*file, *bytes, error))
        m_pUI->ShowFailure("Can't create file!");
}
