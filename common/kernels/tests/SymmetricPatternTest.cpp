// The matrix structure: every link kept however many a row has, stored once
// and found from either end, and bad links refused.
#include "common/kernels/SymmetricMatrix.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace kernels;

namespace {

SymmetricPattern FromLinks(Index rows, const std::vector<std::pair<Index, Index>>& links)
{
    return BuildSymmetricPattern(rows, rows,
                                 [&](auto&& link) {
                                     for (auto [a, b] : links)
                                         link(a, b);
                                 },
                                 {});
}

} // namespace

TEST(SymmetricPattern, RowWithManyLinksKeepsEveryCoupling)
{
    // Node 20 is linked to all 20 others: more than any fixed row size.
    std::vector<std::pair<Index, Index>> links;
    for (Index n = 0; n < 20; ++n)
        links.push_back(n % 2 ? std::pair{n, Index{20}} : std::pair{Index{20}, n});
    links.push_back({3, 7});
    SymmetricPattern p = FromLinks(21, links);
    EXPECT_EQ(p.LowerCount(), 21);
    for (auto [a, b] : links) {
        Index pos = p.Find(std::max(a, b), std::min(a, b));
        ASSERT_GE(pos, 0) << a << "-" << b;
        EXPECT_EQ(p.Columns()[pos], std::min(a, b));
    }
    SymmetricMatrix m(p);
    EXPECT_EQ(&m.Element(20, 3), &m.Element(3, 20));
    EXPECT_EQ(&m.Element(7, 3), &m.Element(3, 7));
}

TEST(SymmetricPattern, DuplicateAndSelfLinksAreStoredOnceOrNot)
{
    SymmetricPattern p = FromLinks(4, {{1, 0}, {0, 1}, {2, 2}, {3, 1}, {1, 3}, {3, 1}});
    EXPECT_EQ(p.LowerCount(), 2);
    ASSERT_EQ(p.LowerColumns(3).size(), 1u);
    EXPECT_EQ(p.LowerColumns(3)[0], 1);
    EXPECT_EQ(p.Find(2, 1), -1);
    EXPECT_EQ(p.Find(1, 1), -1);
    EXPECT_EQ(p.Find(0, 1), -1); // only the lower element is searched
    SymmetricMatrix m(p);
    EXPECT_THROW(m.Element(2, 0), std::logic_error);
}

TEST(SymmetricPattern, ColumnsAscendGridRowsFirst)
{
    SymmetricPattern p = BuildSymmetricPattern(5, 3,
                                               [](auto&& link) {
                                                   link(4, 2);
                                                   link(2, 1);
                                                   link(4, 0);
                                                   link(2, 0);
                                                   link(3, 1);
                                               },
                                               {});
    EXPECT_EQ(p.GridRowCount(), 3);
    EXPECT_EQ(p.GridLowerCount(), 2);
    std::vector<Column> row4(p.LowerColumns(4).begin(), p.LowerColumns(4).end());
    EXPECT_EQ(row4, (std::vector<Column>{0, 2}));
}

TEST(SymmetricPattern, RefusesLinksOutsideTheRowsOrNotCounted)
{
    EXPECT_THROW(FromLinks(3, {{0, 3}}), std::out_of_range);
    EXPECT_THROW(FromLinks(3, {{-1, 0}}), std::out_of_range);
    EXPECT_THROW(SymmetricPatternBuilder(3, 4), std::invalid_argument);
    SymmetricPatternBuilder builder(3, 3);
    builder.CountLink(0, 1);
    builder.BeginLinks();
    builder.AddLink(1, 0);
    EXPECT_THROW(builder.AddLink(2, 0), std::logic_error);
}

TEST(SymmetricPattern, NoRowsGivesAnEmptyMatrix)
{
    SymmetricPattern p = FromLinks(0, {});
    EXPECT_EQ(p.RowCount(), 0);
    EXPECT_EQ(p.LowerCount(), 0);
    SymmetricMatrix m(p);
    EXPECT_TRUE(m.Diagonal().empty());
}
