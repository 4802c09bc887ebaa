// PNGs decoded with GDI+, which every Windows has; the bitmap then goes to OLE's own picture
// object, the one the host's IPictureDisp arguments expect.
#include "automation/host_picture.hpp"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ needs <objidl.h> first.
#include <gdiplus.h>

#include <memory>

#include "host/host_error.hpp"

namespace sledway::automation {
namespace {

// GDI+ started on first use and left running, as the add-in's windows leave it.
bool StartGdiPlus() {
  static const bool started = [] {
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

struct ReleaseStream {
  void operator()(IStream* stream) const { stream->Release(); }
};

[[noreturn]] void NoPicture(const char* why) {
  throw HostError(hresult::kInvalidArg, std::string("the button's icon ") + why);
}

}  // namespace

Microsoft::WRL::ComPtr<IPictureDisp> PictureFromPng(const std::vector<std::uint8_t>& png) {
  if (png.empty()) NoPicture("is empty");
  if (!StartGdiPlus()) NoPicture("cannot be decoded: GDI+ did not start");
  const std::unique_ptr<IStream, ReleaseStream> stream(
      SHCreateMemStream(png.data(), static_cast<UINT>(png.size())));
  if (!stream) NoPicture("cannot be read");
  Gdiplus::Bitmap picture(stream.get());
  if (picture.GetLastStatus() != Gdiplus::Ok) NoPicture("is not a picture");
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Gdiplus::Color background(255, GetRValue(face), GetGValue(face), GetBValue(face));
  HBITMAP bitmap = nullptr;
  if (picture.GetHBITMAP(background, &bitmap) != Gdiplus::Ok || bitmap == nullptr) {
    NoPicture("cannot be made into a bitmap");
  }
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
