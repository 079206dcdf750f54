// Error messages, the Esc check, temporary files and duration texts.
#include "gelmar/model/store/EngineServices.h"

#include "ModelBuilder.h"
#include "gelmar/model/store/Errors.h"

namespace gelmar::test {
namespace {

using ServicesTest = EngineTest;

TEST(DurationText, FormatsDaysHoursMinutesSeconds)
{
    EXPECT_EQ(FormatTimeDHMS(90061), "0001:01:01:01");
    EXPECT_EQ(FormatTimeDHMS(0), "0000:00:00:00");
    EXPECT_EQ(FormatTimeDHMS(-5), "0000:00:00:00");
    EXPECT_EQ(FormatTimeDHMS(10000LL * 86400 + 59), "9999:00:00:59");
    EXPECT_EQ(ParseTimeDHMS("0001010101"), 90061);
    EXPECT_EQ(ParseTimeDHMS("0002000000"), 2 * 86400);
    EXPECT_EQ(ParseTimeDHMS(" 1 2 3 4"), 93784); // blanks before a field do not count
    EXPECT_EQ(ParseTimeDHMS("00010101"), 0);     // fewer than four numbers
    EXPECT_EQ(ParseTimeDHMS(""), 0);
}

TEST_F(ServicesTest, EscAbortsWithoutErrorCodeAndStepsProgressOtherwise)
{
    ClearPendingError();
    CheckEscAbort(Host());
    EXPECT_EQ(host.progressSteps, 1);
    host.escPressed = true;
    EXPECT_THROW(CheckEscAbort(Host()), EscAbort);
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ServicesTest, MessagesOfTheErrorCodes)
{
    EXPECT_EQ(EngineError::Memory().Message(), "Not enough memory");
    EXPECT_EQ(EngineError::FileOpen("a/b.glm").Message(), "Failed to open file\na/b.glm");
    EXPECT_EQ(EngineError::Syntax("a/b.glm", 12).Message(), "Syntax error in file a/b.glm\nLine 12");
    ReportSyntaxError(Host(), "a/b.glm", 4);
    EXPECT_EQ(LastMessage(), "Syntax error in file a/b.glm\nLine 4");
    EXPECT_EQ(Host().MessageBox("Continue calculation ?", MessageStyle::YesNo), MessageAnswer::Yes);
}

// Every code has its text, and an error keeps the values its message names.
TEST(EngineErrors, EachCodeHasItsMessageAndContext)
{
    const struct {
        EngineError error;
        ErrorCode code;
        const char* message;
    } cases[] = {
        {EngineError::Memory(), ErrorCode::Memory, "Not enough memory"},
        {EngineError::FileOpen("x.fte"), ErrorCode::FileOpen, "Failed to open file\nx.fte"},
        {EngineError::Syntax("x.fte", 7), ErrorCode::Syntax, "Syntax error in file x.fte\nLine 7"},
        {EngineError::CavityFault(ErrorCode::SeparatedZones, 3, {1, 2, 3, false, 4}),
         ErrorCode::SeparatedZones, "BC (colour 3) occurs in separated zones.\nSee X=1, Y=2, Z=3."},
        {EngineError::CavityFault(ErrorCode::DifferentBcTypes, 4, {0, 1, 1, true, 4}),
         ErrorCode::DifferentBcTypes,
         "BC (colour 4) touches other BC of different type.\nSee R=1, C=3, L=7."},
        {EngineError::CavityFault(ErrorCode::TransmatBesideVoid, 9, {0, 0, 1, false, 2}),
         ErrorCode::TransmatBesideVoid, "TRANSMAT (colour 9) bordering void space.\nSee X=0, Y=0, Z=1."},
        {EngineError::Bitmap(), ErrorCode::Bitmap, "Bitmap creation failed.\nBitmap size too large."},
        {EngineError::VentilationFlow(2), ErrorCode::VentilationFlow, "Syntax error in ventilation flow 2"},
        {EngineError::VentilationNetwork(), ErrorCode::VentilationNetwork, "Error in ventilation system"},
        {EngineError::SolarFunctions(), ErrorCode::SolarFunctions,
         "Solar radiation function (G01 or D01) not present"},
        {EngineError::SolarContact(5, 2), ErrorCode::SolarContact,
         "EQUIMAT (colour 5) touches solar zone (colour 2)"},
        {EngineError::Control(0), ErrorCode::Control, "Error in control no. 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.Code(), c.code);
        EXPECT_EQ(c.error.Message(), c.message);
        EXPECT_STREQ(c.error.what(), c.message);
    }
    EXPECT_EQ(EngineError::Syntax("x.fte", 7).Path(), "x.fte");
    EXPECT_EQ(EngineError::Syntax("x.fte", 7).Line(), 7);
    EXPECT_EQ(EngineError::CavityFault(ErrorCode::SeparatedZones, 3, {1, 2, 3, false, 4}).Colour(), 3);
    EXPECT_EQ(EngineError::Control(4).Item(), 4);
    // A path longer than any fixed buffer stays whole in its message.
    const std::string longPath(3000, 'p');
    EXPECT_EQ(EngineError::FileOpen(longPath).Message(), "Failed to open file\n" + longPath);
}

// The outcome of guarded work: the error it ended with becomes the pending
// code, Esc and a normal end leave the code alone, a failed allocation is
// error 1.
TEST(EngineErrors, GuardedWorkGivesItsOutcome)
{
    ClearPendingError();
    EXPECT_TRUE(RunGuarded([] {}).Normal());
    const WorkOutcome esc = RunGuarded([] { throw EscAbort{}; });
    EXPECT_EQ(esc.end, WorkOutcome::End::Esc);
    EXPECT_FALSE(esc.HasError());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    const WorkOutcome failed = RunGuarded([] { throw EngineError::Control(2); });
    EXPECT_EQ(failed.end, WorkOutcome::End::Failed);
    EXPECT_EQ(failed.Code(), ErrorCode::Control);
    EXPECT_EQ(failed.error->Message(), "Error in control no. 3");
    EXPECT_EQ(PendingErrorCode(), ErrorCode::Control);
    ClearPendingError();
    EXPECT_EQ(RunGuarded([] { throw std::bad_alloc(); }).Code(), ErrorCode::Memory);
    ClearPendingError();
}

TEST_F(ServicesTest, TempFilesAreRemovedAndExistenceIsTested)
{
    WriteBytes("tmp.flx", "x");
    EXPECT_TRUE(FileExists("tmp.flx"));
    RemoveTempFiles();
    EXPECT_FALSE(FileExists("tmp.flx"));
    RemoveTempFiles(); // nothing there: no failure
}

} // namespace
} // namespace gelmar::test
