#include "platform/reg_file_format.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace sledway::platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::uint32_t kTextType = 1;    // REG_SZ
constexpr std::uint32_t kBinaryType = 3;  // REG_BINARY
constexpr std::uint32_t kNumberType = 4;  // REG_DWORD
// The registry editor keeps exported lines within this width.
constexpr std::size_t kLineWidth = 80;

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string_view TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// 1 to `maxDigits` hex digits, the whole of `text`.
std::optional<std::uint32_t> ParseHex(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const std::optional<unsigned> digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = value * 16 + *digit;
  }
  return value;
}

class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  // The next physical line without its line break; false at the end of the text.
  bool Next(std::string_view& line) {
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', position_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(position_, end - position_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    position_ = end + 1;
    ++number_;
    return true;
  }

  int Number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  int number_ = 0;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : lines_(text) {}

  Hive Parse() {
    std::string_view line;
    bool headerSeen = false;
    while (lines_.Next(line)) {
      const std::string_view content = TrimRight(line);
      if (TrimLeft(content).empty()) continue;
      if (!headerSeen) {
        if (content != kHeader) Fail("the file does not start with \"REGEDIT4\"");
        headerSeen = true;
      } else if (content.front() == ';') {
        continue;
      } else if (content.front() == '[') {
        ParseSection(content);
      } else if (content.front() == '"' || content.front() == '@') {
        ParseValue(content);
      } else {
        Fail("expected a [key] or a \"name\"=value line");
      }
    }
    if (!headerSeen) Fail("the file is empty; it should start with \"REGEDIT4\"");
    return std::move(hive_);
  }

 private:
  [[noreturn]] void Fail(const std::string& problem) const {
    throw RegFormatError(lines_.Number(), problem);
  }

  void ParseSection(std::string_view line) {
    // A key name may itself hold ']', so the section ends at the last one.
    const std::size_t close = line.rfind(']');
    if (close != line.size() - 1) Fail("a key line must end with ']'");
    const std::string_view name = line.substr(1, close - 1);
    if (!name.empty() && name.front() == '-') {
      Fail("a key deletion ([-...]) is an import instruction, not a stored key");
    }
    std::string_view path;
    if (SameName(name, kRoot)) {
      path = {};
    } else if (name.size() > kRoot.size() + 1 && SameName(name.substr(0, kRoot.size()), kRoot) &&
               name[kRoot.size()] == '\\') {
      path = name.substr(kRoot.size() + 1);
    } else {
      Fail("the key \"" + std::string(name) + "\" is not under " + std::string(kRoot));
    }
    if (!IsValidKeyPath(path))
      Fail("the key \"" + std::string(name) + "\" is not a valid key path");
    hive_.CreateKey(path);
    section_ = *hive_.StoredPath(path);
  }

  void ParseValue(std::string_view line) {
    if (!section_) Fail("a value comes before any [key] line");
    std::string name;
    std::string_view rest = line;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      name = ParseQuoted(rest);
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') Fail("expected '=' after the value name");
    rest = TrimLeft(rest.substr(1));

    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (!rest.empty() && rest.front() == '"') {
      const std::string text = ParseQuoted(rest);
      if (!TrimLeft(rest).empty()) Fail("unexpected text after the closing quote");
      type = kTextType;
      data.assign(text.begin(), text.end());
      data.push_back(0);
    } else if (rest.starts_with("dword:")) {
      const std::optional<std::uint32_t> number = ParseHex(rest.substr(6), 8);
      if (!number) Fail("a dword value needs 1 to 8 hex digits");
      type = kNumberType;
      for (int shift = 0; shift < 32; shift += 8) {
        data.push_back(static_cast<std::uint8_t>(*number >> shift));
      }
    } else if (rest.starts_with("hex")) {
      type = ParseHexType(rest);
      data = ParseHexList(rest);
    } else if (rest == "-") {
      Fail("a value deletion (=-) is an import instruction, not a stored value");
    } else {
      Fail("expected a \"text\", dword: or hex: value");
    }
    hive_.FindKey(*section_)->SetValue(name, type, std::move(data));
  }

  // A quoted text at the start of `rest`, with \" and \\ unescaped; `rest` moves past it.
  std::string ParseQuoted(std::string_view& rest) {
    std::string text;
    std::size_t i = 1;
    while (true) {
      if (i >= rest.size()) Fail("a quoted text has no closing quote");
      const char c = rest[i++];
      if (c == '"') break;
      if (c == '\\') {
        if (i >= rest.size() || (rest[i] != '\\' && rest[i] != '"')) {
          Fail("only \\\\ and \\\" may follow a backslash in quoted text");
        }
        text += rest[i++];
      } else {
        text += c;
      }
    }
    rest.remove_prefix(i);
    return text;
  }

  // "hex:" is binary, "hex(N):" type N (in hex); `rest` moves past the colon.
  std::uint32_t ParseHexType(std::string_view& rest) {
    rest.remove_prefix(3);
    std::uint32_t type = kBinaryType;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      const std::optional<std::uint32_t> parsed =
          close == std::string_view::npos ? std::nullopt : ParseHex(rest.substr(1, close - 1), 8);
      if (!parsed) Fail("hex(type) needs a type of 1 to 8 hex digits");
      type = *parsed;
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') Fail("expected ':' after hex");
    rest.remove_prefix(1);
    return type;
  }

  // Comma-separated bytes; a line that ends in '\' continues on the next one.
  std::vector<std::uint8_t> ParseHexList(std::string_view rest) {
    std::vector<std::uint8_t> bytes;
    std::string_view part = TrimRight(rest);
    while (true) {
      const bool continued = !part.empty() && part.back() == '\\';
      if (continued) part = TrimRight(part.substr(0, part.size() - 1));
      while (!part.empty()) {
        const std::size_t comma = part.find(',');
        const std::string_view digits = TrimRight(TrimLeft(part.substr(0, comma)));
        const std::optional<std::uint32_t> byte = ParseHex(digits, 2);
        if (!byte) Fail("\"" + std::string(digits) + "\" is not a byte in hex");
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::string_view::npos) {
          if (continued) Fail("a continued hex list needs a ',' before the '\\'");
          part = {};
        } else {
          part = part.substr(comma + 1);
          if (TrimLeft(part).empty() && !continued) Fail("a hex list ends with ','");
        }
      }
      if (!continued) return bytes;
      std::string_view next;
      if (!lines_.Next(next)) Fail("the file ends inside a continued hex list");
      part = TrimRight(TrimLeft(next));
    }
  }

  Lines lines_;
  Hive hive_;
  std::optional<std::string> section_;
};

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

// Text goes between quotes only when quoting keeps every byte: a single terminating NUL and
// no other control character.
bool IsQuotableText(const HiveValue& value) {
  if (value.type != kTextType || value.data.empty() || value.data.back() != 0) return false;
  return std::all_of(value.data.begin(), value.data.end() - 1,
                     [](std::uint8_t byte) { return byte >= 0x20; });
}

void AppendHexByte(std::string& out, std::uint8_t byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0xF];
}

void AppendHexList(std::string& out, std::size_t lineStart, const std::vector<std::uint8_t>& data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const bool last = i + 1 == data.size();
    const std::size_t tokenWidth = last ? 2 : 3;
    // Leave room for the continuation backslash.
    if (out.size() - lineStart + tokenWidth > kLineWidth - 1 && i > 0) {
      out += "\\\n  ";
      lineStart = out.size() - 2;
    }
    AppendHexByte(out, data[i]);
    if (!last) out += ',';
  }
}

void AppendValue(std::string& out, const HiveValue& value) {
  const std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, value.name);
  }
  out += '=';
  if (IsQuotableText(value)) {
    const auto* chars = reinterpret_cast<const char*>(value.data.data());
    AppendQuoted(out, std::string_view(chars, value.data.size() - 1));
  } else if (value.type == kNumberType && value.data.size() == 4) {
    out += "dword:";
    for (auto byte = value.data.rbegin(); byte != value.data.rend(); ++byte) {
      AppendHexByte(out, *byte);
    }
  } else {
    if (value.type == kBinaryType) {
      out += "hex:";
    } else {
      std::string type;
      for (std::uint32_t rest = value.type; rest != 0 || type.empty(); rest >>= 4) {
        type.insert(type.begin(), kHexDigits[rest & 0xF]);
      }
      out += "hex(" + type + "):";
    }
    AppendHexList(out, lineStart, value.data);
  }
  out += '\n';
}

}  // namespace

RegFormatError::RegFormatError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem), line_(line) {}

Hive ParseRegFile(std::string_view text) {
  return Parser(text).Parse();
}

std::string FormatRegFile(const Hive& hive) {
  std::string out(kHeader);
  out += "\n\n";
  for (const auto& [path, key] : hive.Keys()) {
    if (path.empty() && key.Values().empty()) continue;
    out += '[';
    out += kRoot;
    if (!path.empty()) out += '\\' + path;
    out += "]\n";
    for (const HiveValue& value : key.Values()) AppendValue(out, value);
    out += '\n';
  }
  return out;
}

}  // namespace sledway::platform
