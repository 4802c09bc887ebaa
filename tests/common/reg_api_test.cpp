#include "common/reg_api.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/host_error.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway {
namespace {

namespace reg = platform;
using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;

constexpr char kSettingsKey[] = "Software\\Autodesk\\InventorSledway\\Settings";

class RegApi : public ::testing::Test {
 protected:
  std::string HiveText() const {
    std::ifstream in(home_.HiveFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The type and bytes of a stored value, read past CRegAPI.
  std::pair<std::uint32_t, Bytes> Stored(const std::string& key, const std::string& name) const {
    const reg::Hive hive = reg::ParseRegFile(HiveText());
    const reg::HiveKey* stored = hive.FindKey(key);
    const reg::HiveValue* value = stored == nullptr ? nullptr : stored->FindValue(name);
    if (value == nullptr) {
      ADD_FAILURE() << "no value " << name << " in " << key;
      return {};
    }
    return {value->type, value->data};
  }

  // Writes a value as another program might, bypassing CRegAPI.
  void StoreRaw(const std::string& name, std::uint32_t type, const Bytes& data) const {
    reg::HKEY key = nullptr;
    ASSERT_EQ(reg::RegCreateKeyExA(reg::HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, 0x3F,
                                   nullptr, &key, nullptr),
              reg::ERROR_SUCCESS);
    EXPECT_EQ(reg::RegSetValueExA(key, name.c_str(), 0, type, data.data(),
                                  static_cast<std::uint32_t>(data.size())),
              reg::ERROR_SUCCESS);
    reg::RegCloseKey(key);
  }

  test::ScopedConfigHome home_;
  CRegAPI api_;
};

TEST_F(RegApi, TheFirstRunReadsTheDefaultsAndWritesNothing) {
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top", 1000), RegValue(1000));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Left", 1000), RegValue(1000));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top"), RegValue());
  EXPECT_FALSE(std::filesystem::exists(home_.HiveFile().parent_path()));
}

TEST_F(RegApi, PositionsAreStoredAsRoundedIntegersUnderTheSettingsKey) {
  std::int32_t type = 0;
  api_.SaveSetting("Sledway", "Settings", "Top", 1234.5, type);
  EXPECT_EQ(type, 4);
  api_.SaveSetting("Sledway", "Settings", "Left", 1235.5);
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top", 1000), RegValue(1234));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Left", 1000), RegValue(1236));
  EXPECT_EQ(Stored(kSettingsKey, "Top"), std::make_pair(reg::REG_DWORD, Bytes{0xd2, 4, 0, 0}));

  // Left of or above the primary screen.
  api_.SaveSetting("Sledway", "Settings", "Top", -1234.5);
  api_.SaveSetting("Sledway", "Settings", "Left", -2.51);
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top", 1000), RegValue(-1234));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Left", 1000), RegValue(-3));

  api_.SaveSetting("Sledway", "Settings", "Top", 0.0f);
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top", 1000), RegValue(0));

  // Stored where earlier versions stored it: no backslash between base and application.
  EXPECT_THAT(HiveText(),
              HasSubstr("\n[HKEY_CURRENT_USER\\Software\\Autodesk\\InventorSledway"
                        "\\Settings]\n\"Top\"=dword:00000000\n\"Left\"=dword:fffffffd\n"));
  EXPECT_EQ(api_.QueryValue("Software\\Autodesk\\Inventor\\Sledway\\Settings", "Top"), RegValue());
  EXPECT_EQ(api_.QueryValue(kSettingsKey, "top"), RegValue(0));
}

TEST_F(RegApi, TextIsStoredAsANumberOnlyWhenItReadsAsOne) {
  std::int32_t type = 0;
  api_.SaveSetting("Sledway", "Settings", "Top", std::string(" 1500 "), type);
  EXPECT_EQ(type, 4);
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top"), RegValue(1500));

  for (const std::string text : {"12 mm", "1e", "+-1", "nan", "inf", "0x10"}) {
    type = 0;
    api_.SaveSetting("Sledway", "Settings", "Caption", text, type);
    EXPECT_EQ(type, 1) << text;
    EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Caption"), RegValue(text));
  }
  EXPECT_EQ(Stored(kSettingsKey, "Caption"),
            std::make_pair(reg::REG_SZ, Bytes{'0', 'x', '1', '0', 0}));

  // Text asked for as text stays text, and the window still finds the number in it.
  type = 1;
  api_.SaveSetting("Sledway", "Settings", "Left", 1500, type);
  const RegValue left = api_.GetSetting("Sledway", "Settings", "Left", 1000);
  EXPECT_EQ(left, RegValue(std::string("1500")));
  EXPECT_EQ(NumberIn(left), 1500.0);

  // Empty text reads as missing.
  api_.SaveSetting("Sledway", "Settings", "Left", std::string());
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Left", 1000), RegValue(1000));
}

TEST_F(RegApi, AValueThatDoesNotConvertChangesNothing) {
  api_.SaveSetting("Sledway", "Settings", "Top", 5);
  const std::string before = HiveText();
  const auto codeOf = [&](const RegValue& setting, std::int32_t type) {
    try {
      api_.SaveSetting("Other", "Settings", "Top", setting, type);
    } catch (const HostError& error) {
      EXPECT_THAT(error.what(), HasSubstr("\"Top\""));
      return error.Code();
    }
    return 0u;
  };
  EXPECT_EQ(codeOf(2147483647.5, 0), hresult::kOverflow);  // rounds to 2^31
  EXPECT_EQ(codeOf(-2147483648.5, 0), 0u);                 // rounds to -2^31, which fits
  EXPECT_EQ(codeOf(std::string("-3e9"), 0), hresult::kOverflow);
  EXPECT_EQ(codeOf(std::string("top"), 4), hresult::kInvalidArg);
  EXPECT_EQ(codeOf(12.0, 3), hresult::kInvalidArg);
  EXPECT_THAT(HiveText(), HasSubstr("InventorOther\\Settings]\n\"Top\"=dword:80000000\n"));
  api_.DeleteSetting("Other", "Settings");
  api_.DeleteSetting("Other", "");
  EXPECT_EQ(HiveText(), before);
}

TEST_F(RegApi, TextLosesOnlyATerminatingNul) {
  StoreRaw("WithNul", reg::REG_SZ, {'1', '5', '0', '0', 0});
  StoreRaw("WithoutNul", reg::REG_SZ, {'1', '5', '0', '0'});
  StoreRaw("OnlyNul", reg::REG_SZ, {0});
  StoreRaw("Nothing", reg::REG_SZ, {});
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "WithNul"), RegValue(std::string("1500")));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "WithoutNul"), RegValue(std::string("1500")));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "OnlyNul", 7), RegValue(7));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Nothing", 7), RegValue(7));

  const RegTable rows = api_.GetAllSettings("Sledway", "Settings");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], (std::vector<RegValue>{std::string("WithoutNul"), std::string("1500")}));
}

TEST_F(RegApi, OpenKeysReadAndWriteTheThreeTypes) {
  api_.CreateKey(kSettingsKey);
  reg::HKEY key = nullptr;
  ASSERT_EQ(reg::RegOpenKeyExA(reg::HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key),
            reg::ERROR_SUCCESS);
  EXPECT_EQ(api_.SetValueEx(key, "Bytes", 3, Bytes{0, 1, 255}), 0);
  EXPECT_EQ(api_.SetValueEx(key, "Text", 1, 2.5), 0);
  EXPECT_EQ(api_.SetValueEx(key, "Number", 4, std::string("-7")), 0);
  EXPECT_EQ(api_.SetValueEx(key, "Expandable", 2, std::string("x")), 0);  // writes nothing
  StoreRaw("Multi", 7, {'a', 0, 0});

  RegValue value = std::string("untouched");
  EXPECT_EQ(api_.QueryValueEx(key, "Expandable", value), 0);
  EXPECT_EQ(value, RegValue(std::string("untouched")));
  EXPECT_EQ(api_.QueryValueEx(key, "Multi", value), -1);
  EXPECT_EQ(api_.QueryValueEx(key, "Bytes", value), 0);
  EXPECT_EQ(value, RegValue(Bytes{0, 1, 255}));
  EXPECT_EQ(api_.QueryValueEx(key, "Text", value), 0);
  EXPECT_EQ(value, RegValue(std::string("2.5")));
  EXPECT_EQ(api_.QueryValueEx(key, "Number", value), 0);
  EXPECT_EQ(value, RegValue(-7));
  reg::RegCloseKey(key);
}

TEST_F(RegApi, SettingsAndSubkeysAreListedAndDeleted) {
  EXPECT_TRUE(api_.GetAllSettings("Sledway", "Settings").empty());
  EXPECT_TRUE(api_.GetAllKeys("Sledway").empty());
  api_.SaveSetting("Sledway", "Settings", "Top", 10);
  api_.SaveSetting("Sledway", "Settings", "Caption", std::string("x"));
  api_.SetKeyValue("Software\\Autodesk\\InventorSledway\\Recent", "Blob", Bytes{9}, 3);

  EXPECT_EQ(api_.GetAllSettings("Sledway", "Settings"),
            (RegTable{{std::string("Top"), 10}, {std::string("Caption"), std::string("x")}}));
  EXPECT_EQ(api_.GetAllSettings("Sledway", "Recent"), (RegTable{{std::string("Blob"), Bytes{9}}}));
  EXPECT_EQ(api_.GetAllKeys("Sledway"),
            (RegTable{{RegValue(), std::string("Recent"), std::string()},
                      {RegValue(), std::string("Settings"), std::string()}}));

  api_.DeleteSetting("Sledway", "Settings", "TOP");
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Top", 1000), RegValue(1000));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Caption"), RegValue(std::string("x")));
  api_.DeleteSetting("Sledway", "Settings");
  EXPECT_EQ(api_.GetAllKeys("Sledway"),
            (RegTable{{RegValue(), std::string("Recent"), std::string()}}));
  EXPECT_EQ(api_.GetSetting("Sledway", "Settings", "Caption"), RegValue());
}

}  // namespace
}  // namespace sledway
