// Where the sun stands for the building site: altitude and azimuth from the
// day and the clock time, the site frame that turns them into a direction in
// the model's own axes, the distant obstacles that hide the sun, and the two
// solar radiation functions every solar calculation needs.
#pragma once

namespace gelmar {

struct ModelStore;
struct RunState;

// The sun of the current time of a run. Azimuths run from south towards
// west (south 0, west 90, north 180, east 270).
struct SunState {
    float altitude = 0;   // degrees
    float azimuth = 0;    // degrees, 0..360
    int sunrise = 0;      // moment of sunrise within the last step (s)
    int sunset = 0;       // moment of sunset within the last step (s)
    bool visible = false; // the sun-visible flag of the current face
    // Site frame in model axes: north, west, up.
    float frame[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kRadToDeg = 180.0 / 3.14159265358979323846;

// Altitude and azimuth of the sun on a day (1..365) at a clock hour. With
// inRadians 0 the latitude and longitude are in degrees and the results come
// out in degrees, otherwise all are radians. The run passes -long and -timz.
void ComputeSunPosition(int inRadians, float latitude, float longitude, int day, float hour,
                        float timeZoneOffset, float& altitude, float& azimuth);

// The sun of run time t (seconds, negative during the pre-calculation), with
// the moments of sunrise and sunset when the altitude crossed 0 in the step.
void UpdateSunPosition(ModelStore& model, RunState& run, long long t);

// The day of the year 1..365 and the clock hour of run time t.
int RunDay(ModelStore& model, long long t);
float RunHour(long long t);

// The site frame (north, west, up in model axes) of the three rotation
// angles (degrees): about z, about the new x, about the new z.
void ComputeSiteFrame(float rot1z, float rot2x, float rot3z, float frame[3][3]);
// The site frame from the model's three rotation angles.
void BuildSiteRotation(ModelStore& model, RunState& run);
// Unit vector towards the sun in model axes (a component along an axis of a
// single cell is zeroed: z first, then y, then x).
void ComputeSunDirection(ModelStore& model, RunState& run, float& x, float& y, float& z);

// False, with the sun-visible flag cleared, when a sun obstacle hides the sun.
bool IsSunVisible(ModelStore& model, RunState& run);
// Zeroes sun obstacle n.
void ClearSunObstacle(ModelStore& model, int n);

// Finds the functions "G01" and "D01"; with required set a missing one stops
// the run with error code 9. Returns the index of "D01" (-1 when missing) and
// gives both indices, which the solar steps then evaluate; 0 at once when no
// colour is solar.
int FindSolarFunctions(ModelStore& model, RunState& run, bool required, int* globalIndex = nullptr, int* diffuseIndex = nullptr);

} // namespace gelmar
