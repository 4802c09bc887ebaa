#include "modelhost/files/json_node.hpp"

#include <algorithm>
#include <utility>

#include "host/echoed_text.hpp"
#include "modelhost/files/placed_error.hpp"

namespace sledway::model {

JsonNode::JsonNode(const nlohmann::json& value, nlohmann::json::json_pointer where)
    : value_(&value), where_(std::move(where)) {}

void JsonNode::Fail(const std::string& problem) const {
  throw PlacedError(Where(), problem);
}

std::string JsonNode::TypeText() const {
  switch (value_->type()) {
    case nlohmann::json::value_t::object:
      return "an object";
    case nlohmann::json::value_t::array:
      return "an array";
    case nlohmann::json::value_t::string:
      return "a string";
    case nlohmann::json::value_t::boolean:
      return "a boolean";
    case nlohmann::json::value_t::null:
      return "null";
    default:
      return "a number";
  }
}

void JsonNode::RequireType(bool ok, std::string_view expected) const {
  if (!ok) Fail("expected " + std::string(expected) + ", got " + TypeText());
}

void JsonNode::RequireObject(std::initializer_list<std::string_view> allowed) const {
  RequireType(value_->is_object(), "an object");
  for (const auto& [key, value] : value_->items()) {
    if (std::find(allowed.begin(), allowed.end(), key) != allowed.end()) continue;
    std::string expected;
    for (const std::string_view name : allowed) {
      expected += (expected.empty() ? "" : ", ") + std::string(name);
    }
    JsonNode(value, where_ / key).Fail("unknown member (expected one of: " + expected + ")");
  }
}

bool JsonNode::Has(std::string_view key) const {
  return value_->is_object() && value_->contains(key);
}

JsonNode JsonNode::Member(std::string_view key) const {
  RequireType(value_->is_object(), "an object");
  if (!Has(key)) Fail("missing member '" + std::string(key) + "'");
  return JsonNode(value_->at(key), where_ / std::string(key));
}

std::optional<JsonNode> JsonNode::OptionalMember(std::string_view key) const {
  if (!Has(key)) return std::nullopt;
  return Member(key);
}

std::vector<JsonNode> JsonNode::Elements() const {
  RequireType(value_->is_array(), "an array");
  std::vector<JsonNode> elements;
  elements.reserve(value_->size());
  for (std::size_t i = 0; i < value_->size(); ++i) {
    elements.emplace_back((*value_)[i], where_ / i);
  }
  return elements;
}

std::vector<JsonNode> JsonNode::Elements(std::size_t count) const {
  RequireType(value_->is_array(), "an array of " + std::to_string(count));
  if (value_->size() != count) {
    Fail("expected " + std::to_string(count) + " elements, got " + std::to_string(value_->size()));
  }
  return Elements();
}

std::string JsonNode::String() const {
  RequireType(value_->is_string(), "a string");
  return value_->get<std::string>();
}

double JsonNode::Number() const {
  RequireType(value_->is_number(), "a number");
  return value_->get<double>();
}

std::string JsonNode::Name() const {
  std::string name = String();
  if (name.empty()) Fail("a name may not be empty");
  // A name is printed in listings and messages, where a control character (of ASCII, or of
  // the C1 block, such as a terminal's CSI) could move the cursor or recolour a terminal.
  if (EscapedText(name) != name) Fail("a name may not hold control characters");
  if (name.find('/') != std::string::npos) {
    Fail("a name may not contain '/': '" + EchoedText(name) + "'");
  }
  return name;
}

std::string JsonNode::Expression() const {
  if (value_->is_number()) return value_->dump();
  RequireType(value_->is_string(), "an expression (a string or a number)");
  return value_->get<std::string>();
}

}  // namespace sledway::model
