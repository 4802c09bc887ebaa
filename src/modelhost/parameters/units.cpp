#include "modelhost/parameters/units.hpp"

#include <array>
#include <charconv>
#include <cmath>

#include "host/codes.hpp"
#include "host/host_error.hpp"

namespace sledway::model {
namespace {

constexpr int kMaxDecimals = 6;

void RequireDisplayLengthCode(std::int32_t unitsCode) {
  if (unitsCode != kDefaultDisplayLengthUnits) {
    throw HostError(hresult::kInvalidArg,
                    "units code " + std::to_string(unitsCode) + " is not supported");
  }
}

// `value` rounded to six decimals, with trailing zeros and a bare point dropped. std::to_chars
// ignores the locale, so the separator is always a point and there is no grouping.
std::string ShortestDecimal(double value) {
  // A double's integer part has at most 309 digits; add sign, point and decimals.
  std::array<char, 330> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, kMaxDecimals);
  if (error != std::errc()) {
    throw HostError(hresult::kOverflow, "cannot write the number " + std::to_string(value));
  }
  std::string text(buffer.data(), end);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  // A small negative value rounds to zero; it is written as "0", never "-0".
  if (text == "-0") text = "0";
  return text;
}

}  // namespace

Units::Units(LengthUnit display) : display_(display) {}

std::string Units::FormatValue(double value, std::int32_t unitsCode) {
  RequireDisplayLengthCode(unitsCode);
  const double shown = FromModel(value, CentimetreRatio(display_));
  if (!std::isfinite(shown)) {
    throw HostError(hresult::kInvalidArg, "cannot write the length " + std::to_string(value) +
                                              " cm in " + std::string(LengthUnitLabel(display_)));
  }
  return ShortestDecimal(shown) + " " + std::string(LengthUnitLabel(display_));
}

std::string Units::UnitsLabel(std::int32_t unitsCode) {
  RequireDisplayLengthCode(unitsCode);
  return std::string(LengthUnitLabel(display_));
}

}  // namespace sledway::model
