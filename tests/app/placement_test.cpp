// Where the program's windows go: kept within the screen, and the tape on
// the side of the calculator where it fits.
#include "placement.h"

#include <gtest/gtest.h>

#include <QRect>

namespace {

const QRect Screen(0, 0, 1280, 800);

TEST(Placement, KeptWithinMovesAFrameOntoTheAreaWithoutResizingIt)
{
    struct Row
    {
        const char *Name;
        QRect Frame;
        QRect Kept;
    };
    const Row Rows[] = {
        {"inside", {100, 100, 200, 250}, {100, 100, 200, 250}},
        {"touching the right edge", {1080, 100, 200, 250}, {1080, 100, 200, 250}},
        {"over the right edge", {1079, 77, 222, 271}, {1058, 77, 222, 271}},
        {"over the bottom edge", {100, 700, 200, 250}, {100, 550, 200, 250}},
        {"left of and above the area", {-30, -5, 200, 250}, {0, 0, 200, 250}},
        {"larger than the area: its top-left corner inside",
         {500, 100, 1400, 900},
         {0, 0, 1400, 900}},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(KeptWithin(R.Frame, Screen), R.Kept);
    }
    // An area that does not start at 0 (a panel at the top, a second screen).
    EXPECT_EQ(KeptWithin({1900, 10, 200, 250}, {1280, 30, 800, 600}), QRect(1880, 30, 200, 250));
}

TEST(Placement, TheTapeOpensBesideTheWindowOnTheSideWhereItFits)
{
    struct Row
    {
        const char *Name;
        QRect Area;
        QRect Window;
        QRect Tape;
    };
    const QSize Tape(202, 226);
    const Row Rows[] = {
        {"room at the right", Screen, {50, 277, 192, 226}, {242, 277, 202, 226}},
        // The window moved to x = 1080 on a 1280-pixel screen.
        {"no room at the right: at the left", Screen, {1079, 77, 192, 226}, {877, 77, 202, 226}},
        {"exactly enough room at the right", Screen, {876, 77, 192, 226}, {1068, 77, 202, 226}},
        {"no room on either side: the side with more, kept on the screen",
         {0, 0, 500, 400},
         {120, 50, 192, 226},
         {298, 50, 202, 226}},
        {"the window low on the screen: the tape kept on it",
         Screen,
         {50, 700, 192, 226},
         {242, 574, 202, 226}},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const QRect Placed = TapeBeside(R.Window, Tape, R.Area);
        EXPECT_EQ(Placed, R.Tape);
        EXPECT_TRUE(R.Area.contains(Placed));
    }
}

} // namespace
