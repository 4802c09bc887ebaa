#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace sledway {

// Twips are 1/1440 of a logical inch: window sizes and positions are given in twips and
// converted with the screen's logical resolution, so the window keeps its proportions on a
// screen of any density.
inline constexpr double kTwipsPerInch = 1440.0;

int TwipsToPixelsX(const QWidget& widget, double twips);
int TwipsToPixelsY(const QWidget& widget, double twips);
double PixelsToTwipsX(const QWidget& widget, int pixels);
double PixelsToTwipsY(const QWidget& widget, int pixels);

// A rectangle given in twips, in pixels.
QRect TwipsRect(const QWidget& widget, double left, double top, double width, double height);

// Names a control of a window and places it at a rectangle given in twips.
template <class Control>
Control* Place(Control* control, const char* name, double left, double top, double width,
               double height) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(TwipsRect(*control, left, top, width, height));
  return control;
}

}  // namespace sledway
