// The surfaces the drawing routines paint on and set: the window's drawing surface, the menu's
// check marks and the record panel. The Qt program implements them with real widgets, the
// scripted player in memory, and the tests as recorders.
#pragma once

#include <iterator>
#include <string>

#include "game/background.h"
#include "ui/geometry.h"
#include "ui/markers.h"

namespace velk {

// Picture codes for Canvas::drawPicture: a piece code shows its face (negative: the human's,
// pointing up the screen; positive: the computer's, pointing down), 0 an empty square, 1 the
// title art and the background codes (game/background.h) the background tiles. Whether a
// computer piece is hidden by the screen is decided before the call.
inline constexpr int PICTURE_EMPTY_SQUARE = 0;
inline constexpr int PICTURE_TITLE = 1;

// The window's drawing surface. Positions are grid units: (gx, gy) is the window point
// (twipsX(gx), twipsY(gy)) in twips (ui/geometry.h). Colours are indices of the 16-colour
// palette.
class Canvas {
  public:
    virtual ~Canvas() = default;
    // The whole surface is about to be painted again; what was drawn before may be dropped.
    virtual void beginFullRedraw() = 0;
    // A picture with its top-left corner at the grid point, one square in size (the title art
    // is 118 x 51 pixels at 15 twips a pixel, a background tile 34 x 41).
    virtual void drawPicture(int picture, double gx, double gy) = 0;
    // The unfilled rectangle from (gx, gy) to (gx + 1, gy + 1).
    virtual void drawOutline(int colour, double gx, double gy) = 0;
    // A filled rectangle with its top-left corner at the grid point, its size in twips.
    virtual void fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) = 0;
    // Text (UTF-8) with the top-left of its first line at the grid point.
    virtual void drawText(double gx, double gy, const std::string& text, int colour,
                          int fontSize) = 0;
    // The player's guess markers, shown translucent over the board above everything drawn,
    // until they are set again; a full redraw keeps them. A surface without them ignores this.
    virtual void setMarkers(const GuessMarkers& markers) { (void)markers; }
};

// Menu items whose check marks the game keeps.
enum class MenuItem {
    LEVEL1,
    LEVEL2,
    LEVEL3,
    KEIKA,
    BGM,
    MIDORI,
    TATAMI,
    TAKE,
    UCHU,
    RENGA,
    KOUSEI
};

// The background items, in the order of the background codes.
inline constexpr MenuItem BACKGROUND_ITEMS[] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE,
                                                MenuItem::UCHU, MenuItem::RENGA};
static_assert(std::size(BACKGROUND_ITEMS) == LAST_BACKGROUND - FIRST_BACKGROUND + 1);

// The menu item of a background code.
constexpr MenuItem backgroundItem(int code) {
    return BACKGROUND_ITEMS[code - FIRST_BACKGROUND];
}

class Menu {
  public:
    virtual ~Menu() = default;
    virtual void setChecked(MenuItem item, bool checked) = 0;
    virtual bool isChecked(MenuItem item) const = 0;
};

// The record panel: drive, folder and file lists, four labelled text boxes and RETURN.
class RecordPanel {
  public:
    virtual ~RecordPanel() = default;
    virtual void setListsVisible(bool drives, bool folders, bool files) = 0;
    // Shows Text1..Text4 with their labels and the button, or empties and hides them.
    virtual void setTextPanelVisible(bool visible) = 0;
    // Text1 (file name), Text2 (game title), Text3 (first player), Text4 (second player).
    virtual std::string text(int box) const = 0;
    virtual void setText(int box, const std::string& text) = 0;
    // The label of a box, by its text in the catalogue (the window shows it translated).
    virtual void setLabel(int box, const char* label) = 0;
    // The folder that writing and reading use (the file list's path).
    virtual std::string folder() const = 0;
    virtual void setFolder(const std::string& folder) = 0;
    // Re-reads the file list of the folder.
    virtual void refreshFiles() = 0;
};

}  // namespace velk
