// The graphic output window's rules without a window (see GraphicOutputRules.h).
#include "gelmar/graphics/core/GraphicOutputRules.h"

#include <cctype>
#include <cstdio>

namespace gelmar {

long long LastSavedTime(const SavedTimes& times)
{
    const long long interval = times.Interval();
    return interval > 0 && times.end > 0 ? times.end / interval * interval : 0;
}

long long NextSavedTime(long long current, const SavedTimes& times)
{
    if (!times.Walkable())
        return current;
    const long long next = current + times.Interval();
    // Past the last saved time there are no results: back to the start.
    return current < times.end && next <= times.end ? next : 0;
}

long long PreviousSavedTime(long long current, const SavedTimes& times)
{
    if (!times.Walkable())
        return current;
    if (current <= 0)
        return LastSavedTime(times);
    const long long previous = current - times.Interval();
    return previous < 0 ? 0 : previous;
}

FrameLoopResult RunFrameLoop(const SavedTimes& times, long long currentTime,
                             const std::function<bool(long long time)>& draw,
                             const std::function<bool(int index)>& write)
{
    FrameLoopResult result;
    result.lastTime = currentTime;
    if (!times.Walkable())
        return result;
    for (long long time = 0; time <= times.end; time += times.Interval()) {
        if (!draw(time)) {
            result.stopped = true;
            break;
        }
        if (!write(result.written))
            break;
        ++result.written;
        result.lastTime = time;
    }
    return result;
}

PicturePanes LayoutPicturePanes(int width, int height, bool legendShown)
{
    PicturePanes panes;
    const int right = legendShown ? static_cast<int>(static_cast<long long>(width) * 85 / 100) : width;
    panes.picture = CRect(0, 0, right, height);
    if (legendShown)
        panes.legend = CRect(right, 0, width, height);
    return panes;
}

CSize PrintPageSize(int printableWidth, int printableHeight)
{
    return CSize(printableWidth / 16 * 16, printableHeight / 16 * 16);
}

CSize PrintBitmapSize(CSize page)
{
    CSize size = page;
    while (size.cx > 2000 || size.cy > 2000) {
        size.cx /= 2;
        size.cy /= 2;
    }
    return size;
}

std::string FigureFileName(const std::string& folder, const std::function<bool(const std::string&)>& exists)
{
    char name[16] = {};
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "Fig%03d", n);
        if (!exists(folder + name + ".png"))
            break;
    }
    return name;
}

std::string AnimationImagePath(const std::string& folder, const std::string& name, int index,
                               const std::string& extension)
{
    char number[16];
    std::snprintf(number, sizeof number, "%04d", index);
    return folder + name + number + extension;
}

bool IsBmpPath(const std::string& path)
{
    if (path.size() < 3)
        return false;
    std::string last = path.substr(path.size() - 3);
    for (char& c : last)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return last == "bmp";
}

} // namespace gelmar
