#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "modelhost/files/assembly_file.hpp"

namespace sledway::model {

// The message with which opening `json` (as the file "t.json") is refused, or "" after a test
// failure when it loads.
inline std::string Refusal(std::string_view json, const std::filesystem::path& baseDir = {}) {
  try {
    LoadAssemblyText(json, "t.json", baseDir);
  } catch (const AssemblyFileError& error) {
    return error.what();
  }
  ADD_FAILURE() << "the file loaded: " << json;
  return "";
}

}  // namespace sledway::model
