// Our AVI writer: a RIFF file with one video stream of 8-bit frames, each
// frame RLE8-compressed or uncompressed and marked as a key frame, the index
// of the frames, and one colour table for every frame. Frames go to the file
// as they come, so that an export that stops early leaves a valid file of
// the frames written; Close writes the index and fills in the counts, the
// sizes and the colour table, which may grow while frames are written (a
// written frame only uses entries that were set before it). The file stays
// below a size limit, 1 GiB by default, which classic AVI readers accept.
#pragma once
#include "platform/core/DibTypes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

enum class AviCompression { Rle8, Uncompressed };

struct AviStreamInfo {
    int width = 0;
    int height = 0;
    int framesPerSecond = 1;
    AviCompression compression = AviCompression::Rle8;
};

class AviWriter {
  public:
    static constexpr std::uint64_t kDefaultSizeLimit = std::uint64_t{1} << 30;
    static constexpr int kPaletteEntries = 256;

    explicit AviWriter(std::uint64_t sizeLimit = kDefaultSizeLimit) : m_limit(sizeLimit) {}
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // Creates the file and writes its headers; false when the geometry or
    // the frame rate is invalid or the file cannot be created.
    bool Open(const std::string& path, const AviStreamInfo& info);
    bool IsOpen() const { return m_file != nullptr; }

    enum class FrameResult { Written, TooLarge, WriteFailed };
    // One frame of width x height palette indexes, bottom row first, rows
    // packed without padding. TooLarge, writing nothing, when the frame
    // would take the file past the size limit.
    FrameResult WriteFrame(const BYTE* indexes);
    // The colour table of all frames (at most 256 entries; the rest stay
    // black).
    void SetPalette(const std::vector<RGBQUAD>& entries);

    // Writes the index, the counts, sizes and colour table and closes the
    // file; false when any write failed. Nothing when no file is open.
    bool Close();

    int FrameCount() const { return static_cast<int>(m_index.size()); }
    // Bytes the file would have if it were closed now.
    std::uint64_t ClosedSize() const;

  private:
    struct IndexEntry {
        std::uint32_t offset;
        std::uint32_t size;
    };
    bool Put(const void* data, std::size_t size);
    bool PutAt(long position, const void* data, std::size_t size);

    std::uint64_t m_limit;
    std::FILE* m_file = nullptr;
    AviStreamInfo m_info;
    bool m_failed = false;
    std::uint64_t m_position = 0;
    std::uint32_t m_largestFrame = 0;
    std::vector<IndexEntry> m_index;
    std::vector<RGBQUAD> m_palette;
    std::vector<BYTE> m_frame;
};

} // namespace platform
