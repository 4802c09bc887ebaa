#include "modelhost/parameters/unit_expression.hpp"

#include <muParser.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

#include "host/echoed_text.hpp"
#include "host/host_error.hpp"

namespace sledway::model {
namespace {

// muParser's postfix operators are plain functions, so there is one per pair of units: the
// conversion from the unit written after a number into the expression's target unit.
using SuffixFunction = mu::value_type (*)(mu::value_type);

template <ParameterUnit From, ParameterUnit To>
mu::value_type ConvertSuffix(mu::value_type value) {
  return Rescale(value, ModelRatioOf(From), ModelRatioOf(To));
}

template <std::size_t... Pair>
constexpr std::array<SuffixFunction, sizeof...(Pair)> MakeSuffixFunctions(
    std::index_sequence<Pair...>) {
  return {&ConvertSuffix<static_cast<ParameterUnit>(Pair / kParameterUnitCount),
                         static_cast<ParameterUnit>(Pair % kParameterUnitCount)>...};
}

constexpr auto kSuffixFunctions =
    MakeSuffixFunctions(std::make_index_sequence<kParameterUnitCount * kParameterUnitCount>{});

SuffixFunction SuffixFunctionFor(ParameterUnit from, ParameterUnit to) {
  return kSuffixFunctions[static_cast<std::size_t>(from) * kParameterUnitCount +
                          static_cast<std::size_t>(to)];
}

void DefineLanguage(mu::Parser& parser, ParameterUnit target) {
  // muParser's own pi is cut at twelve decimals when built with GCC; angles need all of it.
  parser.DefineConst("_pi", std::numbers::pi);
  for (int index = 0; index < kParameterUnitCount; ++index) {
    const auto unit = static_cast<ParameterUnit>(index);
    if (DimensionOf(unit) == DimensionOf(target)) {
      parser.DefinePostfixOprt(std::string(ParameterUnitLabel(unit)),
                               SuffixFunctionFor(unit, target));
    }
  }
}

std::string PositionText(int position) {
  return position >= 0 ? " at position " + std::to_string(position) : "";
}

// Why a text does not parse: in our words where muParser's would puzzle a user (a name that
// is not there yet), else muParser's reason without its own position
// wording, which is added in one form.
std::string Reason(const mu::Parser::exception_type& error) {
  const std::string& token = error.GetToken();
  if (error.GetCode() == mu::ecUNASSIGNABLE_TOKEN && !token.empty() &&
      (std::isalpha(static_cast<unsigned char>(token[0])) != 0 || token[0] == '_')) {
    return "reads \"" + EchoedText(token) + "\"" + PositionText(error.GetPos()) +
           ", which is neither a unit of this value nor a parameter defined before it";
  }
  std::string reason = error.GetMsg();
  if (const auto at = reason.rfind(" at position "); at != std::string::npos) reason.erase(at);
  while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
  // The parser's text quotes the token it stumbled on, which may be long or hold anything.
  reason = EchoedText(reason);
  return reason + PositionText(error.GetPos());
}

}  // namespace

struct UnitExpression::Compiled {
  mu::Parser parser;
  // One slot per input, bound to the parser; sized once so the bound addresses stay valid.
  std::vector<mu::value_type> slots;
};

UnitExpression::UnitExpression(std::string text, ParameterUnit target,
                               const ReadableNames& readable, std::string owner)
    : text_(std::move(text)),
      target_(target),
      owner_(std::move(owner)),
      compiled_(std::make_unique<Compiled>()) {
  // muParser refuses some control characters in its own puzzling words and reads past others.
  const auto control = std::find_if(text_.begin(), text_.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
  });
  if (control != text_.end()) {
    throw HostError(hresult::kInvalidArg,
                    Describe() + ": holds a control character" +
                        PositionText(static_cast<int>(control - text_.begin())));
  }
  mu::Parser& parser = compiled_->parser;
  try {
    DefineLanguage(parser, target_);
    // First pass: every readable name bound to one scratch value, to learn which names the
    // text reads and whether it parses at all.
    mu::value_type scratch = 0.0;
    for (const auto& [name, unit] : readable) parser.DefineVar(name, &scratch);
    parser.SetExpr(text_);
    parser.Eval();
    if (parser.GetNumResults() != 1) {
      throw HostError(hresult::kInvalidArg, Describe() + ": gives " +
                                                std::to_string(parser.GetNumResults()) +
                                                " values separated by commas where one is wanted");
    }
    for (const auto& [name, slot] : parser.GetUsedVar()) {
      inputs_.push_back(name);
      inputUnits_.push_back(readable.find(name)->second);
    }
    // Second pass: only the inputs, each bound to its own slot.
    parser.ClearVar();
    compiled_->slots.assign(inputs_.size(), 0.0);
    for (std::size_t index = 0; index < inputs_.size(); ++index) {
      parser.DefineVar(inputs_[index], &compiled_->slots[index]);
    }
    parser.SetExpr(text_);
  } catch (const mu::Parser::exception_type& error) {
    throw HostError(hresult::kInvalidArg, Describe() + ": " + Reason(error));
  }
}

UnitExpression::~UnitExpression() = default;
UnitExpression::UnitExpression(UnitExpression&&) noexcept = default;
UnitExpression& UnitExpression::operator=(UnitExpression&&) noexcept = default;

double UnitExpression::Evaluate(std::span<const double> inputModelValues) const {
  if (inputModelValues.size() != inputs_.size()) {
    throw HostError(hresult::kInvalidArg, Describe() + ": reads " + std::to_string(inputs_.size()) +
                                              " values, given " +
                                              std::to_string(inputModelValues.size()));
  }
  const ModelRatio targetRatio = ModelRatioOf(target_);
  for (std::size_t index = 0; index < inputs_.size(); ++index) {
    const ParameterUnit unit = inputUnits_[index];
    const bool sameDimension = DimensionOf(unit) == DimensionOf(target_);
    compiled_->slots[index] =
        FromModel(inputModelValues[index], sameDimension ? targetRatio : ModelRatioOf(unit));
  }
  double value = 0.0;
  try {
    value = ToModel(compiled_->parser.Eval(), targetRatio);
  } catch (const mu::Parser::exception_type& error) {
    throw HostError(hresult::kFail, Describe() + ": " + Reason(error));
  }
  if (!std::isfinite(value)) {
    throw HostError(hresult::kFail,
                    Describe() + " has no finite value (" + std::to_string(value) + ")");
  }
  return value;
}

bool UnitExpression::IsReservedWord(const std::string& name) {
  const mu::Parser parser;
  return parser.GetFunDef().contains(name) || parser.GetConst().contains(name);
}

std::string UnitExpression::Describe() const {
  std::string description = "expression '" + EchoedText(text_) + "'";
  if (!owner_.empty()) description += " of '" + EchoedText(owner_) + "'";
  return description;
}

}  // namespace sledway::model
