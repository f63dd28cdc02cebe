// The window's surface as the controller draws on it: every operation goes through to the real
// surface, and the canvas notes what may have painted over the marks the controller keeps on
// top (the last move, the keyboard cursor, the status line), so that they are drawn again only
// when something covered them.
#pragma once

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "ui/surface_ports.h"

namespace velk {

class OverlayCanvas final : public Canvas {
  public:
    explicit OverlayCanvas(Canvas& target) : target_(target) {}

    void beginFullRedraw() override {
        fullRedraw_ = true;
        target_.beginFullRedraw();
    }
    void drawPicture(int picture, double gx, double gy) override {
        // A square's picture covers whatever was drawn inside it; a background tile is as
        // wide as a square, so it may cover the status line or a hand square.
        if (gx == std::floor(gx) && gy == std::floor(gy))
            painted_.insert({static_cast<int>(gx), static_cast<int>(gy)});
        target_.drawPicture(picture, gx, gy);
    }
    void drawOutline(int colour, double gx, double gy) override {
        target_.drawOutline(colour, gx, gy);
    }
    void fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) override {
        target_.fillRect(gx, gy, widthTwips, heightTwips, colour);
    }
    void drawText(double gx, double gy, const std::string& text, int colour,
                  int fontSize) override {
        target_.drawText(gx, gy, text, colour, fontSize);
    }
    // The markers are drawn by the surface over everything else; they cover no mark.
    void setMarkers(const GuessMarkers& markers) override { target_.setMarkers(markers); }

    // Whether the square's picture (or a full redraw) was painted since the last forget().
    bool covered(int x, int y) const { return fullRedraw_ || painted_.count({x, y}) != 0; }
    // Whether anything was painted on a row since the last forget().
    bool rowCovered(int y) const {
        if (fullRedraw_) return true;
        for (const auto& [px, py] : painted_)
            if (py == y) return true;
        return false;
    }
    void forget() {
        fullRedraw_ = false;
        painted_.clear();
    }

  private:
    Canvas& target_;
    bool fullRedraw_ = false;
    std::set<std::pair<int, int>> painted_;
};

}  // namespace velk
