// Sun position, site frame, obstacles and solar functions (see SunPosition.h).
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>

namespace gelmar {

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

int RunDay(ModelStore& model, long long t)
{
    long long day = (t >= 0 ? t / 86400 : -((-t + 86399) / 86400)) + model.day0;
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

void UpdateSunPosition(ModelStore& model, RunState& run, long long t)
{
    const float previous = run.sun.altitude;
    ComputeSunPosition(0, model.latitude, -model.longitude, RunDay(model, t), RunHour(t), -model.timeZone,
                       run.sun.altitude, run.sun.azimuth);
    const float now = run.sun.altitude;
    const double step = model.timeStep;
    if (previous < 0 && now >= 0)
        run.sun.sunrise = static_cast<int>(t - static_cast<long long>(now / (now - previous) * step));
    else if (previous > 0 && now <= 0)
        run.sun.sunset = static_cast<int>(t + static_cast<long long>(now / (previous - now) * step));
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

void BuildSiteRotation(ModelStore& model, RunState& run)
{
    ComputeSiteFrame(model.rot1z, model.rot2x, model.rot3z, run.sun.frame);
}

void ComputeSunDirection(ModelStore& model, RunState& run, float& x, float& y, float& z)
{
    const double h = run.sun.altitude * kDegToRad;
    const double beta = (180.0 - run.sun.azimuth) * kDegToRad;
    const double s[3] = {std::cos(beta) * std::cos(h), std::sin(beta) * std::cos(h), std::sin(h)};
    float v[3];
    for (int a = 0; a < 3; ++a)
        v[a] = static_cast<float>(s[0] * run.sun.frame[0][a] + s[1] * run.sun.frame[1][a] +
                                  s[2] * run.sun.frame[2][a]);
    if (model.axes[2].n == 1)
        v[2] = 0;
    else if (model.axes[1].n == 1)
        v[1] = 0;
    else if (model.axes[0].n == 1)
        v[0] = 0;
    x = v[0];
    y = v[1];
    z = v[2];
}

bool IsSunVisible(ModelStore& model, RunState& run)
{
    const float a = run.sun.azimuth > 180.0f ? run.sun.azimuth - 360.0f : run.sun.azimuth;
    const float h = run.sun.altitude;
    auto within = [](float v, float lo, float hi) {
        return lo <= hi ? (lo <= v && v <= hi) : (v >= lo || v <= hi);
    };
    for (int n = 0; n < model.sunObstacleCount && n < kMaxSunObstacles; ++n) {
        const SunObstacleRecord& o = model.sunObstacles[n];
        if (within(a, o.azimuthFrom, o.azimuthTo) && within(h, o.altitudeFrom, o.altitudeTo)) {
            run.sun.visible = false;
            return false;
        }
    }
    return true;
}

void ClearSunObstacle(ModelStore& model, int n)
{
    if (n >= 0 && n < kMaxSunObstacles)
        model.sunObstacles[n] = SunObstacleRecord{};
}

int FindSolarFunctions(ModelStore& model, RunState& run, bool required, int* globalIndex, int* diffuseIndex)
{
    if (!HasSolarColours(model, run))
        return 0;
    int g = -1, d = -1;
    for (int f = 0; f < model.functions.count; ++f) {
        const std::string_view name = model.functions[f].name.View();
        if (g < 0 && name == "G01")
            g = f;
        if (d < 0 && name == "D01")
            d = f;
    }
    run.solar.globalFunction = g;
    run.solar.diffuseFunction = d;
    if (globalIndex)
        *globalIndex = g;
    if (diffuseIndex)
        *diffuseIndex = d;
    if (required && (g < 0 || d < 0))
        throw EngineError::SolarFunctions();
    return d;
}

} // namespace gelmar
