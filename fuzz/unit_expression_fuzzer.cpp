// Any text parsed as a parameter expression is either refused with a HostError or gives an
// expression that evaluates to a finite value or a HostError, for every target unit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/host_error.hpp"
#include "modelhost/parameters/unit_expression.hpp"

namespace {

using sledway::model::ParameterUnit;

// One readable parameter of each dimension, as a document's earlier parameters would be.
const sledway::model::ReadableNames kReadable{{"length", ParameterUnit::kMillimetre},
                                              {"width", ParameterUnit::kInch},
                                              {"turn", ParameterUnit::kDegree},
                                              {"count", ParameterUnit::kUnitless}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the target unit, the rest is the text.
  const auto target = static_cast<ParameterUnit>(data[0] % sledway::model::kParameterUnitCount);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const sledway::model::UnitExpression expression(text, target, kReadable, "fuzzed");
    const std::vector<double> inputs(expression.Inputs().size(), 2.5);
    if (!std::isfinite(expression.Evaluate(inputs))) std::abort();
  } catch (const sledway::HostError&) {
  }
  return 0;
}
