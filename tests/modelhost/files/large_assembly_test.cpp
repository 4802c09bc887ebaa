#include <gmock/gmock.h>

#include <string>

#include "../model_test_helpers.hpp"
#include "host/profiles.hpp"
#include "large_assembly_texts.hpp"
#include "modelhost/files/assembly_file.hpp"

namespace sledway::model {
namespace {

TEST(LargeAssembly, AHundredThousandComponentsLoadWholeAndInOrder) {
  constexpr int kCount = 100'000;
  const Ref<AssemblyDocument> document =
      LoadAssemblyText(test::ComponentsFile(kCount), "many.json", {});
  const auto& components = document->Components();
  ASSERT_EQ(components.size(), static_cast<std::size_t>(kCount));
  for (const int i : {0, 1, 54'321, kCount - 1}) {
    const std::string name = "c" + std::to_string(i);
    EXPECT_EQ(components[i]->Name(), name);
    EXPECT_EQ(document->FindComponent(name), components[i]);
    EXPECT_DOUBLE_EQ(components[i]->Placement().TranslationPart().X(), 0.2 * i);
  }
  EXPECT_EQ(document->FindComponent("c100000"), nullptr);

  // A name given again far down the list is still refused, pointing at both.
  std::string twice = test::ComponentsFile(kCount);
  twice.insert(twice.size() - 2, R"(, {"name": "c7", "part": "block"})");
  EXPECT_THAT([&] { LoadAssemblyText(twice, "twice.json", {}); },
              ::testing::ThrowsMessage<AssemblyFileError>(
                  "twice.json: /components/100000/name: duplicate component name 'c7' (first at "
                  "/components/7/name)"));
}

TEST(LargeAssembly, ALongShuffledChainJoinsWhole) {
  constexpr int kCount = 20'000;
  const Ref<AssemblyDocument> chain =
      LoadAssemblyText(test::ChainSketchFile(kCount), "chain.json", {});
  const Ref<IVProfile> open = chain->Sketch("chain")->GetProfiles()->AddOpenProfile();
  ASSERT_EQ(open->Count(), 1);
  EXPECT_EQ(open->Item(1)->Count(), kCount);
}

}  // namespace
}  // namespace sledway::model
