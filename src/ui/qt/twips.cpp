#include "ui/qt/twips.hpp"

#include <QWidget>
#include <cmath>

namespace sledway {

int TwipsToPixelsX(const QWidget& widget, double twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiX() / kTwipsPerInch));
}

int TwipsToPixelsY(const QWidget& widget, double twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiY() / kTwipsPerInch));
}

double PixelsToTwipsX(const QWidget& widget, int pixels) {
  return pixels * kTwipsPerInch / widget.logicalDpiX();
}

double PixelsToTwipsY(const QWidget& widget, int pixels) {
  return pixels * kTwipsPerInch / widget.logicalDpiY();
}

QRect TwipsRect(const QWidget& widget, double left, double top, double width, double height) {
  const int x = TwipsToPixelsX(widget, left);
  const int y = TwipsToPixelsY(widget, top);
  return QRect(x, y, TwipsToPixelsX(widget, left + width) - x,
               TwipsToPixelsY(widget, top + height) - y);
}

form::TwipsRect TwipsOf(const QWidget& widget, const QRect& pixels) {
  return form::TwipsRect{
      PixelsToTwipsX(widget, pixels.left()), PixelsToTwipsY(widget, pixels.top()),
      PixelsToTwipsX(widget, pixels.width()), PixelsToTwipsY(widget, pixels.height())};
}

}  // namespace sledway
