// The drawing surface of the game window: paints the display list scaled to the widget and
// turns mouse presses into positions in twips.
#pragma once

#include <QWidget>
#include <functional>

#include "app/display_list.h"
#include "app/pictures.h"
#include "app/surface_geometry.h"

namespace velk::app {

class SurfaceWidget : public QWidget {
    Q_OBJECT

  public:
    explicit SurfaceWidget(QWidget* parent = nullptr);

    DisplayList& canvas() { return list_; }
    const DisplayList& canvas() const { return list_; }
    // The geometry at the widget's present size, in device pixels.
    const SurfaceGeometry& surfaceGeometry() const { return geometry_; }
    // The widget position (logical pixels) of a point given in twips, and back.
    QPointF twipsToWidget(double xTwips, double yTwips) const;
    QPointF widgetToTwips(QPointF widgetPos) const;
    // The surface painted into an image of the given size in device pixels.
    QImage render(QSize deviceSize);

    QSize sizeHint() const override;

  signals:
    void pressed(int button, int shift, float xTwips, float yTwips);
    // The size or pixel ratio changed; child controls follow the new geometry.
    void geometryChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateGeometry();
    void invalidate(const QRectF& twips);

    DisplayList list_;
    PictureBook pictures_;
    SurfaceGeometry geometry_;
    double ratio_ = 1.0;
};

}  // namespace velk::app
