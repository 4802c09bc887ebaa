// Reliability figures of the settings store off Windows, measured on the disk of the temporary
// folder (TMPDIR, else /tmp) with real flushes:
//   1. two processes each write 1,000 different values into one hive at the same time;
//   2. writers are killed at random moments, and once exactly between writing the temporary
//      file and renaming it;
//   3. a corrupt hive is read through the settings class and then written again.
// Prints one line per figure and exits with 1 when any check fails.
//
//   sledway_registry_reliability [kills]      (default 200 kills)

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.hpp"
#include "common/reg_api.hpp"
#include "platform/hive_store.hpp"
#include "platform/reg_file_format.hpp"
#include "platform/registry.hpp"
#include "scoped_config_home.hpp"

namespace {

namespace fs = std::filesystem;
namespace reg = sledway::platform;
using Clock = std::chrono::steady_clock;

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (!ok) {
    ++failures;
    std::cout << "  FAILED: " << what << '\n';
  }
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The hive as the file holds it, or nothing when the file does not parse.
std::optional<reg::Hive> Parsed(const fs::path& file) {
  try {
    return reg::ParseRegFile(Contents(file));
  } catch (const reg::RegFormatError&) {
    return std::nullopt;
  }
}

reg::HKEY CreateKey(const char* path) {
  reg::HKEY key = nullptr;
  if (reg::RegCreateKeyExA(reg::HKEY_CURRENT_USER, path, 0, nullptr, 0, 0x3F, nullptr, &key,
                           nullptr) != reg::ERROR_SUCCESS) {
    throw std::runtime_error(std::string("cannot create ") + path);
  }
  return key;
}

void SetNumber(reg::HKEY key, const std::string& name, std::uint32_t number) {
  const std::uint8_t data[4] = {
      static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
      static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
  if (reg::RegSetValueExA(key, name.c_str(), 0, reg::REG_DWORD, data, 4) != reg::ERROR_SUCCESS) {
    throw std::runtime_error("cannot set " + name);
  }
}

void TwoWriters() {
  constexpr int kPerProcess = 1000;
  const sledway::test::ScopedConfigHome home;
  reg::RegCloseKey(CreateKey("Software\\Shared"));
  const Clock::time_point start = Clock::now();
  std::vector<pid_t> writers;
  for (int process = 0; process < 2; ++process) {
    writers.push_back(sledway::test::StartChild([process] {
      reg::HKEY key = CreateKey("Software\\Shared");
      for (int i = 0; i < kPerProcess; ++i) {
        SetNumber(key, "p" + std::to_string(process) + "-" + std::to_string(i),
                  static_cast<std::uint32_t>(i));
      }
      reg::RegCloseKey(key);
    }));
  }
  bool exitedWell = true;
  for (const pid_t writer : writers) {
    const int status = sledway::test::WaitFor(writer);
    exitedWell = exitedWell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  const std::optional<reg::Hive> hive = Parsed(home.HiveFile());
  int present = 0;
  if (hive) {
    const reg::HiveKey& shared = *hive->FindKey("Software\\Shared");
    for (int process = 0; process < 2; ++process) {
      for (int i = 0; i < kPerProcess; ++i) {
        const std::string name = "p" + std::to_string(process) + "-" + std::to_string(i);
        const reg::HiveValue* value = shared.FindValue(name);
        if (value != nullptr && value->data[0] == static_cast<std::uint8_t>(i)) ++present;
      }
    }
  }
  std::printf(
      "two writers x %d values at once: %d of %d values present, file %s, %.1f s "
      "(%.2f ms per write)\n",
      kPerProcess, present, 2 * kPerProcess, hive ? "parses" : "DOES NOT PARSE", seconds,
      seconds * 1000.0 / (2 * kPerProcess));
  Check(exitedWell, "both writers finished without error");
  Check(hive && present == 2 * kPerProcess, "every value is there");
}

// Values "n-0" .. "n-(m-1)" and nothing else: each write kept all before it.
std::optional<int> ContiguousCount(const reg::Hive& hive) {
  const reg::HiveKey* key = hive.FindKey("Software\\Killed");
  if (key == nullptr) return 0;
  const int count = static_cast<int>(key->Values().size());
  for (int i = 0; i < count; ++i) {
    if (key->FindValue("n-" + std::to_string(i)) == nullptr) return std::nullopt;
  }
  return count;
}

void KilledWriters(int kills) {
  const sledway::test::ScopedConfigHome home;
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
  int lastCount = 0;
  int parsedEveryTime = 0;
  int neverLost = 0;
  int caughtMidWrite = 0;
  std::set<std::string> temporaries;  // left by writers killed after creating them
  for (int round = 0; round < kills; ++round) {
    const pid_t writer = sledway::test::StartChild([&] {
      reg::HKEY key = CreateKey("Software\\Killed");
      for (int i = lastCount;; ++i) SetNumber(key, "n-" + std::to_string(i), 1);
    });
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(writer, SIGKILL);
    sledway::test::WaitFor(writer);

    bool newTemporary = false;
    for (const auto& entry : fs::directory_iterator(home.HiveFile().parent_path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("registry.reg.tmp-") && temporaries.insert(name).second) {
        newTemporary = true;
      }
    }
    if (newTemporary) ++caughtMidWrite;
    const std::optional<reg::Hive> hive = fs::exists(home.HiveFile())
                                              ? Parsed(home.HiveFile())
                                              : std::optional<reg::Hive>(reg::Hive());
    if (!hive) continue;
    ++parsedEveryTime;
    const std::optional<int> count = ContiguousCount(*hive);
    if (count && *count >= lastCount) {
      ++neverLost;
      lastCount = *count;
    }
  }

  // And once at the worst moment: the new contents complete, the rename not done.
  const std::string before = Contents(home.HiveFile());
  const int status = sledway::test::WaitFor(sledway::test::StartChild([&] {
    const reg::HiveStore dying(home.HiveFile(), [](const fs::path&) { ::raise(SIGKILL); });
    dying.Modify([](reg::Hive& hive) {
      hive.CreateKey("Software\\Killed");
      return hive.FindKey("Software\\Killed")->SetValue("late", 1, {'x', 0});
    });
  }));
  const bool intact = WIFSIGNALED(status) && Contents(home.HiveFile()) == before;

  std::printf(
      "%d writers killed at random moments (%d of them in the middle of a write): the hive "
      "parsed %d times, kept every earlier value %d times (%d values written in all); killed "
      "between temporary write and rename: previous file %s\n",
      kills, caughtMidWrite, parsedEveryTime, neverLost, lastCount,
      intact ? "intact byte for byte" : "CHANGED");
  Check(parsedEveryTime == kills, "the hive parses after every kill");
  Check(neverLost == kills, "no kill loses an earlier value");
  Check(intact, "a kill before the rename leaves the previous file");
}

void CorruptHive() {
  const sledway::test::ScopedConfigHome home;
  const sledway::CRegAPI settings;
  settings.SaveSetting("Sledway", "Settings", "Top", 1234);
  const std::string garbage = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\n\"Top\"=dword:1\n";
  std::ofstream(home.HiveFile(), std::ios::binary | std::ios::trunc) << garbage;

  // Standard error goes to a file while the settings are read, to see what it reports.
  const fs::path reportFile = home.Folder() / "stderr.txt";
  std::fflush(stderr);
  const int savedStderr = ::dup(2);
  std::FILE* report = std::fopen(reportFile.c_str(), "w");
  ::dup2(::fileno(report), 2);
  const sledway::RegValue top = settings.GetSetting("Sledway", "Settings", "Top", 1000);
  const sledway::RegValue left = settings.GetSetting("Sledway", "Settings", "Left", 1000);
  std::cerr.flush();
  ::dup2(savedStderr, 2);
  ::close(savedStderr);
  std::fclose(report);
  const std::string reported = Contents(reportFile);
  std::vector<fs::path> aside;
  for (const auto& entry : fs::directory_iterator(home.HiveFile().parent_path())) {
    if (entry.path().filename().string().starts_with("registry.reg.corrupt-")) {
      aside.push_back(entry.path());
    }
  }
  const bool movedAside = aside.size() == 1 && Contents(aside[0]) == garbage;
  const bool namesBoth = aside.size() == 1 &&
                         reported.find(home.HiveFile().string()) != std::string::npos &&
                         reported.find(aside[0].string()) != std::string::npos;
  const bool defaults = top == sledway::RegValue(1000) && left == sledway::RegValue(1000);
  settings.SaveSetting("Sledway", "Settings", "Top", 777);
  const std::optional<reg::Hive> clean = Parsed(home.HiveFile());
  const bool cleanFile =
      clean && clean->FindKey("Software\\Autodesk\\InventorSledway\\Settings") != nullptr &&
      clean->FindKey("Software\\Autodesk\\InventorSledway\\Settings")->Values().size() == 1;
  std::printf(
      "corrupt hive: moved aside with its contents %s, reported naming both files %s, defaults "
      "%s, next write made a clean file %s\n  the report: %s",
      movedAside ? "yes" : "NO", namesBoth ? "yes" : "NO", defaults ? "yes (1000, 1000)" : "NO",
      cleanFile ? "yes" : "NO", reported.c_str());
  Check(movedAside && namesBoth && defaults && cleanFile, "corrupt hive handling");
}

}  // namespace

int main(int argc, char** argv) {
  const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
  try {
    TwoWriters();
    KilledWriters(kills);
    CorruptHive();
  } catch (const std::exception& error) {
    std::cout << "FAILED: " << error.what() << '\n';
    return 1;
  }
  std::cout << (failures == 0 ? "all checks passed\n" : "SOME CHECKS FAILED\n");
  return failures == 0 ? 0 : 1;
}
