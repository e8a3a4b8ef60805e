#pragma once
// A filled shape: the link lamp. Its fill colour is what the exchange cycle reads and
// writes, as 0xRRGGBB.

#include <QWidget>

class Shape final : public QWidget {
public:
    explicit Shape(QWidget* parent = nullptr);

    QRgb fill_colour() const { return fill_; }
    void set_fill_colour(QRgb rgb);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb fill_ = 0x808080;
};
