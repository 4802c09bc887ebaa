#include "modelhost/files/json_text.hpp"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "modelhost/files/placed_error.hpp"

namespace sledway::model {

namespace {

using Json = nlohmann::json;

// Where the parser stands, kept from its callbacks: one frame per open object or array.
class ParsePosition {
 public:
  void Open(bool object) { frames_.push_back(Frame{object, {}, {}, 0}); }

  void Close() {
    frames_.pop_back();
    ValueDone();
  }

  void ValueDone() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
  }

  void Key(const std::string& key) {
    Frame& frame = frames_.back();
    frame.key = key;
    frame.hasKey = true;
    if (!frame.keys.insert(key).second) throw PlacedError(Pointer(), "member given twice");
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

 private:
  struct Frame {
    bool object;
    std::set<std::string> keys;
    std::string key;
    std::size_t index;
    bool hasKey = false;
  };
  std::vector<Frame> frames_;
};

// nlohmann's messages start with "[json.exception.<kind>.<id>] "; a person needs the rest.
std::string WithoutExceptionTag(const std::string& message) {
  const auto tagEnd = message.find("] ");
  return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}

// "parse error at line 2, column 7: syntax error ..." -> place "line 2, column 7" and the rest.
PlacedError SyntaxError(const Json::parse_error& error) {
  const std::string message = WithoutExceptionTag(error.what());
  const auto lineStart = message.find("line ");
  const auto placeEnd = message.find(": ", lineStart);
  if (lineStart == std::string::npos || placeEnd == std::string::npos) {
    return PlacedError("", message);
  }
  return PlacedError(message.substr(lineStart, placeEnd - lineStart), message.substr(placeEnd + 2));
}

}  // namespace

Json ParseJsonText(std::string_view text) {
  ParsePosition position;
  const Json::parser_callback_t track = [&position](int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
        position.Open(true);
        break;
      case Json::parse_event_t::array_start:
        position.Open(false);
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        position.Close();
        break;
      case Json::parse_event_t::key:
        position.Key(parsed.get<std::string>());
        break;
      case Json::parse_event_t::value:
        position.ValueDone();
        break;
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), track);
  } catch (const Json::parse_error& error) {
    throw SyntaxError(error);
  } catch (const Json::exception& error) {
    // A number out of range of a double: the parser stands at the member that holds it.
    throw PlacedError(position.Pointer(), WithoutExceptionTag(error.what()));
  }
}

}  // namespace sledway::model
