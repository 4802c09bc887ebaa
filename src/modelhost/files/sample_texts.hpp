#pragma once

#include <span>
#include <string_view>

namespace sledway::model {

// The JSON text of one sample assembly of examples/, as it was when the program was built.
struct SampleText {
  std::string_view name;
  std::string_view json;
};

// Every sample, in the order examples/samples.cmake lists them. Defined in a source file the
// build generates from examples/*.json.
std::span<const SampleText> SampleTexts();

}  // namespace sledway::model
