#include "modelhost/files/json_text.hpp"

#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "modelhost/files/placed_error.hpp"

namespace sledway::model {

namespace {

using Json = nlohmann::json;

// nlohmann's messages start with "[json.exception.<kind>.<id>] "; a person needs the rest.
std::string WithoutExceptionTag(const std::string& message) {
  const auto tagEnd = message.find("] ");
  return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}

// "parse error at line 2, column 7: syntax error ..." -> place "line 2, column 7" and the rest.
PlacedError SyntaxError(const std::string& what) {
  const std::string message = WithoutExceptionTag(what);
  const auto lineStart = message.find("line ");
  const auto placeEnd = message.find(": ", lineStart);
  if (lineStart == std::string::npos || placeEnd == std::string::npos) {
    return PlacedError("", message);
  }
  return PlacedError(message.substr(lineStart, placeEnd - lineStart), message.substr(placeEnd + 2));
}

// Builds the value from nlohmann's SAX events, knowing at each event where in the file it
// stands: one frame per open object or array. (nlohmann's own parser with a callback looks
// through the whole enclosing array at the end of every object, which makes a long array of
// objects quadratic.)
class ValueBuilder {
 public:
  bool null() { return Put(Json(nullptr)); }
  bool boolean(bool value) { return Put(Json(value)); }
  bool number_integer(Json::number_integer_t value) { return Put(Json(value)); }
  bool number_unsigned(Json::number_unsigned_t value) { return Put(Json(value)); }
  bool number_float(Json::number_float_t value, const std::string&) { return Put(Json(value)); }
  bool string(std::string& value) { return Put(Json(std::move(value))); }
  bool binary(Json::binary_t& value) { return Put(Json::binary(std::move(value))); }

  bool start_object(std::size_t) { return Open(Json::object(), true); }
  bool start_array(std::size_t) { return Open(Json::array(), false); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(std::string& key) {
    Frame& frame = frames_.back();
    frame.key = key;
    frame.hasKey = true;
    if (!frame.keys.insert(key).second) throw PlacedError(Pointer(), "member given twice");
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    // A number out of range of a double: the parser stands at the member that holds it.
    if (dynamic_cast<const Json::out_of_range*>(&error)) {
      throw PlacedError(Pointer(), WithoutExceptionTag(error.what()));
    }
    throw SyntaxError(error.what());
  }

  Json Take() { return std::move(root_); }

 private:
  struct Frame {
    Json* value;
    bool object;
    std::unordered_set<std::string> keys;
    std::string key;
    std::size_t index = 0;
    bool hasKey = false;
  };

  // Puts a value where the parser stands; returns where it went. A container's elements never
  // move while it is open, since only the innermost open container grows.
  Json* Place(Json value) {
    if (frames_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Frame& frame = frames_.back();
    if (frame.object) return &((*frame.value)[frame.key] = std::move(value));
    frame.value->push_back(std::move(value));
    return &frame.value->back();
  }

  bool Put(Json value) {
    Place(std::move(value));
    ValueDone();
    return true;
  }

  bool Open(Json container, bool object) {
    Json* placed = Place(std::move(container));
    frames_.push_back(Frame{placed, object, {}, {}});
    return true;
  }

  bool Close() {
    frames_.pop_back();
    ValueDone();
    return true;
  }

  void ValueDone() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
  }

  // The pointer of the value being read.
  std::string Pointer() const {
    Json::json_pointer pointer;
    for (const Frame& frame : frames_) {
      if (frame.object) {
        if (frame.hasKey) pointer /= frame.key;
      } else {
        pointer /= frame.index;
      }
    }
    return pointer.to_string();
  }

  Json root_;
  std::vector<Frame> frames_;
};

}  // namespace

Json ParseJsonText(std::string_view text) {
  ValueBuilder builder;
  Json::sax_parse(text.begin(), text.end(), &builder);
  return builder.Take();
}

}  // namespace sledway::model
