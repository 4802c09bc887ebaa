#include "path/path_entity_chain.hpp"

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "host/host_error.hpp"

namespace sledway {
namespace {

// Curve ends this close (model length unit) count as joined.
constexpr double kPointMatchTolerance = 0.001;

bool Matches(const Ref<IVPoint>& a, const Ref<IVPoint>& b) {
  return a->IsEqualTo(b, kPointMatchTolerance);
}

// Where the path leaves an entity: its own start when the path runs against it.
Ref<IVPoint> PathEndOf(CPathEnt& entity) {
  return entity.Reversed() ? entity.PartStartPoint() : entity.PartEndPoint();
}

}  // namespace

std::size_t CPathEnts::IndexOf(int position) const {
  if (position < 1 || position > Count()) {
    throw HostError(hresult::kBadIndex, "no path entity at position " + std::to_string(position) +
                                            " of " + std::to_string(Count()));
  }
  return static_cast<std::size_t>(position - 1);
}

Ref<CPathEnt> CPathEnts::Item(int position) const {
  return m_colEntities[IndexOf(position)];
}

int CPathEnts::Count() const {
  return static_cast<int>(m_colEntities.size());
}

Ref<CPathEnt> CPathEnts::Add(const Ref<IVApplication>& IVApp, IVCurveKind CurveType,
                             const Ref<IVObject>& Curve, std::int32_t EntType) {
  auto entity = std::make_shared<CPathEnt>();
  m_colEntities.push_back(entity);
  entity->IVCurveType(CurveType);
  entity->IVCurve(Curve);
  if (EntType < std::numeric_limits<std::int16_t>::min() ||
      EntType > std::numeric_limits<std::int16_t>::max()) {
    throw HostError(hresult::kOverflow,
                    "entity type " + std::to_string(EntType) + " does not fit in 16 bits");
  }
  entity->EntType(static_cast<std::int16_t>(EntType));
  entity->IVApp(IVApp);
  if (Count() == 1) {
    entity->CurveLengthAtStart(0.0);
  } else {
    entity->CurveLengthAtStart(Item(Count() - 1)->CurveLengthAtEnd());
  }
  return entity;
}

void CPathEnts::Remove(int position) {
  const auto index = IndexOf(position);
  m_colEntities.erase(m_colEntities.begin() + static_cast<std::ptrdiff_t>(index));
}

void CPathEnts::SortEntityDirections() {
  // Only the last entity can still lack its evaluator: Add measured all the others.
  Item(Count())->Length();
  const int count = Count();
  if (count == 1) {
    Item(1)->Reversed(false);
    return;
  }

  const auto first = Item(1);
  const auto second = Item(2);
  if (Matches(first->PartEndPoint(), second->PartStartPoint())) {
    first->Reversed(false);
    second->Reversed(false);
  } else if (Matches(first->PartStartPoint(), second->PartStartPoint())) {
    first->Reversed(true);
    second->Reversed(false);
  } else if (Matches(first->PartEndPoint(), second->PartEndPoint())) {
    first->Reversed(false);
    second->Reversed(true);
  } else {
    first->Reversed(true);
    second->Reversed(true);
  }

  // The path end of each entity is carried to the next, so every end is read once.
  Ref<IVPoint> previousPathEnd = PathEndOf(*second);
  for (int i = 3; i <= count; ++i) {
    const auto& entity = m_colEntities[static_cast<std::size_t>(i - 1)];
    Ref<IVPoint> end = entity->PartEndPoint();
    const bool reversed = Matches(end, previousPathEnd);
    entity->Reversed(reversed);
    previousPathEnd = reversed ? entity->PartStartPoint() : std::move(end);
  }
}

}  // namespace sledway
