#pragma once

#include "ui/form/control.hpp"

namespace sledway {

// The keys a number box takes: the integer class keeps the digits and Backspace; the decimal
// class also keeps one point, while the box's text holds none yet.
enum class NumberKeys { kInteger, kDecimal };

// Selects the whole text of a text box, so that typing replaces it.
void SelectAllText(form::Control& ctl);

// Key filters of the number boxes, on a key's character code: a key they drop becomes 0. Escape
// is not theirs to drop: it closes the window from a number box as from anywhere else in it.
void FilterIntegerKey(form::Control& ctl, int& KeyAscii);
void FilterDecimalKey(form::Control& ctl, int& KeyAscii);

// Text that reaches a number box otherwise than by a typed key (pasted, dropped) passes the same
// filter character by character, each judged against the text it joins; what fails is dropped.
void FilterInsertion(NumberKeys keys, form::TextInsertion& insertion);

}  // namespace sledway
