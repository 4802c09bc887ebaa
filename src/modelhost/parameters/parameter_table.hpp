#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/parameters.hpp"
#include "modelhost/parameters/length_unit.hpp"
#include "modelhost/parameters/parameter.hpp"
#include "modelhost/parameters/parameter_list.hpp"
#include "modelhost/parameters/parameter_values.hpp"

namespace sledway::model {

// The parameters of a document: model parameters (the first list) and user parameters (the
// second), each in the order of creation, with names unique across both.
//
// Expressions follow the units rule of UnitExpression: evaluated in the parameter's own
// units, a bare number is in those units, a number with a unit label is converted into them,
// and a name reads that parameter converted into them when both measure the same thing (else
// in its own units).
//
// An update of the document is transactional: Stage works out every parameter's new value
// without changing anything, the document evaluates its part dimensions against the staged
// values (EvaluateLength) and checks its parts, and only then Commit applies the values.
class ParameterTable final : public IVParameters,
                             public std::enable_shared_from_this<ParameterTable> {
 public:
  static Ref<ParameterTable> Create();

  // Fails with HostError(kInvalidArg) "no parameter named '...'" when there is none.
  Ref<IVParameter> Item(const std::string& name) override;
  Ref<IVParameterList> GetFirstList() override;
  Ref<IVParameterList> GetSecondList() override;

  // Adds a parameter at the end of the model (first) or user (second) list, with `units` one
  // of mm, cm, m, in, ft, deg, rad or ul, its value evaluated at once from the current values.
  // Refused with a HostError, and nothing added, for a name that is not a letter followed by
  // letters, digits and underscores, a name that is a unit label or an expression word, a
  // name already used, an unknown unit, an expression that does not parse, reads an unknown
  // name or the parameter itself, or has no finite value.
  Ref<Parameter> AddModelParameter(const std::string& name, const std::string& expression,
                                   const std::string& units);
  Ref<Parameter> AddUserParameter(const std::string& name, const std::string& expression,
                                  const std::string& units);

  // The parameter of that name, or null.
  Ref<Parameter> Find(std::string_view name) const;

  // Evaluates every current expression, inputs before the parameters that read them, into a
  // staged set holding every parameter's new model value. Changes nothing; throws a HostError
  // naming the parameter and its expression when one has no finite value.
  ParameterValues Stage() const;

  // A part dimension written as an expression ("width", "10 mm", "2 * depth"): bare numbers
  // in `bareUnit`, names read the staged values in `values` (a parameter missing there gives
  // its current value). Returns centimetres; throws a HostError naming the expression when it
  // does not parse, reads an unknown name, or has no finite value. When `read` is given, the
  // model value of every parameter the expression read is added to it.
  double EvaluateLength(const std::string& expression, const ParameterValues& values,
                        LengthUnit bareUnit, ParameterValues* read = nullptr) const;

  // Gives every parameter its value from `values`; parameters missing there keep theirs.
  void Commit(const ParameterValues& values) noexcept;

 private:
  friend class Parameter;

  struct Compiled {
    UnitExpression expression;
    std::vector<Ref<Parameter>> inputs;
  };

  ParameterTable();

  Ref<Parameter> Add(ParameterList& list, const std::string& name, const std::string& expression,
                     const std::string& units);
  // Accepts `expression` for `parameter` (Parameter::Expression) or refuses it unchanged.
  void ChangeExpression(Parameter& parameter, const std::string& expression);
  // Parses `text` for the parameter `owner` (which may not be in the table yet) and refuses a
  // text that would make `owner` read itself.
  Compiled Compile(const std::string& owner, ParameterUnit unit, const std::string& text) const;
  ReadableNames Readable() const;
  // The part dimension `expression` parsed with bare numbers in `bareUnit`, parsed on first need.
  const UnitExpression& CompiledLength(const std::string& expression, LengthUnit bareUnit) const;
  // The names along a chain of inputs from `from` to the parameter named `target`, both
  // included, or nothing when `from` does not read it.
  static std::vector<std::string> InputChain(const Parameter& from, const std::string& target,
                                             std::set<const Parameter*>& searched);
  static void StageInto(const Parameter& parameter, ParameterValues& staged);

  Ref<ParameterList> modelParameters_;
  Ref<ParameterList> userParameters_;
  std::map<std::string, Ref<Parameter>, std::less<>> byName_;
  // Part dimensions are evaluated at every rebuild of their part, so each text is parsed once.
  // A parsed text stays right: parameters are never removed and never change their units.
  mutable std::map<std::pair<std::string, LengthUnit>, UnitExpression> lengths_;
};

}  // namespace sledway::model
