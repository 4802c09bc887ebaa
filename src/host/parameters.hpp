#pragma once

#include <string>

#include "host/collections.hpp"

namespace sledway {

class IVParameter : public virtual IVObject {
 public:
  virtual std::string Name() = 0;
  // The value in the parameter's own units.
  virtual double Value() = 0;
  // The unit text, such as "mm", "deg" or "ul".
  virtual std::string Units() = 0;
  virtual std::string Expression() = 0;
  // Refuses an expression that does not parse or names an unknown parameter; the value takes
  // effect at the next Update of the document.
  virtual void Expression(const std::string& expression) = 0;
  // The parameters that the expression reads.
  virtual Ref<IVObjectCollection> Inputs() = 0;
};

// One list of parameters in the host's order. Positions run from 1.
class IVParameterList : public virtual IVObject {
 public:
  virtual int Count() = 0;
  virtual Ref<IVParameter> Item(int index) = 0;
};

class IVParameters : public virtual IVObject {
 public:
  // Fails with an error naming `name` when there is no such parameter.
  virtual Ref<IVParameter> Item(const std::string& name) = 0;
  // Model parameters.
  virtual Ref<IVParameterList> GetFirstList() = 0;
  // User parameters.
  virtual Ref<IVParameterList> GetSecondList() = 0;
};

}  // namespace sledway
