// Where and how large a window opens, on desktops from 640 x 480 up.
#include "controls/windowgeometry.h"

#include <gtest/gtest.h>

using namespace vendara::windowgeometry;

TEST(WindowGeometry, firstOpenSize_neverExceedsTheRoomNorShrinksBelowTheLayoutElsewhere)
{
    const QSize room640 = roomOnScreen(QRect(0, 0, 640, 480), kFrameAllowance);
    EXPECT_EQ(room640, QSize(632, 448));
    // A window that asks for more than a small screen has gets the screen.
    EXPECT_EQ(firstOpenSize(QSize(800, 600), QSize(640, 480), room640), room640);
    // A minimum wider than the screen gives way to the screen as well.
    EXPECT_EQ(firstOpenSize(QSize(300, 200), QSize(650, 433), room640), QSize(632, 433));
    // On a large screen the layout decides, its minimum first.
    const QSize room1280 = roomOnScreen(QRect(0, 0, 1280, 1024), kFrameAllowance);
    EXPECT_EQ(firstOpenSize(QSize(800, 600), QSize(640, 480), room1280), QSize(800, 600));
    EXPECT_EQ(firstOpenSize(QSize(300, 200), QSize(650, 433), room1280), QSize(650, 433));
    // Nothing degenerates to an empty window.
    EXPECT_EQ(firstOpenSize(QSize(), QSize(), QSize(0, 0)), QSize(1, 1));
}

TEST(WindowGeometry, placement_centresOverTheOwnerButStaysOnScreen)
{
    const QRect screen(0, 0, 640, 480);
    EXPECT_EQ(placement(QSize(200, 100), QRect(0, 0, 640, 480), screen), QPoint(220, 190));
    // An owner near the right edge: the window is pushed back inside.
    EXPECT_EQ(placement(QSize(300, 200), QRect(500, 300, 140, 180), screen), QPoint(340, 280));
    // Larger than the screen: the top left corner stays reachable.
    EXPECT_EQ(placement(QSize(800, 600), QRect(), screen), QPoint(0, 0));
    // A second screen to the right keeps its own offset.
    EXPECT_EQ(placement(QSize(200, 100), QRect(), QRect(1280, 0, 640, 480)), QPoint(1500, 190));
}
