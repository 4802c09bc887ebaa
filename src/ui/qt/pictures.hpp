#pragma once

#include <QPixmap>

namespace sledway {

// The add-in's picture of that number (ui/form/picture_numbers.hpp), kept as a Qt resource; a
// null picture for a number the add-in does not have.
QPixmap Picture(int number);

}  // namespace sledway
