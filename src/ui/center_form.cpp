#include "ui/center_form.hpp"

#include <QWidget>

namespace sledway {

void CenterForm(QWidget& form, const QRect& container) {
  const QSize size = form.frameGeometry().size();
  form.move(container.left() + (container.width() - size.width()) / 2,
            container.top() + (container.height() - size.height()) / 2);
}

}  // namespace sledway
