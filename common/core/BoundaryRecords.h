// The boundary-condition records that the block programs' data files hold
// alike: a fixed temperature or heat flux on the faces where two colours
// touch (`bori`), and a fixed temperature or power density in the cells of
// one colour (`mati`).
#pragma once
#include <cstdint>

namespace common {

enum BorderBcType : std::uint8_t { BORDER_TEMP = 0, BORDER_FLUX = 1 };

// A fixed temperature or heat flux on the faces between two colours.
struct BorderFaceBcRecord {
    std::int16_t colour1 = -1, colour2 = -1; // -1..255, -1 none (`bor1`, `bor2`)
    std::uint8_t type = BORDER_TEMP;         // BorderBcType (`bory`)
    float temperature = 0;                   // °C (`bort`)
    float flux = 0;                          // W/m² (`borq`)

    bool operator==(const BorderFaceBcRecord&) const = default;
};

enum MaterialBcType : std::uint8_t { MATERIAL_TEMP = 0, MATERIAL_POWER = 1 };

// A fixed temperature or power density in the cells of one colour.
struct MaterialBcRecord {
    std::int16_t colour = -1;          // -1..255, -1 none (`matc`)
    std::uint8_t type = MATERIAL_TEMP; // MaterialBcType (`maty`)
    float temperature = 0;             // °C (`matt`)
    float power = 0;                   // power density, W/m³ (`matp`)

    bool operator==(const MaterialBcRecord&) const = default;
};

} // namespace common
