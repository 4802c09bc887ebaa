// The bitmap goes to OLE's own picture object, the one the host's IPictureDisp arguments expect.
#include "automation/host_picture.hpp"

#include <string>

#include "host/host_error.hpp"
#include "platform/win32/png_bitmap.hpp"

namespace sledway::automation {
namespace {

[[noreturn]] void NoPicture(const char* why) {
  throw HostError(hresult::kInvalidArg, std::string("the button's icon ") + why);
}

}  // namespace

Microsoft::WRL::ComPtr<IPictureDisp> PictureFromPng(const std::vector<std::uint8_t>& png) {
  if (png.empty()) NoPicture("is empty");
  // Transparent pixels on the colour of a button face.
  HBITMAP bitmap = platform::BitmapFromPng(png, GetSysColor(COLOR_BTNFACE));
  if (bitmap == nullptr) NoPicture("is not a picture");
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  Microsoft::WRL::ComPtr<IPictureDisp> made;
  // The picture owns the bitmap from here and deletes it when the host lets go of it.
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                      reinterpret_cast<void**>(made.GetAddressOf())))) {
    DeleteObject(bitmap);
    NoPicture("cannot be handed to the host");
  }
  return made;
}

}  // namespace sledway::automation
