#include "common/core/ErrorCode.h"

#include <gtest/gtest.h>

TEST(ErrorCode, RaiseSetsCodeAbortLeavesIt)
{
    common::ResetErrorCode();
    EXPECT_THROW(common::RaiseError(3), common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 3);
    common::ResetErrorCode();
    EXPECT_THROW(common::RaiseAbort(), common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 0);
}
