// A STEP file is translated in a child process: what comes back is exactly what an in-process
// translation gives, and a translator that crashes or hangs ends in a message, not in the end
// of the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/step_in_child.hpp"
#include "modelhost/files/step_translation.hpp"

namespace sledway::model {
namespace {

using namespace std::chrono_literals;
using ::testing::ThrowsMessage;

// Every vertex of the shape in order, as it is placed inside the shape.
std::vector<gp_Pnt> Vertices(const TopoDS_Shape& shape) {
  std::vector<gp_Pnt> points;
  for (TopExp_Explorer vertex(shape, TopAbs_VERTEX); vertex.More(); vertex.Next()) {
    points.push_back(BRep_Tool::Pnt(TopoDS::Vertex(vertex.Current())));
  }
  return points;
}

void ExpectSameBits(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_TRUE(actual[i].XYZ().X() == expected[i].XYZ().X() &&
                actual[i].XYZ().Y() == expected[i].XYZ().Y() &&
                actual[i].XYZ().Z() == expected[i].XYZ().Z())
        << "vertex " << i;
  }
}

TEST(StepIsolation, HandsBackExactlyWhatTheTranslatorGives) {
  const std::filesystem::path path = SLEDWAY_STEP_ASSEMBLY;
  const StepContents here = TranslateStepFile(path);
  const StepContents there = ReadStepInChild(path, TranslateStepFile, kStepTimeLimit);

  EXPECT_EQ(there.fileUnit, here.fileUnit);
  ExpectSameBits(Vertices(there.whole), Vertices(here.whole));
  ASSERT_EQ(there.occurrences.size(), here.occurrences.size());
  ASSERT_EQ(there.occurrences.size(), 4u);
  for (std::size_t i = 0; i < there.occurrences.size(); ++i) {
    const StepContents::Occurrence& a = there.occurrences[i];
    const StepContents::Occurrence& b = here.occurrences[i];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.productName, b.productName);
    EXPECT_EQ(a.productKey, b.productKey);
    ExpectSameBits(Vertices(a.shape), Vertices(b.shape));
    for (int row = 1; row <= 3; ++row) {
      for (int column = 1; column <= 4; ++column) {
        EXPECT_EQ(a.placement.Value(row, column), b.placement.Value(row, column));
      }
    }
  }
  // The two L-bracket occurrences still share their product's shape.
  EXPECT_EQ(there.occurrences[1].productKey, there.occurrences[3].productKey);
  EXPECT_TRUE(there.occurrences[1].shape.IsSame(there.occurrences[3].shape));
}

TEST(StepIsolation, ACrashOrAHangOfTheTranslatorEndsInAMessageAndReadingGoesOn) {
  const std::filesystem::path path = SLEDWAY_STEP_ASSEMBLY;
  const auto read = [&](const StepTranslator& translate) {
    return [&path, translate] { ReadStepInChild(path, translate, 500ms); };
  };
  EXPECT_THAT(read([](const std::filesystem::path&) -> StepContents { std::abort(); }),
              ThrowsMessage<PlacedError>("the STEP translator crashed on this file (Aborted)"));
  // The same in a sanitizer's build, whose handler would otherwise end the child with exit 1.
  EXPECT_THAT(
      read([](const std::filesystem::path&) -> StepContents {
        std::raise(SIGSEGV);
        return {};
      }),
      ThrowsMessage<PlacedError>("the STEP translator crashed on this file (Segmentation fault)"));
  EXPECT_THAT(
      read([](const std::filesystem::path&) -> StepContents { throw std::bad_alloc(); }),
      ThrowsMessage<PlacedError>("the STEP translator crashed on this file (exit status 125)"));
  EXPECT_THAT(
      read([](const std::filesystem::path&) -> StepContents {
        for (;;) ::pause();
      }),
      ThrowsMessage<PlacedError>(
          "the STEP translator was stopped after 0.5 s, the time limit for reading a file"));
  // The translator's own refusals come back as they were made.
  EXPECT_THAT(read([](const std::filesystem::path&) -> StepContents {
                throw PlacedError("", "the file holds no shape");
              }),
              ThrowsMessage<PlacedError>("the file holds no shape"));

  EXPECT_EQ(ReadStepInChild(path, TranslateStepFile, kStepTimeLimit).occurrences.size(), 4u);
}

}  // namespace
}  // namespace sledway::model
