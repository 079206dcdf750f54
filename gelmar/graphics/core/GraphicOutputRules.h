// The rules of the graphic output window that need no window: the walk
// through the saved time steps, the panes of a picture of a given size, the
// sizes of a printed picture, and the names of the files it saves.
#pragma once
#include "platform/core/Types.h"

#include <functional>
#include <string>

namespace gelmar {

// The saved results of a transient calculation: one every step x frequency
// seconds from 0 up to the end time.
struct SavedTimes {
    long long step = 0;
    long long frequency = 0;
    long long end = 0;

    long long Interval() const { return step * frequency; }
    // Whether there is more than one saved time to walk through: with a zero
    // frequency, end time or interval there is none.
    bool Walkable() const { return frequency > 0 && end > 0 && Interval() > 0; }
};

// The saved time after the current one; after the last saved time (the last
// multiple of the interval not beyond the end) comes 0. The current time
// itself when there is nothing to walk through.
long long NextSavedTime(long long current, const SavedTimes& times);
// The saved time before the current one (never below 0); before 0 comes the
// last saved time. The current time itself when there is nothing to walk
// through.
long long PreviousSavedTime(long long current, const SavedTimes& times);
// The last multiple of the interval not beyond the end time.
long long LastSavedTime(const SavedTimes& times);

// The frames of an animation (an image series, an AVI file): one for each
// saved time from 0 up to the end time. For each time, draw loads its
// results and draws its picture, false when Esc stopped the picture: that
// frame is not written and the loop ends. Then write(index) writes the
// frame; false ends the loop. Nothing runs when there is nothing to walk
// through.
struct FrameLoopResult {
    int written = 0;
    // The time of the last frame written; the time before the loop when
    // none was.
    long long lastTime = 0;
    bool stopped = false;
};
FrameLoopResult RunFrameLoop(const SavedTimes& times, long long currentTime,
                             const std::function<bool(long long time)>& draw,
                             const std::function<bool(int index)>& write);

// The picture pane and, with the legend shown, the legend pane of a picture
// of width x height pixels: the legend takes the right 15 % (the picture
// pane ends at 85 % of the width, truncated).
struct PicturePanes {
    CRect picture;
    CRect legend; // empty without a legend
};
PicturePanes LayoutPicturePanes(int width, int height, bool legendShown);

// The printed page: the printable area rounded down to multiples of 16
// pixels; the picture is drawn at the page size halved (both ways) while
// either side exceeds 2000 pixels, and stretched onto the page.
CSize PrintPageSize(int printableWidth, int printableHeight);
CSize PrintBitmapSize(CSize page);

// The name (without folder and extension) Save Image proposes: "Fig%03d"
// of the first n = 1 ... 999 whose ".png" file does not exist in the folder
// (folder ends with its separator, or is empty), "Fig999" when all do.
std::string FigureFileName(const std::string& folder, const std::function<bool(const std::string&)>& exists);

// The file of frame i of an animation chosen as folder + name + extension:
// folder + name + "%04d" of i + extension.
std::string AnimationImagePath(const std::string& folder, const std::string& name, int index,
                               const std::string& extension);

// True when the last three characters of the path are "bmp" in any case:
// such files are written as 8-bit BMPs, all others by their extension.
bool IsBmpPath(const std::string& path);

} // namespace gelmar
