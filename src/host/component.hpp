#pragma once

#include <string>

#include "host/geometry.hpp"

namespace sledway {

// A component: a top-level occurrence of a part (or of a sub-assembly, moving as one) in an
// assembly.
class IVComponent : public virtual IVObject {
 public:
  virtual std::string Name() = 0;
  // A free-standing copy of the placement; editing it changes nothing until it is handed
  // back with SetTransformation.
  virtual Ref<IVMatrix> GetTransformation() = 0;
  virtual void SetTransformation(const Ref<IVMatrix>& placement) = 0;
  virtual bool Fixed() = 0;
  virtual void Fixed(bool fixed) = 0;
  virtual bool Visible() = 0;
  virtual void Visible(bool visible) = 0;
};

// Anything that lives on a component; null for what the assembly owns itself.
class IVOccurrenceMember : public virtual IVObject {
 public:
  virtual Ref<IVComponent> ContainingOccurrence() = 0;
};

}  // namespace sledway
