#include "ui/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk {
namespace {

// A press anywhere on a drawn square, as the window reports it (single precision), finds that
// square: its top-left edge belongs to it, its bottom-right edge to the next one.
TEST(Geometry, APressFindsTheSquareDrawnThere) {
    for (int g = -1; g <= 12; ++g) {
        EXPECT_EQ(columnAt(static_cast<float>(twipsX(g + 0.5))), g);
        EXPECT_EQ(rowAt(static_cast<float>(twipsY(g + 0.5))), g);
        EXPECT_EQ(columnAt(twipsX(g)), g);
        EXPECT_EQ(rowAt(twipsY(g)), g);
        EXPECT_EQ(columnAt(std::nextafter(twipsX(g + 1), -1e9)), g);
        EXPECT_EQ(rowAt(std::nextafter(twipsY(g + 1), -1e9)), g);
    }
    // The window's own corner lies left of the computer's hand and above row 0.
    EXPECT_EQ(columnAt(WINDOW_LEFT), -3);
    EXPECT_EQ(rowAt(WINDOW_TOP), -1);
}

TEST(Geometry, PressesFarOutsideTheWindowFindNoSquare) {
    EXPECT_EQ(columnAt(twipsX(-10)), -10);
    EXPECT_EQ(columnAt(twipsX(-10) - 1), 0);
    EXPECT_EQ(rowAt(twipsY(20.5)), 20);
    EXPECT_EQ(rowAt(twipsY(21)), 0);
    EXPECT_EQ(columnAt(-1e9), 0);
    EXPECT_EQ(rowAt(1e9), 0);
    EXPECT_EQ(columnAt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(rowAt(std::numeric_limits<double>::infinity()), 0);
}

// Texts placed in twips come back to the same twips when drawn at their grid position.
TEST(Geometry, GridAndTwipsConvertBothWays) {
    for (const double twips : {800.0, 3700.0, 6350.0, 100.0, 1050.0, -60.0}) {
        EXPECT_NEAR(twipsX(gridX(twips)), twips, 1e-9);
        EXPECT_NEAR(twipsY(gridY(twips)), twips, 1e-9);
    }
    EXPECT_EQ(twipsX(1), BOARD_LEFT + SQUARE_W);
    EXPECT_EQ(twipsY(9), BOARD_TOP + 9 * SQUARE_H);
    EXPECT_EQ(gridX(BOARD_LEFT), 0.0);
    EXPECT_EQ(gridY(BOARD_TOP + SQUARE_H), 1.0);
}

}  // namespace
}  // namespace velk
