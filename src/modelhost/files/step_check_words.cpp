#include "modelhost/files/step_check_words.hpp"

#include <array>
#include <regex>
#include <utility>

namespace sledway::model {
namespace {

// What a parameter is said not to be, as the translator names it and in our words.
std::string KindInOurWords(const std::string& kind) {
  static constexpr std::array<std::pair<const char*, const char*>, 7> kKinds{{
      {"LIST", "a list"},
      {"Real", "a number"},
      {"Integer", "a whole number"},
      {"Boolean", "a logical value"},
      {"Logical", "a logical value"},
      {"Enumeration", "one of its named values"},
      {"String", "a text"},
  }};
  for (const auto& [translator, ours] : kKinds) {
    if (kind == translator) return ours;
  }
  return "of the kind it must be";
}

}  // namespace

std::string StepCheckInOurWords(std::string_view fail) {
  static const std::regex parameter(R"(^\s*Parameter n0\.(\d+) \(([^)]*)\)\s*:?\s*(.*?)\s*$)");
  static const std::regex notA(R"(^not an? (\w+)$)");
  static const std::regex count(R"(^\s*Count of Parameters is not (\d+) for (\w+)\s*$)");
  const std::string text(fail);
  std::smatch found;
  if (std::regex_match(text, found, parameter)) {
    const std::string which = "parameter " + found[1].str() + " (" + found[2].str() + ")";
    const std::string rest = found[3].str();
    if (rest == "Entity has illegal type") return which + " names an entity of the wrong kind";
    std::smatch kind;
    if (std::regex_match(rest, kind, notA)) return which + " is not " + KindInOurWords(kind[1]);
    return which + " cannot be read";
  }
  if (std::regex_match(text, found, count)) {
    return "a " + found[2].str() + " takes " + found[1].str() + " parameters";
  }
  if (text.find("reference to another entity is unresolved") != std::string::npos) {
    return "it names an entity the file does not hold";
  }
  return "a part of it cannot be read";
}

}  // namespace sledway::model
