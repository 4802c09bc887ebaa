#pragma once

#include <cstdint>
#include <vector>

#include "host/add_in_server.hpp"

namespace sledway {

// The command button's icons, kept as resources under their numbers: 101 and 102 (16 x 16).
inline constexpr int kIconStandard = 101;
inline constexpr int kIconLarge = 102;

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

// The icon of that number; fails with a HostError when the add-in holds no such picture.
Ref<IVPictureDisp> LoadIcon(int number);

}  // namespace sledway
