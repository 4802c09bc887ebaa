// The samples built into Sledway are the files of examples/ as they are now; the command line's
// tests run each of them along its path.
#include "modelhost/files/sample_assemblies.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sledway::model {
namespace {

TEST(SampleAssemblies, EveryExampleIsBuiltInAsItIsNow) {
  std::vector<std::string> names;
  for (const SampleAssembly& sample : SampleAssemblies()) {
    names.push_back(sample.name);
    std::ifstream stream(SLEDWAY_SOURCE_DIR "/examples/" + sample.name + ".json");
    std::stringstream text;
    text << stream.rdbuf();
    EXPECT_EQ(sample.json, text.str()) << sample.name << " is out of date";
  }
  EXPECT_EQ(names, (std::vector<std::string>{"cart", "helix", "slot", "lift", "pass", "coil"}));
}

}  // namespace
}  // namespace sledway::model
