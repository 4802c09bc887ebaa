#include "modelhost/files/step_contents.hpp"

#include <BRep_Builder.hxx>
#include <BinTools.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Iterator.hxx>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <type_traits>

namespace sledway::model {

namespace {

// Both ends are the same program, so plain values travel as their bytes.
template <typename T>
void Put(std::ostream& out, const T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
T Take(std::istream& in) {
  static_assert(std::is_trivially_copyable_v<T>);
  T value;
  if (!in.read(reinterpret_cast<char*>(&value), sizeof value)) {
    throw std::runtime_error("the STEP contents end early");
  }
  return value;
}

void PutString(std::ostream& out, const std::string& text) {
  Put<std::uint64_t>(out, text.size());
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string TakeString(std::istream& in) {
  const auto size = Take<std::uint64_t>(in);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) {
    throw std::runtime_error("the STEP contents end early");
  }
  return text;
}

}  // namespace

std::string EncodeStepContents(const StepContents& contents) {
  std::ostringstream out(std::ios::binary);
  Put(out, contents.fileUnit);
  Put<std::uint64_t>(out, contents.occurrences.size());
  // All shapes go in one compound, so that the shape set is written once and what the
  // occurrences share stays shared.
  TopoDS_Compound shapes;
  BRep_Builder builder;
  builder.MakeCompound(shapes);
  builder.Add(shapes, contents.whole);
  for (const StepContents::Occurrence& occurrence : contents.occurrences) {
    PutString(out, occurrence.name);
    PutString(out, occurrence.productName);
    PutString(out, occurrence.productKey);
    Put(out, occurrence.placement);
    builder.Add(shapes, occurrence.shape);
  }
  BinTools::Write(shapes, out, /*theWithTriangles=*/false, /*theWithNormals=*/false,
                  BinTools_FormatVersion_CURRENT);
  return std::move(out).str();
}

StepContents DecodeStepContents(std::string_view bytes) {
  std::istringstream in(std::string(bytes), std::ios::binary);
  StepContents contents;
  contents.fileUnit = Take<LengthUnit>(in);
  const auto count = Take<std::uint64_t>(in);
  for (std::uint64_t i = 0; i < count; ++i) {
    StepContents::Occurrence occurrence;
    occurrence.name = TakeString(in);
    occurrence.productName = TakeString(in);
    occurrence.productKey = TakeString(in);
    occurrence.placement = Take<gp_Trsf>(in);
    contents.occurrences.push_back(std::move(occurrence));
  }
  TopoDS_Shape shapes;
  BinTools::Read(shapes, in);
  if (shapes.IsNull() || in.fail()) throw std::runtime_error("the STEP contents end early");
  TopoDS_Iterator shape(shapes);
  if (!shape.More()) throw std::runtime_error("the STEP contents end early");
  contents.whole = shape.Value();
  for (StepContents::Occurrence& occurrence : contents.occurrences) {
    shape.Next();
    if (!shape.More()) throw std::runtime_error("the STEP contents end early");
    occurrence.shape = shape.Value();
  }
  return contents;
}

}  // namespace sledway::model
