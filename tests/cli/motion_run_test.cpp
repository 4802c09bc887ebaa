#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <gp_Ax1.hxx>
#include <gp_Dir.hxx>
#include <gp_Mat.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <numbers>
#include <string>
#include <vector>

#include "invocation.hpp"

namespace sledway::cli {
namespace {

using test::Invocation;
using test::Sledway;
using ::testing::HasSubstr;
constexpr double kPi = std::numbers::pi;

// The helix sample: a bead on a right-handed helix of radius 50 mm and pitch 30 mm, three turns
// about +Z.
constexpr double kRadius = 50.0, kPitch = 30.0;

// Three bars on a circle of radius 40 mm about the origin in the plane x + z = 0 (tilted 45
// degrees about Z... about the Y axis), each with its axis along the bar.
constexpr const char* kTiltedRing = R"({"units": "mm",
  "parts": [{"name": "bar", "box": {"length": 10, "width": 2, "height": 2},
             "workPoints": [{"name": "middle", "point": [5, 1, 1]}],
             "workAxes": [{"name": "along", "origin": [0, 1, 1], "direction": [1, 0, 0]}]}],
  "components": [{"name": "bar:1", "part": "bar"}, {"name": "bar:2", "part": "bar"},
                 {"name": "bar:3", "part": "bar"}],
  "sketches": [{"name": "ring", "curves": [{"kind": "circle", "centre": [0, 0], "radius": 40}],
                "plane": {"origin": [0, 0, 0], "normal": [1, 0, 1], "xDir": [0, 1, 0]}}],
  "run": {"path": "sketch:ring/curve:1", "follow": "component:bar:1/workpoint:middle",
          "tangent": "component:bar:1/workaxis:along"}})";

gp_Mat Rotation(const nlohmann::json& move) {
  const auto& axis = move["rotationAxis"];
  gp_Trsf turn;
  if (move["rotationAngleDeg"].get<double>() != 0.0) {
    turn.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(axis[0], axis[1], axis[2])),
                     move["rotationAngleDeg"].get<double>() * kPi / 180.0);
  }
  return turn.VectorialPart();
}

gp_Pnt Point(const nlohmann::json& xyz) {
  return {xyz[0], xyz[1], xyz[2]};
}

// An angle brought into -pi to pi.
double Wrapped(double angle) {
  return std::remainder(angle, 2.0 * kPi);
}

class MotionRun : public test::WithDirectory {
 protected:
  nlohmann::json Moves(std::vector<std::string> args) {
    args.insert(args.begin(), {"run", "--format", "json"});
    const Invocation run = Sledway(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? run.Json()["moves"] : nlohmann::json::array();
  }
};

// Over each whole turn of a helix the rotation-minimising frame turns against the Frenet frame
// (which comes back to itself) by minus the torsion integrated over the turn.
TEST_F(MotionRun, MinimalFrameOnAHelixTurnsByTheTorsionPerTurn) {
  const nlohmann::json moves = Moves(
      {"--example", "helix", "--roll", "minimal", "--steps", "3", "--mode", "start-end-start"});
  ASSERT_EQ(moves.size(), 6u);
  const double c = kPitch / (2.0 * kPi);
  const double twist = -2.0 * kPi * kPitch / std::hypot(2.0 * kPi * kRadius, kPitch);
  const gp_XYZ tangent = gp_Dir(0.0, kRadius, c).XYZ();  // at every whole turn
  const gp_XYZ normal(-1.0, 0.0, 0.0);                   // the Frenet normal there
  // Fractions 0 (the last move back), then 1/3, 2/3, 1: turns 0 to 3.
  std::vector<gp_Mat> turns{Rotation(moves[5]), Rotation(moves[0]), Rotation(moves[1]),
                            Rotation(moves[2])};
  for (int k = 1; k <= 3; ++k) {
    const gp_Mat step = turns[k] * turns[k - 1].Transposed();
    EXPECT_LT((step * tangent - tangent).Modulus(), 1e-9) << k;
    const gp_XYZ turned = step * normal;
    const double angle = std::atan2(normal.Crossed(turned).Dot(tangent), normal.Dot(turned));
    EXPECT_NEAR(Wrapped(angle - twist), 0.0, 1e-9) << "turn " << k;
  }
}

// The placement at a fraction is the path's, not the step count's, out and back.
TEST_F(MotionRun, PlacementAtAFractionIsTheSameWhateverTheSteps) {
  for (const std::vector<std::string>& roll :
       {std::vector<std::string>{"minimal"}, std::vector<std::string>{"up", "1,2,0.5"}}) {
    std::vector<nlohmann::json> runs;
    for (const char* steps : {"10", "50", "1000"}) {
      std::vector<std::string> args{"--example", "helix",           "--steps", steps,
                                    "--mode",    "start-end-start", "--roll"};
      args.insert(args.end(), roll.begin(), roll.end());
      runs.push_back(Moves(args));
    }
    ASSERT_EQ(runs[2].size(), 2000u);
    for (int k = 0; k < 20; ++k) {  // fraction k / 10, out then back
      const int move = k < 10 ? k : k - 1;
      const std::vector<const nlohmann::json*> same{&runs[0][move], &runs[1][(move + 1) * 5 - 1],
                                                    &runs[2][(move + 1) * 100 - 1]};
      for (const nlohmann::json* other : {same[1], same[2]}) {
        EXPECT_EQ((*same[0])["fraction"], (*other)["fraction"]);
        EXPECT_LT(Point((*same[0])["followPoint"]).Distance(Point((*other)["followPoint"])), 1e-12);
        gp_Mat difference = Rotation(*same[0]) - Rotation(*other);
        for (int row = 1; row <= 3; ++row) {
          EXPECT_LT(difference.Row(row).Modulus(), 1e-12) << roll[0] << " fraction " << k;
        }
      }
    }
  }
}

// The knot of the coil sample is a closed spline, smooth across its seam: after one loop the
// carriage points along the path as at the start, turned about it by the holonomy printed.
TEST_F(MotionRun, MinimalFrameComesRoundAClosedPathTurnedByItsHolonomy) {
  const Invocation run = Sledway({"run", "--example", "coil", "--roll", "minimal", "--steps", "4",
                                  "--mode", "start-end-start", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json result = run.Json();
  const gp_Mat end = Rotation(result["moves"][3]), start = Rotation(result["moves"][7]);
  ASSERT_EQ(result["moves"][7]["fraction"], 0.0);
  const gp_XYZ along = start.Column(1);  // the carriage's tangent line, its X axis
  EXPECT_LT((end.Column(1) - along).Modulus(), 1e-9);
  const gp_XYZ across = start.Column(2), turned = end.Column(2);
  const double angle = std::atan2(across.Crossed(turned).Dot(along), across.Dot(turned));
  EXPECT_NEAR(angle * 180.0 / kPi, result["motion"]["holonomyDeg"].get<double>(), 1e-7);
}

// With an up vector the bar's up axis stays in the plane of the path's tangent and the vector.
TEST_F(MotionRun, UpVectorKeepsTheUpAxisInThePlaneOfTangentAndVector) {
  const nlohmann::json moves =
      Moves({Assembly(kTiltedRing), "--roll", "up", "0,0,2", "--steps", "24"});
  ASSERT_EQ(moves.size(), 24u);
  const gp_XYZ up(0.0, 0.0, 1.0), planeNormal = gp_Dir(1.0, 0.0, 1.0).XYZ();
  int column = 0;
  for (const nlohmann::json& move : moves) {
    const gp_XYZ radial = Point(move["followPoint"]).XYZ();
    EXPECT_NEAR(radial.Modulus(), 40.0, 1e-9);
    const gp_XYZ across = planeNormal.Crossed(radial).Normalized().Crossed(up).Normalized();
    const gp_Mat rotation = Rotation(move);
    // The up axis: the column of the rotation that lies in the plane, the same at every move.
    int found = 0;
    for (int i = 1; i <= 3; ++i) {
      if (std::abs(rotation.Column(i).Dot(across)) < 1e-9) found = i;
    }
    ASSERT_NE(found, 0) << move["fraction"];
    if (column == 0) column = found;
    EXPECT_EQ(found, column);
  }
}

// The fractions of each profile against its formula; the drive parameter follows them.
TEST_F(MotionRun, ProfilesSpreadTheMovesByTheirFormulas) {
  const auto ease = [](double u) { return u * u * u * (10 - 15 * u + 6 * u * u); };
  // Ramps of distance 0.25: time share 1/3, cruising speed 1.5.
  const auto trapezoid = [](double u) {
    if (u < 1.0 / 3) return 1.5 * u * u / (2.0 / 3);
    if (u > 2.0 / 3) return 1 - 1.5 * (1 - u) * (1 - u) / (2.0 / 3);
    return 0.25 + 1.5 * (u - 1.0 / 3);
  };
  struct Case {
    const char* profile;
    std::function<double(double)> formula;
  };
  for (const Case& test : {Case{"ease", ease}, Case{"trapezoid:0.25", trapezoid}}) {
    const nlohmann::json moves = Moves({"--example", "helix", "--profile", test.profile, "--steps",
                                        "12", "--mode", "start-end-start"});
    ASSERT_EQ(moves.size(), 24u);
    for (const nlohmann::json& move : moves) {
      const double u = move["step"].get<double>() / 12.0;
      EXPECT_NEAR(move["fraction"].get<double>(), test.formula(u), 1e-14) << test.profile << u;
    }
  }
}

// Followers on a closed circle keep their arc distance behind the leader, wrapping round.
TEST_F(MotionRun, FollowersOnACircleStayAtTheirArcDistance) {
  const nlohmann::json moves = Moves({Assembly(kTiltedRing), "--roll", "minimal", "--steps", "8",
                                      "--train", "bar:2:30", "component:bar:3:9 cm"});
  ASSERT_EQ(moves.size(), 8u);
  for (const nlohmann::json& move : moves) {
    const gp_XYZ leader = Point(move["followPoint"]).XYZ();
    ASSERT_EQ(move["trainPoints"].size(), 2u);
    for (int i = 0; i < 2; ++i) {
      const gp_XYZ follower = Point(move["trainPoints"][i]).XYZ();
      EXPECT_NEAR(follower.Modulus(), 40.0, 1e-9);
      EXPECT_NEAR(follower.Dot(gp_XYZ(1, 0, 1)), 0.0, 1e-9);
      // The chord of the arc behind: 30 mm and 90 mm of arc on a radius of 40 mm.
      const double arc = i == 0 ? 30.0 : 90.0;
      EXPECT_NEAR((leader - follower).Modulus(), 2 * 40.0 * std::sin(arc / 80.0), 1e-9);
    }
  }
}

TEST_F(MotionRun, BadMotionOptionsAreRefusedWithNothingWritten) {
  const std::string ring = Assembly(kTiltedRing);
  const std::string output = (directory_ / "rows.csv").string();
  const std::string pictures = (directory_ / "pictures").string();
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--roll", "up", "0,0,0"}, "zero vector"},
      {{"--roll", "up", "1,2"}, "not a vector X,Y,Z"},
      {{"--roll", "up", "-1,0,1", "--steps", "4"}, "at fraction 0 the path's tangent is parallel"},
      {{"--roll", "sideways"}, "none of add-in, minimal"},
      {{"--roll", "minimal", "--tangent", "none"}, "give --tangent"},
      {{"--profile", "trapezoid:0.7"}, "at most 0.5"},
      {{"--profile", "fast"}, "none of linear, ease"},
      {{"--train", "bar:1:10"}, "is the leader"},
      {{"--train", "bar:9:10"}, "there is no component 'bar:9'"},
      {{"--train", "bar:2:-5"}, "is negative"},
      {{"--train", "bar:2:5 parsec"}, "is no length unit"},
      {{"--train", "bar:2:5", "--train-follow", "component:bar:3/workpoint:middle"},
       "is not on the follower 'bar:2'"},
      {{"--camera", "top"}, "--camera top: no picture to frame"},
      {{"--background", "transparent", "--video", pictures + ".mp4"},
       "--background transparent: only the PNG pictures of --frames"},
      {{"--camera", "above", "--frames", pictures}, "--camera"},
      {{"--background", "white", "--frames", pictures}, "--background"},
  };
  for (const auto& test : cases) {
    std::vector<std::string> args{"run", ring, "--output", output};
    args.insert(args.end(), test.args.begin(), test.args.end());
    test::ExpectRefused(args, test.message);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(pictures));
  }
}

}  // namespace
}  // namespace sledway::cli
