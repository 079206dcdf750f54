// The model's bitmap files: the RLE8 writer, the readers of both kinds, the
// palette reader, Import Bitmap, every refusal, and our files read back by
// the platform's independent DIB reader.
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/ModelFixture.h"
#include "platform/core/Dib.h"

#include <cstdio>

namespace dralo::test {
namespace {

class BmpFilesTest : public ModelTest {
  protected:
    // Writes the model with WriteRle8Pixels and returns the bytes.
    std::string Rle8Of()
    {
        std::FILE* f = std::fopen("rle.bin", "w+b");
        const std::int64_t n = WriteRle8Pixels(model, f);
        std::fclose(f);
        const std::string bytes = ReadBytes("rle.bin");
        EXPECT_EQ(n, static_cast<std::int64_t>(bytes.size()));
        return bytes;
    }
    bool ReadFile(const std::string& path)
    {
        model.bitmapPath = path;
        return ReadBmpFile(model, model.bitmapPath, host);
    }
    std::vector<std::uint8_t> Row(std::initializer_list<int> v)
    {
        return std::vector<std::uint8_t>(v.begin(), v.end());
    }
};

std::string Pairs(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

TEST_F(BmpFilesTest, Rle8WriterEdgeCases)
{
    AllocatePixels(model, 600, 1, 4);
    EXPECT_EQ(Rle8Of(), Pairs({255, 4, 255, 4, 90, 4, 0, 0, 0, 1}));
    AllocatePixels(model, 1, 2, 0);
    model.pixels = {7, 9};
    // Rows bottom-up, each ended by (0, 0); the bitmap by (0, 1).
    EXPECT_EQ(Rle8Of(), Pairs({1, 9, 0, 0, 1, 7, 0, 0, 0, 1}));
}

TEST_F(BmpFilesTest, WrittenBitmapsReadBackAndAgreeWithThePlatformReader)
{
    Draw({"0112233", "4455667", "8899aab"}, {{'a', 200}, {'b', 255}});
    for (int c = 0; c < 256; ++c) {
        model.colours[static_cast<std::size_t>(c)].red = static_cast<std::uint8_t>(c);
        model.colours[static_cast<std::size_t>(c)].green = static_cast<std::uint8_t>(255 - c);
        model.colours[static_cast<std::size_t>(c)].blue = static_cast<std::uint8_t>(c / 2);
    }
    ASSERT_TRUE(WriteModelBmp(model, "written.bmp"));
    const std::string bytes = ReadBytes("written.bmp");
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[2]) | (static_cast<std::uint8_t>(bytes[3]) << 8), bytes.size())
        << "file size patched";

    std::string error;
    const auto dib = platform::DibOpenFile("written.bmp", &error);
    ASSERT_TRUE(dib) << error;
    ASSERT_EQ(dib->Width(), 7);
    ASSERT_EQ(dib->Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(dib->Bits()[static_cast<std::size_t>((2 - y) * dib->RowBytes() + x)], Pixel(x, y));

    BitmapModel original = model;
    LoadMaterialColours(model);
    AllocatePixels(model, 1, 1, 0);
    ASSERT_TRUE(ReadFile("written.bmp"));
    EXPECT_EQ(model.width, 7);
    EXPECT_EQ(model.pixels, original.pixels);
    EXPECT_EQ(model.colours[200].red, 200);
    EXPECT_EQ(model.colours[200].displayColour, 200u + 256u * 55 + 65536u * 100);
    EXPECT_TRUE(model.edges == original.edges);
}

TEST_F(BmpFilesTest, UncompressedRowsSkipTheirPadding)
{
    BmpBytes b;
    b.width = 5;
    b.height = 2;
    b.pixels = UncompressedRows({Row({1, 2, 3, 4, 5}), Row({6, 7, 8, 9, 10})});
    EXPECT_EQ(b.pixels.size(), 16u) << "3 padding bytes a row";
    WriteBytes("padded.bmp", b.Bytes());
    ASSERT_TRUE(ReadFile("padded.bmp"));
    EXPECT_EQ(model.pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(BmpFilesTest, Rle8Decoding)
{
    struct Case {
        const char* name;
        std::string data;
        std::vector<std::uint8_t> pixels; // top row first, width 4, height 2
    };
    const std::vector<Case> cases = {
        {"a run longer than the row is cut at its end; the next row begins",
         Pairs({6, 3, 4, 5, 0, 1}),
         {5, 5, 5, 5, 3, 3, 3, 3}},
        {"the end of line after a full row is ignored",
         Pairs({4, 3, 0, 0, 4, 5, 0, 0, 0, 1}),
         {5, 5, 5, 5, 3, 3, 3, 3}},
        {"an early end of bitmap leaves the rest 0", Pairs({2, 3, 0, 1}), {0, 0, 0, 0, 3, 3, 0, 0}},
        {"an absolute run, padded to a word", Pairs({0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 4, 6, 0, 1}),
         {6, 6, 6, 6, 1, 2, 3, 4}},
        {"an absolute run past the row's end is read whole, its rest dropped",
         Pairs({0, 5, 1, 2, 3, 4, 9, 0, 4, 6, 0, 1}),
         {6, 6, 6, 6, 1, 2, 3, 4}},
        {"a delta moves right and up", Pairs({1, 7, 0, 2, 2, 1, 1, 8, 0, 1}), {0, 0, 0, 8, 7, 0, 0, 0}},
        {"data without an end of bitmap after the last row", Pairs({4, 1, 4, 2}), {2, 2, 2, 2, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        BmpBytes b;
        b.width = 4;
        b.height = 2;
        b.compression = 1;
        b.pixels = c.data;
        WriteBytes("rle.bmp", b.Bytes());
        ASSERT_TRUE(ReadFile("rle.bmp")) << c.name;
        EXPECT_EQ(model.pixels, c.pixels) << c.name;
    }
}

TEST_F(BmpFilesTest, BadFilesAreRefusedAndTheModelStaysAsItWas)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* message; // nullptr: refused without a message
    };
    auto bmp = [](auto change) {
        BmpBytes b;
        b.width = 4;
        b.height = 2;
        b.pixels = UncompressedRows({{1, 1, 1, 1}, {2, 2, 2, 2}});
        change(b);
        return b.Bytes();
    };
    const std::vector<Case> cases = {
        {"no BM signature", "PK" + bmp([](BmpBytes&) {}).substr(2), nullptr},
        {"empty file", "", nullptr},
        {"planes 2", bmp([](BmpBytes& b) { b.planes = 2; }), kMsgNotBmp},
        {"24 bits a pixel", bmp([](BmpBytes& b) { b.bits = 24; }), kMsgNotBmp},
        {"RLE4", bmp([](BmpBytes& b) { b.compression = 2; }), kMsgNotBmp},
        {"width above 32767", bmp([](BmpBytes& b) { b.width = 32768; }), kMsgBitmapTooLarge},
        {"height above 32767", bmp([](BmpBytes& b) { b.height = 40000; }), kMsgBitmapTooLarge},
        {"width 0", bmp([](BmpBytes& b) { b.width = 0; }), kMsgNotBmp},
        {"negative height (top-down)", bmp([](BmpBytes& b) { b.height = -2; }), kMsgNotBmp},
        {"pixel data offset past the end", bmp([](BmpBytes& b) { b.offset = 100000; }).substr(0, 54 + 1024 + 8),
         kMsgNotBmp},
        {"file ends inside the pixels", bmp([](BmpBytes&) {}).substr(0, 54 + 1024 + 5), kMsgNotBmp},
        {"file ends inside the header", bmp([](BmpBytes&) {}).substr(0, 30), kMsgNotBmp},
        {"file ends inside the palette", bmp([](BmpBytes&) {}).substr(0, 54 + 100), kMsgNotBmp},
        {"RLE8 stream cut short", bmp([](BmpBytes& b) {
             b.compression = 1;
             b.pixels = Pairs({4, 1, 0});
         }),
         kMsgNotBmp},
        {"RLE8 delta cut short", bmp([](BmpBytes& b) {
             b.compression = 1;
             b.pixels = Pairs({0, 2, 1});
         }),
         kMsgNotBmp},
        {"RLE8 absolute run cut short", bmp([](BmpBytes& b) {
             b.compression = 1;
             b.pixels = Pairs({0, 6, 1, 2});
         }),
         kMsgNotBmp},
        {"garbage after the signature", "BM" + std::string(200, '\xA5'), kMsgNotBmp},
    };
    for (const Case& c : cases) {
        Draw({"34", "56"});
        model.colours[3].red = 77;
        const BitmapModel before = model;
        host.messages.clear();
        WriteBytes("bad.bmp", c.bytes);
        EXPECT_FALSE(ReadFile("bad.bmp")) << c.name;
        if (c.message)
            EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.name;
        else
            EXPECT_TRUE(host.messages.empty()) << c.name;
        EXPECT_EQ(model.pixels, before.pixels) << c.name;
        EXPECT_EQ(model.width, 2) << c.name;
        EXPECT_TRUE(model.colours == before.colours) << c.name;
        EXPECT_TRUE(model.edges == before.edges) << c.name;
    }
    host.messages.clear();
    // A file that cannot be opened, or no file named: the caller says which.
    const auto openError = [&](const std::string& path) {
        try {
            ReadFile(path);
        } catch (const EngineError& e) {
            return e.Message();
        }
        return std::string("read");
    };
    EXPECT_EQ(openError("missing.bmp"), FileOpenText("missing.bmp"));
    EXPECT_EQ(openError(""), FileOpenText(""));
    EXPECT_EQ(model.width, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BmpFilesTest, PalettesBeyond256EntriesReadTheFirst256)
{
    BmpBytes b;
    b.width = 1;
    b.height = 1;
    b.coloursUsed = 300;
    b.palette.assign(300, {1, 2, 3});
    b.palette[255] = {9, 8, 7};
    b.pixels = UncompressedRows({{255}});
    WriteBytes("big.bmp", b.Bytes());
    ASSERT_TRUE(ReadFile("big.bmp"));
    EXPECT_EQ(model.colours[255].red, 9);
    EXPECT_EQ(model.pixels[0], 255);
}

TEST_F(BmpFilesTest, PaletteReaderChangesOnlyTheColoursUsed)
{
    Draw({"12"});
    for (ColourRecord& c : model.colours)
        c.red = 50;
    BmpBytes b;
    b.width = 1;
    b.height = 1;
    b.coloursUsed = 16;
    b.compression = 7; // not checked by the palette reader
    b.palette.assign(16, {200, 100, 0});
    b.pixels = UncompressedRows({{0}});
    WriteBytes("sixteen.bmp", b.Bytes());
    ASSERT_TRUE(ReadBmpPalette(model, "sixteen.bmp", host));
    EXPECT_EQ(model.colours[15].red, 200);
    EXPECT_EQ(model.colours[15].displayColour, 200u + 256u * 100);
    EXPECT_EQ(model.colours[16].red, 50);
    EXPECT_EQ(model.width, 2) << "pixels untouched";

    b.bits = 4;
    WriteBytes("four.bmp", b.Bytes());
    EXPECT_FALSE(ReadBmpPalette(model, "four.bmp", host));
    EXPECT_EQ(host.messages, std::vector<std::string>{kMsgNotBmp});
    EXPECT_THROW(ReadBmpPalette(model, "missing.bmp", host), EngineError);
}

TEST_F(BmpFilesTest, ImportAtEachCornerDropsWhatFallsOutside)
{
    BmpBytes b;
    b.width = 4;
    b.height = 3;
    b.pixels = UncompressedRows({{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}});
    WriteBytes("piece.bmp", b.Bytes());
    struct Case {
        int x, y, corner;
        std::vector<std::string> picture;
    };
    const Case cases[] = {
        {0, 0, 0, {"111100", "222200", "333300", "000000"}},
        {4, 1, 1, {"000000", "011110", "022220", "033330"}},
        {4, 3, 2, {"000000", "000011", "000022", "000033"}},
        {1, 1, 3, {"220000", "330000", "000000", "000000"}},
    };
    for (const Case& c : cases) {
        AllocatePixels(model, 6, 4, 0);
        ASSERT_TRUE(ImportBitmapFile(model, "piece.bmp", c.x, c.y, c.corner, host));
        EXPECT_EQ(Picture(), c.picture) << "corner " << c.corner;
        EXPECT_GT(model.changed.entries.size(), 0u) << "the changes are listed for the undo snapshot";
    }
}

TEST_F(BmpFilesTest, ImportWithCorner3At10_10FillsX7To10Y8To10)
{
    BmpBytes b;
    b.width = 4;
    b.height = 3;
    b.compression = 1;
    b.pixels = Pairs({4, 5, 0, 0, 4, 5, 0, 0, 4, 5, 0, 1});
    WriteBytes("piece.bmp", b.Bytes());
    AllocatePixels(model, 12, 12, 0);
    ASSERT_TRUE(ImportBitmapFile(model, "piece.bmp", 10, 10, 3, host));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(Pixel(x, y), x >= 7 && x <= 10 && y >= 8 && y <= 10 ? 5 : 0) << x << "," << y;
}

TEST_F(BmpFilesTest, HeaderCheck)
{
    BmpBytes b;
    b.width = 1;
    b.height = 1;
    b.pixels = UncompressedRows({{0}});
    WriteBytes("good.bmp", b.Bytes());
    EXPECT_TRUE(CheckBmpHeader("good.bmp", host));
    b.bits = 1;
    WriteBytes("mono.bmp", b.Bytes());
    EXPECT_FALSE(CheckBmpHeader("mono.bmp", host));
    EXPECT_EQ(host.messages, std::vector<std::string>{kMsgNotBmp});
    host.messages.clear();
    EXPECT_THROW(CheckBmpHeader("", host), EngineError);
    EXPECT_THROW(CheckBmpHeader("missing.bmp", host), EngineError);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BmpFilesTest, AFailedWriteKeepsTheOldFile)
{
    Draw({"12"});
    ASSERT_TRUE(WriteModelBmp(model, "kept.bmp"));
    const std::string before = ReadBytes("kept.bmp");
    std::filesystem::create_directory("kept.bmp.part"); // the new file cannot be made
    Draw({"33"});
    EXPECT_FALSE(WriteModelBmp(model, "kept.bmp"));
    EXPECT_EQ(ReadBytes("kept.bmp"), before);
    EXPECT_FALSE(WriteModelBmp(model, "no/such/folder/x.bmp"));
}

} // namespace
} // namespace dralo::test
