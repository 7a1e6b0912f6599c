// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Plausible traffic made up from a seed, so that a property test that fails
// can be replayed: 1 to 4 vehicles (now and then a path without samples
// between them), somewhere on the globe, one sample a second. Aircraft taxi,
// hold, take off, climb, turn, cruise, descend and land, changing gear on the
// way; helicopters lift off vertically; boats and trucks stay on the surface.
// Some cruises are straight legs of tens of kilometres, longer than one
// compiled move carries, and some aircraft roll, or helicopters spin, faster
// than the 180 degrees a second a compiled rate carries.
namespace random_flight {

class FlightGenerator {
public:
    explicit FlightGenerator(std::uint32_t seed) : m_random(seed) {}

    // Adds the paths to a document that holds none yet.
    void Build(CVolantorDoc& doc)
    {
        const int pathCount = Whole(1, 4);
        double homeLat = Latitude();
        const double firstLon = Real(-179.5, 179.5);
        double homeLon = firstLon;
        for (int p = 0; p < pathCount; ++p) {
            if (Chance(0.05))
                AddPath(doc, {});
            // Most vehicles share a region; some are far away.
            if (p > 0 && Chance(0.3)) {
                homeLat = Latitude();
                homeLon = std::clamp(firstLon + Real(-60, 60), -179.5, 179.5);
            }
            const double lat = homeLat + Real(-0.2, 0.2);
            const double lon = homeLon + Real(-0.2, 0.2);
            const std::string vehicle = Vehicle();
            Settings(AddPath(doc, Path(vehicle, lat, lon)), vehicle);
        }
    }

private:
    enum class Kind { Aircraft, Helicopter, Surface };

    struct Craft {
        double lat;
        double lon;
        double feet;
        double groundFeet;
        double heading = 0;  // degrees, 0 to 360
        double speed = 0;    // metres a second
        double climb = 0;    // metres a second
        double turn = 0;     // degrees a second
        double pitch = 0;
        double bank = 0;
        bool gearUp = false;
    };

    static constexpr double kMetresPerDegree = 111137;
    static constexpr double kFeetPerMetre = 1 / 0.3048;
    static constexpr double kGravity = 9.81;
    static constexpr double kRadiansPerDegree = 3.141592653589793 / 180;
    static constexpr double kFarthestLon = 179.9;

    // Drawn straight from the engine's numbers, which the standard fixes,
    // rather than through distributions, which each library draws its own
    // way, so that a seed makes the same flight everywhere.
    double Fraction() { return m_random() / 4294967296.0; }
    double Real(double low, double high) { return low + (high - low) * Fraction(); }
    int Whole(int low, int high) { return low + static_cast<int>(m_random() % static_cast<unsigned>(high - low + 1)); }
    bool Chance(double p) { return Fraction() < p; }

    // Evenly over the sphere, short of the poles.
    double Latitude() { return std::asin(Real(-1, 1)) / kRadiansPerDegree * 85 / 90; }

    // One of the vehicle box's choices, now and then in lower case.
    std::string Vehicle()
    {
        std::string vehicle(kVehicleChoices[Whole(0, static_cast<int>(kVehicleChoices.size()) - 1)]);
        if (Chance(0.3))
            std::transform(vehicle.begin(), vehicle.end(), vehicle.begin(),
                           [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        return vehicle;
    }

    void Settings(VehiclePath& path, const std::string& vehicle)
    {
        for (int& color : path.m_nColor)
            color = Whole(0, 255);
        path.m_nTrafficFlags = Whole(0, 15);
        path.m_nDensity = Whole(0, 15);
        path.m_strVehicle = vehicle;
    }

    static Kind KindOf(const std::string& vehicle)
    {
        if (vehicle.starts_with('H') || vehicle.starts_with('h'))
            return Kind::Helicopter;
        const std::string name = vehicle.substr(vehicle.find(' ') + 1);
        if (name == "- Boat" || name == "- boat" || name == "- Truck" || name == "- truck")
            return Kind::Surface;
        return Kind::Aircraft;
    }

    std::vector<PathSample> Path(const std::string& vehicle, double lat, double lon)
    {
        m_samples.clear();
        m_target = Whole(20, 600);
        const Kind kind = KindOf(vehicle);
        m_signedHeadings = Chance(0.3);
        m_jitter = Chance(0.3);

        const double ground = kind == Kind::Surface && Chance(0.5) ? 0 : Real(-100, 9000);
        Craft craft{lat, lon, ground, ground};
        craft.heading = Real(0, 360);
        while (!Full()) {
            Hold(craft, Whole(2, 40));
            Taxi(craft, Whole(5, 90), kind == Kind::Surface ? 15 : 10);
            if (kind == Kind::Surface)
                continue;
            Hold(craft, Whole(2, 20));
            if (kind == Kind::Helicopter)
                LiftOff(craft);
            else
                TakeOff(craft);
            Climb(craft, Whole(20, 180));
            for (int leg = Whole(1, 5); leg > 0; --leg) {
                const double pick = Fraction();
                if (pick < 0.4)
                    Turn(craft, Whole(5, 60));
                else if (pick < 0.5)
                    FastTurn(craft, kind);
                else if (pick < 0.65)
                    LongLeg(craft);
                else
                    Cruise(craft, Whole(10, 120));
            }
            Descend(craft);
            Land(craft);
        }
        return m_samples;
    }

    bool Full() const { return static_cast<int>(m_samples.size()) >= m_target; }

    // One second of travel, then its sample.
    void Step(Craft& c)
    {
        if (Full())
            return;
        c.heading = std::fmod(c.heading + c.turn + 360, 360);
        const double metresPerLonDegree = kMetresPerDegree * std::cos(c.lat * kRadiansPerDegree);
        // A scenery area cannot reach across the 180th meridian, so vehicles
        // turn back before it (and far-away ones stay within 60 degrees).
        if (std::fabs(c.lon + c.speed * std::sin(c.heading * kRadiansPerDegree) / metresPerLonDegree) > kFarthestLon)
            c.heading = std::fmod(360 - c.heading, 360);
        c.lat += c.speed * std::cos(c.heading * kRadiansPerDegree) / kMetresPerDegree;
        c.lon += c.speed * std::sin(c.heading * kRadiansPerDegree) / metresPerLonDegree;
        c.feet = std::max(c.groundFeet, c.feet + c.climb * kFeetPerMetre);
        const bool airborne = c.feet > c.groundFeet;

        PathSample sample = SampleAt(static_cast<float>(c.lat), static_cast<float>(c.lon),
                                     static_cast<float>(c.feet + (m_jitter && airborne ? Real(-1, 1) : 0)));
        const double heading = m_signedHeadings && c.heading > 180 ? c.heading - 360 : c.heading;
        sample.m_fHeading = static_cast<float>(heading);
        sample.m_fPitch = static_cast<float>(c.pitch + (m_jitter && airborne ? Real(-0.3, 0.3) : 0));
        sample.m_fBank = static_cast<float>(c.bank + (m_jitter && airborne ? Real(-0.3, 0.3) : 0));
        sample.m_cGear = c.gearUp ? 'u' : 'd';
        m_samples.push_back(sample);
    }

    void Hold(Craft& c, int seconds)
    {
        c.speed = c.climb = c.turn = c.bank = 0;
        c.pitch = Real(0, 2);
        for (int s = 0; s < seconds; ++s)
            Step(c);
    }

    void Taxi(Craft& c, int seconds, double fastest)
    {
        c.speed = Real(2, fastest);
        for (int s = 0; s < seconds; ++s) {
            if (s % 10 == 0)
                c.turn = Chance(0.5) ? 0 : Real(-8, 8);
            Step(c);
        }
        c.turn = 0;
    }

    void TakeOff(Craft& c)
    {
        const double rotation = Real(30, 75);
        const double acceleration = Real(1.5, 3.5);
        c.turn = 0;
        while (c.speed < rotation && !Full()) {
            c.speed += acceleration;
            Step(c);
        }
        c.pitch = Real(6, 14);
        c.climb = Real(3, 12);
        for (int s = Whole(3, 10); s > 0; --s)
            Step(c);
        c.gearUp = true;
    }

    void LiftOff(Craft& c)
    {
        c.speed = 0;
        c.climb = Real(1, 5);
        for (int s = Whole(5, 30); s > 0; --s)
            Step(c);
        c.pitch = Real(-8, -2);
        c.speed = Real(20, 60);
        c.gearUp = Chance(0.5);
    }

    void Climb(Craft& c, int seconds)
    {
        c.climb = Real(2, 15);
        c.pitch = Real(3, 15);
        for (int s = 0; s < seconds; ++s) {
            c.speed = std::min(c.speed + 0.5, 250.0);
            Step(c);
        }
    }

    void Turn(Craft& c, int seconds)
    {
        c.bank = Real(10, 40) * (Chance(0.5) ? 1 : -1);
        // A coordinated turn at the bank and speed.
        c.turn = kGravity * std::tan(c.bank * kRadiansPerDegree) / std::max(c.speed, 20.0) / kRadiansPerDegree;
        if (Chance(0.5))
            c.climb = Real(-5, 5);
        for (int s = 0; s < seconds; ++s)
            Step(c);
        c.turn = c.bank = 0;
    }

    void Cruise(Craft& c, int seconds)
    {
        c.climb = 0;
        c.pitch = Real(-1, 3);
        for (int s = 0; s < seconds; ++s)
            Step(c);
    }

    // A jet's straight dash of some minutes.
    void LongLeg(Craft& c)
    {
        c.speed = std::max(c.speed, Real(150, 280));
        Cruise(c, Whole(120, 400));
    }

    // A roll, or a helicopter's spin on its axis while it creeps forward,
    // turning up to 270 degrees a second.
    void FastTurn(Craft& c, Kind kind)
    {
        const double rate = Real(100, 270) * (Chance(0.5) ? 1 : -1);
        if (kind == Kind::Helicopter) {
            c.speed = Real(1, 5);
            c.turn = rate;
        }
        for (int s = Whole(1, 4); s > 0; --s) {
            if (kind != Kind::Helicopter)
                c.bank = std::remainder(c.bank + rate, 360);
            Step(c);
        }
        c.turn = c.bank = 0;
    }

    void Descend(Craft& c)
    {
        c.climb = -Real(3, 12);
        c.pitch = Real(-6, -1);
        c.speed = std::max(c.speed * 0.8, 25.0);
        const double approachFeet = c.groundFeet + Real(50, 500);
        while (c.feet > approachFeet && !Full()) {
            if (c.feet < approachFeet + 1500)
                c.gearUp = false;
            Step(c);
        }
    }

    // Down to the ground at a gentle sink rate, then rolling out to taxi speed.
    void Land(Craft& c)
    {
        c.gearUp = false;
        c.climb = -Real(1, 4);
        c.pitch = Real(0, 4);
        while (c.feet > c.groundFeet && !Full())
            Step(c);
        c.climb = 0;
        c.pitch = 0;
        const double deceleration = Real(1.5, 4);
        while (c.speed > 8 && !Full()) {
            c.speed = std::max(c.speed - deceleration, 8.0);
            Step(c);
        }
    }

    std::mt19937 m_random;
    std::vector<PathSample> m_samples;
    int m_target = 0;
    bool m_signedHeadings = false;
    bool m_jitter = false;
};

inline void BuildRandomFlight(CVolantorDoc& doc, std::uint32_t seed)
{
    FlightGenerator(seed).Build(doc);
}

}  // namespace random_flight
