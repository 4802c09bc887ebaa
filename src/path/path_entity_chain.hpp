#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/application.hpp"
#include "host/codes.hpp"
#include "host/object.hpp"
#include "path/path_entity.hpp"

namespace sledway {

// The ordered chain of entities of one path. Position k is the k-th curve added; the chain
// never reorders, it only orients its entities (SortEntityDirections). Each entity begins
// where the one added before it ends, so the distances along the path follow the order of
// addition.
class CPathEnts {
 public:
  using const_iterator = std::vector<Ref<CPathEnt>>::const_iterator;

  // The entity at `position`, 1 to Count; fails with kBadIndex otherwise.
  Ref<CPathEnt> Item(int position) const;
  int Count() const;
  // The entities in chain order.
  const_iterator begin() const { return m_colEntities.begin(); }
  const_iterator end() const { return m_colEntities.end(); }

  // Appends an entity for `Curve`. Its start length is the previous entity's end, which
  // measures that entity. `EntType` must fit 16 bits; when it does not, or the previous entity
  // cannot be measured, the call fails with the new entity left in the chain holding the fields
  // written so far.
  Ref<CPathEnt> Add(const Ref<IVApplication>& IVApp, IVCurveKind CurveType,
                    const Ref<IVObject>& Curve, std::int32_t EntType);
  // Removes the entity at `position` (1 to Count, else kBadIndex); those behind move up.
  void Remove(int position);

  // Decides for every entity whether the path runs against its curve, comparing each entity
  // only with its neighbour before it (ends within 0.001 match). Gaps, branches and the closing
  // of a loop are not looked for.
  void SortEntityDirections();

 private:
  // The vector index of a 1-based position; fails with kBadIndex outside 1 to Count.
  std::size_t IndexOf(int position) const;

  std::vector<Ref<CPathEnt>> m_colEntities;
};

}  // namespace sledway
