// The player's guess markers. They are notes on the surface only: no rule, turn, record or
// referee routine reads them, and setting them draws nothing but the markers.
#include "match/form1.h"

namespace velk {

void Form1::MARKER_Choose(int x, int y, int kind) {
    const EventScope event(*this, true);
    if (closed || curtain_ || !onBoard(x, y)) return;
    const int shown = markers_.kind[x][y];
    if (!markers_.set(x, y, kind == shown ? 0 : kind)) return;
    ports_.canvas.setMarkers(markers_);
}

void Form1::removeMarker(int x, int y) {
    const EventScope event(*this, true);
    if (closed || curtain_ || !onBoard(x, y) || markers_.kind[x][y] == 0) return;
    markers_.set(x, y, 0);
    ports_.canvas.setMarkers(markers_);
}

void Form1::removeLastMarker() {
    const EventScope event(*this, true);
    if (closed || curtain_ || markers_.empty()) return;
    const auto [x, y] = markers_.order.back();
    markers_.set(x, y, 0);
    ports_.canvas.setMarkers(markers_);
}

void Form1::MARKER_Delete() {
    const EventScope event(*this, true);
    if (closed) return;
    if (cursorVisible())
        removeMarker(cursorX_, cursorY_);
    else
        removeLastMarker();
}

void Form1::clearMarkers() {
    if (markers_.empty()) return;
    markers_.clear();
    ports_.canvas.setMarkers(markers_);
}

}  // namespace velk
