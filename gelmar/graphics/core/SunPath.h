// The sun's track over one day for the sun displays of the pictures and the
// 3D view: sampled at fixed hours as the solar run places the sun (the
// model's latitude with the negated longitude and time zone), above the
// horizon only, with the steps that cross the horizon cut at it.
#pragma once

#include <functional>

namespace gelmar {

struct ModelStore;

// The day of the year (1..365) and the clock hour of the loaded results' time
// (s since the start of the calculation).
int SunDisplayDay(const ModelStore& model, long long calcTime);
float SunDisplayHour(long long calcTime);

// Unit vector towards the sun at altitude and azimuth (degrees; azimuth 0
// south, 90 west) in model axes, through the site frame (north, west, up).
void SunDirection(const float frame[3][3], double altitude, double azimuth, double out[3]);

// Sun altitude and azimuth (degrees) on the day at the hour.
void SunAt(const ModelStore& model, int day, float hour, float& altitude, float& azimuth);

// Calls visit(altitude0, azimuth0, altitude1, azimuth1) for each part above
// the horizon of the steps from the sun at firstHour to the sun at hour 0,
// then from hour 0 on by stepHours, `steps` points in all after firstHour. A
// step that crosses the horizon ends (or starts) at altitude 0, its azimuth
// interpolated along the shorter way round.
void ForEachSunPathStep(const ModelStore& model, int day, float firstHour, float stepHours, int steps,
                        const std::function<void(double, double, double, double)>& visit);

} // namespace gelmar
