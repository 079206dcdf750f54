// The general settings: reset values, and the writer as the reader's inverse
// for every key, in range and out of it.
#include "gelmar/model/store/SettingKeys.h"

#include "ModelBuilder.h"
#include "gelmar/model/files/DataKeys.h"

#include <cmath>

namespace gelmar::test {
namespace {

using SettingKeysTest = EngineTest;

std::string KeyText(const SettingKey& s)
{
    return std::string(kDataKeys.substr(static_cast<std::size_t>(s.key) * kDataKeyLength, kDataKeyLength));
}

double Get(const ModelStore& m, const SettingValue& v)
{
    return v.integer ? m.*v.integer : m.*v.real;
}

void Set(ModelStore& m, const SettingValue& v, double value)
{
    if (v.integer)
        m.*v.integer = static_cast<std::int32_t>(value);
    else
        m.*v.real = static_cast<float>(value);
}

// A value in the range that differs from the reset value.
double ChangedValue(const SettingValue& v, double reset)
{
    if (v.range == SettingRange::ZeroOrOne)
        return reset == 0 ? 1 : 0;
    return reset + (v.integer ? 7 : 0.375);
}

// A value out of the range; none for a range that takes any number.
bool OutOfRange(SettingRange range, double& value)
{
    switch (range) {
    case SettingRange::Any:
        return false;
    case SettingRange::ZeroOrOne:
        value = 2;
        return true;
    case SettingRange::Positive:
        value = 0;
        return true;
    default:
        value = -1;
        return true;
    }
}

TEST_F(SettingKeysTest, ResetTakesConstantsAndParameterDefaults)
{
    // Defaults that differ from the built-in ones show which keys follow the
    // parameter file.
    ParameterSet p;
    p.grun = 0.01f;
    p.hrbl = 4.5f;
    p.rays = 33;
    p.qin2 = 9.0f;
    p.ccen = 0;
    ModelStore m;
    m.timeStep = 1;
    m.latitude = -12;
    m.gridUnit = 7;
    ResetModel(m, p);
    EXPECT_EQ(m.gridUnit, 0.01f);
    EXPECT_EQ(m.hrBlack, 4.5f);
    EXPECT_EQ(m.rays, 33);
    EXPECT_EQ(m.qin2, 9.0f);
    EXPECT_EQ(m.recalcCen, 0);
    EXPECT_EQ(m.timeStep, 600);
    EXPECT_EQ(m.calcDuration, 86400);
    EXPECT_EQ(m.latitude, 50.78f);
    EXPECT_EQ(m.viewAzimuth, 30.0f);
    EXPECT_EQ(m.saveFrequency, 1);

    // A new store holds the values of a reset with the built-in defaults.
    const ModelStore fresh;
    for (const SettingKey& s : SettingKeys())
        for (int i = 0; i < s.ValueCount(); ++i) {
            SCOPED_TRACE(KeyText(s));
            const SettingValue& v = s.values[static_cast<std::size_t>(i)];
            EXPECT_EQ(Get(fresh, v), SettingResetValue(v, ParameterSet{}));
        }
}

TEST_F(SettingKeysTest, EveryKeyReadsBackWhatWasWritten)
{
    for (const SettingKey& s : SettingKeys()) {
        SCOPED_TRACE(KeyText(s));
        // A reset model writes only the keys whose defaults come from the
        // parameter file.
        FreeModel(engine);
        ResetModel(engine);
        const std::string reset = FormatDataFile(engine.model);
        EXPECT_EQ(reset.find("\n" + KeyText(s)) != std::string::npos || reset.rfind(KeyText(s), 0) == 0,
                  s.write == SettingWrite::Always);

        // A changed value in range is written and read back exactly.
        for (int i = 0; i < s.ValueCount(); ++i) {
            const SettingValue& v = s.values[static_cast<std::size_t>(i)];
            Set(engine.model, v, ChangedValue(v, SettingResetValue(v, engine.parameters)));
        }
        const std::string changed = FormatDataFile(engine.model);
        ASSERT_NE(changed.find(KeyText(s)), std::string::npos);
        const ModelStore written = engine.model;
        FreeModel(engine);
        ResetModel(engine);
        ASSERT_TRUE(ReadText(changed)) << LastMessage();
        for (const SettingValue& v : s.values) {
            if (v.IsUsed()) {
                EXPECT_EQ(Get(engine.model, v), Get(written, v));
            }
        }
        // The older orientation keys alone are turned into the rotations
        // after reading, so their model writes the rotations too.
        if (s.key != kAzno && s.key != kAlno) {
            EXPECT_EQ(FormatDataFile(engine.model), changed);
        }
    }
}

TEST_F(SettingKeysTest, ValuesOutOfRangeAreNeitherWrittenNorRead)
{
    for (const SettingKey& s : SettingKeys()) {
        for (int i = 0; i < s.ValueCount(); ++i) {
            const SettingValue& v = s.values[static_cast<std::size_t>(i)];
            double bad = 0;
            if (!OutOfRange(v.range, bad))
                continue;
            SCOPED_TRACE(KeyText(s) + " value " + std::to_string(i));
            FreeModel(engine);
            ResetModel(engine);
            Set(engine.model, v, bad);
            EXPECT_EQ(FormatDataFile(engine.model).find(KeyText(s)), std::string::npos);

            // The same value in a file: a syntax error at its line, or the
            // reset value for a key that takes it in place of a bad value.
            std::string line = KeyText(s);
            for (int j = 0; j < s.ValueCount(); ++j) {
                const SettingValue& w = s.values[static_cast<std::size_t>(j)];
                line +=
                    (j ? " " : "") +
                    std::to_string(j == i ? bad : ChangedValue(w, SettingResetValue(w, engine.parameters)));
            }
            FreeModel(engine);
            ResetModel(engine);
            const bool read = ReadText("titl=x\n" + line + "\n");
            EXPECT_EQ(read, s.badValueResets);
            if (read) {
                EXPECT_EQ(Get(engine.model, v), SettingResetValue(v, engine.parameters));
            } else {
                EXPECT_NE(LastMessage().find("Line 2"), std::string::npos);
            }
        }
    }
}

} // namespace
} // namespace gelmar::test
