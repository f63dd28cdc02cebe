#include "app/surface_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/geometry.h"

namespace velk::app {

SurfaceWidget::SurfaceWidget(QWidget* parent) : QWidget(parent) {
    // Three quarters of the designed size: squares stay about 24 x 30 pixels, large enough to
    // tell the pieces apart and to hit, and the record panel's controls keep their room.
    setMinimumSize(SurfaceGeometry::DESIGN_WIDTH * 3 / 4 / TWIPS_PER_PIXEL,
                   SurfaceGeometry::DESIGN_HEIGHT * 3 / 4 / TWIPS_PER_PIXEL);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    list_.setListener([this](const QRectF& twips) { invalidate(twips); });
    updateGeometry();
}

QSize SurfaceWidget::sizeHint() const {
    return QSize(SurfaceGeometry::DESIGN_WIDTH / TWIPS_PER_PIXEL,
                 SurfaceGeometry::DESIGN_HEIGHT / TWIPS_PER_PIXEL);
}

QPointF SurfaceWidget::twipsToWidget(double xTwips, double yTwips) const {
    return geometry_.twipsToDevice(xTwips, yTwips) / ratio_;
}

QPointF SurfaceWidget::widgetToTwips(QPointF widgetPos) const {
    return geometry_.deviceToTwips(widgetPos * ratio_);
}

void SurfaceWidget::updateGeometry() {
    ratio_ = devicePixelRatioF();
    const SurfaceGeometry next(width() * ratio_, height() * ratio_);
    if (next == geometry_) return;
    // Pictures are rendered for one size; a new size renders them afresh.
    if (next.squareWidth() != geometry_.squareWidth() ||
        next.squareHeight() != geometry_.squareHeight())
        pictures_.clear();
    geometry_ = next;
    emit geometryChanged();
}

void SurfaceWidget::invalidate(const QRectF& twips) {
    if (twips.isEmpty()) {
        update();
        return;
    }
    const QRect device = geometry_.deviceRectOfTwips(twips).adjusted(-2, -2, 2, 2);
    const QRectF logical(QPointF(device.topLeft()) / ratio_, QSizeF(device.size()) / ratio_);
    update(logical.toAlignedRect());
}

QImage SurfaceWidget::render(QSize deviceSize) {
    QImage img(deviceSize, QImage::Format_RGB32);
    const SurfaceGeometry geometry(deviceSize.width(), deviceSize.height());
    QPainter p(&img);
    if (geometry == geometry_) {
        paintSurface(p, list_, geometry, pictures_, QRegion(img.rect()));
    } else {
        PictureBook book;
        paintSurface(p, list_, geometry, book, QRegion(img.rect()));
    }
    return img;
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    if (devicePixelRatioF() != ratio_) {
        // Moved to a screen of another pixel ratio: everything is painted anew.
        updateGeometry();
        update();
    }
    QPainter p(this);
    // Work in device pixels so that squares and pictures land on whole pixels.
    p.scale(1.0 / ratio_, 1.0 / ratio_);
    QRegion clip;
    for (const QRect& r : event->region()) {
        const QRectF d(QPointF(r.topLeft()) * ratio_, QSizeF(r.size()) * ratio_);
        clip += d.toAlignedRect();
    }
    paintSurface(p, list_, geometry_, pictures_, clip);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = LEFT_BUTTON;
            break;
        case Qt::RightButton:
            button = RIGHT_BUTTON;
            break;
        case Qt::MiddleButton:
            button = MIDDLE_BUTTON;
            break;
        default:
            return;
    }
    int shift = 0;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::ShiftModifier) shift |= 1;
    if (mods & Qt::ControlModifier) shift |= 2;
    if (mods & Qt::AltModifier) shift |= 4;
    const QPointF twips = widgetToTwips(event->position());
    event->accept();
    emit pressed(button, shift, static_cast<float>(twips.x()), static_cast<float>(twips.y()));
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateGeometry();
}

}  // namespace velk::app
