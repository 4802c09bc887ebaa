// Any bytes read as a STEP file either give shapes or are refused with a PlacedError; a crash or
// a hang of the translator costs only its child process, so nothing else may escape, crash,
// leak or take long here. The child gets less time than the reader gives it, and less than the
// fuzzer's own limit per input, so that a hang is what the reader makes of it: a refusal.
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/step_in_child.hpp"
#include "modelhost/files/step_translation.hpp"

namespace {

// The reader takes a path: each input is written to one file of this process's own.
class InputFile {
 public:
  InputFile() {
    std::string name =
        (std::filesystem::temp_directory_path() / "sledway-step-fuzz-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) std::abort();
    ::close(fd);
    path_ = name;
  }
  ~InputFile() { std::filesystem::remove(path_); }

  const std::filesystem::path& Write(const std::uint8_t* data, std::size_t size) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path_;
  }

 private:
  std::filesystem::path path_;
};

constexpr std::chrono::seconds kChildLimit{5};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static InputFile input;
  try {
    (void)sledway::model::ReadStepInChild(input.Write(data, size),
                                          sledway::model::TranslateStepFile, kChildLimit);
  } catch (const sledway::model::PlacedError&) {
  }
  return 0;
}
