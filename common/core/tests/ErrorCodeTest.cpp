#include "common/core/ErrorCode.h"

#include <gtest/gtest.h>

TEST(ErrorCode, SetAndResetAbortLeavesIt)
{
    common::ResetErrorCode();
    common::SetErrorCode(3);
    EXPECT_EQ(common::ErrorCode(), 3);
    EXPECT_THROW(common::RaiseAbort(), common::EscAbort);
    EXPECT_EQ(common::ErrorCode(), 3);
    common::ResetErrorCode();
    EXPECT_THROW(common::RaiseAbort(), common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 0);
}
