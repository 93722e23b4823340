#include "support.h"

#include <gtest/gtest.h>

namespace realmsfall {
namespace {

TEST(RandomGenerator, KnownSequences) {
    srand(1);
    for (const int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(rand(), expected);
    }
    srand(0);
    for (const int expected : {38, 7719, 21238, 2437, 8855}) {
        EXPECT_EQ(rand(), expected);
    }
}

TEST(RandomGenerator, DrawsSinceCountsSteps) {
    srand(5);
    const std::uint32_t before = randomState();
    EXPECT_EQ(testing::drawsSince(before), 0);
    rand();
    rand();
    rand();
    EXPECT_EQ(testing::drawsSince(before), 3);
}

} // namespace
} // namespace realmsfall
