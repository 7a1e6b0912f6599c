// SPDX-License-Identifier: GPL-3.0-or-later
// "Fit to Size...": the segmentation thresholds that bring the compiled file
// under a size, found by trying them on the document.

#include "output/SceneryFit.h"

#include "document/DocumentEdits.h"
#include "document/FormatText.h"
#include "document/Preferences.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/SceneryReport.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The scale factors tried lie between these. At the widest every threshold
// is at the top of its range (the climb's 100 percent is 20 times its 5).
constexpr double kFinestScale = 1.0 / 16;
constexpr double kWidestScale = 20;
// Bisection steps after the two ends: the factor is then known within 3 percent.
constexpr int kBisections = 10;

float Scaled(float threshold, double scale, float* preference)
{
    const auto field = std::find_if(kPreferenceFields.begin(), kPreferenceFields.end(),
                                    [&](const PreferenceField& f) { return f.pfPreference == preference; });
    const double max = field->bPercent ? field->fMax / 100 : field->fMax;
    return static_cast<float>(std::clamp(threshold * scale, field->fMin, max));
}

SegmentationThresholds ScaledThresholds(const SegmentationThresholds& from, double scale)
{
    return {Scaled(from.fCourse, scale, &g_fCourseThreshold), Scaled(from.fClimb, scale, &g_fClimbThreshold),
            Scaled(from.fYaw, scale, &g_fYawThreshold), Scaled(from.fPitch, scale, &g_fPitchThreshold),
            Scaled(from.fBank, scale, &g_fBankThreshold)};
}

std::unique_ptr<SegmentationEdit> SegmentWith(const SegmentationThresholds& thresholds)
{
    return std::make_unique<SegmentationEdit>(
        "Generate Path", [thresholds](CVolantorDoc& doc) { return SegmentPaths(doc, thresholds); });
}

// The preferences' thresholds, so that Undo also gives back those the fit replaced.
class ThresholdsEdit : public DocumentEdit {
public:
    explicit ThresholdsEdit(const SegmentationThresholds& thresholds)
        : DocumentEdit("Thresholds", Reach::Segmentation), m_other(thresholds)
    {
    }
    void Apply(CVolantorDoc&) override { Swap(); }
    void Revert(CVolantorDoc&) override { Swap(); }

private:
    void Swap()
    {
        const SegmentationThresholds current = SegmentationThresholds::FromPreferences();
        m_other.StoreInPreferences();
        m_other = current;
    }
    SegmentationThresholds m_other;
};

struct Trial {
    bool bFits = false;
    std::size_t nFileBytes = 0;
    double dLargestDeviation = 0;
    std::string strRefusal;  // why no layout could be made
};

}  // namespace

std::optional<SceneryFit> FindSceneryFit(CVolantorDoc& doc, std::size_t maxFileBytes, std::string& refusal)
{
    const SegmentationThresholds start = SegmentationThresholds::FromPreferences();
    std::optional<SceneryFit> best;
    int trials = 0;
    // Segments with the scaled thresholds, measures, and puts the segmentation back.
    const auto tryScale = [&](double scale) {
        const SegmentationThresholds thresholds = ScaledThresholds(start, scale);
        const std::unique_ptr<SegmentationEdit> segmentation = SegmentWith(thresholds);
        segmentation->Apply(doc);
        ++trials;
        Trial trial;
        // A refused layout (a body too long for its jump) does not fit either.
        std::string why;
        if (const std::optional<BglLayout> layout = LayOutBgl(doc, why)) {
            trial.nFileBytes = layout->bytes.size();
            trial.bFits = layout->Fits() && trial.nFileBytes <= maxFileBytes;
            if (trial.bFits)
                trial.dLargestDeviation = ReportLayout(*layout, doc).LargestDeviation();
        }
        trial.strRefusal = why;
        segmentation->Revert(doc);
        if (trial.bFits && (!best || trial.dLargestDeviation < best->dLargestDeviation))
            best = SceneryFit{thresholds, scale, trial.nFileBytes, trial.dLargestDeviation, 0};
        return trial;
    };

    const Trial widest = tryScale(kWidestScale);
    if (!widest.strRefusal.empty()) {
        refusal = widest.strRefusal;
        return std::nullopt;
    }
    if (!widest.bFits) {
        refusal = "Even the widest thresholds leave a scenery file of " + std::to_string(widest.nFileBytes) +
                  " bytes, more than the " + std::to_string(maxFileBytes) +
                  " it must fit in, or than the format can hold. Write fewer paths, or trim them.";
        return std::nullopt;
    }
    // Finer thresholds cut more segments, bigger and closer to the recording:
    // look for the finest that still fits.
    double fits = kWidestScale, tooBig = kFinestScale;
    if (!tryScale(kFinestScale).bFits) {
        for (int step = 0; step < kBisections; ++step) {
            const double middle = std::sqrt(fits * tooBig);
            (tryScale(middle).bFits ? fits : tooBig) = middle;
        }
    }
    best->nTrials = trials;
    return best;
}

void CVolantorDoc::OnFitToSize(std::size_t maxFileBytes)
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    std::string refusal;
    const std::optional<SceneryFit> fit = FindSceneryFit(*this, maxFileBytes, refusal);
    if (!fit) {
        m_pUI->ShowFailure(refusal);
        return;
    }
    std::vector<std::unique_ptr<DocumentEdit>> edits;
    edits.push_back(std::make_unique<ThresholdsEdit>(fit->thresholds));
    edits.push_back(SegmentWith(fit->thresholds));
    Perform(std::make_unique<EditGroup>("Fit to Size", std::move(edits), DocumentEdit::Reach::Segmentation));
    m_pUI->ShowInformation(FormatText(
        "The scenery file takes %zu bytes with these thresholds: course %g%%, climb %g%%, yaw %g, pitch %g, "
        "bank %g. The vehicles stray at most %.1f m from their recordings.",
        fit->nFileBytes, fit->thresholds.fCourse * 100.0, fit->thresholds.fClimb * 100.0,
        static_cast<double>(fit->thresholds.fYaw), static_cast<double>(fit->thresholds.fPitch),
        static_cast<double>(fit->thresholds.fBank), fit->dLargestDeviation));
}
