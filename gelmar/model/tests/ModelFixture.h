// What the model tests share: reading and writing small files in the test's
// working folder, and the code of the engine error a piece of work ends with.
#pragma once
#include "common/testing/TestFiles.h"
#include "gelmar/model/store/Errors.h"

#include <string>

namespace gelmar::test {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// The code of the engine error that work ends with (None when it returns);
// its message goes to *message when given.
template <typename Work> ErrorCode CaughtError(Work&& work, std::string* message = nullptr)
{
    try {
        work();
    } catch (const EngineError& e) {
        if (message)
            *message = e.Message();
        return e.Code();
    }
    return ErrorCode::None;
}

} // namespace gelmar::test
