// The AVI writer: files read back chunk by chunk (headers, colour table,
// frames and index), frames decoded again, the size limit and write
// failures; and, where ffmpeg is installed, the files as ffprobe and ffmpeg
// read them.
#include "platform/core/AviWriter.h"

#include "common/testing/TestFiles.h"
#include "platform/core/Dib.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace platform;
using common::testing::ReadBytes;
using common::testing::U32At;

namespace {

std::uint16_t U16At(const std::string& d, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d.at(at)) |
                                      static_cast<unsigned char>(d.at(at + 1)) << 8);
}

// The chunks of an AVI file as a reader walks them: RIFF, then the lists and
// chunks inside, each by its path ("hdrl/avih", "movi/00dc" ...) with the
// position of its data and its size.
struct Chunk {
    std::string id;
    std::size_t data;
    std::uint32_t size;
};

struct AviFile {
    std::string bytes;
    std::vector<Chunk> chunks; // in file order
    std::string error;

    const Chunk* Find(const std::string& id) const
    {
        for (const Chunk& c : chunks)
            if (c.id == id)
                return &c;
        return nullptr;
    }
    std::vector<Chunk> All(const std::string& id) const
    {
        std::vector<Chunk> out;
        for (const Chunk& c : chunks)
            if (c.id == id)
                out.push_back(c);
        return out;
    }
};

void Walk(AviFile& f, std::size_t begin, std::size_t end, const std::string& prefix)
{
    std::size_t at = begin;
    while (at + 8 <= end) {
        const std::string id = f.bytes.substr(at, 4);
        const std::uint32_t size = U32At(f.bytes, at + 4);
        if (at + 8 + size > end) {
            f.error = "chunk " + prefix + id + " runs past its list";
            return;
        }
        if (id == "LIST") {
            const std::string type = f.bytes.substr(at + 8, 4);
            f.chunks.push_back({prefix + type, at + 12, size - 4});
            Walk(f, at + 12, at + 8 + size, prefix + type + "/");
        } else {
            f.chunks.push_back({prefix + id, at + 8, size});
        }
        at += 8 + size + (size & 1);
    }
    if (at != end)
        f.error = "list " + prefix + " does not end on a chunk";
}

AviFile ReadAvi(const std::string& path)
{
    AviFile f;
    f.bytes = ReadBytes(path);
    if (f.bytes.size() < 12 || f.bytes.compare(0, 4, "RIFF") != 0 || f.bytes.compare(8, 4, "AVI ") != 0) {
        f.error = "no RIFF AVI header";
        return f;
    }
    if (U32At(f.bytes, 4) + 8 != f.bytes.size()) {
        f.error = "RIFF size is not the file size";
        return f;
    }
    Walk(f, 12, f.bytes.size(), "");
    return f;
}

// A frame of palette indexes, bottom row first: diagonal stripes whose
// colour depends on the frame, so that frames differ.
std::vector<BYTE> Frame(int width, int height, int frame, int colours)
{
    std::vector<BYTE> f(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f[static_cast<std::size_t>(y * width + x)] = static_cast<BYTE>(((x + y) / 3 + frame) % colours);
    return f;
}

std::vector<RGBQUAD> Palette(int colours)
{
    std::vector<RGBQUAD> p;
    for (int i = 0; i < colours; ++i)
        p.push_back({static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i * 20), static_cast<BYTE>(i * 11 + 3), 0});
    return p;
}

struct Written {
    int width, height, fps, frames;
    AviCompression compression;
};

void WriteFile(const std::string& path, const Written& w, int colours = 7)
{
    AviWriter avi;
    ASSERT_TRUE(avi.Open(path, {w.width, w.height, w.fps, w.compression}));
    avi.SetPalette(Palette(colours));
    for (int i = 0; i < w.frames; ++i)
        ASSERT_EQ(avi.WriteFrame(Frame(w.width, w.height, i, colours).data()), AviWriter::FrameResult::Written);
    EXPECT_EQ(avi.FrameCount(), w.frames);
    EXPECT_TRUE(avi.Close());
}

bool HaveFfmpeg()
{
    return std::system("ffprobe -version > /dev/null 2>&1") == 0 && std::system("ffmpeg -version > /dev/null 2>&1") == 0;
}

std::string RunCommand(const std::string& command, const std::string& outFile)
{
    if (std::system((command + " > " + outFile + " 2>&1").c_str()) != 0)
        return "FAILED: " + ReadBytes(outFile);
    return ReadBytes(outFile);
}

} // namespace

TEST(AviWriterTest, FilesReadBackChunkByChunk)
{
    const Written cases[] = {
        {13, 5, 2, 3, AviCompression::Rle8},          // odd width: padded rows when uncompressed
        {13, 5, 25, 4, AviCompression::Uncompressed}, //
        {300, 2, 1, 1, AviCompression::Rle8},         // rows longer than one run of 255
        {4, 4, 30, 0, AviCompression::Rle8},          // no frame at all
    };
    for (const Written& w : cases) {
        SCOPED_TRACE(std::to_string(w.width) + "x" + std::to_string(w.height) + " frames " + std::to_string(w.frames));
        const std::string path = "avi_readback.avi";
        WriteFile(path, w);
        const AviFile f = ReadAvi(path);
        ASSERT_EQ(f.error, "");
        const bool rle = w.compression == AviCompression::Rle8;

        const Chunk* avih = f.Find("hdrl/avih");
        ASSERT_TRUE(avih);
        ASSERT_EQ(avih->size, 56u);
        EXPECT_EQ(U32At(f.bytes, avih->data), static_cast<std::uint32_t>(1000000 / w.fps));
        EXPECT_EQ(U32At(f.bytes, avih->data + 12) & 0x10u, 0x10u); // has an index
        EXPECT_EQ(U32At(f.bytes, avih->data + 16), static_cast<std::uint32_t>(w.frames));
        EXPECT_EQ(U32At(f.bytes, avih->data + 24), 1u); // one stream
        EXPECT_EQ(U32At(f.bytes, avih->data + 32), static_cast<std::uint32_t>(w.width));
        EXPECT_EQ(U32At(f.bytes, avih->data + 36), static_cast<std::uint32_t>(w.height));

        const Chunk* strh = f.Find("hdrl/strl/strh");
        ASSERT_TRUE(strh);
        EXPECT_EQ(f.bytes.substr(strh->data, 4), "vids");
        EXPECT_EQ(f.bytes.substr(strh->data + 4, 4), rle ? "mrle" : "DIB ");
        EXPECT_EQ(U32At(f.bytes, strh->data + 20), 1u); // scale
        EXPECT_EQ(U32At(f.bytes, strh->data + 24), static_cast<std::uint32_t>(w.fps));
        EXPECT_EQ(U32At(f.bytes, strh->data + 32), static_cast<std::uint32_t>(w.frames));

        const Chunk* strf = f.Find("hdrl/strl/strf");
        ASSERT_TRUE(strf);
        ASSERT_EQ(strf->size, 40u + 4 * 256);
        EXPECT_EQ(static_cast<int>(U32At(f.bytes, strf->data + 4)), w.width);
        EXPECT_EQ(static_cast<int>(U32At(f.bytes, strf->data + 8)), w.height);
        EXPECT_EQ(U16At(f.bytes, strf->data + 14), 8);
        EXPECT_EQ(U32At(f.bytes, strf->data + 16), rle ? BI_RLE8 : BI_RGB);
        const std::vector<RGBQUAD> palette = Palette(7);
        for (int i = 0; i < 256; ++i) {
            const std::size_t at = strf->data + 40 + 4 * static_cast<std::size_t>(i);
            const RGBQUAD want = i < 7 ? palette[static_cast<std::size_t>(i)] : RGBQUAD{};
            EXPECT_EQ(static_cast<BYTE>(f.bytes[at]), want.rgbBlue) << i;
            EXPECT_EQ(static_cast<BYTE>(f.bytes[at + 1]), want.rgbGreen) << i;
            EXPECT_EQ(static_cast<BYTE>(f.bytes[at + 2]), want.rgbRed) << i;
        }

        const std::vector<Chunk> frames = f.All(rle ? "movi/00dc" : "movi/00db");
        ASSERT_EQ(static_cast<int>(frames.size()), w.frames);
        const Chunk* movi = f.Find("movi");
        ASSERT_TRUE(movi);
        const Chunk* idx1 = f.Find("idx1");
        ASSERT_TRUE(idx1);
        ASSERT_EQ(idx1->size, 16u * static_cast<std::uint32_t>(w.frames));
        const std::int64_t rowBytes = DibRowBytes(w.width, 8);
        for (int i = 0; i < w.frames; ++i) {
            const Chunk& c = frames[static_cast<std::size_t>(i)];
            // Each index entry names its chunk, marks a key frame and points
            // at the chunk's header, counted from the 'movi' tag.
            const std::size_t e = idx1->data + 16 * static_cast<std::size_t>(i);
            EXPECT_EQ(f.bytes.substr(e, 4), rle ? "00dc" : "00db");
            EXPECT_EQ(U32At(f.bytes, e + 4) & 0x10u, 0x10u);
            EXPECT_EQ(U32At(f.bytes, e + 8), c.data - 8 - (movi->data - 4));
            EXPECT_EQ(U32At(f.bytes, e + 12), c.size);
            // The frame decodes to the indexes written.
            std::vector<BYTE> decoded(static_cast<std::size_t>(rowBytes * w.height), 0xEE);
            if (rle) {
                std::string error;
                ASSERT_TRUE(DecodeRle8(reinterpret_cast<const BYTE*>(f.bytes.data() + c.data), c.size, w.width,
                                       w.height, rowBytes, decoded.data(), &error))
                    << error;
            } else {
                ASSERT_EQ(c.size, static_cast<std::uint32_t>(rowBytes * w.height));
                std::memcpy(decoded.data(), f.bytes.data() + c.data, c.size);
            }
            const std::vector<BYTE> want = Frame(w.width, w.height, i, 7);
            for (int y = 0; y < w.height; ++y)
                for (int x = 0; x < w.width; ++x)
                    ASSERT_EQ(decoded[static_cast<std::size_t>(y * rowBytes + x)],
                              want[static_cast<std::size_t>(y * w.width + x)])
                        << "frame " << i << " at " << x << "," << y;
        }
        std::remove(path.c_str());
    }
}

TEST(AviWriterTest, TheSizeLimitRefusesTheFrameThatWouldPassItAndKeepsAValidFile)
{
    const int width = 64, height = 32;
    const std::uint64_t limit = 2400 + 3 * (8 + 64 * 32 + 16);
    const std::string path = "avi_limit.avi";
    {
        AviWriter avi(limit);
        ASSERT_TRUE(avi.Open(path, {width, height, 5, AviCompression::Uncompressed}));
        avi.SetPalette(Palette(7));
        int written = 0;
        AviWriter::FrameResult r;
        while ((r = avi.WriteFrame(Frame(width, height, written, 7).data())) == AviWriter::FrameResult::Written)
            ++written;
        EXPECT_EQ(r, AviWriter::FrameResult::TooLarge);
        EXPECT_GE(written, 1);
        EXPECT_LE(avi.ClosedSize(), limit);
        EXPECT_EQ(avi.FrameCount(), written);
        ASSERT_TRUE(avi.Close());
    }
    const AviFile f = ReadAvi(path);
    ASSERT_EQ(f.error, "");
    EXPECT_LE(f.bytes.size(), limit);
    const int frames = static_cast<int>(f.All("movi/00db").size());
    EXPECT_EQ(U32At(f.bytes, f.Find("hdrl/avih")->data + 16), static_cast<std::uint32_t>(frames));
    EXPECT_EQ(f.Find("idx1")->size, 16u * static_cast<std::uint32_t>(frames));
    std::remove(path.c_str());
}

TEST(AviWriterTest, BadGeometryAndUnwritableFilesAreRefused)
{
    AviWriter avi;
    EXPECT_FALSE(avi.Open("avi_bad.avi", {0, 10, 5, AviCompression::Rle8}));
    EXPECT_FALSE(avi.Open("avi_bad.avi", {10, -1, 5, AviCompression::Rle8}));
    EXPECT_FALSE(avi.Open("avi_bad.avi", {10, 10, 0, AviCompression::Rle8}));
    EXPECT_FALSE(avi.Open("no_such_folder/x.avi", {10, 10, 5, AviCompression::Rle8}));
    EXPECT_FALSE(avi.IsOpen());
    const std::vector<BYTE> frame(100);
    EXPECT_EQ(avi.WriteFrame(frame.data()), AviWriter::FrameResult::WriteFailed);
    EXPECT_FALSE(avi.Close());
    EXPECT_FALSE(std::ifstream("avi_bad.avi").good());
}

// ffprobe reads the codec, size, frame count and rate as written; ffmpeg's
// decoded frames are the written indexes mapped through the palette.
TEST(AviWriterTest, FfmpegReadsTheFilesAsWritten)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed (scripts/deps.sh installs it)";
    const Written cases[] = {{21, 9, 4, 3, AviCompression::Rle8}, {20, 9, 10, 2, AviCompression::Uncompressed}};
    for (const Written& w : cases) {
        const bool rle = w.compression == AviCompression::Rle8;
        SCOPED_TRACE(rle ? "RLE8" : "uncompressed");
        const std::string path = rle ? "avi_ffmpeg_rle.avi" : "avi_ffmpeg_raw.avi";
        WriteFile(path, w);
        const std::string probe = RunCommand("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                      "stream=codec_name,width,height,nb_read_frames,r_frame_rate -of "
                                      "default=noprint_wrappers=1 " + path,
                                      path + ".probe");
        std::map<std::string, std::string> fields;
        std::istringstream lines(probe);
        for (std::string line; std::getline(lines, line);)
            if (const auto eq = line.find('='); eq != std::string::npos)
                fields[line.substr(0, eq)] = line.substr(eq + 1);
        EXPECT_EQ(fields["codec_name"], rle ? "msrle" : "rawvideo") << probe;
        EXPECT_EQ(fields["width"], std::to_string(w.width));
        EXPECT_EQ(fields["height"], std::to_string(w.height));
        EXPECT_EQ(fields["nb_read_frames"], std::to_string(w.frames));
        EXPECT_EQ(fields["r_frame_rate"], std::to_string(w.fps) + "/1");

        const std::string raw = path + ".rgb";
        const std::string decoded =
            RunCommand("ffmpeg -v error -y -i " + path + " -f rawvideo -pix_fmt rgb24 " + raw, path + ".log");
        EXPECT_EQ(decoded.rfind("FAILED", 0), std::string::npos) << decoded;
        const std::string rgb = ReadBytes(raw);
        const std::size_t frameBytes = 3 * static_cast<std::size_t>(w.width * w.height);
        ASSERT_EQ(rgb.size(), frameBytes * static_cast<std::size_t>(w.frames));
        const std::vector<RGBQUAD> palette = Palette(7);
        for (int i = 0; i < w.frames; ++i) {
            const std::vector<BYTE> want = Frame(w.width, w.height, i, 7);
            for (int y = 0; y < w.height; ++y)
                for (int x = 0; x < w.width; ++x) {
                    // ffmpeg gives the top row first; the frames are stored bottom row first.
                    const RGBQUAD& c = palette[want[static_cast<std::size_t>((w.height - 1 - y) * w.width + x)]];
                    const std::size_t at = frameBytes * static_cast<std::size_t>(i) +
                                           3 * static_cast<std::size_t>(y * w.width + x);
                    ASSERT_EQ(static_cast<BYTE>(rgb[at]), c.rgbRed) << i << " " << x << "," << y;
                    ASSERT_EQ(static_cast<BYTE>(rgb[at + 1]), c.rgbGreen);
                    ASSERT_EQ(static_cast<BYTE>(rgb[at + 2]), c.rgbBlue);
                }
        }
        for (const std::string& p : {path, path + ".probe", raw, path + ".log"})
            std::remove(p.c_str());
    }
}
