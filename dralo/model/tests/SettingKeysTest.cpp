// The key tables of the data file's settings and of "Dralo.prm": every key
// they hold is one the reader accepts, is written and is reset; the
// parameter file checks the ranges the data file checks; both files read
// back to the same values and the same bytes.
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/DataKeys.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/files/SettingKeys.h"
#include "dralo/model/tests/ModelFixture.h"

namespace dralo::test {
namespace {

class SettingKeysTest : public ModelTest {
  protected:
    ReadStatus Read(const std::string& text)
    {
        WriteBytes("model.drl", text);
        return ReadDataFile(model, "model.drl", ReadMode::Quiet, defaults, ".", host);
    }
};

// Every value of a table set to one its range accepts and its reset does
// not give.
template <class Record, class Defaults>
void ChangeAll(std::span<const common::KeyEntry<Record, Defaults>> table, Record& r, const Defaults& d)
{
    for (const auto& e : table)
        for (const auto& v : e.values)
            if (v.IsUsed()) {
                const double reset = v.ResetValue(d);
                v.Set(r, reset == 1 ? 0.5 + (v.real ? 0 : 1.5) : reset > 0 ? reset / 2 : 1);
                ASSERT_TRUE(v.Accepts(v.Get(r))) << e.key;
            }
}

template <class Record, class Defaults>
void ExpectReset(std::span<const common::KeyEntry<Record, Defaults>> table, const Record& r, const Defaults& d)
{
    for (const auto& e : table)
        for (const auto& v : e.values)
            if (v.IsUsed())
                EXPECT_EQ(v.Get(r), v.ResetValue(d)) << e.key;
}

template <class Record, class Defaults>
void ExpectReadAndWritten(std::span<const common::KeyEntry<Record, Defaults>> table, const std::string& bytes)
{
    for (const auto& e : table) {
        EXPECT_NE(kDataKeys.find(e.key), std::string_view::npos) << e.key << " is no key of the reader";
        EXPECT_NE(("\r\n" + bytes).find("\r\n" + std::string(e.key)), std::string::npos)
            << e.key << " is not written";
    }
}

TEST_F(SettingKeysTest, EveryDataSettingIsAReaderKeyAndIsWrittenAndReset)
{
    defaults.cycl = 7;
    defaults.lcgr = 4242;
    ChangeAll(CalcKeys(), model.calc, defaults);
    ChangeAll(DisplayKeys(), model.display, defaults);
    const ReportSettings constants;
    ChangeAll(ReportOptionKeys(), model.report, constants);
    ChangeAll(BorderUKeys(), model.report, constants);
    const std::string bytes = FormatDataFile(model, model.colours);
    ExpectReadAndWritten(CalcKeys(), bytes);
    ExpectReadAndWritten(DisplayKeys(), bytes);
    ExpectReadAndWritten(ReportOptionKeys(), bytes);
    ExpectReadAndWritten(BorderUKeys(), bytes);

    // Read back: the same settings and the same bytes.
    const BitmapModel written = model;
    WriteBytes("s.drl", bytes);
    ASSERT_EQ(ReadDataFile(model, "s.drl", ReadMode::Open, defaults, ".", host), ReadStatus::Read);
    EXPECT_EQ(model.calc, written.calc);
    EXPECT_EQ(model.display, written.display);
    EXPECT_EQ(model.report, written.report);
    EXPECT_EQ(FormatDataFile(model, model.colours), bytes);

    ResetModelForRead(model, defaults);
    ExpectReset(CalcKeys(), model.calc, defaults);
    ExpectReset(DisplayKeys(), model.display, defaults);
    ExpectReset(ReportOptionKeys(), model.report, constants);
    ExpectReset(BorderUKeys(), model.report, constants);
    EXPECT_EQ(model.calc.cycl, 7);
    EXPECT_EQ(model.display.crgr, 4242);
}

TEST_F(SettingKeysTest, OutOfRangeReportValuesAreSkippedAndBadNumbersAreErrors)
{
    ASSERT_EQ(Read("sid1=2\r\ndis1=0\r\nsid1=-1\r\nulfc=-2\r\nurfc=1.5\r\n"), ReadStatus::Read);
    EXPECT_EQ(model.report.sid1, 2);
    EXPECT_EQ(model.report.dis1, 1);
    EXPECT_EQ(model.report.ulfc, 0.0f);
    EXPECT_EQ(model.report.urfc, 1.5f);
    EXPECT_EQ(Read("sid1=x\r\n"), ReadStatus::SyntaxError);
    EXPECT_EQ(Read("sid1=1e20\r\n"), ReadStatus::SyntaxError) << "beyond the field's type";
}

TEST_F(SettingKeysTest, TheParameterFileChecksTheDataFilesRanges)
{
    const auto prm = ParameterKeys();
    for (const CalcKey& e : CalcKeys()) {
        const auto* p = common::FindKey(prm, e.key);
        ASSERT_NE(p, nullptr) << e.key;
        EXPECT_EQ(p->values[0].range, e.values[0].range) << e.key;
    }
    // A display setting's default is the parameter of its reset field.
    for (const DisplayKey& e : DisplayKeys()) {
        const auto& v = e.values[0];
        int found = 0;
        for (const auto& p : prm)
            if ((v.integerDefault && p.values[0].integer == v.integerDefault) ||
                (v.realDefault && p.values[0].real == v.realDefault)) {
                EXPECT_EQ(p.values[0].range, v.range) << e.key << " and " << p.key;
                ++found;
            }
        EXPECT_EQ(found, 1) << e.key;
    }
}

TEST_F(SettingKeysTest, TheParameterFileWritesEveryKeyAndReadsBackToTheSameBytes)
{
    ChangeAll(ParameterKeys(), defaults, ProgramParameters{});
    ASSERT_TRUE(WriteParameterFile(defaults, "."));
    const std::string bytes = ReadBytes("Dralo.prm");
    for (const auto& e : ParameterKeys())
        EXPECT_NE(bytes.find(std::string(e.key)), std::string::npos) << e.key;
    ProgramParameters back;
    ReadParameterFile(back, session, ".");
    EXPECT_EQ(back, defaults);
    EXPECT_EQ(FormatParameterFile(back), bytes);
    EXPECT_EQ(session.split.szcs, defaults.szcs);
}

} // namespace
} // namespace dralo::test
