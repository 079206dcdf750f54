// The solver's state reaches the calculation window's read-outs.
#include "common/kernels/SolverReadouts.h"

#include <gtest/gtest.h>

namespace {

class ReadoutHost : public common::NullHost<common::EngineHostBase> {
  public:
    void ShowSolverProgress(const common::SolverReadouts& r) override { shown.push_back(r.steps); }
    std::vector<int> shown;
};

TEST(SolverReadouts, TheStateIsCopiedAndShown)
{
    kernels::SolverState s;
    s.iterations = 12;
    s.largestChange = 0.5f;
    s.objectDivergence = 3.0f;
    s.nodeDivergence = 4.0f;
    common::SolverReadouts r;
    r.cycleChange = 7.0f;
    ReadoutHost host;
    kernels::ShowSolverReadouts(s, r, host);
    EXPECT_EQ(r.steps, 12);
    EXPECT_EQ(r.largestChange, 0.5f);
    EXPECT_EQ(r.objectDivergence, 3.0f);
    EXPECT_EQ(r.nodeDivergence, 4.0f);
    EXPECT_EQ(r.cycleChange, 7.0f) << "the cycle's change is the engine's own";
    EXPECT_EQ(host.shown, std::vector<int>{12});
}

} // namespace
