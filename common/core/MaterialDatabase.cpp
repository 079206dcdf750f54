// Reading the material database files.
#include "common/core/MaterialDatabase.h"

#include "common/core/NumberPrefix.h"
#include "common/core/PathName.h"

#include <cfloat>
#include <cmath>

namespace common {
namespace {

// The keys a material section may hold, matched on their first two
// characters; their order is the order of the switch below.
constexpr std::string_view kMaterialKeys =
    "NENNNFNDLAREDIROCEMUMDCPWCWMWAKTKAKRPAC0C1C2C3C4C5C6C7C8C9E1E2R1R2NUHR";

int KeyNumber(const std::string& key)
{
    if (key.size() < 2)
        return -1;
    for (std::size_t i = 0; i + 1 < kMaterialKeys.size(); i += 2)
        if (kMaterialKeys.compare(i, 2, key, 0, 2) == 0)
            return static_cast<int>(i / 2);
    return -1;
}

// A float from the text; values beyond the float range are clamped and a
// text that is not a number gives 0.
float ToFloat(const std::string& text)
{
    const double v = AtofText(text);
    if (std::isnan(v))
        return 0.0f;
    if (v > FLT_MAX)
        return FLT_MAX;
    if (v < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(v);
}

// The name rule of groups and materials: the entry of the asked language,
// else the last name entry of another language.
struct NamePicker {
    int language;
    std::string name, fallback;
    void Offer(int keyLanguage, const std::string& value)
    {
        (keyLanguage == language ? name : fallback) = value;
    }
    std::string Result() const { return name.empty() ? fallback : name; }
};

void SetValue(CMaterialRecord& m, int key, const std::string& value)
{
    float* floats[] = {&m.la, &m.re, &m.di, &m.ro, &m.ce, &m.mu, &m.md};
    float* moisture[] = {&m.wc, &m.wm, &m.wa, &m.kt, &m.ka, &m.kr};
    float* optics[] = {&m.e1, &m.e2, &m.r1, &m.r2, &m.nu, &m.hr};
    if (key >= 4 && key <= 10)
        *floats[key - 4] = ToFloat(value);
    else if (key == 11)
        m.cp = AtoiText(value);
    else if (key >= 12 && key <= 17)
        *moisture[key - 12] = ToFloat(value);
    else if (key == 18)
        m.pa = AtoiText(value);
    else if (key >= 19 && key <= 28)
        m.comment += value + "\n";
    else if (key >= 29 && key <= 34)
        *optics[key - 29] = ToFloat(value);
}

bool IsGroupSection(const std::string& name)
{
    return !name.empty() && name[0] == 'G' && name != "GENERAL";
}

} // namespace

std::string MaterialSearchPattern()
{
    return CPathName(CPathName::kProgramFolder).GetPath() + "../Materials/*.qkm";
}

void ReadMaterialDatabase(const CSectionFile& file, int language, CMaterialDatabaseRecord& database)
{
    database.comment.clear();
    database.groups.clear();
    file.GetValueByName("GENERAL", "COMMENT", database.comment);

    std::vector<std::string> sections, keys, values;
    file.GetSectionNames(sections);
    for (const std::string& section : sections) {
        if (!IsGroupSection(section))
            continue;
        NamePicker picker{language, {}, {}};
        const int n = file.GetSectionEntriesByName(section, keys, values);
        for (int i = 0; i < n; ++i) {
            const int key = KeyNumber(keys[static_cast<std::size_t>(i)]);
            if (key >= 0 && key <= 3)
                picker.Offer(key, values[static_cast<std::size_t>(i)]);
        }
        database.groups.push_back(CMaterialGroupRecord{picker.Result(), section, {}});
    }

    for (const std::string& section : sections) {
        if (section[0] == 'G')
            continue;
        std::string groupName;
        if (!file.GetValueByName(section, "GROUP", groupName))
            continue;
        CMaterialGroupRecord* group = nullptr;
        for (CMaterialGroupRecord& g : database.groups)
            if (g.sectionName == groupName) {
                group = &g;
                break;
            }
        if (!group)
            continue;
        CMaterialRecord material;
        NamePicker picker{language, {}, {}};
        const int n = file.GetSectionEntriesByName(section, keys, values);
        for (int i = 0; i < n; ++i) {
            const int key = KeyNumber(keys[static_cast<std::size_t>(i)]);
            const std::string& value = values[static_cast<std::size_t>(i)];
            if (key >= 0 && key <= 3)
                picker.Offer(key, value);
            else if (key > 3)
                SetValue(material, key, value);
        }
        material.name = picker.Result();
        group->materials.push_back(std::move(material));
    }
}

std::vector<CMaterialDatabaseRecord> LoadMaterialDatabases(const std::string& pattern, int language,
                                                           std::vector<std::string>* skipped)
{
    std::vector<CMaterialDatabaseRecord> databases;
    CFindFile finder(pattern);
    std::vector<std::string> paths;
    try {
        while (finder.FindNext() && static_cast<int>(paths.size()) < kMaxMaterialDatabases) {
            databases.push_back(CMaterialDatabaseRecord{finder.GetFileName(), {}, {}});
            paths.push_back(finder.GetFilePath());
        }
    } catch (const CFileException& e) {
        if (skipped)
            skipped->push_back(e.message + "\n" + e.path);
    }
    std::vector<CMaterialDatabaseRecord> loaded;
    CSectionFile file;
    for (std::size_t i = 0; i < databases.size(); ++i) {
        if (!file.Load(paths[i])) {
            if (skipped)
                skipped->push_back(file.GetLastError());
            continue;
        }
        ReadMaterialDatabase(file, language, databases[i]);
        loaded.push_back(std::move(databases[i]));
    }
    return loaded;
}

} // namespace common
