#include "platform/mail_link.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace sledway::platform {

bool OpenMailLink(const std::string& address) {
  return QDesktopServices::openUrl(
      QUrl(QStringLiteral("mailto:") + QString::fromStdString(address)));
}

}  // namespace sledway::platform
