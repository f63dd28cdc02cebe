// The scripted window's surface picture counts the guess markers: they change its digest, a
// surface without any gives the digest it always gave, and a marker over a hidden computer
// piece gives the same picture as over an empty square.
#include <gtest/gtest.h>

#include "game/setup.h"
#include "ui/draw.h"
#include "ui/memory_surface_ports.h"
#include "ui/surface_picture.h"

namespace velk {
namespace {

std::string digest(const GameState& s, const GuessMarkers& markers) {
    SurfacePicture surface;
    MemoryMenu menu;
    MemoryRecordPanel panel;
    画面_再描画(s, surface, menu);
    surface.setMarkers(markers);
    return windowPictureDigest(surface, panel, menu);
}

TEST(MarkersPicture, MarkersShowInTheDigestAndHiddenPiecesDoNotChangeThem) {
    GameState s;
    loadDefaults(s);
    const std::string plain = digest(s, {});
    GuessMarkers m;
    m.set(5, 1, COM_OU);
    const std::string marked = digest(s, m);
    EXPECT_NE(marked, plain);
    m.set(5, 1, 0);
    EXPECT_EQ(digest(s, m), plain);

    // The computer's king moved from (5, 1) to (5, 2) behind the screen: the same picture,
    // with or without a marker on either square.
    GameState moved = s;
    moved.board[5][2] = COM_OU;
    moved.board[5][1] = EMPTY;
    EXPECT_EQ(digest(moved, {}), plain);
    GuessMarkers both;
    both.set(5, 1, COM_KIN);
    both.set(5, 2, COM_OU);
    EXPECT_EQ(digest(moved, both), digest(s, both));
}

}  // namespace
}  // namespace velk
