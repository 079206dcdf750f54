// Sun position against independent formulas (Spencer's declination and
// equation of time, the sunrise azimuth of the spherical triangle), the run
// clock, the site frame and the obstacle table.
#include "gelmar/model/solar/SunPosition.h"

#include "SolarFixture.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>

namespace gelmar::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Spencer's Fourier series: declination (degrees) and equation of time
// (minutes) of a day.
double SpencerDeclination(int day)
{
    const double g = 2 * kPi * (day - 1) / 365.0;
    return (0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g) +
            0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g)) *
           180 / kPi;
}
double SpencerEquationOfTime(int day)
{
    const double g = 2 * kPi * (day - 1) / 365.0;
    return 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g) -
                     0.040849 * std::sin(2 * g));
}

struct Site {
    float latitude, longitude, timeZone;
};

void Sun(const Site& s, int day, double hour, float& altitude, float& azimuth)
{
    ComputeSunPosition(0, s.latitude, -s.longitude, day, static_cast<float>(hour), -s.timeZone, altitude,
                       azimuth);
}

// Clock hour of solar noon, from the independent equation of time.
double SolarNoon(const Site& s, int day)
{
    return 12 - SpencerEquationOfTime(day) / 60 + s.timeZone - s.longitude / 15;
}

// The hour in [lo, hi] at which the altitude crosses 0.
double Crossing(const Site& s, int day, double lo, double hi)
{
    float alt, az;
    Sun(s, day, lo, alt, az);
    const bool risingLo = alt < 0;
    for (int n = 0; n < 60; ++n) {
        const double mid = (lo + hi) / 2;
        Sun(s, day, mid, alt, az);
        if ((alt < 0) == risingLo)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

TEST(SunPosition, NoonAltitudeAndRiseSetAzimuthAtEquinoxesAndSolstices)
{
    const Site sites[] = {{50.78f, 4.37f, 1.0f}, {-33.9f, 18.4f, 2.0f}, {10.0f, -75.0f, -5.0f}};
    for (const Site& s : sites) {
        for (const int day : {80, 172, 266, 355}) {
            const double delta = SpencerDeclination(day);
            float alt, az;
            Sun(s, day, SolarNoon(s, day), alt, az);
            EXPECT_NEAR(alt, 90 - std::fabs(s.latitude - delta), 0.35) << s.latitude << " day " << day;
            // The noon sun stands due south, or due north where it culminates
            // north of the zenith.
            const double noonAzimuth = s.latitude > delta ? 0.0 : 180.0;
            EXPECT_NEAR(std::remainder(az - noonAzimuth, 360.0), 0.0, 1.5) << s.latitude << " day " << day;

            const double phi = s.latitude * kPi / 180, d = delta * kPi / 180;
            const double setAzimuth = std::acos(-std::sin(d) / std::cos(phi)) * 180 / kPi;
            const double noon = SolarNoon(s, day);
            const double rise = Crossing(s, day, noon - 11.9, noon);
            const double set = Crossing(s, day, noon, noon + 11.9);
            Sun(s, day, rise, alt, az);
            EXPECT_NEAR(az, 360 - setAzimuth, 0.6) << s.latitude << " day " << day;
            Sun(s, day, set, alt, az);
            EXPECT_NEAR(az, setAzimuth, 0.6) << s.latitude << " day " << day;
            // Rise and set lie symmetric about solar noon, the day as long as
            // the hour angle of the horizon makes it.
            EXPECT_NEAR((rise + set) / 2, noon, 0.02);
            const double halfDay = std::acos(-std::tan(phi) * std::tan(d)) * 12 / kPi;
            EXPECT_NEAR(set - rise, 2 * halfDay, 0.05);
        }
    }
}

TEST(SunPosition, RadiansFlagAndFiniteAtEquatorAndZenith)
{
    float altDeg, azDeg, altRad, azRad;
    ComputeSunPosition(0, 40.0f, 10.0f, 100, 9.5f, -1.0f, altDeg, azDeg);
    ComputeSunPosition(1, static_cast<float>(40 * kPi / 180), static_cast<float>(10 * kPi / 180), 100, 9.5f,
                       -1.0f, altRad, azRad);
    EXPECT_NEAR(altRad * 180 / kPi, altDeg, 1e-3);
    EXPECT_NEAR(azRad * 180 / kPi, azDeg, 1e-3);
    for (const float lat : {0.0f, 23.44f, -23.44f}) {
        for (double hour = 0; hour < 24; hour += 0.25) {
            float alt, az;
            ComputeSunPosition(0, lat, 0.0f, 172, static_cast<float>(hour), 0.0f, alt, az);
            EXPECT_TRUE(std::isfinite(alt) && std::isfinite(az)) << lat << " " << hour;
            EXPECT_GE(az, 0.0f);
            EXPECT_LE(az, 360.0f);
        }
    }
}

using RunClock = SolarTest;

TEST_F(RunClock, DaysFoldIntoTheYear)
{
    engine.model.day0 = 1;
    EXPECT_EQ(RunDay(engine.model, -1), 365);
    EXPECT_NEAR(RunHour(-1), 23.9997, 1e-4);
    EXPECT_EQ(RunDay(engine.model, 399LL * 86400), 35); // day 400
    EXPECT_EQ(RunDay(engine.model, 0), 1);
    EXPECT_NEAR(RunHour(86400 + 5400), 1.5, 1e-6);
    engine.model.day0 = 300;
    EXPECT_EQ(RunDay(engine.model, -800LL * 86400), 300 - 800 + 2 * 365);
}

TEST_F(RunClock, SunriseAndSunsetMomentsWithinTheStep)
{
    engine.model.latitude = 50.78f;
    engine.model.longitude = 4.37f;
    engine.model.timeZone = 1.0f;
    engine.model.day0 = 172;
    engine.model.timeStep = 600;
    float previous = 0;
    bool rose = false, set = false;
    for (long long t = 0; t < 86400; t += 600) {
        UpdateSunPosition(engine.model, engine.run, t);
        if (previous < 0 && engine.run.sun.altitude >= 0) {
            rose = true;
            EXPECT_GT(engine.run.sun.sunrise, t - 600);
            EXPECT_LE(engine.run.sun.sunrise, t);
        }
        if (previous > 0 && engine.run.sun.altitude <= 0) {
            set = true;
            EXPECT_GE(engine.run.sun.sunset, t - 600);
            EXPECT_LT(engine.run.sun.sunset, t);
        }
        previous = engine.run.sun.altitude;
    }
    EXPECT_TRUE(rose && set);
}

TEST_F(RunClock, SiteFrameTurnsTheSunIntoModelAxes)
{
    engine.run.sun.altitude = 30;
    engine.run.sun.azimuth = 0; // south
    engine.model.axes[0].n = engine.model.axes[1].n = engine.model.axes[2].n = 3;
    BuildSiteRotation(engine.model, engine.run);
    float x, y, z;
    ComputeSunDirection(engine.model, engine.run, x, y, z);
    EXPECT_NEAR(x, -std::cos(kPi / 6), 1e-6); // model x points north
    EXPECT_NEAR(y, 0, 1e-6);
    EXPECT_NEAR(z, 0.5, 1e-6);

    // North along model y: the western sun lies towards -x.
    engine.model.rot3z = 90;
    BuildSiteRotation(engine.model, engine.run);
    engine.run.sun.azimuth = 90;
    ComputeSunDirection(engine.model, engine.run, x, y, z);
    EXPECT_NEAR(x, -std::cos(kPi / 6), 1e-6);
    EXPECT_NEAR(y, 0, 1e-6);
    EXPECT_NEAR(z, 0.5, 1e-6);

    // Any rotation keeps the frame orthonormal and right-handed.
    engine.model.rot1z = 37, engine.model.rot2x = -20, engine.model.rot3z = 111;
    BuildSiteRotation(engine.model, engine.run);
    ComputeSunDirection(engine.model, engine.run, x, y, z);
    EXPECT_NEAR(x * x + y * y + z * z, 1.0, 1e-6);
    const float(&e)[3][3] = engine.run.sun.frame;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            EXPECT_NEAR(e[a][0] * e[b][0] + e[a][1] * e[b][1] + e[a][2] * e[b][2], a == b ? 1.0 : 0.0, 1e-6);

    // A model one cell thick along z sees the sun in its plane.
    engine.model.axes[2].n = 1;
    ComputeSunDirection(engine.model, engine.run, x, y, z);
    EXPECT_EQ(z, 0.0f);
}

TEST_F(RunClock, ObstaclesHideTheSunInTheirRanges)
{
    engine.model.sunObstacles[0] = {170, -170, 0, 30}; // across +-180
    engine.model.sunObstacles[1] = {-10, 10, 60, 20};  // above 60 or below 20
    engine.model.sunObstacleCount = 2;
    struct Case {
        float azimuth, altitude;
        bool visible;
    } cases[] = {{175, 10, false}, {185, 10, false}, {180, 10, false}, {0, 45, true},
                 {0, 10, false},   {0, 70, false},   {90, 10, true},   {175, 40, true}};
    for (const Case& c : cases) {
        engine.run.sun.azimuth = c.azimuth;
        engine.run.sun.altitude = c.altitude;
        engine.run.sun.visible = true;
        EXPECT_EQ(IsSunVisible(engine.model, engine.run), c.visible) << c.azimuth << " " << c.altitude;
        EXPECT_EQ(engine.run.sun.visible, c.visible);
    }
    ClearSunObstacle(engine.model, 0);
    EXPECT_EQ(engine.model.sunObstacles[0], SunObstacleRecord{});
    engine.model.sunObstacleCount = 0;
    engine.run.sun.azimuth = 0, engine.run.sun.altitude = 10;
    EXPECT_TRUE(IsSunVisible(engine.model, engine.run));
}

TEST_F(RunClock, SolarFunctionsAreRequiredOnlyForSolarModels)
{
    EXPECT_EQ(FindSolarFunctions(engine.model, engine.run, true), 0); // nothing solar
    Colour(3, BC_SKY, true).inUse = 1;
    std::string message;
    EXPECT_EQ(CaughtError([this] { FindSolarFunctions(engine.model, engine.run, true); }, &message),
              ErrorCode::SolarFunctions);
    EXPECT_EQ(message, "Solar radiation function (G01 or D01) not present");
    GrowFunctionArray(engine.model, 2);
    engine.model.functions.count = 2;
    engine.model.functions[0].name = FunctionName("D01");
    engine.model.functions[1].name = FunctionName("G01");
    EXPECT_EQ(FindSolarFunctions(engine.model, engine.run, true), 0);
    EXPECT_EQ(engine.run.solar.globalFunction, 1);
    EXPECT_EQ(engine.run.solar.diffuseFunction, 0);
}

} // namespace
} // namespace gelmar::test
