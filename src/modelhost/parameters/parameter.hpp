#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/parameters.hpp"
#include "modelhost/parameters/parameter_unit.hpp"
#include "modelhost/parameters/unit_expression.hpp"

namespace sledway::model {

class ParameterTable;

// One named parameter of a document's parameter table. Its value lives in model units
// (centimetres, radians, plain numbers) and is reported in the parameter's own units: a 25 mm
// parameter reports 25. Created only by its ParameterTable, which it reaches through a weak
// reference: a parameter held after its document is gone still reports its last value but
// takes no new expression.
class Parameter final : public IVParameter {
 public:
  std::string Name() override;
  // The value in the parameter's own units.
  double Value() override;
  std::string Units() override;
  // The text as last accepted.
  std::string Expression() override;
  // Refuses, with HostError naming the parameter and giving the reason, a text that does not
  // parse, reads an unknown name or would make the parameter read itself through others;
  // nothing changes then. An accepted text takes effect in the value at the next update of the
  // document (ParameterTable::Stage and Commit).
  void Expression(const std::string& expression) override;
  // A new collection of the parameters the expression reads, in name order.
  Ref<IVObjectCollection> Inputs() override;

  // The value in model units: centimetres, radians, or the plain number.
  double ModelValue() const { return modelValue_; }

 private:
  friend class ParameterTable;

  Parameter(std::string name, ParameterUnit unit, UnitExpression expression,
            std::vector<Ref<Parameter>> inputs, double modelValue,
            std::weak_ptr<ParameterTable> table);

  std::string name_;
  ParameterUnit unit_;
  UnitExpression expression_;
  // The parameters named in the expression, in the order of expression_.Inputs(). The table
  // refuses cycles, so these strong references form no ring.
  std::vector<Ref<Parameter>> inputs_;
  double modelValue_;
  std::weak_ptr<ParameterTable> table_;
};

}  // namespace sledway::model
