// Error messages, the Esc check, temporary files and duration texts.
#include "gelmar/model/store/EngineServices.h"

#include "ModelFixture.h"
#include "common/core/ErrorCode.h"

namespace gelmar::test {
namespace {

using ServicesTest = ModelTest;

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
    common::ResetErrorCode();
    CheckEscAbort();
    EXPECT_EQ(host.progressSteps, 1);
    host.escPressed = true;
    EXPECT_THROW(CheckEscAbort(), common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ServicesTest, MessagesOfTheErrorCodes)
{
    g_model.sharedPath = "a/b.glm";
    EXPECT_EQ(ErrorMessage(kErrorMemory), "Not enough memory");
    EXPECT_EQ(ErrorMessage(kErrorFileOpen), "Failed to open file\na/b.glm");
    EXPECT_EQ(ErrorMessage(kErrorSyntax, 12), "Syntax error in file a/b.glm\nLine 12");
    ReportSyntaxError(4);
    EXPECT_EQ(LastMessage(), "Syntax error in file a/b.glm\nLine 4");
    EXPECT_EQ(Host().MessageBox("Continue calculation ?", MessageStyle::YesNo), MessageAnswer::Yes);
}

TEST_F(ServicesTest, TempFilesAreRemovedAndExistenceIsTested)
{
    WriteBytes("tmp.flx", "x");
    g_model.sharedPath = "tmp.flx";
    EXPECT_TRUE(FileExists());
    RemoveTempFiles();
    EXPECT_FALSE(FileExists());
    RemoveTempFiles(); // nothing there: no failure
}

} // namespace
} // namespace gelmar::test
