// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/TrackSampling.h"

#include "document/FormatText.h"
#include "processing/Geodesy.h"

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

namespace {

// Moving less than this in a second is standing still: GPS noise then gives no course.
constexpr double kStillMetres = 0.5;
// The turn rate is a centred mean over this many seconds on either side (a 5 s
// window), so that GPS noise does not rock the wings.
constexpr std::ptrdiff_t kTurnWindowSeconds = 2;
constexpr double kGravity = 9.80665;  // m/s²
// The steepest pitch and bank the preferences' thresholds accept.
constexpr double kAttitudeLimit = 45;
// The gear is down within this many feet of the track's lowest altitude.
constexpr double kGearDownFeet = 300;
constexpr char kGearDown = 'd';
constexpr char kGearUp = 'u';
constexpr double kSecondsPerDay = 86400;

struct Position {
    double fLat;
    double fLon;
    double fAltMetres;
};

// The movement from one second to the next.
struct Step {
    double fMetres = 0;            // over the ground
    double fClimb = 0;             // metres
    std::optional<double> course;  // true degrees; none while standing still
};

double Degrees(double radians)
{
    return radians / geodesy::kDegToRad;
}

// The time of day, UTC, as hh:mm:ss.
std::string TimeOfDay(double time)
{
    double second = std::fmod(std::floor(time), kSecondsPerDay);
    if (second < 0)
        second += kSecondsPerDay;
    const std::chrono::hh_mm_ss clock{std::chrono::seconds(static_cast<int>(second))};
    return FormatText("%02d:%02d:%02d", static_cast<int>(clock.hours().count()),
                      static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
}

bool IsPossible(const TrackPoint& point)
{
    return std::isfinite(point.fTime) && std::fabs(point.fLat) <= 90 && std::fabs(point.fLon) <= 180 &&
           std::fabs(point.fAltMetres / geodesy::kFeetToMetres) <= FLT_MAX;
}

// The initial great-circle course from a to b, true degrees in [0, 360).
double Course(const GeoPoint& a, const GeoPoint& b)
{
    const double east = b.fLonRadians - a.fLonRadians;
    const double y = std::sin(east) * b.fCosLat;
    const double x = a.fCosLat * b.fSinLat - a.fSinLat * b.fCosLat * std::cos(east);
    const double course = Degrees(std::atan2(y, x));
    return course < 0 ? course + 360 : course;
}

// The run's positions on whole seconds from its first point, interpolated
// linearly in time; longitudes the short way round.
std::vector<Position> OnWholeSeconds(std::span<const TrackPoint> run)
{
    const double start = run.front().fTime;
    const auto seconds = static_cast<std::size_t>(std::floor(run.back().fTime - start)) + 1;
    std::vector<Position> positions;
    positions.reserve(seconds);
    std::size_t next = 1;  // the first point after the second
    for (std::size_t k = 0; k < seconds; ++k) {
        const double time = start + static_cast<double>(k);
        while (next < run.size() && run[next].fTime <= time)
            ++next;
        const TrackPoint& before = run[next - 1];
        if (next == run.size()) {
            positions.push_back({before.fLat, before.fLon, before.fAltMetres});
            continue;
        }
        const TrackPoint& after = run[next];
        const double f = (time - before.fTime) / (after.fTime - before.fTime);
        positions.push_back({before.fLat + f * (after.fLat - before.fLat),
                             WrappedLongitude(before.fLon + f * EastwardDegrees(before.fLon, after.fLon)),
                             before.fAltMetres + f * (after.fAltMetres - before.fAltMetres)});
    }
    return positions;
}

// Step k leads from second k - 1 to second k; the first second moves as the one after it.
std::vector<Step> StepsOf(const std::vector<Position>& positions)
{
    std::vector<Step> steps(positions.size());
    GeoPoint from = GeoPoint::At(positions.front().fLat, positions.front().fLon);
    for (std::size_t k = 1; k < positions.size(); ++k) {
        const GeoPoint to = GeoPoint::At(positions[k].fLat, positions[k].fLon);
        Step& step = steps[k];
        step.fMetres = GreatCircleDistance(from, to);
        step.fClimb = positions[k].fAltMetres - positions[k - 1].fAltMetres;
        if (step.fMetres >= kStillMetres)
            step.course = Course(from, to);
        from = to;
    }
    if (steps.size() > 1)
        steps[0] = steps[1];
    return steps;
}

// Standing still keeps the previous course; a standing start takes the first real one.
std::vector<double> HeadingsOf(const std::vector<Step>& steps)
{
    const auto firstMove = std::find_if(steps.begin(), steps.end(), [](const Step& s) { return s.course; });
    double heading = firstMove == steps.end() ? 0 : *firstMove->course;
    std::vector<double> headings;
    headings.reserve(steps.size());
    for (const Step& step : steps) {
        heading = step.course.value_or(heading);
        headings.push_back(heading);
    }
    return headings;
}

// Degrees per second, clockwise positive, as the centred mean of the window.
std::vector<double> TurnRatesOf(const std::vector<double>& headings)
{
    const auto n = static_cast<std::ptrdiff_t>(headings.size());
    std::vector<double> turns(headings.size());
    for (std::ptrdiff_t k = 1; k < n; ++k)
        turns[k] = std::remainder(headings[k] - headings[k - 1], 360.0);
    std::vector<double> rates(headings.size());
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const std::ptrdiff_t first = std::max<std::ptrdiff_t>(1, i - kTurnWindowSeconds);
        const std::ptrdiff_t last = std::min(n - 1, i + kTurnWindowSeconds);
        double sum = 0;
        for (std::ptrdiff_t k = first; k <= last; ++k)
            sum += turns[k];
        rates[i] = last >= first ? sum / static_cast<double>(last - first + 1) : 0;
    }
    return rates;
}

float Attitude(double radians)
{
    return static_cast<float>(std::clamp(Degrees(radians), -kAttitudeLimit, kAttitudeLimit));
}

// Pitch is nose up positive, as the recorder logs a climb. Bank is the
// coordinated turn's, right wing down positive: a turn to the right banks
// positive, to the left negative.
std::vector<PathSample> SamplesOf(const std::vector<Position>& positions, double lowestFeet)
{
    const std::vector<Step> steps = StepsOf(positions);
    const std::vector<double> headings = HeadingsOf(steps);
    const std::vector<double> turnRates = TurnRatesOf(headings);
    std::vector<PathSample> samples(positions.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        PathSample& sample = samples[i];
        const Step& step = steps[i];
        sample.m_fLat = static_cast<float>(positions[i].fLat);
        sample.m_fLon = static_cast<float>(positions[i].fLon);
        const double feet = positions[i].fAltMetres / geodesy::kFeetToMetres;
        sample.m_fAlt = static_cast<float>(feet);
        const auto heading = static_cast<float>(headings[i]);
        sample.m_fHeading = heading < 360 ? heading : 0;
        sample.m_fPitch = step.course ? Attitude(std::atan(step.fClimb / step.fMetres)) : 0;
        const double omega = turnRates[i] * geodesy::kDegToRad;
        sample.m_fBank = Attitude(std::atan(step.fMetres * omega / kGravity));
        sample.m_cGear = feet <= lowestFeet + kGearDownFeet ? kGearDown : kGearUp;
    }
    return samples;
}

}  // namespace

SampledTrack SampleTrack(const Track& track, const std::string& sourceUnit)
{
    const auto where = [&](const TrackPoint& point) {
        return sourceUnit + " " + std::to_string(point.nSource);
    };
    SampledTrack sampled;
    std::vector<TrackPoint> points;
    std::vector<std::size_t> runStarts{0};  // where in points each part between gaps starts
    double lowestMetres = std::numeric_limits<double>::infinity();
    for (const TrackPoint& point : track.points) {
        if (!IsPossible(point)) {
            sampled.strError = where(point) + " holds a time or position no flight has";
            return sampled;
        }
        if (!points.empty()) {
            const TrackPoint& before = points.back();
            if (point.fTime < before.fTime) {
                sampled.strError = "the time of " + where(point) + " (" + TimeOfDay(point.fTime) +
                                   ") is earlier than the one before it";
                return sampled;
            }
            // Two fixes of one time: the first stands, as a recorder logs each moment once.
            if (point.fTime == before.fTime)
                continue;
            if (point.fTime - before.fTime > kLongestGapSeconds) {
                sampled.report.push_back("Gap of " + FormatText("%.0f", point.fTime - before.fTime) +
                                         " s after " + TimeOfDay(before.fTime) + " (" + where(before) +
                                         "): the rest is a path of its own.");
                runStarts.push_back(points.size());
            }
        }
        lowestMetres = std::min(lowestMetres, point.fAltMetres);
        points.push_back(point);
    }
    if (points.empty())
        return sampled;

    const double lowestFeet = lowestMetres / geodesy::kFeetToMetres;
    runStarts.push_back(points.size());
    for (std::size_t r = 0; r + 1 < runStarts.size(); ++r) {
        const std::span<const TrackPoint> all(points);
        sampled.paths.push_back(SamplesOf(
            OnWholeSeconds(all.subspan(runStarts[r], runStarts[r + 1] - runStarts[r])), lowestFeet));
    }
    return sampled;
}
