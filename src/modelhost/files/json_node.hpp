#pragma once

#include <Standard_Failure.hxx>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {

// One value of an assembly file together with its JSON pointer, so that every check made while
// reading can fail with a PlacedError at the exact place of the value it refuses.
class JsonNode {
 public:
  JsonNode(const nlohmann::json& value, nlohmann::json::json_pointer where);

  // The pointer's text, "" for the file's top value.
  std::string Where() const { return where_.to_string(); }

  [[noreturn]] void Fail(const std::string& problem) const;

  // Requires an object whose members are all among `allowed`; an unknown member fails at its
  // own place, naming the members the object may have.
  void RequireObject(std::initializer_list<std::string_view> allowed) const;
  bool Has(std::string_view key) const;
  // Fails here, naming the member, when it is missing.
  JsonNode Member(std::string_view key) const;
  std::optional<JsonNode> OptionalMember(std::string_view key) const;

  // The elements of an array.
  std::vector<JsonNode> Elements() const;
  // The elements of an array of exactly `count` elements.
  std::vector<JsonNode> Elements(std::size_t count) const;

  std::string String() const;
  bool IsNumber() const { return value_->is_number(); }
  double Number() const;
  // A name: a non-empty string without control characters and without '/', the separator of
  // entity names.
  std::string Name() const;
  // An expression: a string, or a number standing for itself.
  std::string Expression() const;

  // Runs a call of the model host's builder for this value: a HostError it raises (a
  // degenerate curve, a duplicate name...) fails here with the builder's message, and a failure
  // of Open CASCADE itself here too, in words a reader of the file can use.
  template <class Call>
  decltype(auto) Guard(Call&& call) const {
    try {
      return call();
    } catch (const HostError& error) {
      Fail(error.what());
    } catch (const Standard_Failure&) {
      Fail("the geometry cannot be built from these values");
    }
  }

 private:
  // "an object", "a number"... for "expected a string, got an object".
  std::string TypeText() const;
  void RequireType(bool ok, std::string_view expected) const;

  const nlohmann::json* value_;
  nlohmann::json::json_pointer where_;
};

}  // namespace sledway::model
