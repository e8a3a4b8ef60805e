#include "console/shape.h"

#include <QPainter>
#include <QPen>

Shape::Shape(QWidget* parent) : QWidget(parent) {}

void Shape::set_fill_colour(QRgb rgb) {
    fill_ = rgb & 0xFFFFFFu;  // the colour alone, as 0xRRGGBB
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.0));
    painter.setBrush(QColor(fill_));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
