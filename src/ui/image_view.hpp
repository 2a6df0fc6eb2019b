#pragma once
// ImgView, the 2D view's picture: a scrollable area that draws the visible part of the
// picture at the view's zoom through the shared picture painter, and reports mouse presses,
// mouse moves and keys with positions in picture points. ColourScaleStrip draws the colour
// scale beside it.

#include "render/image_painter.hpp"

#include <QAbstractScrollArea>
#include <QWidget>

namespace ombrelune {

class ImageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    // The picture to draw (owned by the window; nullptr draws nothing).
    void setPicture(const ImagePicture* picture);
    // Screen pixels per point vertically, and `zoom · aspect` horizontally.
    void setZoom(double zoom, double aspect);
    double zoom() const { return zoom_; }
    // After the levels, colours or overlays changed.
    void pictureChanged();
    // Where the picture's top-left corner lies in the viewport, and its size on screen.
    QPointF pictureOffset() const;
    QSizeF pictureSize() const;
    // The position in points of a viewport point.
    QPointF pointAt(QPointF viewportPosition) const;

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPointF position);
    void hovered(QPointF position);
    void keyPressed(int key, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateScrollBars();

    const ImagePicture* picture_ = nullptr;
    double zoom_ = 1;
    double aspect_ = 1;
};

class ColourScaleStrip : public QWidget {
    Q_OBJECT
public:
    explicit ColourScaleStrip(QWidget* parent = nullptr);
    void setPicture(const ImagePicture* picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ImagePicture* picture_ = nullptr;
};

} // namespace ombrelune
