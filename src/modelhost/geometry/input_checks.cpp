#include "modelhost/geometry/input_checks.hpp"

#include <sstream>
#include <string>

#include "host/host_error.hpp"

namespace sledway::model {

void RefuseNonFinite(std::string_view what, std::initializer_list<double> values) {
  std::ostringstream message;
  message << what << ": the numbers must be finite (got";
  const char* separator = " ";
  for (double value : values) {
    message << separator << value;
    separator = ", ";
  }
  message << ")";
  throw HostError(hresult::kInvalidArg, message.str());
}

void RequireTolerance(std::string_view what, double tolerance) {
  if (tolerance >= 0.0) return;
  std::ostringstream message;
  message << what << ": the tolerance must not be negative (got " << tolerance << ")";
  throw HostError(hresult::kInvalidArg, message.str());
}

void RequireObject(const void* object, std::string_view what) {
  if (object == nullptr)
    throw HostError(hresult::kPointer, std::string(what) + ": no object given");
}

}  // namespace sledway::model
