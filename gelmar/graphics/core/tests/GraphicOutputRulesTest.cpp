// The graphic output window's rules without a window: the walk through the
// saved times (also with an end time that is no multiple of the interval,
// and with nothing to walk), the panes, the printed sizes and the names of
// the saved files.
#include "gelmar/graphics/core/GraphicOutputRules.h"

#include <gtest/gtest.h>
#include <set>

using namespace gelmar;

TEST(GraphicOutputRules, NextAndPreviousSavedTimes)
{
    struct Case {
        SavedTimes times;
        long long current, next, previous;
    };
    const Case cases[] = {
        // Interval 600 s, end 3000 s: 0, 600, ..., 3000.
        {{60, 10, 3000}, 0, 600, 3000},
        {{60, 10, 3000}, 600, 1200, 0},
        {{60, 10, 3000}, 3000, 0, 2400},
        // End 3300 s, no multiple of 600: the last saved time is 3000, and
        // after it comes 0, not 3600.
        {{60, 10, 3300}, 2400, 3000, 1800},
        {{60, 10, 3300}, 3000, 0, 2400},
        {{60, 10, 3300}, 0, 600, 3000},
        // An interval longer than the calculation: only time 0.
        {{60, 10, 500}, 0, 0, 0},
        // Nothing to walk through: a step, frequency or end of 0.
        {{0, 10, 3000}, 600, 600, 600},
        {{60, 0, 3000}, 600, 600, 600},
        {{60, 10, 0}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.times.step) + "x" + std::to_string(c.times.frequency) + " to " +
                     std::to_string(c.times.end) + " at " + std::to_string(c.current));
        EXPECT_EQ(NextSavedTime(c.current, c.times), c.next);
        EXPECT_EQ(PreviousSavedTime(c.current, c.times), c.previous);
    }
}

TEST(GraphicOutputRules, NextVisitsEverySavedTimeOnceAndPreviousWalksBackTheSameWay)
{
    for (const SavedTimes times : {SavedTimes{60, 10, 3000}, SavedTimes{7, 3, 1000}, SavedTimes{1, 1, 1}}) {
        std::vector<long long> forward{0};
        for (long long t = NextSavedTime(0, times); t != 0; t = NextSavedTime(t, times)) {
            ASSERT_LT(forward.size(), 2000u);
            forward.push_back(t);
        }
        // Every multiple of the interval up to the end, and nothing else.
        ASSERT_EQ(static_cast<long long>(forward.size()), times.end / times.Interval() + 1);
        for (std::size_t i = 0; i < forward.size(); ++i)
            EXPECT_EQ(forward[i], static_cast<long long>(i) * times.Interval());
        EXPECT_EQ(LastSavedTime(times), forward.back());
        std::vector<long long> backward{0};
        for (long long t = PreviousSavedTime(0, times); t != 0; t = PreviousSavedTime(t, times))
            backward.insert(backward.begin() + 1, t);
        EXPECT_EQ(backward, forward);
    }
}

TEST(GraphicOutputRules, FrameLoops)
{
    struct Case {
        const char* name;
        SavedTimes times;
        int stopAtDraw;  // the draw call (0 based) that Esc stops, -1 none
        int failAtWrite; // the write call that fails, -1 none
        int written;
        long long lastTime;
        bool stopped;
        std::vector<long long> drawn;
    };
    const Case cases[] = {
        {"all frames", {60, 10, 1800}, -1, -1, 4, 1800, false, {0, 600, 1200, 1800}},
        {"end between saved times", {60, 10, 2000}, -1, -1, 4, 1800, false, {0, 600, 1200, 1800}},
        // Esc during the fourth picture: three frames, the time at the third.
        {"Esc after three", {60, 10, 3000}, 3, -1, 3, 1200, true, {0, 600, 1200, 1800}},
        {"Esc at the first", {60, 10, 3000}, 0, -1, 0, 77, true, {0}},
        {"a write fails", {60, 10, 3000}, -1, 2, 2, 600, false, {0, 600, 1200}},
        {"no saved times", {60, 0, 3000}, -1, -1, 0, 77, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<long long> drawn;
        std::vector<int> writes;
        const FrameLoopResult r = RunFrameLoop(
            c.times, 77,
            [&](long long t) {
                drawn.push_back(t);
                return static_cast<int>(drawn.size()) - 1 != c.stopAtDraw;
            },
            [&](int i) {
                writes.push_back(i);
                return i != c.failAtWrite;
            });
        EXPECT_EQ(r.written, c.written);
        EXPECT_EQ(r.lastTime, c.lastTime);
        EXPECT_EQ(r.stopped, c.stopped);
        EXPECT_EQ(drawn, c.drawn);
        // Frames are numbered from 0 without gaps.
        for (std::size_t i = 0; i < writes.size(); ++i)
            EXPECT_EQ(writes[i], static_cast<int>(i));
    }
}

TEST(GraphicOutputRules, LegendTakesTheRightFifteenPercent)
{
    struct Case {
        int width, height;
        bool legend;
        CRect picture, legendPane;
    };
    const Case cases[] = {
        {1000, 600, true, CRect(0, 0, 850, 600), CRect(850, 0, 1000, 600)},
        {1001, 10, true, CRect(0, 0, 850, 10), CRect(850, 0, 1001, 10)}, // truncated
        {1000, 600, false, CRect(0, 0, 1000, 600), CRect()},
        {2000000000, 5, true, CRect(0, 0, 1700000000, 5), CRect(1700000000, 0, 2000000000, 5)}, // no overflow
    };
    for (const Case& c : cases) {
        const PicturePanes p = LayoutPicturePanes(c.width, c.height, c.legend);
        EXPECT_EQ(p.picture, c.picture) << c.width;
        EXPECT_EQ(p.legend, c.legendPane) << c.width;
    }
}

TEST(GraphicOutputRules, PrintedSizes)
{
    struct Case {
        int printableWidth, printableHeight;
        CSize page, bitmap;
    };
    const Case cases[] = {
        {5000, 3000, CSize(4992, 2992), CSize(1248, 748)}, // rounded to 16, halved twice
        {5120, 3072, CSize(5120, 3072), CSize(1280, 768)},
        {5007, 3010, CSize(5008 - 16, 3008), CSize(1248, 752)},
        {2000, 1500, CSize(2000, 1488), CSize(2000, 1488)}, // 2000 is not beyond the limit
        {2016, 100, CSize(2016, 96), CSize(1008, 48)},
        {15, 15, CSize(0, 0), CSize(0, 0)},
    };
    for (const Case& c : cases) {
        const CSize page = PrintPageSize(c.printableWidth, c.printableHeight);
        EXPECT_EQ(page, c.page) << c.printableWidth << "x" << c.printableHeight;
        EXPECT_EQ(PrintBitmapSize(page), c.bitmap) << c.printableWidth << "x" << c.printableHeight;
    }
}

TEST(GraphicOutputRules, FileNames)
{
    // Save Image proposes the first free Fig%03d.
    const std::set<std::string> existing = {"out/Fig001.png", "out/Fig002.png", "out/Fig004.png"};
    const auto exists = [&](const std::string& p) { return existing.contains(p); };
    EXPECT_EQ(FigureFileName("out/", exists), "Fig003");
    EXPECT_EQ(FigureFileName("", exists), "Fig001");
    EXPECT_EQ(FigureFileName("out/", [](const std::string&) { return true; }), "Fig999");

    EXPECT_EQ(AnimationImagePath("C:\\pics\\", "anim", 0, ".png"), "C:\\pics\\anim0000.png");
    EXPECT_EQ(AnimationImagePath("", "a", 12345, ".bmp"), "a12345.bmp");

    struct Case {
        const char* path;
        bool bmp;
    };
    for (const Case& c : {Case{"x.bmp", true}, Case{"X.BMP", true}, Case{"x.Bmp", true}, Case{"xbmp", true},
                          Case{"x.png", false}, Case{"bm", false}, Case{"x.bmp.png", false}})
        EXPECT_EQ(IsBmpPath(c.path), c.bmp) << c.path;
}
