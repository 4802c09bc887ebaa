#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace sledway {

// One character of UTF-8 text: how many bytes it takes, and its code point; a byte that is no
// part of a UTF-8 sequence counts as a character of its own, which is not `valid`.
struct TextCharacter {
  std::size_t length = 1;
  char32_t code = 0;
  bool valid = true;
};

// The character that starts at byte `i` of `text`.
inline TextCharacter CharacterAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, lead, true};
  const std::size_t length = lead >= 0xc2 && lead < 0xe0   ? 2
                             : lead >= 0xe0 && lead < 0xf0 ? 3
                             : lead >= 0xf0 && lead < 0xf5 ? 4
                                                           : 0;
  if (length == 0 || i + length > text.size()) return {1, lead, false};
  char32_t code = lead & (0x7fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xc0) != 0x80) return {1, lead, false};
    code = (code << 6) | (byte(k) & 0x3fu);
  }
  return {length, code, true};
}

// A control character of ASCII (DEL among them) or of Latin-1's C1 block (U+0080 to U+009F,
// among them U+009B, a terminal's CSI): in a terminal it can move the cursor or recolour text.
inline bool IsControlCharacter(char32_t code) {
  return code < 0x20 || (code >= 0x7f && code <= 0x9f);
}

// The longest stretch of a user's text that a message quotes: enough to recognise a name or an
// expression, short enough that a 10,000-term expression does not bury the message.
inline constexpr std::size_t kEchoLimit = 120;

// `text` as it may go to a terminal or a message box, and travel as a C string: a control
// character is escaped as \n, \r, \t or \u00XX (a NUL too, which would otherwise end a message
// there), and a byte that is no part of UTF-8 is written as \xNN. Past `limit` characters the
// text is cut with "...".
inline std::string EscapedText(std::string_view text,
                               std::size_t limit = std::numeric_limits<std::size_t>::max()) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string escaped;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++characters) {
    if (characters == limit) return escaped + "...";
    const TextCharacter c = CharacterAt(text, i);
    if (!c.valid) {
      escaped += std::string("\\x") + kHex[c.code >> 4] + kHex[c.code & 0xf];
    } else if (c.code == '\n') {
      escaped += "\\n";
    } else if (c.code == '\r') {
      escaped += "\\r";
    } else if (c.code == '\t') {
      escaped += "\\t";
    } else if (IsControlCharacter(c.code)) {
      escaped += std::string("\\u00") + kHex[c.code >> 4] + kHex[c.code & 0xf];
    } else {
      escaped.append(text.substr(i, c.length));
    }
    i += c.length;
  }
  return escaped;
}

// `text` (a name, an expression, a key) as a message quotes it: escaped, and cut at kEchoLimit.
inline std::string EchoedText(std::string_view text) {
  return EscapedText(text, kEchoLimit);
}

}  // namespace sledway
