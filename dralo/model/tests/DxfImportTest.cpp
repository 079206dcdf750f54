// DXF import: the scale from the extents, layers by file and by name, the
// entities reduced to segments, the three raster modes, and bad drawings.
#include "dralo/model/import/DxfDrawing.h"
#include "dralo/model/import/DxfImport.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/ModelFixture.h"

#include <cmath>
#include <numbers>
#include <sstream>

namespace dralo::test {
namespace {

// A drawing as DXF text, group by group.
class Dxf {
  public:
    Dxf& Group(int code, const std::string& value)
    {
        m_text += std::to_string(code) + "\n" + value + "\n";
        return *this;
    }
    Dxf& Group(int code, double value)
    {
        std::ostringstream v;
        v.precision(17);
        v << value;
        return Group(code, v.str());
    }
    Dxf& Extents(double x0, double y0, double x1, double y1)
    {
        Group(0, "SECTION").Group(2, "HEADER");
        Group(9, "$EXTMIN").Group(10, x0).Group(20, y0);
        Group(9, "$EXTMAX").Group(10, x1).Group(20, y1);
        return Group(0, "ENDSEC");
    }
    Dxf& Entities() { return Group(0, "SECTION").Group(2, "ENTITIES"); }
    Dxf& Blocks() { return Group(0, "SECTION").Group(2, "BLOCKS"); }
    Dxf& EndSection() { return Group(0, "ENDSEC"); }
    Dxf& Line(const std::string& layer, double x1, double y1, double x2, double y2)
    {
        Group(0, "LINE").Group(8, layer);
        return Group(10, x1).Group(20, y1).Group(11, x2).Group(21, y2);
    }
    // A closed LWPOLYLINE through the points (no bulges).
    Dxf& Polygon(const std::string& layer, std::initializer_list<std::pair<double, double>> points)
    {
        Group(0, "LWPOLYLINE").Group(8, layer).Group(90, std::to_string(points.size())).Group(70, "1");
        for (const auto& [x, y] : points)
            Group(10, x).Group(20, y);
        return *this;
    }
    std::string Text() const { return m_text + "0\nEOF\n"; }

  private:
    std::string m_text;
};

class DxfImportTest : public ModelTest {
  protected:
    bool Import(const Dxf& d, std::int64_t maxPixels = kDxfMaxPixels)
    {
        WriteBytes("drawing.dxf", d.Text());
        return ImportDxfFile(model, "drawing.dxf", dxf, host, maxPixels);
    }
    // The segments of the drawing at scale s.
    std::vector<DxfSegment> Segments(const Dxf& d, double s)
    {
        WriteBytes("drawing.dxf", d.Text());
        DxfDrawing drawing;
        ReadDxfEntities("drawing.dxf", s, drawing, {kDxfMaxPixels, 1000000});
        return drawing.segments;
    }
    DxfImportState dxf{".", false};
};

TEST_F(DxfImportTest, TheScaleAndSizeFromTheExtents)
{
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 1000, 500).Entities().Line("001_0_x", 0, 0, 1, 1).EndSection()));
    // s = 10 ^ floor(log10(1500 * 0.0005)) = 0.1
    EXPECT_EQ(model.width, 10000);
    EXPECT_EQ(model.height, 5000);
    EXPECT_EQ(model.colours[1].present, 1);
}

TEST_F(DxfImportTest, ExtentsMissingEmptyOrReversedComeFromTheEntities)
{
    const Dxf missing = Dxf().Entities().Line("002_1_a", 10, 20, 110, 20).Line("002_1_a", 110, 20, 110, 70).EndSection();
    const Dxf empty = Dxf().Extents(5, 5, 5, 5).Entities().Line("002_1_a", 10, 20, 110, 70).EndSection();
    const Dxf reversed = Dxf().Extents(110, 70, 10, 20).Entities().Line("002_1_a", 10, 20, 110, 70).EndSection();
    for (const Dxf* d : {&missing, &empty, &reversed}) {
        ASSERT_TRUE(Import(*d));
        // 100 x 50 units: s = 10 ^ floor(log10(0.075)) = 0.01
        EXPECT_EQ(model.width, 10000);
        EXPECT_EQ(model.height, 5000);
    }
}

TEST_F(DxfImportTest, LayersByNameAndByLayerFiles)
{
    std::vector<DxfLayer> layers;
    const std::pair<const char*, std::pair<int, int>> names[] = {
        {"012_0_walls", {0, 12}}, {"255_3_hidden", {3, 255}}, {"7", {1, 1}},         {"ab", {1, 1}},
        {"300_0_x", {0, 1}},      {"042_9_x", {1, 42}},       {"012_2", {1, 12}},    {"glass", {1, 1}},
    };
    for (const auto& [name, expected] : names) {
        const DxfLayer& l = layers[static_cast<std::size_t>(FindOrAddLayer(layers, name))];
        EXPECT_EQ(l.disp, expected.first) << name;
        EXPECT_EQ(l.colr, expected.second) << name;
    }
    EXPECT_EQ(FindOrAddLayer(layers, "7"), 2) << "an existing layer is found";
    WriteBytes("DraloDxf.lay", "name=glass\r\ndisp=2\r\ncolr=14\r\nname=frame\r\ncolr=300\r\ndisp=7\r\n");
    WriteBytes("drawing.lay", "name=glass\ncolr=15\n");
    ReadLayerFile("DraloDxf.lay", layers);
    ReadLayerFile("drawing.lay", layers);
    EXPECT_THROW(ReadLayerFile("missing.lay", layers), EngineError);
    const DxfLayer& glass = layers[static_cast<std::size_t>(FindOrAddLayer(layers, "glass"))];
    EXPECT_EQ(glass.disp, 2);
    EXPECT_EQ(glass.colr, 15) << "the drawing's own file comes last";
    const DxfLayer& frame = layers[static_cast<std::size_t>(FindOrAddLayer(layers, "frame"))];
    EXPECT_EQ(frame.colr, 1) << "out of range: kept";
    EXPECT_EQ(frame.disp, 1);
}

TEST_F(DxfImportTest, EntitiesBecomeSegments)
{
    // An INSERT of a block at (10, 0) turned by 90 degrees maps (1, 0) to (10, 1).
    const Dxf insert = Dxf()
                           .Blocks()
                           .Group(0, "BLOCK").Group(2, "B").Group(8, "0")
                           .Line("0", 1, 0, 2, 0)
                           .Group(0, "ENDBLK")
                           .EndSection()
                           .Entities()
                           .Group(0, "INSERT").Group(2, "B").Group(8, "L").Group(10, 10.0).Group(20, 0.0).Group(50, 90.0)
                           .Group(0, "INSERT").Group(2, "unknown").Group(8, "L").Group(10, 10.0).Group(20, 0.0)
                           .EndSection();
    const auto segments = Segments(insert, 0.1);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_NEAR(segments[0].x1, 10, 1e-12);
    EXPECT_NEAR(segments[0].y1, 1, 1e-12);
    EXPECT_NEAR(segments[0].y2, 2, 1e-12);

    // A circle of radius 10 at scale 0.1: alpha = acos(0.995), 16 chords a half.
    const Dxf circle = Dxf().Entities().Group(0, "CIRCLE").Group(8, "L").Group(10, 0.0).Group(20, 0.0).Group(40, 10.0).EndSection();
    const auto chords = Segments(circle, 0.1);
    EXPECT_EQ(chords.size(), 32u);
    for (const DxfSegment& c : chords) {
        EXPECT_NEAR(std::hypot(c.x1, c.y1), 10, 1e-9);
        EXPECT_NEAR(std::hypot(c.x2, c.y2), 10, 1e-9);
    }
    // A quarter arc from 0 to 90 degrees ends on the circle at its angles.
    const Dxf arc = Dxf().Entities().Group(0, "ARC").Group(8, "L").Group(10, 5.0).Group(20, 5.0).Group(40, 2.0)
                        .Group(50, 0.0).Group(51, 90.0).EndSection();
    const auto pieces = Segments(arc, 0.1);
    ASSERT_FALSE(pieces.empty());
    EXPECT_NEAR(pieces.front().x1, 7, 1e-12);
    EXPECT_NEAR(pieces.back().y2, 7, 1e-12);
    // A polyline with a bulge of 1 between two vertices: a half circle.
    const Dxf bulge = Dxf().Entities().Group(0, "LWPOLYLINE").Group(8, "L").Group(90, "2")
                          .Group(10, 0.0).Group(20, 0.0).Group(42, 1.0).Group(10, 4.0).Group(20, 0.0).EndSection();
    const auto half = Segments(bulge, 0.01);
    ASSERT_GT(half.size(), 4u);
    for (const DxfSegment& c : half)
        EXPECT_NEAR(std::hypot(c.x1 - 2, c.y1), 2, 1e-9);
    EXPECT_NEAR(half.back().x2, 4, 1e-12);
    // A segment without a layer outside a block is dropped.
    EXPECT_TRUE(Segments(Dxf().Entities().Group(0, "LINE").Group(10, 0.0).Group(11, 1.0).EndSection(), 0.1).empty());
}

TEST_F(DxfImportTest, BadEntitiesAddNothing)
{
    struct Case {
        const char* name;
        Dxf drawing;
        std::size_t most;
    };
    const Case cases[] = {
        {"a block inserted into itself",
         Dxf().Blocks().Group(0, "BLOCK").Group(2, "B").Line("0", 0, 0, 1, 0)
             .Group(0, "INSERT").Group(2, "B").Group(8, "0").Group(0, "ENDBLK").EndSection()
             .Entities().Group(0, "INSERT").Group(2, "B").Group(8, "L").EndSection(),
         1},
        {"a line with a value that is not finite",
         Dxf().Entities().Group(0, "LINE").Group(8, "L").Group(10, "1e999").Group(20, 0.0).Group(11, 1.0).EndSection(),
         0},
        {"a line with a value that is not a number",
         Dxf().Entities().Group(0, "LINE").Group(8, "L").Group(10, "abc").Group(11, 1.0).EndSection(), 0},
        {"an arc of a huge radius: at most one chord per pixel of arc",
         Dxf().Entities().Group(0, "ARC").Group(8, "L").Group(40, 1e15).Group(50, 0.0).Group(51, 1e-13).EndSection(),
         18}, // 1.75 units long: 18 pixels of 0.1
        {"an ellipse with a huge axis",
         Dxf().Entities().Group(0, "ELLIPSE").Group(8, "L").Group(11, 1e300).Group(40, 1.0).Group(41, 0.0)
             .Group(42, 6.283185307179586).EndSection(),
         262144},
        {"a circle of radius 0", Dxf().Entities().Group(0, "CIRCLE").Group(8, "L").Group(40, 0.0).EndSection(), 0},
    };
    for (const Case& c : cases)
        EXPECT_LE(Segments(c.drawing, 0.1).size(), c.most) << c.name;
}

TEST_F(DxfImportTest, AFilledOutlineCoversTheAreaInside)
{
    // A square from (10, 10) to (30, 30) in a drawing 0..100: s = 0.1; pixel
    // (i, j) is painted when i + 0.5 lies within 100..300 and row j within
    // 700..899.
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 100, 100).Entities()
                           .Polygon("009_1_square", {{10, 10}, {30, 10}, {30, 30}, {10, 30}}).EndSection()));
    ASSERT_EQ(model.width, 1000);
    EXPECT_EQ(model.colours[9].pixelCount, 200 * 200);
    EXPECT_EQ(model.colours[9].minX, 100);
    EXPECT_EQ(model.colours[9].maxX, 299);
    EXPECT_EQ(model.colours[9].minY, 700);
    EXPECT_EQ(model.colours[9].maxY, 899);
    EXPECT_EQ(model.colours[1].pixelCount, 1000 * 1000 - 200 * 200);
}

TEST_F(DxfImportTest, AnOpenOutlinePaintsToTheRowEnds)
{
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 100, 100).Entities().Line("009_1_edge", 50, 20, 50, 40).EndSection()));
    // Rows of 20..40 units from the bottom, from x = 500 to the right end.
    EXPECT_EQ(model.colours[9].minX, 500);
    EXPECT_EQ(model.colours[9].maxX, 999);
    EXPECT_EQ(model.colours[9].pixelCount, 500 * 200);
}

TEST_F(DxfImportTest, RegionsFillUpToTheirLinesAndTakeThemIn)
{
    // A frame of lines (colour 5) and a region (colour 7) started inside it.
    const Dxf d = Dxf().Extents(0, 0, 100, 100).Entities()
                      .Line("005_0_lines", 20, 20, 60, 20).Line("005_0_lines", 60, 20, 60, 60)
                      .Line("005_0_lines", 60, 60, 20, 60).Line("005_0_lines", 20, 60, 20, 20)
                      .Line("007_2_region", 40, 40, 41, 41)
                      .Line("008_2_outside", 90, 90, 91, 91)
                      .EndSection();
    ASSERT_TRUE(Import(d));
    EXPECT_EQ(model.colours[5].present, 0) << "the lines are filled together with the region";
    EXPECT_EQ(model.colours[7].minX, 200);
    EXPECT_EQ(model.colours[7].maxX, 600);
    // The frame's four corner pixels touch no pixel inside: the region
    // outside, which also takes in the lines it reaches, gets them.
    EXPECT_EQ(model.colours[7].pixelCount, 401 * 401 - 4);
    EXPECT_EQ(model.colours[5].lineMark, 1);
    EXPECT_EQ(model.colours[8].pixelCount, 1000 * 1000 - 401 * 401 + 4);
}

TEST_F(DxfImportTest, LinesPaintBeforeOutlinesWhateverTheLayerOrder)
{
    // The outline layer comes first in the file, the line layer later; the
    // outline still paints over the line.
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 100, 100).Entities()
                           .Polygon("009_1_square", {{10, 10}, {30, 10}, {30, 30}, {10, 30}})
                           .Line("004_0_line", 0, 20, 100, 20).EndSection()));
    EXPECT_EQ(model.colours[9].pixelCount, 200 * 200);
    EXPECT_EQ(model.colours[4].pixelCount, 1000 - 200);
}

TEST_F(DxfImportTest, ARegionStartingOnItsOwnColourFillsNothing)
{
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 100, 100).Entities()
                           .Polygon("001_1_square", {{10, 10}, {30, 10}, {30, 30}, {10, 30}})
                           .Line("001_2_region", 50, 50, 51, 51).EndSection()));
    EXPECT_EQ(model.colours[1].pixelCount, 1000 * 1000) << "everything colour 1, as it started";
}

TEST_F(DxfImportTest, HiddenLayersAreNotDrawn)
{
    ASSERT_TRUE(Import(Dxf().Extents(0, 0, 100, 100).Entities()
                           .Polygon("255_3_hidden", {{10, 10}, {30, 10}, {30, 30}, {10, 30}}).EndSection()));
    EXPECT_EQ(model.colours[255].present, 0);
}

TEST_F(DxfImportTest, BadDrawingsAreRefusedAndTheModelStays)
{
    Draw({"12", "34"});
    const std::vector<std::uint8_t> before = model.pixels;
    struct Case {
        const char* name;
        std::string text;
        const char* message;
        std::int64_t maxPixels = kDxfMaxPixels;
    };
    const std::vector<Case> cases = {
        {"no entities and no extents", Dxf().Entities().EndSection().Text(), kMsgBitmapTooSmall},
        {"one horizontal line: no height", Dxf().Entities().Line("L", 0, 0, 10, 0).EndSection().Text(),
         kMsgBitmapTooSmall},
        {"binary garbage", std::string("\x01\x02\xff\n\n0\n\xfe", 9), kMsgBitmapTooSmall},
        {"more pixels than allowed", Dxf().Extents(0, 0, 1000, 500).EndSection().Text(), kMsgBitmapTooLarge, 1000},
        {"a group code without its value", "0\nSECTION\n2\n", kMsgBitmapTooSmall},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        WriteBytes("bad.dxf", c.text);
        EXPECT_FALSE(ImportDxfFile(model, "bad.dxf", dxf, host, c.maxPixels)) << c.name;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(model.pixels, before) << c.name;
    }
    host.messages.clear();
    try {
        ImportDxfFile(model, "missing.dxf", dxf, host);
        ADD_FAILURE() << "a missing drawing is an error";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Message(), FileOpenText("missing.dxf"));
    }
    EXPECT_EQ(model.pixels, before);
}

TEST_F(DxfImportTest, TheDefaultBitmapsPaletteOnTheFirstImportOnly)
{
    BmpBytes palette;
    palette.width = palette.height = 1;
    palette.palette.assign(256, {10, 20, 30});
    palette.pixels = UncompressedRows({{0}});
    WriteBytes("Dralo.bmp", palette.Bytes());
    const Dxf d = Dxf().Extents(0, 0, 100, 100).Entities().EndSection();
    ASSERT_TRUE(Import(d));
    EXPECT_EQ(model.colours[77].red, 10);
    EXPECT_TRUE(dxf.paletteRead);
    model.colours[77].red = 99;
    ASSERT_TRUE(Import(d));
    EXPECT_EQ(model.colours[77].red, 99);
}

} // namespace
} // namespace dralo::test
