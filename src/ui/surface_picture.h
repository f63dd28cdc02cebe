// What the window surface shows, kept as a picture of its designed size rather than as a list of
// operations: every pixel remembers what was painted on it last (a piece face and the pixel's
// place in it, an outline colour, a fill, text over what lay beneath). Operations covered by
// later ones leave no trace, and operations that do not overlap may come in any order, so two
// surfaces that look alike give the same digest however they were drawn.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/geometry.h"
#include "ui/memory_surface_ports.h"
#include "ui/surface_ports.h"

namespace velk {

// FNV-1a, 64 bits: the same value on every platform and in every run.
class Fnv1a64 {
  public:
    void add(std::string_view bytes);
    // The eight bytes of a value, least significant first.
    void add(std::uint64_t value);
    std::uint64_t value() const { return h_; }
    // Sixteen lower-case hex digits.
    std::string hex() const;

  private:
    std::uint64_t h_ = 0xcbf29ce484222325ULL;
};

class SurfacePicture final : public Canvas {
  public:
    // The client area the layout was designed for, in whole pixels.
    static constexpr int WIDTH = CLIENT_WIDTH / TWIPS_PER_PIXEL;
    static constexpr int HEIGHT = (CLIENT_HEIGHT + TWIPS_PER_PIXEL - 1) / TWIPS_PER_PIXEL;

    SurfacePicture();

    void beginFullRedraw() override;
    void drawPicture(int picture, double gx, double gy) override;
    void drawOutline(int colour, double gx, double gy) override;
    void fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) override;
    void drawText(double gx, double gy, const std::string& text, int colour, int fontSize) override;
    void setMarkers(const GuessMarkers& markers) override;

    // Every pixel as it shows; what nothing has painted shows the last background's pattern.
    void addTo(Fnv1a64& hash) const;

  private:
    // How a painted pixel's value follows from the operation: the same everywhere (an outline,
    // a fill), by the pixel's place in the picture, by its place in the background pattern
    // that is laid from the grid's corner, or by its place in a text laid over what is there.
    enum class Mode { Flat, Relative, Pattern, Over };
    void paint(int left, int top, int width, int height, std::uint64_t base, Mode mode);

    // The background pattern's value at a pixel, from a table kept for the last code asked.
    std::uint64_t patternAt(int code, int x, int y) const;

    std::vector<std::uint64_t> pixels_;
    GuessMarkers markers_;
    int background_ = BACKGROUND_MIDORI;
    mutable std::vector<std::uint64_t> pattern_;
    mutable int patternCode_ = -1;
};

// The digest of everything the window shows: the surface, the record panel's visible controls
// with their texts and folder, and the menu's check marks.
std::string windowPictureDigest(const SurfacePicture& surface, const MemoryRecordPanel& panel,
                                const Menu& menu);

}  // namespace velk
