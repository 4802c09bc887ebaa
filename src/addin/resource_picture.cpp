#include "addin/resource_picture.hpp"

#include <string>
#include <utility>

#include "host/host_error.hpp"
#include "platform/live_objects.hpp"

namespace sledway {

ResourcePicture::ResourcePicture(std::vector<std::uint8_t> png) : png_(std::move(png)) {
  ObjectCreated();
}

ResourcePicture::~ResourcePicture() {
  ObjectDestroyed();
}

Ref<IVPictureDisp> LoadIcon(form::FormFactory& faces, int number) {
  std::vector<std::uint8_t> png = faces.ButtonIconPng(number);
  if (png.empty()) {
    throw HostError(hresult::kFail, "the add-in has no icon " + std::to_string(number));
  }
  return std::make_shared<ResourcePicture>(std::move(png));
}

}  // namespace sledway
