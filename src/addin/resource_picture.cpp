#include "addin/resource_picture.hpp"

#include <QFile>
#include <QString>
#include <string>
#include <utility>

#include "addin/live_objects.hpp"
#include "host/host_error.hpp"

namespace sledway {

ResourcePicture::ResourcePicture(std::vector<std::uint8_t> png) : png_(std::move(png)) {
  ObjectCreated();
}

ResourcePicture::~ResourcePicture() {
  ObjectDestroyed();
}

Ref<IVPictureDisp> LoadIcon(int number) {
  QFile file(QStringLiteral(":/sledway/icons/%1.png").arg(number));
  if (!file.open(QIODevice::ReadOnly)) {
    throw HostError(hresult::kFail, "the add-in has no icon " + std::to_string(number));
  }
  const QByteArray bytes = file.readAll();
  return std::make_shared<ResourcePicture>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace sledway
