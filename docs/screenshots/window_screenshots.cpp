// Screenshots of the Win32 tool window and about window for the documentation, taken under Wine
// and Xvfb in the state the Qt screenshots show (docs/tool-window.png, docs/about-window.png):
//   cmake/wine-run.sh build/windows/wine-session
//       build/windows/docs/screenshots/window_screenshots.exe OUTPUT_DIR
// writes OUTPUT_DIR/tool-window-win32.bmp and about-window-win32.bmp (whole windows, frames
// included); convert them to PNG with ImageMagick's convert.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ui/form/picture_numbers.hpp"
#include "ui/frm_sledway_help.hpp"
#include "ui/win32/face.hpp"

namespace {

using sledway::form::Form;

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The window's pixels on the screen as a 24-bit BMP file.
bool Save(Form& window, const std::string& file) {
  const auto handle = reinterpret_cast<HWND>(window.NativeHandle());
  RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Pump();
  Sleep(300);  // X has the window's last drawing
  RECT rect;
  GetWindowRect(handle, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const std::string folder = argv[1];
  sledway::win32::Win32FormFactory face;

  std::unique_ptr<Form> tool = face.CreateForm(sledway::form::FormKind::kPath);
  tool->Move(300, 300);
  tool->Controls("txtSteps").Text("50");
  tool->Controls("txtReps").Text("1");
  tool->Controls("lblLength").Text("1,071.24 mm");
  tool->Controls("lblInc").Text("21.42 mm");
  tool->Controls("cmdSelect_0").Picture(sledway::form::kPictureSlotPicked);
  tool->Controls("cmdSelect_1").Picture(sledway::form::kPictureSlotPicked);
  tool->Controls("chkSelect_3").Enabled(true);
  for (const char* parameter : {"lift_height", "d0", "d1"}) {
    tool->Controls("cboParams").AddItem(parameter);
  }
  tool->Controls("cboParams").ListIndex(0);
  for (const char* name : {"lblFrom", "txtDriveFrom", "lblTo", "txtDriveTo"}) {
    tool->Controls(name).Enabled(true);
  }
  tool->Controls("txtDriveFrom").Text("20");
  tool->Controls("txtDriveTo").Text("30");
  tool->Show();
  tool->Controls("cmdControl_0").SetFocus();
  const bool toolSaved = Save(*tool, folder + "/tool-window-win32.bmp");
  tool->Hide();

  // The about window is modal: a timer takes its picture and closes it with its own button.
  static Form* about;
  static std::string aboutFile;
  static bool aboutSaved = false;
  sledway::frmSledwayHelp help(face);
  about = &help.Window();
  aboutFile = folder + "/about-window-win32.bmp";
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    aboutSaved = Save(*about, aboutFile);
    about->Controls("cmdClose").Click.Raise();
  });
  help.Show(0);
  return toolSaved && aboutSaved ? 0 : 1;
}
