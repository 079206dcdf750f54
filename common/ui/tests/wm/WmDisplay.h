// The X server (with its window manager) that the tests of this executable
// run on.
#pragma once
#include "common/testing/TestDisplay.h"

namespace common::test {

common::testing::TestDisplay& WmDisplay();

} // namespace common::test
