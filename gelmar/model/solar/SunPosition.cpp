// Sun position, site frame, obstacles and solar functions (see SunPosition.h).
#include "gelmar/model/solar/SunPosition.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SolarSurfaces.h"

#include <cmath>

namespace gelmar {

SunState g_sun;

namespace {

float Clamp1(float v)
{
    return v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v);
}

} // namespace

void ComputeSunPosition(int inRadians, float latitude, float longitude, int day, float hour,
                        float timeZoneOffset, float& altitude, float& azimuth)
{
    const double pi = 3.14159265358979323846;
    float phi = latitude;
    float lambda = longitude;
    if (!inRadians) {
        phi = static_cast<float>(phi * kDegToRad);
        lambda = static_cast<float>(lambda * kDegToRad);
    }
    const double x = 2.0 * pi * day / 366.0;
    const float declinationDeg = static_cast<float>(
        0.33281 - 22.984 * std::cos(x) - 0.3499 * std::cos(2 * x) - 0.1398 * std::cos(3 * x) +
        3.7872 * std::sin(x) + 0.03205 * std::sin(2 * x) + 0.07187 * std::sin(3 * x));
    const float delta = static_cast<float>(declinationDeg * kDegToRad);
    const float s =
        static_cast<float>(0.43177 * std::cos(x) - 9.3893 * std::sin(2 * x) - 0.07272 * std::cos(3 * x) -
                           3.165 * std::cos(2 * x) - 7.3464 * std::sin(x) - 0.24498 * std::sin(3 * x));
    const float omega =
        static_cast<float>((hour - 12.0 + (s - 0.00037) / 60.0 + timeZoneOffset) * pi / 12.0 - lambda);
    if (phi == 0.0f)
        phi = 0.0001f; // keeps the azimuth formula's division finite
    const float sinAlt = Clamp1(static_cast<float>(std::sin(delta) * std::sin(phi) +
                                                   std::cos(delta) * std::cos(phi) * std::cos(omega)));
    const float alt = static_cast<float>(std::asin(sinAlt));
    // With the sun in the zenith the denominator vanishes and every azimuth
    // is the same sun: the sign of the numerator decides (south when 0/0).
    const double num = std::cos(omega) * std::cos(delta) - sinAlt * std::cos(phi);
    const double den = std::cos(alt) * std::sin(phi);
    float cosAz = 1.0f;
    if (std::fabs(den) > 1e-12)
        cosAz = Clamp1(static_cast<float>(num / den));
    else if ((phi < 0 ? -num : num) < 0)
        cosAz = -1.0f;
    float az = static_cast<float>(std::acos(cosAz));
    if (omega < 0)
        az = static_cast<float>(2.0 * pi - az);
    if (!inRadians) {
        altitude = static_cast<float>(alt * kRadToDeg);
        azimuth = static_cast<float>(az * kRadToDeg);
    } else {
        altitude = alt;
        azimuth = az;
    }
}

int RunDay(long long t)
{
    long long day = (t >= 0 ? t / 86400 : -((-t + 86399) / 86400)) + g_model.day0;
    if (day < 1)
        day += 365 * ((-day) / 365 + 1);
    while (day > 365)
        day -= 365;
    return static_cast<int>(day);
}

float RunHour(long long t)
{
    long long r = t % 86400;
    if (r < 0)
        r += 86400;
    return static_cast<float>(r) * (1.0f / 3600.0f);
}

void UpdateSunPosition(long long t)
{
    const float previous = g_sun.altitude;
    ComputeSunPosition(0, g_model.latitude, -g_model.longitude, RunDay(t), RunHour(t), -g_model.timeZone,
                       g_sun.altitude, g_sun.azimuth);
    const float now = g_sun.altitude;
    const double step = g_model.timeStep;
    if (previous < 0 && now >= 0)
        g_sun.sunrise = static_cast<int>(t - static_cast<long long>(now / (now - previous) * step));
    else if (previous > 0 && now <= 0)
        g_sun.sunset = static_cast<int>(t + static_cast<long long>(now / (previous - now) * step));
}

void ComputeSiteFrame(float rot1z, float rot2x, float rot3z, float frame[3][3])
{
    const double g1 = rot1z * kDegToRad;
    const double g2 = rot2x * kDegToRad;
    const double g3 = rot3z * kDegToRad;
    // Rz(g1) Rx(g2) v, with Rx(g)(x, y, z) = (x, y cos g, y sin g).
    auto rotate = [&](double x, double y, float out[3]) {
        const double ry = y * std::cos(g2);
        const double rz = y * std::sin(g2);
        out[0] = static_cast<float>(x * std::cos(g1) - ry * std::sin(g1));
        out[1] = static_cast<float>(x * std::sin(g1) + ry * std::cos(g1));
        out[2] = static_cast<float>(rz);
    };
    float(*e)[3] = frame;
    rotate(std::cos(g3), std::sin(g3), e[0]);
    rotate(-std::sin(g3), std::cos(g3), e[1]);
    e[2][0] = e[0][1] * e[1][2] - e[0][2] * e[1][1];
    e[2][1] = e[0][2] * e[1][0] - e[0][0] * e[1][2];
    e[2][2] = e[0][0] * e[1][1] - e[0][1] * e[1][0];
}

void BuildSiteRotation()
{
    ComputeSiteFrame(g_model.rot1z, g_model.rot2x, g_model.rot3z, g_sun.frame);
}

void ComputeSunDirection(float& x, float& y, float& z)
{
    const double h = g_sun.altitude * kDegToRad;
    const double beta = (180.0 - g_sun.azimuth) * kDegToRad;
    const double s[3] = {std::cos(beta) * std::cos(h), std::sin(beta) * std::cos(h), std::sin(h)};
    float v[3];
    for (int a = 0; a < 3; ++a)
        v[a] = static_cast<float>(s[0] * g_sun.frame[0][a] + s[1] * g_sun.frame[1][a] +
                                  s[2] * g_sun.frame[2][a]);
    if (g_model.axes[2].n == 1)
        v[2] = 0;
    else if (g_model.axes[1].n == 1)
        v[1] = 0;
    else if (g_model.axes[0].n == 1)
        v[0] = 0;
    x = v[0];
    y = v[1];
    z = v[2];
}

bool IsSunVisible()
{
    const float a = g_sun.azimuth > 180.0f ? g_sun.azimuth - 360.0f : g_sun.azimuth;
    const float h = g_sun.altitude;
    auto within = [](float v, float lo, float hi) {
        return lo <= hi ? (lo <= v && v <= hi) : (v >= lo || v <= hi);
    };
    for (int n = 0; n < g_model.sunObstacleCount && n < kMaxSunObstacles; ++n) {
        const SunObstacleRecord& o = g_model.sunObstacles[n];
        if (within(a, o.azimuthFrom, o.azimuthTo) && within(h, o.altitudeFrom, o.altitudeTo)) {
            g_sun.visible = false;
            return false;
        }
    }
    return true;
}

void ClearSunObstacle(int n)
{
    if (n >= 0 && n < kMaxSunObstacles)
        g_model.sunObstacles[n] = SunObstacleRecord{};
}

int FindSolarFunctions(bool required, int* globalIndex, int* diffuseIndex)
{
    if (!HasSolarColours())
        return 0;
    int g = -1, d = -1;
    for (int f = 0; f < g_model.functions.count; ++f) {
        const std::string_view name = g_model.functions[f].name.View();
        if (g < 0 && name == "G01")
            g = f;
        if (d < 0 && name == "D01")
            d = f;
    }
    g_solar.globalFunction = g;
    g_solar.diffuseFunction = d;
    if (globalIndex)
        *globalIndex = g;
    if (diffuseIndex)
        *diffuseIndex = d;
    if (required && (g < 0 || d < 0))
        common::RaiseError(kErrorSolarFunctions);
    return d;
}

} // namespace gelmar
