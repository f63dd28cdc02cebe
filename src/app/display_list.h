// The window surface as a retained list of drawing operations. Operations are kept in grid
// units and twips, so the surface can be painted again at any size and stays sharp; a full
// redraw starts the list afresh, and operations hidden under later opaque ones are dropped.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/pictures.h"
#include "app/surface_geometry.h"
#include "match/ports.h"

namespace velk::app {

// The font of the surface's text at a pixel size.
QFont surfaceFont(int pixelSize);

class DisplayList final : public Canvas {
  public:
    enum class Kind : std::uint8_t { Picture, Outline, Fill, Text };
    struct Op {
        Kind kind = Kind::Picture;
        int code = 0;  // the picture code, or the colour
        int fontSize = 0;
        double gx = 0;
        double gy = 0;
        int widthTwips = 0;
        int heightTwips = 0;
        QString text;
        QRectF bounds;  // what the operation may touch, in twips
        bool opaque = false;
    };

    void beginFullRedraw() override;
    void drawPicture(int picture, double gx, double gy) override;
    void drawOutline(int colour, double gx, double gy) override;
    void fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) override;
    void drawText(double gx, double gy, const std::string& text, int colour, int fontSize) override;
    void setMarkers(const GuessMarkers& markers) override;

    const std::vector<Op>& ops() const { return ops_; }
    const GuessMarkers& markers() const { return markers_; }
    // The background drawn last (2..6), 0 before any.
    int background() const { return background_; }
    // Told the twips bounds of every new operation, and an empty rectangle when the whole
    // surface changes.
    void setListener(std::function<void(const QRectF&)> listener) {
        listener_ = std::move(listener);
    }
    // Gives the English of a surface label, so that a label's bounds hold it in either language.
    void setEnglish(std::function<QString(const QString&)> english) {
        english_ = std::move(english);
    }
    // Drops every operation that later opaque operations cover completely.
    void compact();

  private:
    void add(Op op);

    std::vector<Op> ops_;
    GuessMarkers markers_;
    std::size_t compactedSize_ = 0;
    int background_ = 0;
    std::function<void(const QRectF&)> listener_;
    std::function<QString(const QString&)> english_;
};

// A surface label (kept as its Japanese source) in the language installed now.
QString shownText(const QString& source);

// Paints the operations that touch the clip region (device pixels) at the given geometry, and
// the guess markers over them.
void paintSurface(QPainter& p, const DisplayList& list, const SurfaceGeometry& geometry,
                  PictureBook& pictures, const QRegion& clip);

}  // namespace velk::app
