#pragma once

// The add-in's pictures as the host takes them: an IPictureDisp holding a bitmap.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace sledway::automation {

// The PNG `png` as a picture the host can show on a button, its transparent pixels on the
// colour of a button face; a HostError when the bytes are no picture.
Microsoft::WRL::ComPtr<IPictureDisp> PictureFromPng(const std::vector<std::uint8_t>& png);

}  // namespace sledway::automation
