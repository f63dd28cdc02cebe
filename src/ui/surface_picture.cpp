#include "ui/surface_picture.h"

#include <algorithm>
#include <cmath>

#include "board/piece.h"
#include "ui/draw.h"
#include "ui/geometry.h"

namespace velk {

namespace {

// The pixel of the grid point (0, 0) and the size of a square in pixels.
constexpr int ORIGIN_X = BOARD_LEFT / TWIPS_PER_PIXEL;
constexpr int ORIGIN_Y = (BOARD_TOP + TWIPS_PER_PIXEL / 2) / TWIPS_PER_PIXEL;
constexpr int SQUARE_PX_W = SQUARE_W / TWIPS_PER_PIXEL;
constexpr int SQUARE_PX_H = SQUARE_H / TWIPS_PER_PIXEL;

enum : std::uint64_t { KIND_PICTURE = 1, KIND_BACKGROUND, KIND_OUTLINE, KIND_FILL, KIND_TEXT };

// A strong mix of two values (the finaliser of splitmix64 over their combination).
std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    std::uint64_t z = a ^ (b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t of(int v) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(v));
}

// 0 marks a pixel that nothing has painted.
std::uint64_t painted(std::uint64_t v) {
    return v == 0 ? 1 : v;
}

int toPixel(double twips) {
    return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL));
}

// Grid positions far off the surface are left alone rather than converted.
bool sane(double g) {
    return g > -1000.0 && g < 1000.0;
}

int floorMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

std::uint64_t backgroundAt(int code, int x, int y) {
    return painted(mix(mix(mix(KIND_BACKGROUND, of(code)), of(floorMod(x - ORIGIN_X, SQUARE_PX_W))),
                       of(floorMod(y - ORIGIN_Y, SQUARE_PX_H))));
}

}  // namespace

void Fnv1a64::add(std::string_view bytes) {
    for (const char ch : bytes) {
        h_ ^= static_cast<unsigned char>(ch);
        h_ *= 0x100000001b3ULL;
    }
}

void Fnv1a64::add(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
        h_ ^= (value >> (8 * i)) & 0xffu;
        h_ *= 0x100000001b3ULL;
    }
}

std::string Fnv1a64::hex() const {
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 0; i < 16; ++i)
        out[static_cast<std::size_t>(15 - i)] = DIGITS[(h_ >> (4 * i)) & 0xfu];
    return out;
}

SurfacePicture::SurfacePicture() : pixels_(static_cast<std::size_t>(WIDTH) * HEIGHT, 0) {}

void SurfacePicture::beginFullRedraw() {
    std::fill(pixels_.begin(), pixels_.end(), 0);
}

std::uint64_t SurfacePicture::patternAt(int code, int x, int y) const {
    if (code != patternCode_) {
        patternCode_ = code;
        pattern_.resize(static_cast<std::size_t>(SQUARE_PX_W) * SQUARE_PX_H);
        for (int py = 0; py < SQUARE_PX_H; ++py)
            for (int px = 0; px < SQUARE_PX_W; ++px)
                pattern_[static_cast<std::size_t>(py * SQUARE_PX_W + px)] =
                    backgroundAt(code, ORIGIN_X + px, ORIGIN_Y + py);
    }
    return pattern_[static_cast<std::size_t>(floorMod(y - ORIGIN_Y, SQUARE_PX_H) * SQUARE_PX_W +
                                             floorMod(x - ORIGIN_X, SQUARE_PX_W))];
}

void SurfacePicture::paint(int left, int top, int width, int height, std::uint64_t base,
                           Mode mode) {
    constexpr std::uint64_t STEP = 0x9e3779b97f4a7c15ULL;
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = std::min(WIDTH, left + width), y1 = std::min(HEIGHT, top + height);
    if (mode == Mode::Pattern) patternAt(static_cast<int>(base), 0, 0);  // fills the table
    for (int y = y0; y < y1; ++y) {
        std::uint64_t* row = &pixels_[static_cast<std::size_t>(y) * WIDTH];
        // One mix a row; along the row the pixel's place is stepped in.
        const std::uint64_t rowBase = mode == Mode::Flat ? base : mix(base, of(y - top));
        switch (mode) {
            case Mode::Flat:
                for (int x = x0; x < x1; ++x) row[x] = painted(base);
                break;
            case Mode::Relative:
                for (int x = x0; x < x1; ++x) row[x] = painted(rowBase + of(x - left) * STEP);
                break;
            case Mode::Pattern: {
                const std::uint64_t* pattern =
                    &pattern_[static_cast<std::size_t>(floorMod(y - ORIGIN_Y, SQUARE_PX_H)) *
                              SQUARE_PX_W];
                int px = floorMod(x0 - ORIGIN_X, SQUARE_PX_W);
                for (int x = x0; x < x1; ++x) {
                    row[x] = pattern[px];
                    if (++px == SQUARE_PX_W) px = 0;
                }
                break;
            }
            case Mode::Over:
                for (int x = x0; x < x1; ++x) {
                    const std::uint64_t under = row[x] != 0 ? row[x] : patternAt(background_, x, y);
                    row[x] = painted(mix(under, rowBase + of(x - left) * STEP));
                }
                break;
        }
    }
}

void SurfacePicture::drawPicture(int picture, double gx, double gy) {
    const bool background = isBackground(picture);
    if (!(picture == PICTURE_EMPTY_SQUARE || picture == PICTURE_TITLE || background ||
          isValidPiece(picture)))
        return;
    if (!sane(gx) || !sane(gy)) return;
    const int left = toPixel(twipsX(gx)), top = toPixel(twipsY(gy));
    if (background) {
        background_ = picture;
        paint(left, top, 34, SQUARE_PX_H, of(picture), Mode::Pattern);
    } else if (picture == PICTURE_TITLE) {
        paint(left, top, 118, 51, mix(KIND_PICTURE, of(picture)), Mode::Relative);
    } else {
        paint(left, top, SQUARE_PX_W, SQUARE_PX_H, mix(KIND_PICTURE, of(picture)), Mode::Relative);
    }
}

void SurfacePicture::drawOutline(int colour, double gx, double gy) {
    if (!sane(gx) || !sane(gy)) return;
    const int left = toPixel(twipsX(gx)), top = toPixel(twipsY(gy));
    const std::uint64_t v = mix(KIND_OUTLINE, of(colour));
    paint(left, top, SQUARE_PX_W + 1, 1, v, Mode::Flat);
    paint(left, top + SQUARE_PX_H, SQUARE_PX_W + 1, 1, v, Mode::Flat);
    paint(left, top, 1, SQUARE_PX_H + 1, v, Mode::Flat);
    paint(left + SQUARE_PX_W, top, 1, SQUARE_PX_H + 1, v, Mode::Flat);
}

void SurfacePicture::fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) {
    if (widthTwips < 0 || heightTwips < 0 || !sane(gx) || !sane(gy)) return;
    const int left = toPixel(twipsX(gx)), top = toPixel(twipsY(gy));
    // The far edge is filled too, as with a box drawn from corner to corner.
    paint(left, top, widthTwips / TWIPS_PER_PIXEL + 1, heightTwips / TWIPS_PER_PIXEL + 1,
          mix(KIND_FILL, of(colour)), Mode::Flat);
}

void SurfacePicture::drawText(double gx, double gy, const std::string& text, int colour,
                              int fontSize) {
    if (text.empty() || fontSize <= 0 || fontSize > 1000 || !sane(gx) || !sane(gy)) return;
    // The ink may reach a little above the line, past the estimated width and below the line.
    const double em = static_cast<double>(fontSize) * TWIPS_PER_POINT;
    const int left = toPixel(twipsX(gx)), top = toPixel(twipsY(gy) - 0.05 * em);
    const double widthPx =
        std::ceil((textWidthTwips(text, fontSize) + 0.25 * em) / TWIPS_PER_PIXEL);
    const int width = static_cast<int>(std::min(widthPx, 2.0 * WIDTH));
    const int height = static_cast<int>(std::ceil(1.3 * em / TWIPS_PER_PIXEL));
    Fnv1a64 h;
    h.add(text);
    h.add(of(colour));
    h.add(of(fontSize));
    paint(left, top, width, height, mix(KIND_TEXT, h.value()), Mode::Over);
}

void SurfacePicture::addTo(Fnv1a64& hash) const {
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const std::uint64_t v = pixels_[static_cast<std::size_t>(y) * WIDTH + x];
            hash.add(v != 0 ? v : patternAt(background_, x, y));
        }
    // The guess markers lie over every pixel as a layer of their own; a surface without any
    // gives the digest it gave before markers existed.
    if (markers_.empty()) return;
    hash.add(std::string_view("markers"));
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) hash.add(of(markers_.kind[x][y]));
}

void SurfacePicture::setMarkers(const GuessMarkers& markers) {
    markers_ = markers;
    // Only what shows counts: the order of placing is no part of the picture.
    markers_.order.clear();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (markers_.kind[x][y] != 0) markers_.order.emplace_back(x, y);
}

std::string windowPictureDigest(const SurfacePicture& surface, const MemoryRecordPanel& panel,
                                const Menu& menu) {
    Fnv1a64 h;
    surface.addTo(h);
    h.add(std::string_view(panel.drives ? "D" : "-"));
    h.add(std::string_view(panel.folders ? "F" : "-"));
    h.add(std::string_view(panel.files ? "L" : "-"));
    if (panel.drives || panel.folders || panel.files) {
        h.add(panel.folder());
        h.add(std::string_view("\0", 1));
    }
    h.add(std::string_view(panel.textPanel ? "T" : "-"));
    if (panel.textPanel) {
        for (int box = 1; box <= 4; ++box) {
            h.add(panel.text(box));
            h.add(std::string_view("\0", 1));
        }
    }
    for (const MenuItem item :
         {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3, MenuItem::KEIKA, MenuItem::BGM,
          MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU, MenuItem::RENGA})
        h.add(std::string_view(menu.isChecked(item) ? "1" : "0"));
    // Added after the others, and only when checked, so that every other picture keeps its hash.
    if (menu.isChecked(MenuItem::KOUSEI)) h.add(std::string_view("K"));
    return h.hex();
}

}  // namespace velk
