#pragma once

#include <filesystem>
#include <ostream>

namespace sledway::app {

// `sledway-desktop --register LIBRARY` and `--unregister LIBRARY`: calls the library's own
// DllRegisterServer or DllUnregisterServer. Returns the exit status (0 when done, 1 with a
// message naming the library on `err` otherwise). Needs no display.
int RegisterAddInLibrary(const std::filesystem::path& library, bool unregister, std::ostream& out,
                         std::ostream& err);

}  // namespace sledway::app
