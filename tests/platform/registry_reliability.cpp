// Reliability figures of the settings store off Windows, measured on the disk of the temporary
// folder (TMPDIR, else /tmp) with real flushes:
//   1. two processes each write 1,000 different values into one hive at the same time;
//   2. writers are killed at random moments, and once exactly between writing the temporary
//      file and renaming it;
//   3. a corrupt hive is read through the settings class and then written again.
// Prints one line per figure and exits with 1 when any check fails.
//
//   sledway_registry_reliability [kills]      (default 200 kills)

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include "registry_trials.hpp"

namespace {

namespace fs = std::filesystem;
using namespace sledway::test;

// Each figure returns whether all its checks passed.
bool TwoWriters() {
  constexpr int kPerProcess = 1000;
  const ScopedConfigHome home(fs::temp_directory_path());  // on the disk, with real flushes
  const auto start = std::chrono::steady_clock::now();
  const TwoWritersOutcome outcome = WriteFromTwoProcesses(home, kPerProcess);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "two writers x %d values at once: %d of %d values present, file %s, %.1f s "
      "(%.2f ms per write)\n",
      kPerProcess, outcome.present, 2 * kPerProcess, outcome.parses ? "parses" : "DOES NOT PARSE",
      seconds, seconds * 1000.0 / (2 * kPerProcess));
  return outcome.present == 2 * kPerProcess;
}

bool KilledWriters(int kills) {
  const ScopedConfigHome home(fs::temp_directory_path());
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
  int lastCount = 0, parsedEveryTime = 0, neverLost = 0, caughtMidWrite = 0;
  std::set<fs::path> temporaries;  // left by writers killed after creating them
  for (int round = 0; round < kills; ++round) {
    const pid_t writer = StartChild([&] { WriteNumbers("Software\\Killed", "n-", lastCount, -1); });
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(writer, SIGKILL);
    WaitFor(writer);

    for (const fs::path& left : home.Beside(".tmp-")) {
      caughtMidWrite += temporaries.insert(left).second ? 1 : 0;  // one new one at most
    }
    const std::optional<sledway::platform::Hive> hive =
        fs::exists(home.HiveFile()) ? ParsedHive(home.HiveFile()) : sledway::platform::Hive();
    if (!hive) continue;
    ++parsedEveryTime;
    // Values "n-0" .. "n-(count-1)" and nothing else: each write kept all before it.
    const sledway::platform::HiveKey* key = hive->FindKey("Software\\Killed");
    const int count = key == nullptr ? 0 : static_cast<int>(key->Values().size());
    bool contiguous = count >= lastCount;
    for (int i = 0; contiguous && i < count; ++i) {
      contiguous = key->FindValue("n-" + std::to_string(i)) != nullptr;
    }
    neverLost += contiguous ? 1 : 0;
    if (contiguous) lastCount = count;
  }
  const bool intact = KillBeforeRenameLeavesTheFile(home);
  std::printf(
      "%d writers killed at random moments (%d of them in the middle of a write): the hive "
      "parsed %d times, kept every earlier value %d times (%d values written in all); killed "
      "between temporary write and rename: previous file %s\n",
      kills, caughtMidWrite, parsedEveryTime, neverLost, lastCount,
      intact ? "intact byte for byte" : "CHANGED");
  return parsedEveryTime == kills && neverLost == kills && intact;
}

bool CorruptHive() {
  const ScopedConfigHome home(fs::temp_directory_path());
  const CorruptHiveOutcome outcome = ReadAndWriteACorruptHive(home);
  const auto yes = [](bool ok) { return ok ? "yes" : "NO"; };
  std::printf(
      "corrupt hive: moved aside with its contents %s, reported naming both files %s, defaults "
      "%s, next write made a clean file %s\n  the report: %s",
      yes(outcome.movedAside), yes(outcome.namesBoth), outcome.defaults ? "yes (1000, 1000)" : "NO",
      yes(outcome.cleanFile), outcome.report.c_str());
  return outcome.movedAside && outcome.namesBoth && outcome.defaults && outcome.cleanFile;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    bool passed = TwoWriters();  // every figure runs, whatever the one before found
    passed = KilledWriters(argc > 1 ? std::atoi(argv[1]) : 200) && passed;
    passed = CorruptHive() && passed;
    std::cout << (passed ? "all checks passed\n" : "SOME CHECKS FAILED\n");
    return passed ? 0 : 1;
  } catch (const std::exception& error) {
    std::cout << "FAILED: " << error.what() << '\n';
    return 1;
  }
}
