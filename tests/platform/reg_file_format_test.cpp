#include "platform/reg_file_format.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace sledway::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;

Bytes Text(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

TEST(RegFileFormat, EveryValueReadsBackExactlyAndThePersonCanReadIt) {
  Hive hive;
  hive.CreateKey("Software\\Sledway");
  HiveKey& key = *hive.FindKey("Software\\Sledway");
  key.SetValue("Left", 4, Bytes{0x18, 0xfc, 0xff, 0xff});  // -1000
  key.SetValue("Caption", 1, Text("say \"hi\" in C:\\temp \xe9t\xe9"));
  key.SetValue("", 1, Text("default"));
  key.SetValue("NoNul", 1, Bytes{'1', '5', '0', '0'});  // as another program may store it
  key.SetValue("Lines", 1, Text("one\r\ntwo"));
  key.SetValue("Short", 4, Bytes{1, 2});
  key.SetValue("name \"with\" \\ and ]", 1, Text("x"));
  Bytes big(300);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  key.SetValue("Big", 3, big);
  hive.FindKey("")->SetValue("AtRoot", 1, Text("root"));
  // Siblings that sort differently per component than as plain text.
  hive.CreateKey("a b");
  hive.CreateKey("a\\b]c \"q\"");
  hive.CreateKey("A\\z");

  const std::string file = FormatRegFile(hive);
  EXPECT_EQ(ParseRegFile(file), hive);

  EXPECT_TRUE(file.starts_with("REGEDIT4\n"));
  std::istringstream lines(file);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_THAT(file, HasSubstr("\n[HKEY_CURRENT_USER\\Software\\Sledway]\n"
                              "\"Left\"=dword:fffffc18\n"
                              "\"Caption\"=\"say \\\"hi\\\" in C:\\\\temp \xe9t\xe9\"\n"
                              "@=\"default\"\n"
                              "\"NoNul\"=hex(1):31,35,30,30\n"));
  // Parents before children, and "a" with its subkeys before its sibling "a b".
  const auto position = [&](const std::string& text) { return file.find(text); };
  EXPECT_LT(position("[HKEY_CURRENT_USER\\a]"), position("[HKEY_CURRENT_USER\\a\\b]c"));
  EXPECT_LT(position("[HKEY_CURRENT_USER\\a\\z]"), position("[HKEY_CURRENT_USER\\a b]"));
  EXPECT_LT(position("[HKEY_CURRENT_USER]"), position("[HKEY_CURRENT_USER\\Software]"));
}

TEST(RegFileFormat, ReadsWhatTheRegistryEditorWrites) {
  const Hive hive = ParseRegFile(
      "REGEDIT4\r\n"
      "\r\n"
      "; written by hand\r\n"
      "[HKEY_CURRENT_USER\\Software\\Sledway]\r\n"
      "\"Top\"=dword:000004D2\r\n"
      "@=\"x\"\r\n");
  // The key listed before its parent brings it along.
  ASSERT_NE(hive.FindKey("Software"), nullptr);
  EXPECT_EQ(hive.FindKey("Software\\Sledway")->Values(),
            (std::vector<HiveValue>{{"Top", 4, Bytes{0xD2, 4, 0, 0}}, {"", 1, Text("x")}}));
}

TEST(RegFileFormat, RejectsWhatItCannotReadNamingTheLine) {
  const std::string header = "REGEDIT4\n\n";
  const std::string key = "[HKEY_CURRENT_USER\\K]\n";
  const std::vector<std::pair<std::string, int>> cases = {
      {"", 0},
      {"Windows Registry Editor Version 5.00\n", 1},
      {header + "\"a\"=\"b\"\n", 3},
      {header + "[HKEY_LOCAL_MACHINE\\K]\n", 3},
      {header + "[HKEY_CURRENT_USER\\K\n", 3},
      {header + key + "\"a\"=\"b\\n\"\n", 4},
      {header + key + "\"a\"=dword:123456789\n", 4},
      {header + key + "\"a\"=hex:01,2g\n", 4},
      {header + key + "\"a\"=hex:01,\\\n  02\\\n", 5},
      {header + key + "garbage\n", 4},
  };
  for (const auto& [text, line] : cases) {
    try {
      ParseRegFile(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RegFormatError& error) {
      EXPECT_EQ(error.Line(), line) << text << " -> " << error.what();
      EXPECT_THAT(error.what(), ::testing::StartsWith("line " + std::to_string(line) + ": "));
    }
  }
}

TEST(RegFileFormat, AKeyManyLevelsDeepBringsEveryAncestorAndReadsBack) {
  constexpr int kDepth = 500;
  std::string path;
  for (int i = 0; i < kDepth; ++i) path += (i == 0 ? "k" : "\\k") + std::to_string(i);
  const Hive hive = ParseRegFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\" + path + "]\n\"a\"=\"b\"\n");
  EXPECT_EQ(hive.Keys().size(), static_cast<std::size_t>(kDepth) + 1);
  ASSERT_NE(hive.FindKey(path), nullptr);
  EXPECT_NE(hive.FindKey(path.substr(0, path.rfind('\\'))), nullptr);
  EXPECT_EQ(ParseRegFile(FormatRegFile(hive)), hive);
}

}  // namespace
}  // namespace sledway::platform
