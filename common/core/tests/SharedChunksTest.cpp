// Records kept in chunks shared with an earlier copy: a copy gives the records
// back exactly, and shares every chunk but the ones an edit touched.
#include "common/core/SharedChunks.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

struct Record {
    int a;
    float b;
};

std::vector<int> Keys(const std::vector<Record>& v)
{
    std::vector<int> keys;
    for (const Record& r : v)
        keys.push_back(r.a);
    return keys;
}

TEST(SharedChunksTest, CopiesShareTheChunksAnEditLeftAlone)
{
    std::vector<Record> data(10);
    for (int i = 0; i < 10; ++i)
        data[static_cast<std::size_t>(i)] = {i, 0.5f * i};
    common::SharedChunks<Record, 4> first, second, third;
    first.Assign(data.data(), data.size(), nullptr);
    EXPECT_EQ(Keys(first.ToVector()), Keys(data));

    data[5].a = 50; // in the second chunk
    second.Assign(data.data(), data.size(), &first);
    EXPECT_EQ(Keys(second.ToVector()), Keys(data));
    EXPECT_EQ(second.SharedWith(first), 2u); // chunks 0 and 2
    EXPECT_EQ(Keys(first.ToVector())[5], 5); // the earlier copy keeps its records

    // A shorter array: the last chunk differs in size.
    third.Assign(data.data(), 9, &second);
    EXPECT_EQ(third.size(), 9u);
    EXPECT_EQ(third.SharedWith(second), 2u);
    std::vector<Record> out(9);
    third.CopyTo(out.data());
    EXPECT_EQ(out[8].a, 8);

    common::SharedChunks<Record, 4> empty;
    empty.Assign(nullptr, 0, &third);
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_TRUE(empty.ToVector().empty());
}

} // namespace
