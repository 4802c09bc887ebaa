#include "common/reg_api.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "host/host_error.hpp"

namespace sledway {
namespace {

namespace reg = platform;

// Query value, set value, create subkey, enumerate subkeys, notify, create link.
constexpr std::uint32_t kAccess = reg::KEY_QUERY_VALUE | reg::KEY_SET_VALUE |
                                  reg::KEY_CREATE_SUB_KEY | reg::KEY_ENUMERATE_SUB_KEYS |
                                  reg::KEY_NOTIFY | reg::KEY_CREATE_LINK;

using Bytes = std::vector<std::uint8_t>;

// An open key, closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey() = default;
  ~OpenedKey() {
    if (key_ != nullptr) reg::RegCloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  reg::HKEY* Receive() { return &key_; }
  reg::HKEY get() const { return key_; }

 private:
  reg::HKEY key_ = nullptr;
};

bool Open(reg::HKEY root, const std::string& path, OpenedKey& key) {
  return reg::RegOpenKeyExA(root, path.c_str(), 0, kAccess, key.Receive()) == reg::ERROR_SUCCESS;
}

std::string QuotedName(const std::string& name) {
  return "\"" + name + "\"";
}

// Rounds to the nearest integer, halves to the even neighbour; nothing outside 32 bits.
std::optional<std::int32_t> RoundToInt32(double number) {
  if (!std::isfinite(number)) return std::nullopt;
  double rounded = std::round(number);  // halves away from zero
  // A half goes to its even neighbour instead; number - trunc(number) is exact.
  if (std::fabs(number - std::trunc(number)) == 0.5) rounded = 2.0 * std::round(number / 2.0);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

std::string TextOf(const RegValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* integer = std::get_if<std::int32_t>(&value)) return std::to_string(*integer);
  if (const auto* number = std::get_if<double>(&value)) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *number).ptr;
    return std::string(buffer, end);
  }
  if (const auto* bytes = std::get_if<Bytes>(&value)) {
    return std::string(bytes->begin(), bytes->end());
  }
  return std::string();
}

Bytes TextBytes(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

Bytes DwordBytes(const RegValue& value, const std::string& name) {
  const std::optional<double> number = NumberIn(value);
  if (!number) {
    throw HostError(hresult::kInvalidArg, "the value for " + QuotedName(name) + " (" +
                                              QuotedName(TextOf(value)) + ") is not a number");
  }
  const std::optional<std::int32_t> integer = RoundToInt32(*number);
  if (!integer) {
    throw HostError(hresult::kOverflow, "the value for " + QuotedName(name) + " (" + TextOf(value) +
                                            ") is outside the range of a 32-bit integer");
  }
  const auto bits = static_cast<std::uint32_t>(*integer);
  return Bytes{static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
               static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Bytes BinaryBytes(const RegValue& value, const std::string& name) {
  if (const auto* bytes = std::get_if<Bytes>(&value)) return *bytes;
  if (const auto* text = std::get_if<std::string>(&value)) return Bytes(text->begin(), text->end());
  if (std::holds_alternative<std::monostate>(value)) return Bytes();
  throw HostError(hresult::kInvalidArg,
                  "the number for " + QuotedName(name) + " cannot be stored as bytes");
}

// The bytes `type` stores for `value`; nothing for a type this class does not write. Throws
// before anything is written when the value does not convert.
std::optional<Bytes> Encode(std::int32_t type, const RegValue& value, const std::string& name) {
  switch (type) {
    case static_cast<std::int32_t>(reg::REG_SZ):
      return TextBytes(TextOf(value));
    case static_cast<std::int32_t>(reg::REG_BINARY):
      return BinaryBytes(value, name);
    case static_cast<std::int32_t>(reg::REG_DWORD):
      return DwordBytes(value, name);
    default:
      return std::nullopt;
  }
}

std::int32_t Write(reg::HKEY key, const std::string& name, std::int32_t type, const Bytes& data) {
  return reg::RegSetValueExA(key, name.c_str(), 0, static_cast<std::uint32_t>(type), data.data(),
                             static_cast<std::uint32_t>(data.size()));
}

// Stored text normally ends in its terminating NUL, which is no part of the text; text that
// another program stored without one keeps its last character.
std::string TextFrom(const Bytes& data) {
  std::size_t length = data.size();
  if (length > 0 && data.back() == 0) --length;
  return std::string(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
}

std::int32_t Int32From(const Bytes& data) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(data.size(), 4); ++i) {
    bits |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  }
  return static_cast<std::int32_t>(bits);
}

// A listed value: text, a 32-bit integer, or the bytes as stored for any other type.
RegValue Decode(std::uint32_t type, const Bytes& data) {
  if (type == reg::REG_SZ) return TextFrom(data);
  if (type == reg::REG_DWORD && data.size() == 4) return Int32From(data);
  return data;
}

}  // namespace

CRegAPI::CRegAPI() : root_(reg::HKEY_CURRENT_USER), basePath_("Software\\Autodesk\\Inventor") {}

std::string CRegAPI::KeyPath(const std::string& appname, const std::string& section) const {
  std::string path = basePath_ + appname;
  if (!section.empty()) path += "\\" + section;
  return path;
}

RegValue CRegAPI::GetSetting(const std::string& appname, const std::string& section,
                             const std::string& Key, const RegValue& DEFAULT) const {
  RegValue value = QueryValue(KeyPath(appname, section), Key);
  const auto* text = std::get_if<std::string>(&value);
  if (std::holds_alternative<std::monostate>(value) || (text != nullptr && text->empty())) {
    return DEFAULT;
  }
  return value;
}

void CRegAPI::SaveSetting(const std::string& appname, const std::string& section,
                          const std::string& Key, const RegValue& setting,
                          std::int32_t& lValueType) const {
  if (lValueType == 0) {
    const bool numeric = std::holds_alternative<std::int32_t>(setting) ||
                         std::holds_alternative<double>(setting) ||
                         (std::holds_alternative<std::string>(setting) && NumberIn(setting));
    lValueType = static_cast<std::int32_t>(numeric ? reg::REG_DWORD : reg::REG_SZ);
  }
  SetKeyValue(KeyPath(appname, section), Key, setting, lValueType);
}

void CRegAPI::SaveSetting(const std::string& appname, const std::string& section,
                          const std::string& Key, const RegValue& setting) const {
  std::int32_t lValueType = 0;
  SaveSetting(appname, section, Key, setting, lValueType);
}

void CRegAPI::DeleteSetting(const std::string& appname, const std::string& section,
                            const std::string& Key) const {
  OpenedKey key;
  if (!Key.empty()) {
    if (Open(root_, KeyPath(appname, section), key)) reg::RegDeleteValueA(key.get(), Key.c_str());
  } else if (Open(root_, KeyPath(appname, std::string()), key)) {
    reg::RegDeleteKeyA(key.get(), section.c_str());
  }
}

RegValue CRegAPI::QueryValue(const std::string& sKeyName, const std::string& sValueName) const {
  RegValue value;
  OpenedKey key;
  if (Open(root_, sKeyName, key)) QueryValueEx(key.get(), sValueName, value);
  return value;
}

RegTable CRegAPI::GetAllSettings(const std::string& appname, const std::string& section) const {
  OpenedKey key;
  if (!Open(root_, KeyPath(appname, section), key)) return {};
  std::uint32_t count = 0;
  std::uint32_t longestName = 0;
  std::uint32_t longestData = 0;
  if (reg::RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                            &longestName, &longestData, nullptr, nullptr) != reg::ERROR_SUCCESS) {
    return {};
  }
  RegTable rows;
  for (std::uint32_t index = 0; index < count; ++index) {
    std::vector<char> name(longestName + 1);
    std::uint32_t nameLength = static_cast<std::uint32_t>(name.size());
    // At least one byte, so that the buffer is never mistaken for a size query.
    Bytes data(std::max<std::uint32_t>(longestData, 1));
    std::uint32_t dataSize = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = 0;
    // Another process may change the key meanwhile; the listing then ends early.
    if (reg::RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(),
                           &dataSize) != reg::ERROR_SUCCESS) {
      break;
    }
    data.resize(dataSize);
    rows.push_back({std::string(name.data(), nameLength), Decode(type, data)});
  }
  return rows;
}

RegTable CRegAPI::GetAllKeys(const std::string& appname, const std::string& section) const {
  OpenedKey key;
  if (!Open(root_, KeyPath(appname, section), key)) return {};
  std::uint32_t count = 0;
  std::uint32_t longestName = 0;
  std::uint32_t longestClass = 0;
  if (reg::RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, &longestName,
                            &longestClass, nullptr, nullptr, nullptr, nullptr,
                            nullptr) != reg::ERROR_SUCCESS) {
    return {};
  }
  RegTable rows;
  for (std::uint32_t index = 0; index < count; ++index) {
    std::vector<char> name(longestName + 1);
    std::uint32_t nameLength = static_cast<std::uint32_t>(name.size());
    std::vector<char> className(longestClass + 1);
    std::uint32_t classLength = static_cast<std::uint32_t>(className.size());
    if (reg::RegEnumKeyExA(key.get(), index, name.data(), &nameLength, nullptr, className.data(),
                           &classLength, nullptr) != reg::ERROR_SUCCESS) {
      break;
    }
    rows.push_back({RegValue(), std::string(name.data(), nameLength),
                    std::string(className.data(), classLength)});
  }
  return rows;
}

void CRegAPI::SetKeyValue(const std::string& sKeyName, const std::string& sValueName,
                          const RegValue& vValueSetting, std::int32_t lValueType) const {
  // Converting first, so that a value that does not convert leaves the store untouched.
  const std::optional<Bytes> data = Encode(lValueType, vValueSetting, sValueName);
  OpenedKey key;
  std::uint32_t disposition = 0;
  if (reg::RegCreateKeyExA(root_, sKeyName.c_str(), 0, "", reg::REG_OPTION_NON_VOLATILE, kAccess,
                           nullptr, key.Receive(), &disposition) != reg::ERROR_SUCCESS) {
    return;
  }
  if (data) Write(key.get(), sValueName, lValueType, *data);
}

void CRegAPI::CreateKey(const std::string& sKeyName) const {
  OpenedKey key;
  std::uint32_t disposition = 0;
  reg::RegCreateKeyExA(root_, sKeyName.c_str(), 0, "", reg::REG_OPTION_NON_VOLATILE, kAccess,
                       nullptr, key.Receive(), &disposition);
}

std::int32_t CRegAPI::SetValueEx(platform::HKEY hKey, const std::string& sValueName,
                                 std::int32_t lType, const RegValue& vValue) const {
  const std::optional<Bytes> data = Encode(lType, vValue, sValueName);
  return data ? Write(hKey, sValueName, lType, *data) : 0;
}

std::int32_t CRegAPI::QueryValueEx(platform::HKEY lhKey, std::string szValueName,
                                   RegValue& vValue) const {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (reg::RegQueryValueExA(lhKey, szValueName.c_str(), nullptr, &type, nullptr, &size) !=
      reg::ERROR_SUCCESS) {
    return 0;
  }
  if (type != reg::REG_SZ && type != reg::REG_BINARY && type != reg::REG_DWORD) return -1;
  // A REG_DWORD is read into 4 bytes; one stored longer reports ERROR_MORE_DATA.
  Bytes data(type == reg::REG_DWORD ? 4 : std::max<std::uint32_t>(size, 1), 0);
  std::uint32_t read = static_cast<std::uint32_t>(data.size());
  // Read by the type asked about first, should another process change it in between.
  const std::int32_t result =
      reg::RegQueryValueExA(lhKey, szValueName.c_str(), nullptr, nullptr, data.data(), &read);
  if (result != reg::ERROR_SUCCESS) {
    if (type == reg::REG_SZ) vValue = RegValue();
    return result;
  }
  data.resize(std::min<std::size_t>(read, data.size()));
  if (type == reg::REG_SZ) {
    vValue = TextFrom(data);
  } else if (type == reg::REG_BINARY) {
    vValue = data;
  } else {
    vValue = Int32From(data);
  }
  return result;
}

}  // namespace sledway
