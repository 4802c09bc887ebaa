#include "modelhost/topology/sketch_profiles.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/collections/collection_index.hpp"

namespace sledway::model {
namespace {

// Sketch ends within this distance (model units) are one point.
constexpr double kJoinTolerance = 1e-6;

class ProfileEntity : public IVProfileEntity {
 public:
  explicit ProfileEntity(Ref<IVObject> entity) : entity_(std::move(entity)) {}
  Ref<IVObject> GetSketchEntity() override { return entity_; }

 private:
  Ref<IVObject> entity_;
};

class ProfilePath : public IVProfilePath {
 public:
  explicit ProfilePath(std::vector<Ref<IVProfileEntity>> entities)
      : entities_(std::move(entities)) {}
  int Count() override { return static_cast<int>(entities_.size()); }
  Ref<IVProfileEntity> Item(int index) override {
    return entities_[CollectionPosition(index, entities_.size(), "profile path")];
  }

 private:
  std::vector<Ref<IVProfileEntity>> entities_;
};

class Profile : public IVProfile {
 public:
  explicit Profile(std::vector<Ref<IVProfilePath>> paths) : paths_(std::move(paths)) {}
  int Count() override { return static_cast<int>(paths_.size()); }
  Ref<IVProfilePath> Item(int index) override {
    return paths_[CollectionPosition(index, paths_.size(), "profile")];
  }

 private:
  std::vector<Ref<IVProfilePath>> paths_;
};

}  // namespace

SketchProfiles::SketchProfiles(std::vector<ProfileCurve> curves)
    : SketchProfiles(std::move(curves), std::string()) {}

SketchProfiles::SketchProfiles(std::vector<ProfileCurve> curves, std::string sketchName)
    : curves_(std::move(curves)), sketchName_(std::move(sketchName)) {}

Ref<IVProfile> SketchProfiles::AddClosedProfile() {
  return MakeProfile(Build::kClosed);
}

Ref<IVProfile> SketchProfiles::AddOpenProfile() {
  return MakeProfile(Build::kOpen);
}

std::string SketchProfiles::SketchLabel() const {
  return sketchName_.empty() ? "the sketch" : "sketch '" + sketchName_ + "'";
}

const CurveChains& SketchProfiles::Chains() {
  if (!chains_) {
    std::vector<CurveEnds> ends;
    ends.reserve(curves_.size());
    for (const ProfileCurve& curve : curves_) ends.push_back({curve.start, curve.end});
    try {
      chains_ = FindCurveChains(ends, kJoinTolerance);
    } catch (const HostError& error) {
      throw HostError(error.Code(), SketchLabel() + ": " + error.what());
    }
  }
  return *chains_;
}

Ref<IVProfile> SketchProfiles::MakeProfile(Build build) {
  const CurveChains& chains = Chains();
  const auto& found = build == Build::kClosed ? chains.closed : chains.open;
  if (found.empty()) {
    throw HostError(hresult::kFail,
                    SketchLabel() + (build == Build::kClosed ? " holds no closed loop of curves"
                                                             : " holds no open chain of curves"));
  }
  std::vector<Ref<IVProfilePath>> paths;
  paths.reserve(found.size());
  for (const CurveChain& chain : found) {
    std::vector<Ref<IVProfileEntity>> entities;
    entities.reserve(chain.size());
    for (std::size_t curve : chain) {
      entities.push_back(std::make_shared<ProfileEntity>(curves_[curve].entity));
    }
    paths.push_back(std::make_shared<ProfilePath>(std::move(entities)));
  }
  return std::make_shared<Profile>(std::move(paths));
}

}  // namespace sledway::model
