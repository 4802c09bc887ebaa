#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sledway {

// Result codes a failing host call carries.
namespace hresult {
inline constexpr std::uint32_t kFail = 0x80004005;         // unspecified failure
inline constexpr std::uint32_t kUnexpected = 0x8000FFFF;   // unexpected failure
inline constexpr std::uint32_t kInvalidArg = 0x80070057;   // an argument is not acceptable
inline constexpr std::uint32_t kNoInterface = 0x80004002;  // the object lacks that interface
inline constexpr std::uint32_t kPointer = 0x80004003;      // a required object is missing
inline constexpr std::uint32_t kBadIndex = 0x8002000B;     // an index outside a collection
inline constexpr std::uint32_t kDivideByZero = 0x80020012; // a division by zero
inline constexpr std::uint32_t kOverflow = 0x8002000A;     // a value outside its type's range
}  // namespace hresult

// A failing host call. The code is the 32-bit result code; the message says, for a person,
// what failed and which entity or name was involved.
class HostError : public std::runtime_error {
 public:
  HostError(std::uint32_t code, const std::string& message)
      : std::runtime_error(message), code_(code) {}

  std::uint32_t Code() const noexcept { return code_; }

 private:
  std::uint32_t code_;
};

}  // namespace sledway
