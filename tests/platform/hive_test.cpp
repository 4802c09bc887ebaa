#include "platform/hive.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace sledway::platform {
namespace {

using ::testing::ElementsAre;

TEST(Hive, SubkeysAreTheDirectChildrenOnly) {
  Hive hive;
  hive.CreateKey("a\\b\\c");
  hive.CreateKey("ab");  // shares the text "a" but is no child of it
  hive.CreateKey("A\\C");
  hive.CreateKey("a b");
  EXPECT_THAT(hive.SubkeyNames("a"), ElementsAre("b", "C"));
  EXPECT_THAT(hive.SubkeyNames(""), ElementsAre("a", "a b", "ab"));
  EXPECT_THAT(hive.SubkeyNames("a\\b\\c"), ElementsAre());

  EXPECT_EQ(hive.DeleteKey("a\\b"), DeleteKeyResult::kHasSubkeys);
  EXPECT_EQ(hive.DeleteKey("a\\x"), DeleteKeyResult::kMissing);
  EXPECT_EQ(hive.DeleteKey(""), DeleteKeyResult::kIsRoot);
  EXPECT_EQ(hive.DeleteKey("A\\B\\C"), DeleteKeyResult::kDeleted);
  EXPECT_EQ(hive.DeleteKey("a\\b"), DeleteKeyResult::kDeleted);
  EXPECT_THAT(hive.SubkeyNames("a"), ElementsAre("C"));
  EXPECT_EQ(hive.DeleteKey("ab"), DeleteKeyResult::kDeleted);
  EXPECT_NE(hive.FindKey("a b"), nullptr);
}

TEST(Hive, KeyPathsAndValueNamesThatTheFileCanHold) {
  EXPECT_TRUE(IsValidKeyPath(""));
  EXPECT_TRUE(IsValidKeyPath("Software\\Autodesk\\InventorSledway"));
  EXPECT_TRUE(IsValidKeyPath(std::string(255, 'k')));
  EXPECT_FALSE(IsValidKeyPath(std::string(256, 'k')));
  EXPECT_FALSE(IsValidKeyPath("\\Software"));
  EXPECT_FALSE(IsValidKeyPath("Software\\"));
  EXPECT_FALSE(IsValidKeyPath("a\\\\b"));
  EXPECT_FALSE(IsValidKeyPath("a\nb"));
  EXPECT_TRUE(IsValidValueName(""));
  EXPECT_TRUE(IsValidValueName("with \"quotes\" and \\"));
  EXPECT_FALSE(IsValidValueName("two\rlines"));
}

}  // namespace
}  // namespace sledway::platform
