// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/IgcReader.h"
#include "document/WholeNumber.h"

#include <chrono>
#include <climits>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// A fix: "B", HHMMSS UTC, DDMMmmm N|S, DDDMMmmm E|W, validity A|V, then the
// pressure and GNSS altitudes in metres, five signed characters each. Any
// further characters are extensions the header declares.
constexpr std::string_view kFixRecord = "B";
constexpr std::size_t kFixLength = 35;
constexpr std::size_t kTimeAt = 1;
constexpr std::size_t kLatitudeAt = 7;
constexpr std::size_t kLongitudeAt = 15;
constexpr std::size_t kValidityAt = 24;
constexpr std::size_t kPressureAltitudeAt = 25;
constexpr std::size_t kGnssAltitudeAt = 30;
constexpr std::size_t kAltitudeWidth = 5;

// The date, as "HFDTEDDMMYY" or "HFDTEDATE:DDMMYY,NN" (NN numbers the flight of the day).
constexpr std::string_view kDateRecord = "HFDTE";
constexpr std::string_view kLongDateForm = "DATE:";
// Two-digit years from this one on are of the twentieth century.
constexpr int kFirstCenturyYear = 80;

constexpr int kMinutesPerDegree = 60;
constexpr int kThousandthsPerMinute = 1000;

struct Fix {
    int nLine;
    std::chrono::seconds timeOfDay;
    double fLat;
    double fLon;
    int nPressureAltitude;
    int nGnssAltitude;
};

// The decimal digits text[at, at + count) as a number; none unless all are digits.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (const char c : text.substr(at, count)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Degrees from DD(D) whole degrees, MMmmm thousandths of minutes and the hemisphere letter.
std::optional<double> Angle(std::string_view text, std::size_t at, std::size_t degreeDigits, int maxDegrees,
                            char positive, char negative)
{
    const auto degrees = Digits(text, at, degreeDigits);
    const auto thousandths = Digits(text, at + degreeDigits, 5);
    const char hemisphere = text[at + degreeDigits + 5];
    const int perDegree = kMinutesPerDegree * kThousandthsPerMinute;
    if (!degrees || !thousandths || *thousandths >= perDegree ||
        (hemisphere != positive && hemisphere != negative))
        return std::nullopt;
    if (*degrees > maxDegrees || (*degrees == maxDegrees && *thousandths > 0))
        return std::nullopt;
    const double angle = *degrees + static_cast<double>(*thousandths) / perDegree;
    return hemisphere == negative ? -angle : angle;
}

std::optional<int> Altitude(std::string_view text, std::size_t at)
{
    return WholeNumber<int>(text.substr(at, kAltitudeWidth));
}

std::optional<Fix> ParseFix(std::string_view line, int lineNumber)
{
    if (line.size() < kFixLength)
        return std::nullopt;
    const auto hours = Digits(line, kTimeAt, 2);
    const auto minutes = Digits(line, kTimeAt + 2, 2);
    const auto seconds = Digits(line, kTimeAt + 4, 2);
    const auto lat = Angle(line, kLatitudeAt, 2, 90, 'N', 'S');
    const auto lon = Angle(line, kLongitudeAt, 3, 180, 'E', 'W');
    const char validity = line[kValidityAt];
    const auto pressure = Altitude(line, kPressureAltitudeAt);
    const auto gnss = Altitude(line, kGnssAltitudeAt);
    if (!hours || *hours > 23 || !minutes || *minutes > 59 || !seconds || *seconds > 59 || !lat || !lon ||
        (validity != 'A' && validity != 'V') || !pressure || !gnss)
        return std::nullopt;
    const auto timeOfDay =
        std::chrono::hours(*hours) + std::chrono::minutes(*minutes) + std::chrono::seconds(*seconds);
    return Fix{lineNumber, timeOfDay, *lat, *lon, *pressure, *gnss};
}

// The text after "HFDTE".
std::optional<std::chrono::year_month_day> ParseDate(std::string_view text)
{
    if (text.starts_with(kLongDateForm))
        text.remove_prefix(kLongDateForm.size());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.size() < 6 || (text.size() > 6 && text[6] != ','))
        return std::nullopt;
    const auto day = Digits(text, 0, 2);
    const auto month = Digits(text, 2, 2);
    const auto year = Digits(text, 4, 2);
    if (!day || !month || !year)
        return std::nullopt;
    const int century = *year >= kFirstCenturyYear ? 1900 : 2000;
    const std::chrono::year_month_day date{std::chrono::year(century + *year),
                                           std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

TrackFile Refusal(std::string text)
{
    TrackFile file;
    file.strError = std::move(text);
    return file;
}

// Prefers the GNSS altitude, which the recorders leave at zero when they have none.
std::string AltitudeNote(std::size_t fixes, std::size_t withGnss)
{
    if (withGnss == fixes)
        return "Altitudes: GNSS";
    if (withGnss == 0)
        return "Altitudes: pressure altitude, the file carries no GNSS altitude";
    return "Altitudes: GNSS, the pressure altitude for the " + std::to_string(fixes - withGnss) +
           " fix(es) without one";
}

std::string FileNameOf(const std::string& name)
{
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

TrackFile ReadIgc(std::istream& in, const std::string& name)
{
    const std::string quoted = "The IGC file \"" + name + "\"";
    const std::string nothingLoaded = "; nothing was loaded.";
    std::vector<Fix> fixes;
    std::optional<std::chrono::year_month_day> date;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        if (lineNumber == INT_MAX)
            return Refusal(quoted + " has more lines than can be counted" + nothingLoaded);
        ++lineNumber;
        std::string_view text = line;
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        const std::string where = " on line " + std::to_string(lineNumber);
        if (text.starts_with(kFixRecord)) {
            const auto fix = ParseFix(text, lineNumber);
            if (!fix)
                return Refusal(quoted + " has a malformed fix (B record)" + where + nothingLoaded);
            fixes.push_back(*fix);
        } else if (text.starts_with(kDateRecord) && !date) {
            date = ParseDate(text.substr(kDateRecord.size()));
            if (!date)
                return Refusal(quoted + " has a malformed date (HFDTE record)" + where + nothingLoaded);
        }
    }
    if (in.bad())
        return Refusal("Error reading the IGC file \"" + name + "\"" + nothingLoaded);
    if (!date)
        return Refusal(quoted + " has no date (HFDTE record)" + nothingLoaded);
    if (fixes.empty())
        return Refusal(quoted + " holds no track" + nothingLoaded);

    std::size_t withGnss = 0;
    for (const Fix& fix : fixes)
        withGnss += fix.nGnssAltitude != 0 ? 1 : 0;

    TrackFile file;
    file.strSourceUnit = "line";
    file.notes.push_back(AltitudeNote(fixes.size(), withGnss));
    Track& track = file.tracks.emplace_back();
    track.strName = FileNameOf(name);
    track.points.reserve(fixes.size());
    // The recorder writes times of day only: one earlier than the last means the flight passed midnight.
    std::chrono::sys_seconds day = std::chrono::sys_days(*date);
    std::chrono::seconds previous{0};
    for (const Fix& fix : fixes) {
        if (fix.timeOfDay < previous)
            day += std::chrono::days(1);
        previous = fix.timeOfDay;
        const int altitude = fix.nGnssAltitude != 0 ? fix.nGnssAltitude : fix.nPressureAltitude;
        const auto time = static_cast<double>((day + fix.timeOfDay).time_since_epoch().count());
        track.points.push_back({time, fix.fLat, fix.fLon, static_cast<double>(altitude), fix.nLine});
    }
    return file;
}
