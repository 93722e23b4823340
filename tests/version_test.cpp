// The version the build gives the packages is the one the banner shows.
#include "driver/game.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace realmsfall {
namespace {

TEST(Banner, ShowsTheVersionOfTheBuild) {
    std::ostringstream out;
    printBanner(out);
    EXPECT_THAT(out.str(),
                ::testing::EndsWith("\n\n                   (version " REALMSFALL_VERSION ")\n\n"));
}

} // namespace
} // namespace realmsfall
