#include "ui/image_view.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace ombrelune {

ImageView::ImageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ImgView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::setPicture(const ImagePicture* picture) {
    picture_ = picture;
    pictureChanged();
}

void ImageView::setZoom(double zoom, double aspect) {
    zoom_ = zoom;
    aspect_ = aspect;
    pictureChanged();
}

void ImageView::pictureChanged() {
    updateScrollBars();
    viewport()->update();
}

QSizeF ImageView::pictureSize() const {
    if (!picture_ || !picture_->levels) return {};
    return {picture_->levels->width * zoom_ * aspect_, picture_->levels->height * zoom_};
}

QPointF ImageView::pictureOffset() const {
    return {-double(horizontalScrollBar()->value()), -double(verticalScrollBar()->value())};
}

QPointF ImageView::pointAt(QPointF p) const {
    const QPointF offset = pictureOffset();
    return {(p.x() - offset.x()) / (zoom_ * aspect_), (p.y() - offset.y()) / zoom_};
}

void ImageView::updateScrollBars() {
    const QSizeF size = pictureSize();
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.width())) - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.height())) - visible.height()));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    if (!picture_ || !picture_->levels) return;
    p.setClipRect(event->rect());
    paintPicture(p, QRectF(pictureOffset(), pictureSize()), *picture_,
                 QRectF(0, 0, picture_->levels->width, picture_->levels->height));
}

void ImageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    Q_EMIT pressed(event->button(), pointAt(event->position()));
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT hovered(pointAt(event->position()));
}

void ImageView::keyPressEvent(QKeyEvent* event) {
    Q_EMIT keyPressed(event->key(), event->text());
}

ColourScaleStrip::ColourScaleStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ColorScale"));
    // Room for labels such as "-5E+002" beside the strip.
    setFixedWidth(88);
}

void ColourScaleStrip::setPicture(const ImagePicture* picture) {
    picture_ = picture;
    update();
}

void ColourScaleStrip::paintEvent(QPaintEvent*) {
    if (!picture_) return;
    QPainter p(this);
    // Room above and below for the top and bottom labels.
    paintColourScale(p, QRectF(rect()).adjusted(2, 8, -2, -8), *picture_);
}

} // namespace ombrelune
