// The window's geometry in twips, the grid the drawing routines and the mouse share, and the
// mouse buttons as the controller numbers them.
#pragma once

#include <cmath>

namespace velk {

// The designed window, frame included, and where its corner lies from the window point (0, 0).
inline constexpr int WINDOW_LEFT = -60;
inline constexpr int WINDOW_TOP = -60;
inline constexpr int WINDOW_WIDTH = 9000;
inline constexpr int WINDOW_HEIGHT = 8000;
// The client area the layout was designed for: the window less its frame, title bar and menu
// bar.
inline constexpr int CLIENT_WIDTH = 8880;
inline constexpr int CLIENT_HEIGHT = 7300;

inline constexpr int TWIPS_PER_PIXEL = 15;
inline constexpr int TWIPS_PER_POINT = 20;

// The grid: the window point of grid point (0, 0) and the size of one square. Board squares
// are columns and rows 1..9; the hands are columns -1 (the computer's) and 11 (the human's).
inline constexpr int BOARD_LEFT = 1050;
inline constexpr int BOARD_TOP = 100;
inline constexpr int SQUARE_W = 495;
inline constexpr int SQUARE_H = 615;

// Grid to twips.
constexpr double twipsX(double gx) {
    return BOARD_LEFT + gx * SQUARE_W;
}
constexpr double twipsY(double gy) {
    return BOARD_TOP + gy * SQUARE_H;
}

// Twips to grid.
constexpr double gridX(double xTwips) {
    return (xTwips - BOARD_LEFT) / SQUARE_W;
}
constexpr double gridY(double yTwips) {
    return (yTwips - BOARD_TOP) / SQUARE_H;
}

// The column or row whose square holds a grid position; 0 (no square, no hand) for anything
// far outside the window.
inline int gridIndex(double g) {
    const double index = std::floor(g);
    if (!(index >= -10.0 && index <= 20.0)) return 0;
    return static_cast<int>(index);
}
inline int columnAt(double xTwips) {
    return gridIndex(gridX(xTwips));
}
inline int rowAt(double yTwips) {
    return gridIndex(gridY(yTwips));
}

inline constexpr int LEFT_BUTTON = 1;
inline constexpr int RIGHT_BUTTON = 2;
inline constexpr int MIDDLE_BUTTON = 4;

}  // namespace velk
