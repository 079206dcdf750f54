// The programs' parameter files ("Gelmar.prm", "Novelk.prm", "Dralo.prm",
// "Parven.prm" in the program folder) over their key tables: a line per key,
// "key=value". They are read at start-up and written at exit when a setting
// changed; a missing file keeps the built-in values and is never an error.
#pragma once
#include "common/core/KeyTable.h"
#include "common/core/KeywordLineReader.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace common {

// Reads the file's lines into the parameters: a line whose key the table
// holds takes its value when the field accepts it (the field's type and the
// key's range; integers truncated toward zero); a line without a known key or
// number, or with a refused value, is skipped, never a message. Lines of the
// extra keys (a key string of their own) go to onExtra with their key's
// position in it and the text after the key. With LeadingSpaces::Skip keys
// may be indented. False when the file could not be opened (the parameters
// unchanged).
template <class Params>
bool ReadParameterLines(const std::string& path, std::span<const KeyEntry<Params>> table, Params& params,
                        std::string_view extraKeys = {},
                        const std::function<void(int key, const char* text)>& onExtra = {},
                        LeadingSpaces spaces = LeadingSpaces::Keep)
{
    KeywordLineReader reader(spaces);
    if (!reader.Open(path))
        return false;
    const std::string keys = KeysOf(table) + std::string(extraKeys);
    const int tableKeys = static_cast<int>(table.size());
    int key = -1;
    for (LineStatus st; (st = reader.ReadKeywordLine(keys, kKeyLength, key)) != LineStatus::End;) {
        if (st != LineStatus::Line || key < 0)
            continue;
        if (key >= tableKeys) {
            if (onExtra)
                onExtra(key - tableKeys, reader.Value());
            continue;
        }
        ReadKeyValues(table[static_cast<std::size_t>(key)], reader.Value(), params, params);
    }
    return true;
}

// Writes every key of the table in its order, then what `more` adds; false
// when the file cannot be written (the old file stays).
template <class Params>
bool WriteParameterLines(const std::string& path, std::span<const KeyEntry<Params>> table, const Params& params,
                         RealForm reals, const std::function<void(KeyedLineWriter&)>& more = {})
{
    KeyedLineWriter out(reals);
    for (const auto& e : table)
        WriteKeyLine(out, e, params, params);
    if (more)
        more(out);
    return out.Save(path);
}

} // namespace common
