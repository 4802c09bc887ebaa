#pragma once

#include <cstdint>
#include <string>

#include "host/codes.hpp"
#include "host/parameters.hpp"

namespace sledway {

class IVUnits : public virtual IVObject {
 public:
  // `value` in model units written in the units that `unitsCode` asks for, with the label.
  virtual std::string FormatValue(double value, std::int32_t unitsCode) = 0;
  virtual std::string UnitsLabel(std::int32_t unitsCode) = 0;
};

class IVDocument : public virtual IVObject {
 public:
  virtual IVDocumentType DocumentType() = 0;
  virtual std::string DisplayName() = 0;
  // Re-evaluates the parameters and rebuilds what depends on them; fails with nothing
  // changed when that is not possible.
  virtual void Update() = 0;
};

class IVAssemblyDefinition : public virtual IVObject {
 public:
  virtual Ref<IVParameters> GetParameters() = 0;
};

class IVAssemblyDocument : public virtual IVDocument {
 public:
  virtual Ref<IVAssemblyDefinition> GetDefinition() = 0;
  virtual Ref<IVUnits> GetUnits() = 0;
};

class IVPartDocument : public virtual IVDocument {};

}  // namespace sledway
