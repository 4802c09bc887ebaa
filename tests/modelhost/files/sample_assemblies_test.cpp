// The samples built into Sledway are the files of examples/ as they are now; the command line's
// tests run each of them along its path.
#include "modelhost/files/sample_assemblies.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../common/test_directory.hpp"

namespace sledway::model {
namespace {

TEST(SampleAssemblies, EveryExampleIsBuiltInAsItIsNow) {
  std::vector<std::string> names;
  for (const SampleAssembly& sample : SampleAssemblies()) {
    names.push_back(sample.name);
    EXPECT_EQ(sample.json, test::Read(SLEDWAY_SOURCE_DIR "/examples/" + sample.name + ".json"))
        << sample.name << " is out of date";
  }
  EXPECT_EQ(names, (std::vector<std::string>{"cart", "helix", "slot", "lift", "pass", "coil"}));
}

}  // namespace
}  // namespace sledway::model
