# Writes OUTPUT: a C++ source defining sledway::model::SampleTexts() over the files
# SOURCE_DIR/<name>.json for each name in NAMES, in that order. Run with cmake -P.
set(delimiter "sample_json")
set(entries "")
foreach(name IN LISTS NAMES)
  file(READ ${SOURCE_DIR}/${name}.json text)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${name}.json holds the text )${delimiter}\" that ends the embedded string")
  endif()
  string(APPEND entries "    {\"${name}\", R\"${delimiter}(${text})${delimiter}\"},\n")
endforeach()
file(WRITE ${OUTPUT}
"// Generated from examples/*.json by examples/embed_samples.cmake when Sledway is built.
#include \"modelhost/files/sample_texts.hpp\"

namespace sledway::model {

namespace {

constexpr SampleText kSamples[] = {
${entries}};

}  // namespace

std::span<const SampleText> SampleTexts() { return kSamples; }

}  // namespace sledway::model
")
