#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace sledway::model {

// Model values of parameters (centimetres, radians, plain numbers) staged by name: what an
// update would give every parameter, worked out before anything changes so that a failure
// anywhere in the update leaves the document as it was.
class ParameterValues {
 public:
  // Refuses a value that is not finite with HostError(kInvalidArg) naming the parameter.
  void Set(const std::string& name, double modelValue);
  // The staged model value of `name`, or nothing when none is staged.
  std::optional<double> Find(const std::string& name) const;
  std::size_t Size() const { return values_.size(); }
  // True when `later` holds every value held here, each exactly the same: whatever was worked
  // out from these values would come out the same again.
  bool UnchangedIn(const ParameterValues& later) const;

 private:
  std::map<std::string, double, std::less<>> values_;
};

}  // namespace sledway::model
