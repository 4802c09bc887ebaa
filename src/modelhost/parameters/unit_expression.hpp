#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "modelhost/parameters/parameter_unit.hpp"

namespace sledway::model {

// The names an expression may read, with the unit of each.
using ReadableNames = std::map<std::string, ParameterUnit, std::less<>>;

// The text of a parameter or of a part dimension, parsed once (with muParser) and evaluated
// whenever the values it reads change.
//
// An expression is evaluated in its target unit, the unit of the parameter that owns it:
// - a bare number is in the target unit: "12.5" in a millimetre expression is 12.5 mm;
// - a unit label after a number, a bracket or a name converts from that unit into the target
//   unit: "0.5 in" in a millimetre expression is 12.7. Only labels of the target's dimension
//   are known ("90 deg" in a length expression is refused); a unitless target knows "ul";
// - a name reads that parameter: when both measure the same thing (two lengths, two angles),
//   its value converted into the target unit; otherwise (a unitless parameter in a length
//   expression, anything in a unitless one) its value in its own units, so that
//   "count * 10 mm" and "width / 10" both work.
// Values go in and come out in model units (centimetres, radians, plain numbers).
class UnitExpression {
 public:
  // Parses `text` for `target`. `owner` is the name of the parameter the text belongs to
  // ("" for a part dimension); messages name it. Throws HostError(kInvalidArg) giving muParser's
  // reason and position when the text does not parse or reads a name not in `readable`, and
  // when it gives more than one value ("3, 4").
  UnitExpression(std::string text, ParameterUnit target, const ReadableNames& readable,
                 std::string owner);
  ~UnitExpression();
  UnitExpression(UnitExpression&&) noexcept;
  UnitExpression& operator=(UnitExpression&&) noexcept;

  const std::string& Text() const { return text_; }
  // The names the text reads, in name order, each once.
  const std::vector<std::string>& Inputs() const { return inputs_; }

  // The value in model units, given the model value of each input in the order of Inputs().
  // Throws HostError(kFail) naming the expression when the value is not a finite number
  // (a division by zero, the root of a negative number).
  double Evaluate(std::span<const double> inputModelValues) const;

  // True when `name` is a word of the expression language (a function such as "sin", a
  // constant such as "_pi") and so cannot name a parameter.
  static bool IsReservedWord(const std::string& name);

 private:
  struct Compiled;

  std::string Describe() const;

  std::string text_;
  ParameterUnit target_;
  std::string owner_;
  std::vector<std::string> inputs_;
  std::vector<ParameterUnit> inputUnits_;
  std::unique_ptr<Compiled> compiled_;
};

}  // namespace sledway::model
