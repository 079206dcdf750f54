// Writer and readers of the solution and heat-flux lines.
#include "common/kernels/ResultFiles.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace kernels {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string S(long long v)
{
    return std::to_string(v);
}

} // namespace

ResultFileWriter::~ResultFileWriter()
{
    if (m_file != nullptr) {
        Flush();
        std::fclose(m_file);
    }
}

bool ResultFileWriter::Open(const std::string& path)
{
    m_file = std::fopen(path.c_str(), "wb");
    m_failed = m_file == nullptr;
    m_buffer.reserve(kFlushSize + 256);
    return m_file != nullptr;
}

void ResultFileWriter::Line(std::string_view text)
{
    m_buffer.append(text);
    m_buffer.append("\r\n");
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void ResultFileWriter::Flush()
{
    if (m_file != nullptr && !m_buffer.empty() &&
        std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
}

bool ResultFileWriter::Close()
{
    if (m_file == nullptr)
        return false;
    Flush();
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

std::string FormatShortG(double v)
{
    char buf[64];
    return {buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6).ptr};
}

std::string FormatFixed10(double v)
{
    char buf[400];
    return {buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 10).ptr};
}

void PutSolutionHeader(ResultFileWriter& w, const SolutionHeader& h)
{
    w.Line("D " + S(h.blocks) + " " + S(h.nodeBcs) + " " + S(h.zones));
    w.Line("R " + S(h.rows) + " " + S(h.gridRows) + " " + FormatShortG(h.largestChange) + " " +
           FormatShortG(h.objectDivergence) + " " + FormatShortG(h.nodeDivergence));
}

void PutGridTemperature(ResultFileWriter& w, double t, int i, int j, int k)
{
    w.Line("N " + FormatFixed10(t) + " " + S(i) + " " + S(j) + " " + S(k));
}

void PutZoneTemperature(ResultFileWriter& w, double t)
{
    w.Line("N " + FormatFixed10(t));
}

void PutAirTemperature(ResultFileWriter& w, int colour, double t)
{
    w.Line("C " + S(colour) + " " + FormatFixed10(t));
}

void PutColourExtremes(ResultFileWriter& w, int colour, const ColourExtremes& e)
{
    const auto& lo = e.lowestPoint;
    const auto& hi = e.highestPoint;
    w.Line("T " + S(colour) + " " + FormatShortG(e.lowest) + " " + S(lo[0]) + " " + S(lo[1]) + " " + S(lo[2]) +
           " " + FormatShortG(e.highest) + " " + S(hi[0]) + " " + S(hi[1]) + " " + S(hi[2]));
}

void PutColourFlows(ResultFileWriter& w, int colour, const ColourFlows& f)
{
    w.Line("Q " + S(colour) + " " + FormatShortG(f.in) + " " + FormatShortG(f.out));
}

SolutionReadStatus ReadSolutionFile(const std::string& path, const SolutionFileChecks& checks,
                                    SolutionHeader& readouts, SolutionFileSink& sink, std::string_view extraKeys)
{
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return SolutionReadStatus::NotOpened;
    const std::string keys = "DRNCTQ" + std::string(extraKeys);
    std::span<double> values;
    bool haveRows = false;
    Index rows = 0, stored = 0;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine(keys, 1, key);
        if (status == common::LineStatus::End)
            return SolutionReadStatus::Read;
        if (status == common::LineStatus::TooLong)
            return SolutionReadStatus::Rejected;
        const char* p = reader.Value();
        int a = 0, b = 0, c = 0;
        float x = 0, y = 0, z = 0;
        double v = 0;
        auto colour = [&] { return a >= 0 && a <= 255; };
        bool good = true;
        switch (key) {
        case 0: // D
            good = common::ScanInt(p, a) && common::ScanInt(p, b) && common::ScanInt(p, c) &&
                   a == checks.blocks && b == checks.nodeBcs;
            if (good)
                readouts.blocks = a, readouts.nodeBcs = b, readouts.zones = c;
            break;
        case 1: // R
            good = common::ScanInt(p, a) && common::ScanInt(p, b) && common::ScanFloat(p, x) &&
                   common::ScanFloat(p, y) && common::ScanFloat(p, z) && b == checks.gridRows && a >= b &&
                   x >= 0 && y >= 0 && y <= 200 && z >= 0 && z <= 200 && !haveRows;
            if (good) {
                readouts.rows = a;
                readouts.gridRows = b;
                readouts.largestChange = x;
                readouts.objectDivergence = y;
                readouts.nodeDivergence = z;
                values = sink.Temperatures(a);
                rows = std::min<Index>(a, static_cast<Index>(values.size()));
                haveRows = true;
            }
            break;
        case 2: // N: only after the R line, and never beyond the rows
            good = haveRows && common::ScanDouble(p, v);
            if (good && stored < rows)
                values[static_cast<std::size_t>(stored++)] = v;
            break;
        case 3: // C
            good = common::ScanInt(p, a) && common::ScanDouble(p, v) && colour();
            if (good)
                sink.AirTemperature(a, v);
            break;
        case 4: { // T
            int lo[3], hi[3];
            good = common::ScanInt(p, a) && common::ScanFloat(p, x) && common::ScanInt(p, lo[0]) &&
                   common::ScanInt(p, lo[1]) && common::ScanInt(p, lo[2]) && common::ScanFloat(p, y) &&
                   common::ScanInt(p, hi[0]) && common::ScanInt(p, hi[1]) && common::ScanInt(p, hi[2]) &&
                   colour();
            if (good) {
                ColourExtremes e;
                e.lowest = x;
                e.highest = y;
                for (int q = 0; q < 3; ++q) {
                    e.lowestPoint[q] = static_cast<std::uint16_t>(lo[q]);
                    e.highestPoint[q] = static_cast<std::uint16_t>(hi[q]);
                }
                sink.Extremes(a, e);
            }
            break;
        }
        case 5: // Q
            good = common::ScanInt(p, a) && common::ScanFloat(p, x) && common::ScanFloat(p, y) && colour() &&
                   x >= 0 && y >= 0;
            if (good)
                sink.Flows(a, {x, y});
            break;
        default:
            if (key >= 6)
                good = sink.ExtraLine(key - 6, p);
            break;
        }
        if (!good)
            return SolutionReadStatus::Rejected;
    }
}

void PutFluxLine(ResultFileWriter& w, int i, int j, int k, int direction, double flow)
{
    w.Line(S(i) + " " + S(j) + " " + S(k) + " " + S(direction) + " " + FormatShortG(flow));
}

std::vector<FluxRecord> ReadFluxFile(const std::string& path, bool* opened)
{
    std::vector<FluxRecord> records;
    common::KeywordLineReader reader;
    const bool open = reader.Open(path);
    if (opened != nullptr)
        *opened = open;
    if (!open)
        return records;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine({}, 0, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong)
            continue;
        const char* p = reader.Value();
        int i = 0, j = 0, k = 0, d = 0;
        float q = 0;
        auto index = [](int v) { return v >= 0 && v <= 0xFFFF; };
        if (common::ScanInt(p, i) && common::ScanInt(p, j) && common::ScanInt(p, k) && common::ScanInt(p, d) &&
            common::ScanFloat(p, q) && index(i) && index(j) && index(k) && d >= 0 && d <= 5)
            records.push_back({static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j),
                               static_cast<std::uint16_t>(k), static_cast<std::uint8_t>(d), q});
    }
    std::stable_sort(records.begin(), records.end(), [](const FluxRecord& a, const FluxRecord& b) {
        return std::tie(a.i, a.j, a.k, a.direction) < std::tie(b.i, b.j, b.k, b.direction);
    });
    return records;
}

} // namespace kernels
