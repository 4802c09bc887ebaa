#include "host/echoed_text.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "invocation.hpp"
#include "modelhost/files/sample_assemblies.hpp"

namespace sledway::cli {
namespace {

using namespace std::string_literals;
using test::ExpectRefused;
using test::Invocation;
using test::Read;
using test::Sledway;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(EchoedText, EscapesControlCharactersAndStrayBytesAndCutsLongText) {
  EXPECT_EQ(EchoedText("a\0b"s), "a\\u0000b");
  EXPECT_EQ(EchoedText("1\n2\r3\t4\x1b[2J\x7f"), "1\\n2\\r3\\t4\\u001b[2J\\u007f");
  // C1 controls as UTF-8 (U+0080, U+009B, U+009F) are escaped; U+00A0 and beyond are text.
  EXPECT_EQ(EchoedText("\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0\xc3\xa9\xe2\x82\xac"),
            "\\u0080\\u009b\\u009f\xc2\xa0\xc3\xa9\xe2\x82\xac");
  // Bytes that are no UTF-8: a lone C1 byte, a cut sequence, an overlong lead.
  EXPECT_EQ(EchoedText("\x9b"
                       "a\xe2\x82"
                       "b\xc0\xaf"),
            "\\x9ba\\xe2\\x82b\\xc0\\xaf");

  const std::string exact(kEchoLimit, 'x');
  EXPECT_EQ(EchoedText(exact), exact);
  EXPECT_EQ(EchoedText(exact + "y"), exact + "...");
  // The cut counts characters and never splits one.
  std::string euros;
  for (std::size_t i = 0; i <= kEchoLimit; ++i) euros += "\xe2\x82\xac";
  EXPECT_EQ(EchoedText(euros), euros.substr(0, 3 * kEchoLimit) + "...");
  EXPECT_EQ(EscapedText("\n"s + exact + exact), "\\n" + exact + exact);
}

class EchoedInput : public test::WithDirectory {
 protected:
  // The lift sample with `edit` made to it, as the file "lift.json".
  template <class Edit>
  std::string Lift(Edit&& edit) const {
    nlohmann::json lift = nlohmann::json::parse(model::FindSampleAssembly("lift").json);
    std::forward<Edit>(edit)(lift);
    return Assembly(lift.dump(), "lift.json");
  }
};

// The one line of a message: escaped, it cannot be broken into more.
void ExpectOneLine(const Invocation& run) {
  ASSERT_FALSE(run.err.empty());
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
}

TEST_F(EchoedInput, KeysNamesAndExpressionsAreEchoedWholeLineAndSafe) {
  ExpectRefused({"inspect", Lift([](nlohmann::json& lift) { lift["parts"][0]["co\0lor"s] = 1; })},
                "/parts/0/co\\u0000lor: unknown member");
  const auto expression = [&](const std::string& text) {
    return Lift([&](nlohmann::json& lift) { lift["parameters"]["user"][0]["expression"] = text; });
  };
  ExpectRefused({"inspect", expression("20 +\0 x"s)},
                "expression '20 +\\u0000 x' of 'lift_height'");
  const Invocation escaped = Sledway({"inspect", expression("20 +\n\x1b[2J x")});
  EXPECT_THAT(escaped.err, HasSubstr("expression '20 +\\n\\u001b[2J x'"));
  ExpectOneLine(escaped);

  // U+009B, a terminal's CSI, in a name.
  ExpectRefused(
      {"inspect", Lift([](nlohmann::json& lift) { lift["parts"][0]["name"] = "col\xc2\x9bumn"; })},
      "/parts/0/name: a name may not hold control characters");

  const std::filesystem::path named = directory_ / "lift\x1b[2J.json";
  std::filesystem::copy_file(Lift([](nlohmann::json&) {}), named);
  EXPECT_THAT(Sledway({"inspect", named.string()}).out,
              HasSubstr("assembly lift\\u001b[2J.json, lengths in mm"));

  const Invocation path =
      Sledway({"run", "--example", "lift", "--path", "sketch:tr\n\x1b[2Jack/curve:1"});
  EXPECT_EQ(path.status, 2);
  EXPECT_THAT(path.err, HasSubstr("entity 'sketch:tr\\n\\u001b[2Jack/curve:1'"));
  ExpectOneLine(path);
  const Invocation option = Sledway({"run", "--example", "lift", "--to", "1\x1b[2J\n"});
  EXPECT_EQ(option.status, 2);
  EXPECT_THAT(option.err, HasSubstr("--to: '1\\u001b[2J\\n' is not a finite number ("));
  ExpectOneLine(option);
}

TEST_F(EchoedInput, ControlCharactersInStepNamesAreReplaced) {
  // The plate's product and occurrence named with U+009B, once in each of STEP's spellings of
  // it, and once as a bare byte.
  std::string step = Read(SLEDWAY_AS1_STEP);
  const auto replace = [&](const std::string& from, const std::string& to) {
    const std::size_t at = step.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    step.replace(at, from.size(), to);
  };
  replace("PRODUCT('plate','plate'", "PRODUCT('plate','pl\\X\\9Bate'");
  replace("'plate_1'", "'pl\\X2\\009B\\X0\\ate_1'");
  replace("PRODUCT('l-bracket-assembly','l-bracket-assembly'",
          "PRODUCT('l-bracket-assembly','l-bracket\x9b"
          "assembly'");
  const std::filesystem::path file = directory_ / "c1.stp";
  std::ofstream(file, std::ios::binary) << step;
  const Invocation inspect = Sledway({"inspect", file.string()});
  ASSERT_EQ(inspect.status, 0) << inspect.err;
  EXPECT_THAT(inspect.out, HasSubstr("component:pl_ate_1 "));
  EXPECT_THAT(inspect.out, HasSubstr("part 'pl_ate'"));
  EXPECT_THAT(inspect.out, HasSubstr("part 'l-bracket_assembly'"));
  for (const char c : inspect.out) {
    EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20);
  }
  EXPECT_THAT(inspect.out, Not(HasSubstr("\x9b")));
}

}  // namespace
}  // namespace sledway::cli
