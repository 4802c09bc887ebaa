// STEP files with a malformed entity, edited here from a real AP214 assembly, are refused with
// exit status 2 and a message naming the file and the entity, whether opened as an assembly (the
// runner's commands share the reader) or as a part of an assembly file; Open CASCADE would
// otherwise crash on most of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::ExpectRefused;

class StepRefusal : public test::WithDirectory {
 protected:
  // as1-oc-214.stp with the line of entity `entity` replaced by `line`.
  std::string Edited(const std::string& name, int entity, const std::string& line) {
    const std::string text = test::Read(SLEDWAY_AS1_STEP);
    const std::regex old("\n#" + std::to_string(entity) + " = [^;]*;");
    EXPECT_TRUE(std::regex_search(text, old)) << entity;
    const std::filesystem::path file = directory_ / name;
    std::ofstream(file, std::ios::binary) << std::regex_replace(text, old, "\n" + line);
    return file.string();
  }
};

TEST_F(StepRefusal, AMalformedEntityOrAPointBeyondReachIsRefusedNamingFileAndEntity) {
  struct Case {
    std::string file;
    int entity;
    std::string line;
    std::string message;
  };
  // #11 places the rod assembly by point #12 and directions #13 and #14; #71 is a vertex's point.
  const Case cases[] = {
      {"dangling.stp", 11, "#11 = AXIS2_PLACEMENT_3D('',#99999,#13,#14);",
       "dangling.stp: entity #11 is malformed: parameter 2 (location) names an entity of the "
       "wrong kind; it names an entity the file does not hold"},
      {"missing.stp", 13, "#13 = DIRECTION('');",
       "missing.stp: entity #13 is malformed: a direction takes 2 parameters"},
      {"wrong-type.stp", 13, "#13 = DIRECTION('',#12);",
       "wrong-type.stp: entity #13 is malformed: parameter 2 (direction_ratios) is not a list"},
      {"huge.stp", 71, "#71 = CARTESIAN_POINT('',(-1.E308,0.,3.));",
       "huge.stp: entity #71: the coordinate -1e+308 is beyond what the model can hold (at most "
       "1e+09 mm from the origin)"},
  };
  for (const Case& edit : cases) {
    ExpectRefused({"inspect", Edited(edit.file, edit.entity, edit.line)}, edit.message);
  }
  // As a part of an assembly file, the member that names it is given too.
  ExpectRefused({"inspect", Assembly(R"({"parts": [{"name": "as1", "step": "missing.stp"}]})")},
                "missing.stp': entity #13 is malformed: a direction takes 2 parameters");
}

}  // namespace
}  // namespace sledway::cli
