#pragma once

// Trials of the settings store across processes, shared by the registry and settings tests.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/reg_api.hpp"
#include "platform/hive_store.hpp"
#include "platform/reg_file_format.hpp"
#include "scoped_config_home.hpp"

namespace sledway::test {

// Runs `body` in a forked child, which ends with status 0 when `body` returns (and is aborted
// when it throws). The child leaves through _exit, so nothing of the parent runs twice.
inline pid_t StartChild(const std::function<void()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(0);
  }
  return pid;
}

inline int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) continue;
  return status;
}

// The hive as the file holds it, or nothing when the file does not parse.
inline std::optional<platform::Hive> ParsedHive(const std::filesystem::path& file) {
  try {
    return platform::ParseRegFile(Contents(file));
  } catch (const platform::RegFormatError&) {
    return std::nullopt;
  }
}

// Sets "<prefix><i>" to the number i for i from `first` on, `count` values or, when `count` is
// negative, until killed.
inline void WriteNumbers(const char* key, const std::string& prefix, int first, int count) {
  platform::HKEY handle = nullptr;
  platform::RegCreateKeyExA(platform::HKEY_CURRENT_USER, key, 0, nullptr, 0, 0x3F, nullptr, &handle,
                            nullptr);
  for (int i = first; count < 0 || i < first + count; ++i) {
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(i), 0, 0, 0};
    const std::string name = prefix + std::to_string(i);
    if (platform::RegSetValueExA(handle, name.c_str(), 0, platform::REG_DWORD, data, 4) != 0) {
      throw std::runtime_error("cannot set " + name);
    }
  }
  platform::RegCloseKey(handle);
}

// Two processes write `perProcess` values each into one key at the same time; returns how many
// of the 2 * perProcess values the hive then holds with the number written.
inline int WriteFromTwoProcesses(const ScopedConfigHome& home, int perProcess) {
  int present = 0;
  std::vector<pid_t> writers;
  for (const char* prefix : {"p0-", "p1-"}) {
    writers.push_back(StartChild([&] { WriteNumbers("Software\\Shared", prefix, 0, perProcess); }));
  }
  for (const pid_t writer : writers) WaitFor(writer);
  const std::optional<platform::Hive> hive = ParsedHive(home.HiveFile());
  const platform::HiveKey* key = hive ? hive->FindKey("Software\\Shared") : nullptr;
  for (int i = 0; key != nullptr && i < 2 * perProcess; ++i) {
    const platform::HiveValue* value =
        key->FindValue("p" + std::to_string(i / perProcess) + "-" + std::to_string(i % perProcess));
    if (value != nullptr && value->data[0] == static_cast<std::uint8_t>(i % perProcess)) {
      ++present;
    }
  }
  return present;
}

// Kills a writer once the new contents are complete in its temporary file and before the rename;
// returns whether it died so and left the hive file byte for byte as it was.
inline bool KillBeforeRenameLeavesTheFile(const ScopedConfigHome& home) {
  const std::string before = Contents(home.HiveFile());
  const int status = WaitFor(StartChild([&] {
    const platform::HiveStore dying(home.HiveFile(), [](auto&) { std::raise(SIGKILL); });
    dying.Modify([](platform::Hive& hive) { return hive.CreateKey("Software\\Late"); });
  }));
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && Contents(home.HiveFile()) == before;
}

struct CorruptHiveOutcome {
  bool movedAside = false;  // with its contents, and the hive file gone
  bool namesBoth = false;   // the report names the hive file and where it went
  bool defaults = false;    // Top and Left read as their defaults 1000
  bool cleanFile = false;   // the next write makes a file holding that one value
  std::string report;
};

// Settings saved, the hive file then spoilt, read through CRegAPI and written again.
inline CorruptHiveOutcome ReadAndWriteACorruptHive(const ScopedConfigHome& home) {
  const CRegAPI settings;
  settings.SaveSetting("Sledway", "Settings", "Top", 1234);
  const std::string garbage = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\n\"Top\"=dword:1\n";
  std::ofstream(home.HiveFile(), std::ios::trunc) << garbage;
  std::ostringstream report;  // what the store says on standard error meanwhile
  std::streambuf* const standardError = std::cerr.rdbuf(report.rdbuf());
  const RegValue top = settings.GetSetting("Sledway", "Settings", "Top", 1000);
  const RegValue left = settings.GetSetting("Sledway", "Settings", "Left", 1000);
  std::cerr.rdbuf(standardError);

  CorruptHiveOutcome outcome{.report = report.str()};
  const std::vector<std::filesystem::path> aside = home.Beside(".corrupt-");
  outcome.movedAside = aside.size() == 1 && Contents(aside[0]) == garbage &&
                       !std::filesystem::exists(home.HiveFile());
  outcome.namesBoth = outcome.movedAside &&
                      outcome.report.find(home.HiveFile().string()) != std::string::npos &&
                      outcome.report.find(aside[0].string()) != std::string::npos;
  outcome.defaults = top == RegValue(1000) && left == RegValue(1000);
  settings.SaveSetting("Sledway", "Settings", "Top", 777);
  const std::optional<platform::Hive> clean = ParsedHive(home.HiveFile());
  const platform::HiveKey* key =
      clean ? clean->FindKey("Software\\Autodesk\\InventorSledway\\Settings") : nullptr;
  outcome.cleanFile = key != nullptr && key->Values().size() == 1 &&
                      key->Values()[0] == platform::HiveValue{"Top", 4, {0x09, 0x03, 0, 0}};
  return outcome;
}

}  // namespace sledway::test
