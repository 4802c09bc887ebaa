#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/form/twips_rect.hpp"

namespace sledway {

// Twips convert with the screen's logical resolution, so the window keeps its proportions on a
// screen of any density.
using form::kTwipsPerInch;

int TwipsToPixelsX(const QWidget& widget, double twips);
int TwipsToPixelsY(const QWidget& widget, double twips);
double PixelsToTwipsX(const QWidget& widget, int pixels);
double PixelsToTwipsY(const QWidget& widget, int pixels);

// A rectangle given in twips, in pixels.
QRect TwipsRect(const QWidget& widget, double left, double top, double width, double height);
// A rectangle in pixels, in twips.
form::TwipsRect TwipsOf(const QWidget& widget, const QRect& pixels);

// Names a control of a window and places it at a rectangle given in twips.
template <class Control>
Control* Place(Control* control, const char* name, double left, double top, double width,
               double height) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(TwipsRect(*control, left, top, width, height));
  return control;
}

}  // namespace sledway
