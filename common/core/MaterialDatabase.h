// The material database: the "*.qkm" files of the Materials folder beside
// the program folder, each holding a comment, groups (sections whose name
// begins with "G") and materials (the other sections, each naming its group
// with the key "GROUP"). Names are given per language with the keys NE, NN,
// NF and ND (English, Dutch, French, German).
#pragma once
#include "common/core/SectionFile.h"

#include <string>
#include <vector>

namespace common {

struct CMaterialRecord {
    std::string name;    // in the language asked for
    std::string comment; // the C0 ... C9 lines, each ended by "\n"
    float la = 0;        // conductivity W/(m.K)
    float re = 0;        // thermal resistance m2K/W
    float di = 0;        // thickness m
    float ro = 0;        // density kg/m3
    float ce = 0;        // specific heat J/(kg.K)
    float mu = 0;        // vapour resistance factor
    float md = 0;        // equivalent air layer thickness m
    int cp = 0;
    float wc = 0, wm = 0, wa = 0; // moisture contents kg/m3
    float kt = 0, ka = 0, kr = 0; // solar transmission, absorption, reflection
    int pa = 0;                   // pattern number
    // Emissivities, reflection factors, Nusselt number and radiative
    // coefficient; -1 where the file gives none.
    float e1 = -1, e2 = -1, r1 = -1, r2 = -1, nu = -1, hr = -1;
};

struct CMaterialGroupRecord {
    std::string displayName;
    std::string sectionName;
    std::vector<CMaterialRecord> materials;
};

struct CMaterialDatabaseRecord {
    std::string fileName; // as found, without folder
    std::string comment;
    std::vector<CMaterialGroupRecord> groups;
};

// At most this many database files are read; further ones are left out.
constexpr int kMaxMaterialDatabases = 100;

// The search pattern of the database files: the program folder followed by
// "../Materials/*.qkm".
std::string MaterialSearchPattern();

// Fills a database from a loaded file, names in the given language (0-3).
void ReadMaterialDatabase(const CSectionFile& file, int language, CMaterialDatabaseRecord& database);

// Reads every file that matches the pattern, in name order, at most
// kMaxMaterialDatabases; a file that cannot be read is left out and its
// reason added to skipped. An empty result means that no database exists.
std::vector<CMaterialDatabaseRecord> LoadMaterialDatabases(const std::string& pattern, int language,
                                                           std::vector<std::string>* skipped = nullptr);

} // namespace common
