#pragma once

#include <cstdint>
#include <vector>

#include "host/add_in_server.hpp"
#include "ui/form/form_factory.hpp"
#include "ui/form/picture_numbers.hpp"

namespace sledway {

// A picture of the add-in's own, handed to the host as PNG bytes. The host keeps it as long as
// it shows the button, and the picture's code lives in the add-in library: it counts among the
// library's live objects.
class ResourcePicture : public IVPictureDisp {
 public:
  explicit ResourcePicture(std::vector<std::uint8_t> png);
  ~ResourcePicture() override;
  ResourcePicture(const ResourcePicture&) = delete;
  ResourcePicture& operator=(const ResourcePicture&) = delete;

  std::vector<std::uint8_t> PngData() override { return png_; }

 private:
  std::vector<std::uint8_t> png_;
};

// The face's icon of that number (form::kIconStandard, form::kIconLarge); fails with a HostError
// when the face holds no such picture.
Ref<IVPictureDisp> LoadIcon(form::FormFactory& faces, int number);

}  // namespace sledway
