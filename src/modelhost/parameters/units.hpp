#pragma once

#include <cstdint>
#include <string>

#include "host/document.hpp"
#include "modelhost/parameters/length_unit.hpp"

namespace sledway::model {

// The units of a document: model lengths (centimetres) written in the document's display unit.
class Units final : public IVUnits {
 public:
  explicit Units(LengthUnit display);

  // `value` in centimetres written in the display unit: the shortest decimal text with at most
  // six decimals, a point as separator and no grouping, one blank, then the label
  // ("1234.5 mm"). The same on every locale. Only the display-length code is known; any other
  // code, or a value that is not finite, is refused with HostError(kInvalidArg).
  std::string FormatValue(double value, std::int32_t unitsCode) override;
  // The display unit's label ("mm") for the display-length code.
  std::string UnitsLabel(std::int32_t unitsCode) override;

 private:
  LengthUnit display_;
};

}  // namespace sledway::model
