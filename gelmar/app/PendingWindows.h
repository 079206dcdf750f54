// Windows of the graphics layer that the program does not have yet. The
// commands that need one are disabled by their update handlers rather than
// look live and do nothing; each flag becomes true when its window arrives.
#pragma once

namespace gelmar {

// The 3D view's rotation, panning and zooming, its previous view and zoom
// numbers.
inline constexpr bool kViewNavigationBuilt = true;
// The graphic output window.
inline constexpr bool kGraphicOutputBuilt = true;
// The Temperature Range dialog.
inline constexpr bool kTemperatureRangeBuilt = true;

} // namespace gelmar
