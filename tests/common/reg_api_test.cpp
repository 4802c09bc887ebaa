#include "common/reg_api.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/host_error.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway {
namespace {

namespace reg = platform;
using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;

constexpr char kSettingsKey[] = "Software\\Autodesk\\InventorSledway\\Settings";

class RegApi : public ::testing::Test {
 protected:
  RegValue Get(const std::string& name, const RegValue& fallback = RegValue()) const {
    return api_.GetSetting("Sledway", "Settings", name, fallback);
  }

  // The type SaveSetting chose.
  std::int32_t Save(const std::string& name, const RegValue& value, std::int32_t type = 0) const {
    api_.SaveSetting("Sledway", "Settings", name, value, type);
    return type;
  }

  test::ScopedConfigHome home_;
  CRegAPI api_;
};

TEST_F(RegApi, PositionsReadTheirDefaultsFirstThenAsRoundedIntegersUnderTheSettingsKey) {
  EXPECT_EQ(Get("Top", 1000), RegValue(1000));
  EXPECT_EQ(Get("Left", 1000), RegValue(1000));
  EXPECT_FALSE(std::filesystem::exists(home_.HiveFile().parent_path()));

  EXPECT_EQ(Save("Top", 1234.5), 4);
  Save("Left", 1235.5);
  EXPECT_EQ(Get("Top", 1000), RegValue(1234));
  EXPECT_EQ(Get("Left", 1000), RegValue(1236));
  // Left of or above the primary screen.
  Save("Top", -1234.5);
  Save("Left", -2.51);
  EXPECT_EQ(Get("Top", 1000), RegValue(-1234));
  EXPECT_EQ(Get("Left", 1000), RegValue(-3));
  Save("Top", 0.0f);
  EXPECT_EQ(Get("Top", 1000), RegValue(0));

  // Stored where earlier versions stored it: no backslash between base and application.
  EXPECT_THAT(home_.HiveText(),
              HasSubstr("\n[HKEY_CURRENT_USER\\Software\\Autodesk\\InventorSledway"
                        "\\Settings]\n\"Top\"=dword:00000000\n\"Left\"=dword:fffffffd\n"));
  EXPECT_EQ(api_.QueryValue("Software\\Autodesk\\Inventor\\Sledway\\Settings", "Top"), RegValue());
  EXPECT_EQ(api_.QueryValue(kSettingsKey, "top"), RegValue(0));
}

TEST_F(RegApi, TextIsStoredAsANumberOnlyWhenItReadsAsOne) {
  EXPECT_EQ(Save("Top", " 1500 "s), 4);
  EXPECT_EQ(Get("Top"), RegValue(1500));
  for (const std::string text : {"12 mm", "1e", "+-1", "nan", "inf", "0x10"}) {
    EXPECT_EQ(Save("Caption", text), 1) << text;
    EXPECT_EQ(Get("Caption"), RegValue(text));
  }
  EXPECT_THAT(home_.HiveText(), HasSubstr("\n\"Caption\"=\"0x10\"\n"));  // with its NUL

  // Text asked for as text stays text, and the window still finds the number in it.
  Save("Left", 1500, 1);
  EXPECT_EQ(Get("Left", 1000), RegValue("1500"s));
  EXPECT_EQ(NumberIn(Get("Left")), 1500.0);
  Save("Left", ""s);  // empty text reads as missing
  EXPECT_EQ(Get("Left", 1000), RegValue(1000));
}

TEST_F(RegApi, AValueThatDoesNotConvertChangesNothing) {
  Save("Top", 5);
  const std::string before = home_.HiveText();
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
  EXPECT_EQ(codeOf("-3e9"s, 0), hresult::kOverflow);
  EXPECT_EQ(codeOf("top"s, 4), hresult::kInvalidArg);
  EXPECT_EQ(codeOf(12.0, 3), hresult::kInvalidArg);
  EXPECT_THAT(home_.HiveText(), HasSubstr("InventorOther\\Settings]\n\"Top\"=dword:80000000\n"));
  api_.DeleteSetting("Other", "Settings");
  api_.DeleteSetting("Other", "");
  EXPECT_EQ(home_.HiveText(), before);
}

TEST_F(RegApi, OpenKeysReadWhatOtherProgramsStoredAndTextLosesOnlyATerminatingNul) {
  api_.CreateKey(kSettingsKey);
  reg::HKEY key = nullptr;
  ASSERT_EQ(reg::RegOpenKeyExA(reg::HKEY_CURRENT_USER, kSettingsKey, 0, 0x3F, &key), 0);
  const auto storeRaw = [&](const char* name, std::uint32_t type, const Bytes& data) {
    reg::RegSetValueExA(key, name, 0, type, data.data(), static_cast<std::uint32_t>(data.size()));
  };
  storeRaw("WithNul", reg::REG_SZ, {'1', '5', '0', '0', 0});
  storeRaw("WithoutNul", reg::REG_SZ, {'1', '5', '0', '0'});
  storeRaw("Multi", 7, {'a', 0, 0});
  EXPECT_EQ(Get("WithNul"), RegValue("1500"s));
  EXPECT_EQ(Get("WithoutNul"), RegValue("1500"s));
  EXPECT_EQ(
      api_.GetAllSettings("Sledway", "Settings"),
      (RegTable{{"WithNul"s, "1500"s}, {"WithoutNul"s, "1500"s}, {"Multi"s, Bytes{'a', 0, 0}}}));
  reg::RegCloseKey(key);
}

TEST_F(RegApi, SettingsAndSubkeysAreListedAndDeleted) {
  Save("Top", 10);
  Save("Caption", "x"s);
  api_.SetKeyValue("Software\\Autodesk\\InventorSledway\\Recent", "Blob", Bytes{9}, 3);
  EXPECT_EQ(api_.GetAllSettings("Sledway", "Settings"),
            (RegTable{{"Top"s, 10}, {"Caption"s, "x"s}}));
  EXPECT_EQ(api_.GetAllSettings("Sledway", "Recent"), (RegTable{{"Blob"s, Bytes{9}}}));
  EXPECT_EQ(api_.GetAllKeys("Sledway"),
            (RegTable{{RegValue(), "Recent"s, ""s}, {RegValue(), "Settings"s, ""s}}));

  api_.DeleteSetting("Sledway", "Settings", "TOP");
  EXPECT_EQ(Get("Top", 1000), RegValue(1000));
  EXPECT_EQ(Get("Caption"), RegValue("x"s));
  api_.DeleteSetting("Sledway", "Settings");
  EXPECT_EQ(api_.GetAllKeys("Sledway"), (RegTable{{RegValue(), "Recent"s, ""s}}));
  EXPECT_EQ(Get("Caption"), RegValue());
}

TEST_F(RegApi, ACorruptHiveIsMovedAsideAndReportedAndTheDefaultsServe) {
  Save("Top", 1234);
  const std::string garbage = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\n\"Top\"=dword:1\n";
  std::ofstream(home_.HiveFile(), std::ios::trunc) << garbage;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Get("Top", 1000), RegValue(1000));
  EXPECT_EQ(Get("Left", 1000), RegValue(1000));
  const std::string report = ::testing::internal::GetCapturedStderr();
  const std::vector<std::filesystem::path> aside = home_.Beside(".corrupt-");
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(test::Read(aside[0]), garbage);
  EXPECT_FALSE(std::filesystem::exists(home_.HiveFile()));
  EXPECT_THAT(report, HasSubstr(home_.HiveFile().string()));
  EXPECT_THAT(report, HasSubstr(aside[0].string()));
  EXPECT_THAT(report, HasSubstr("line 3"));
  // The next write makes a clean file holding that one value.
  Save("Top", 777);
  EXPECT_EQ(reg::ParseRegFile(home_.HiveText()).FindKey(kSettingsKey)->Values(),
            (std::vector{reg::HiveValue{"Top", 4, {0x09, 0x03, 0, 0}}}));

  // A second bad file within the same second must not replace the first one set aside.
  std::ofstream(home_.HiveFile(), std::ios::trunc) << "not a hive";
  ::testing::internal::CaptureStderr();
  Save("Left", 5);
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("cannot be read"));
  EXPECT_EQ(home_.Beside(".corrupt-").size(), 2u);
  EXPECT_EQ(Get("Left"), RegValue(5));
}

}  // namespace
}  // namespace sledway
