// The writer of the programs' keyed text files (data files, parameter files,
// report definitions): each line a five-character key ("grun=") and its
// values separated by blanks, numbers at full precision (every value reads
// back to itself), CRLF line ends and Windows-1252 text. The file is built
// in memory and written whole to a temporary file that then takes the old
// file's place, so a failed write keeps the old file; SaveOrThrow says
// "Failed to open file\n%s" with the path.
#pragma once
#include "common/core/TextFileWriter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace common {

// How reals are written: the shortest form that reads back to the value
// ("0.1", "1e-05"), or printf's "%g" form where that reads back to the value
// ("0.0001", "1e+06") and the shortest form where not.
enum class RealForm : std::uint8_t { Shortest, GeneralExact };

class KeyedLineWriter : public TextFileWriter {
  public:
    // Longest text value after a five-character key on a 255-character line.
    static constexpr std::size_t kMaxTextValue = 250;

    explicit KeyedLineWriter(RealForm reals = RealForm::Shortest) : m_reals(reals) {}

    // A key and its values on one line (at most ten values).
    template <typename... Values> void Line(std::string_view key, Values... values)
    {
        static_assert(sizeof...(Values) <= 10);
        char buf[8 + 10 * 34 + 2];
        char* p = buf;
        for (char k : key.substr(0, 8))
            *p++ = k;
        bool first = true;
        ((first ? void(first = false) : void(*p++ = ' '), p = PutValue(p, values)), ...);
        *p++ = '\r';
        *p++ = '\n';
        Put(std::string_view(buf, static_cast<std::size_t>(p - buf)));
    }

    // A line built value by value: the key, then Int, Real, Double, Fixed6
    // (each after a blank but the first), then EndLine.
    void BeginLine(std::string_view key)
    {
        Put(key);
        m_first = true;
    }
    void Int(long long v);
    void Real(float v);
    void Double(double v);
    void Fixed6(float v);

    // A text value (UTF-8, written in Windows-1252), cut to kMaxTextValue bytes.
    void Text(std::string_view key, std::string_view utf8);
    // A text over several lines of the same key, kMaxTextValue bytes each,
    // carriage returns and line feeds written as "`" and "~" (the readers
    // join the lines and turn them back).
    void LongText(std::string_view key, std::string_view utf8);

    // Writes the file; EngineError FileOpen(path) when it cannot be written
    // whole (the old file stays).
    void SaveOrThrow(const std::string& path) const;

    // The digits of v at p; returns the end (room for 24 characters).
    static char* PutInt(char* p, long long v);
    // A real at p in the given form; returns the end (room for 34 characters).
    static char* PutReal(char* p, float v, RealForm form);
    static char* PutDouble(char* p, double v);

  private:
    template <typename T> char* PutValue(char* p, T v) const
    {
        if constexpr (std::is_same_v<T, float>)
            return PutReal(p, v, m_reals);
        else if constexpr (std::is_floating_point_v<T>)
            return PutDouble(p, static_cast<double>(v));
        else
            return PutInt(p, static_cast<long long>(v));
    }
    void Separate()
    {
        if (!m_first)
            Put(" ");
        m_first = false;
    }

    RealForm m_reals;
    bool m_first = true;
};

} // namespace common
