#include "FAST.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

TEST(FAST, ZeroAndCopyTouchExactlyNFloats)
{
    std::vector<float> data{1.0f, 2.0f, 3.0f, 4.0f};
    FAST::Zero(2, data.data());
    EXPECT_EQ(data, (std::vector<float>{0.0f, 0.0f, 3.0f, 4.0f}));

    const std::vector<float> source{5.0f, 6.0f, 7.0f};
    FAST::Copy(3, source.data(), data.data());
    EXPECT_EQ(data, (std::vector<float>{5.0f, 6.0f, 7.0f, 4.0f}));
}

TEST(FAST, CountsOfZeroOrLessDoNothing)
{
    // A negative count must not turn into a huge unsigned size.
    std::vector<float> data{1.0f, 2.0f};
    const std::vector<float> source{8.0f, 9.0f};
    for (const int n : {0, -1, -1000})
    {
        FAST::Zero(n, data.data());
        FAST::Copy(n, source.data(), data.data());
        EXPECT_EQ(data, (std::vector<float>{1.0f, 2.0f})) << "n = " << n;
    }
}

} // namespace
