#include "common/core/ErrorCode.h"

namespace common {

namespace {
int g_errorCode = 0;
}

int ErrorCode()
{
    return g_errorCode;
}
void SetErrorCode(int code)
{
    g_errorCode = code;
}
void ResetErrorCode()
{
    g_errorCode = 0;
}

void RaiseAbort()
{
    throw EscAbort{};
}

} // namespace common
