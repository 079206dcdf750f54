// The day's sun track of the sun displays (see SunPath.h).
#include "gelmar/graphics/core/SunPath.h"

#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>

namespace gelmar {

int SunDisplayDay(const ModelStore& model, long long calcTime)
{
    long long day = calcTime / 86400 + model.day0;
    day = ((day - 1) % 365 + 365) % 365 + 1;
    return static_cast<int>(day);
}

float SunDisplayHour(long long calcTime)
{
    long long seconds = calcTime % 86400;
    if (seconds < 0)
        seconds += 86400;
    return static_cast<float>(seconds) / 3600.0f;
}

void SunDirection(const float frame[3][3], double altitude, double azimuth, double out[3])
{
    const double a = altitude * kDegToRad, z = (180.0 - azimuth) * kDegToRad;
    const double s[3] = {std::cos(a) * std::cos(z), std::cos(a) * std::sin(z), std::sin(a)};
    for (int k = 0; k < 3; ++k)
        out[k] = s[0] * frame[0][k] + s[1] * frame[1][k] + s[2] * frame[2][k];
}

void SunAt(const ModelStore& model, int day, float hour, float& altitude, float& azimuth)
{
    ComputeSunPosition(0, model.latitude, -model.longitude, day, hour, -model.timeZone, altitude, azimuth);
}

void ForEachSunPathStep(const ModelStore& model, int day, float firstHour, float stepHours, int steps,
                        const std::function<void(double, double, double, double)>& visit)
{
    float prevAlt, prevAz;
    SunAt(model, day, firstHour, prevAlt, prevAz);
    for (int n = 0; n < steps; ++n) {
        float alt, az;
        SunAt(model, day, stepHours * static_cast<float>(n), alt, az);
        if (prevAlt > 0 || alt > 0) {
            double a0 = prevAlt, z0 = prevAz, a1 = alt, z1 = az;
            if ((prevAlt > 0) != (alt > 0)) {
                double dz = z1 - z0;
                if (dz > 180.0)
                    dz -= 360.0;
                else if (dz < -180.0)
                    dz += 360.0;
                const double f = prevAlt / (prevAlt - alt);
                const double crossing = z0 + f * dz;
                if (prevAlt > 0)
                    a1 = 0.0, z1 = crossing;
                else
                    a0 = 0.0, z0 = crossing;
            }
            visit(a0, z0, a1, z1);
        }
        prevAlt = alt;
        prevAz = az;
    }
}

} // namespace gelmar
