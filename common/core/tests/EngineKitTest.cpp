// The engine kit: errors and their guard, the null host and the Esc check,
// key tables through the keyed-line writer and back, parameter files,
// temporary files and the driver's command line.
#include "common/core/ColourScale.h"
#include "common/core/DriverStartup.h"
#include "common/core/EngineHost.h"
#include "common/core/ParameterLines.h"
#include "common/core/TempFiles.h"
#include "common/core/WorkOutcome.h"
#include "common/testing/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

namespace {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

class KitTest : public ::testing::Test {
  protected:
    void SetUp() override { m_home = common::testing::EnterOwnFolder(); }
    void TearDown() override { std::filesystem::current_path(m_home); }

  private:
    std::filesystem::path m_home;
};

// A program's error type over the kit's, as every engine has one.
struct ProgramError : common::EngineError {
    explicit ProgramError(const common::EngineError& e) : common::EngineError(e) {}
};

TEST(EngineKitErrors, SharedCodesAndTheProgramsTables)
{
    const auto open = common::EngineError::FileOpen("/x/a.nvk");
    EXPECT_EQ(open.CodeValue(), common::kErrorFileOpen);
    EXPECT_EQ(open.Message(), "Failed to open file\n/x/a.nvk");
    EXPECT_EQ(open.Path(), "/x/a.nvk");
    const auto syntax = common::EngineError::Syntax("b.glm", 12);
    EXPECT_EQ(syntax.Message(), "Syntax error in file b.glm\nLine 12");
    EXPECT_EQ(syntax.Line(), 12);
    EXPECT_STREQ(common::EngineError::Memory().what(), "Not enough memory");

    constexpr common::ErrorMessage table[] = {{4, "BC (colour %d) in %s"}, {5, "plain"}};
    EXPECT_EQ(common::FormatError(table, 4, 17, "zone"), "BC (colour 17) in zone");
    EXPECT_EQ(common::FormatError(table, 5), "plain");
    EXPECT_EQ(common::FormatError(table, 9), "");
    // A long path is not cut.
    const std::string path(600, 'p');
    EXPECT_EQ(common::FormatError(table, 4, 1, path.c_str()).size(), 17 + 600); // "BC (colour 1) in " and the path
}

// A program's error over the kit's base of program errors.
struct DerivedError : common::ProgramError<DerivedError> {
    explicit DerivedError(const common::EngineError& e) : ProgramError(e) {}
};

TEST(EngineKitErrors, TheSharedFactoriesGiveTheProgramsType)
{
    const DerivedError open = DerivedError::FileOpen("a.drl");
    EXPECT_EQ(open.Message(), "Failed to open file\na.drl");
    const DerivedError syntax = DerivedError::Syntax("a.drl", 4);
    EXPECT_EQ(syntax.Line(), 4);
    EXPECT_EQ(DerivedError::Memory().CodeValue(), common::kErrorMemory);
}

TEST(EngineKitErrors, GuardTurnsEveryEndIntoAnOutcome)
{
    using Outcome = common::WorkOutcome<ProgramError>;
    const Outcome done = common::RunGuarded<ProgramError>([] {});
    EXPECT_TRUE(done.Normal());
    const Outcome esc = common::RunGuarded<ProgramError>([] { throw common::EscAbort{}; });
    EXPECT_TRUE(esc.Escaped());
    EXPECT_FALSE(esc.HasError());
    const Outcome failed = common::RunGuarded<ProgramError>([] { throw common::EngineError::Syntax("f", 3); });
    ASSERT_TRUE(failed.HasError());
    EXPECT_EQ(failed.error->Line(), 3);
    EXPECT_EQ(common::ResultOf(failed), common::CalcResult::Failed);
    // Memory that cannot be had, however the library says so, is error 1.
    const Outcome memory = common::RunGuarded<ProgramError>([] { std::vector<double>(std::size_t(-1) / 4); });
    ASSERT_TRUE(memory.HasError());
    EXPECT_EQ(memory.error->CodeValue(), common::kErrorMemory);
}

TEST(EngineKitHost, NullHostAnswersYesAndEscStopsTheLoop)
{
    common::NullHost<common::EngineHostBase> host;
    EXPECT_TRUE(host.Ask("Continue calculation ?"));
    host.Tell("done");
    EXPECT_EQ(host.MessageBox("ok?", common::MessageStyle::OkCancel), common::MessageAnswer::Ok);
    ASSERT_EQ(host.messages.size(), 3u);
    common::EscPoll poll(host, 2);
    for (int i = 0; i < 9; ++i)
        poll.Step();
    EXPECT_EQ(host.progressSteps, 3); // every third item polls
    host.escPressed = true;
    EXPECT_THROW(common::CheckEscAbort(host), common::EscAbort);
}

// A parameter record with the kinds of values the programs' files hold.
struct Params {
    float grun = 1.0f;
    std::int32_t rays = 100;
    float dtas = 10.0f;
    std::int32_t ccen = 1;
    float tmin = 0.0f;
    std::int32_t grep = 0; // an extra line, outside the table
    bool operator==(const Params&) const = default;
};
using Entry = common::KeyEntry<Params>;
using common::ValueRange;
const Entry kParams[] = {
    {"grun=", common::KeyWrite::Always, {common::RealValue<Params>(&Params::grun, ValueRange::Positive, 1.0)}},
    {"rays=", common::KeyWrite::Always, {common::IntValue<Params>(&Params::rays, ValueRange::AtLeastOne, 100)}},
    {"dtas=", common::KeyWrite::Always,
     {common::RealValue<Params>(&Params::dtas, ValueRange::NonNegative, 10.0, common::ValueForm::Fixed6)}},
    {"ccen=", common::KeyWrite::Always, {common::IntValue<Params>(&Params::ccen, ValueRange::ZeroOrOne, 1)}},
    {"tmin=", common::KeyWrite::WhenChanged, {common::RealValue<Params>(&Params::tmin)}},
};

TEST_F(KitTest, ParameterFileReadsWhatItWritesAndSkipsWhatItRefuses)
{
    Params p;
    p.grun = 0.1f;
    p.rays = 7;
    p.dtas = 2.5f;
    p.tmin = -3.0e-7f;
    p.grep = 5;
    ASSERT_TRUE(common::WriteParameterLines<Params>("P.prm", kParams, p, common::RealForm::GeneralExact,
                                                    [&](common::KeyedLineWriter& out) { out.Line("grep=", p.grep); }));
    EXPECT_EQ(ReadBytes("P.prm"), "grun=0.1\r\nrays=7\r\ndtas=2.500000\r\nccen=1\r\ntmin=-3e-07\r\ngrep=5\r\n");

    Params back;
    ASSERT_TRUE(common::ReadParameterLines<Params>("P.prm", kParams, back, "grep=",
                                                   [&](int key, const char* text) {
                                                       EXPECT_EQ(key, 0);
                                                       back.grep = std::atoi(text);
                                                   }));
    EXPECT_EQ(back, p);
    // The same bytes again.
    ASSERT_TRUE(common::WriteParameterLines<Params>("Q.prm", kParams, back, common::RealForm::GeneralExact,
                                                    [&](common::KeyedLineWriter& out) { out.Line("grep=", back.grep); }));
    EXPECT_EQ(ReadBytes("Q.prm"), ReadBytes("P.prm"));

    // Values beyond a field's type or range, and lines without a number or
    // key, are skipped; an integer key truncates; keys match in any case.
    WriteBytes("R.prm", "GRUN=1e38\nrays=12.9\ndtas=-1\nccen=2\ntmin=abc\nnone=5\ngrun=1e39\nrays=3e9\n");
    Params r;
    ASSERT_TRUE(common::ReadParameterLines<Params>("R.prm", kParams, r));
    EXPECT_EQ(r.grun, 1e38f);
    EXPECT_EQ(r.rays, 12);
    EXPECT_EQ(r.dtas, 10.0f);
    EXPECT_EQ(r.ccen, 1);
    EXPECT_EQ(r.tmin, 0.0f);
    EXPECT_FALSE(common::ReadParameterLines<Params>("missing.prm", kParams, r));
}

TEST(EngineKitKeys, DataLinesCheckResetAndWriteWhenChanged)
{
    Params defaults;
    Params r;
    const Entry& grun = kParams[0];
    EXPECT_FALSE(common::ReadKeyValues(grun, " 0", r, defaults));
    EXPECT_FALSE(common::ReadKeyValues(grun, " inf", r, defaults));
    EXPECT_TRUE(common::ReadKeyValues(grun, " 0.25 trailing", r, defaults));
    EXPECT_EQ(r.grun, 0.25f);
    Entry lenient = grun;
    lenient.badValueResets = true;
    EXPECT_TRUE(common::ReadKeyValues(lenient, " -1", r, defaults));
    EXPECT_EQ(r.grun, 1.0f);

    // A key written only when changed; a refused value is never written.
    common::KeyedLineWriter out;
    common::WriteKeyLine(out, kParams[4], r, defaults);
    r.tmin = 2;
    common::WriteKeyLine(out, kParams[4], r, defaults);
    r.grun = -1;
    common::WriteKeyLine(out, kParams[0], r, defaults);
    EXPECT_EQ(out.Bytes(), "tmin=2\r\n");

    common::ResetKeys<Params, Params>(kParams, r, defaults);
    EXPECT_EQ(r, defaults);
    EXPECT_EQ(common::KeyPosition("colr=type=grun=", "grun="), 2);
    EXPECT_NE((common::FindKey<Params, Params>(kParams, "RAYS=")), nullptr);
}

// Colour numbers as bytes, the bounded ranges, and checks on the value the
// field would hold rather than the number read.
struct Colours {
    std::uint8_t frame = 8;
    float fraction = 0.5f;
    float divergence = 1.0f;
    std::int32_t width = 1;
    float increment = 1.0f;
};
using ColourEntry = common::KeyEntry<Colours>;
const ColourEntry kColours[] = {
    {"cfrm=", common::KeyWrite::Always, {common::ByteValue<Colours>(&Colours::frame, 8)}},
    {"vwfc=", common::KeyWrite::Always, {common::RealValue<Colours>(&Colours::fraction, ValueRange::ZeroToOne)}},
    {"mxod=", common::KeyWrite::Always, {common::RealValue<Colours>(&Colours::divergence, ValueRange::ZeroTo300)}},
    {"wit1=", common::KeyWrite::Always, {common::IntValue<Colours>(&Colours::width, ValueRange::NonNegative)}},
    {"tin1=", common::KeyWrite::Always, {common::RealValue<Colours>(&Colours::increment, ValueRange::Positive)}},
};

TEST(EngineKitKeys, BytesBoundedRangesAndTheStoredValue)
{
    const Colours defaults;
    Colours r;
    const struct {
        int entry;
        const char* text;
        bool taken;
    } cases[] = {
        {0, " 255", true},   {0, " 255.9", true}, {0, " 256", false},  {0, " -1", false},
        {1, " 1", true},     {1, " 1.5", false},  {1, " -0.1", false}, {2, " 300", true},
        {2, " 300.5", false}, {3, " -0.5", true},  // truncated toward zero: 0 meets >= 0
        {4, " 1e-50", false}, // a positive number that the float holds as 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::ReadKeyValues(kColours[c.entry], c.text, r, defaults), c.taken) << c.text;
    EXPECT_EQ(r.frame, 255);
    EXPECT_EQ(r.width, 0);
    EXPECT_EQ(r.increment, 1.0f);
    common::KeyedLineWriter out;
    for (const ColourEntry& e : kColours)
        common::WriteKeyLine(out, e, r, defaults);
    EXPECT_EQ(out.Bytes(), "cfrm=255\r\nvwfc=1\r\nmxod=300\r\nwit1=0\r\ntin1=1\r\n");
    common::ResetKeys<Colours, Colours>(kColours, r, defaults);
    EXPECT_EQ(r.frame, 8);
}

TEST_F(KitTest, OptionalFilesAndTheColourScale)
{
    EXPECT_FALSE(common::ReadOptionalFile([] { throw common::EngineError::FileOpen("a.lay"); }));
    EXPECT_TRUE(common::ReadOptionalFile([] {}));
    EXPECT_THROW(common::ReadOptionalFile([] { throw common::EngineError::Syntax("a.lay", 2); }),
                 common::EngineError);

    common::ColourScale scale;
    WriteBytes("RainbowColor.rgb", "N 2\r\nC 0 0 255\r\nC 255 0 0\r\n");
    common::LoadProgramColourScale(".", false, scale);
    EXPECT_EQ(scale.entries.size(), 2u);
    WriteBytes("RainbowColor.rgb", "N 2\r\nC 0 0 255\r\nC 255 0\r\n");
    try {
        common::LoadProgramColourScale(".", false, scale);
        ADD_FAILURE() << "a bad line";
    } catch (const common::EngineError& e) {
        EXPECT_EQ(e.CodeValue(), common::kErrorSyntax);
        EXPECT_EQ(e.Line(), 3);
    }
    try {
        common::LoadProgramColourScale(".", true, scale);
        ADD_FAILURE() << "no gray scale";
    } catch (const common::EngineError& e) {
        EXPECT_EQ(e.CodeValue(), common::kErrorFileOpen);
        EXPECT_EQ(e.Path(), common::JoinPath(".", "RainbowGray.rgb"));
    }
}

TEST_F(KitTest, WriterKeepsFullPrecisionAndTheOldFileOnFailure)
{
    common::KeyedLineWriter out;
    out.Line("vals=", 0.1f, 1.0 / 3.0, -7, std::numeric_limits<float>::denorm_min());
    out.LongText("titl=", std::string(300, 'a') + "\nb");
    out.SaveOrThrow("d.txt");
    const std::string text = ReadBytes("d.txt");
    EXPECT_EQ(text.substr(0, text.find("titl=")), "vals=0.1 0.3333333333333333 -7 1e-45\r\n");
    EXPECT_NE(text.find(std::string(50, 'a') + "~b\r\n"), std::string::npos);

    // A folder where the file should go: nothing is written, the message
    // names the path, and no temporary file is left behind.
    std::filesystem::create_directory("folder");
    try {
        out.SaveOrThrow("folder");
        FAIL() << "no error";
    } catch (const common::EngineError& e) {
        EXPECT_EQ(e.Message(), "Failed to open file\nfolder");
    }
    EXPECT_TRUE(std::filesystem::is_directory("folder"));
    EXPECT_FALSE(std::filesystem::exists("folder.part"));
}

TEST_F(KitTest, TemporaryFilesOfTheNamedWorkingFolder)
{
    std::filesystem::create_directory("work");
    WriteBytes("work/tmp.sol", "x");
    WriteBytes("tmp.sol", "x");
    WriteBytes("model.sol", "y");
    EXPECT_EQ(common::SelectResultFile("work", "model.nvk", "tmp.sol", "sol"), "work/tmp.sol");
    common::RemoveTempFiles("work", {"tmp.sol", "tmp.flx"});
    EXPECT_FALSE(std::filesystem::exists("work/tmp.sol"));
    EXPECT_TRUE(std::filesystem::exists("tmp.sol")); // another folder's file stays
    EXPECT_EQ(common::SelectResultFile("work", "dir.v2/model", "tmp.sol", "sol"), "dir.v2/model.sol");
    EXPECT_EQ(common::SelectResultFile("work", "", "tmp.sol", "sol"), "");
    EXPECT_EQ(common::TempFilePath("", "tmp.vwf"), "tmp.vwf");
}

TEST(EngineKitDriver, CommandLines)
{
    struct Case {
        std::vector<const char*> argv;
        bool ok;
        bool calculate;
        const char* save;
    };
    const Case cases[] = {
        {{"x", "m.nvk"}, true, true, ""},
        {{"x", "--no-calc", "--save", "o.nvk", "m.nvk"}, true, false, "o.nvk"},
        {{"x"}, false, true, ""},
        {{"x", "a", "b"}, false, true, ""},
        {{"x", "--save"}, false, true, ""},
        {{"x", "--bad", "m"}, false, true, ""},
    };
    for (const Case& c : cases) {
        common::DriverArguments args;
        std::vector<char*> argv;
        for (const char* a : c.argv)
            argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(common::ParseDriverArguments(static_cast<int>(argv.size()), argv.data(), "x", args), c.ok);
        if (c.ok) {
            EXPECT_EQ(args.calculate, c.calculate);
            EXPECT_EQ(args.saveTo, c.save);
        }
    }
    char name[] = "x", file[] = "m";
    char* argv[] = {name, file};
    EXPECT_EQ(common::RunDriver(2, argv, "x", [](const common::DriverStart& s) {
                  EXPECT_FALSE(s.programFolder.empty());
                  throw common::EngineError::FileOpen(s.args.file);
                  return 0;
              }),
              common::kExitFailure);
    EXPECT_EQ(common::RunDriver(1, argv, "x", [](const common::DriverStart&) { return 0; }), common::kExitUsage);
    EXPECT_EQ(common::RunDriver(2, argv, "x", [](const common::DriverStart&) { return 0; }), common::kExitSuccess);
}

} // namespace
