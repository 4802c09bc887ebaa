#pragma once

#include "host/object.hpp"

namespace sledway {

// One curve of a profile path.
class IVProfileEntity : public virtual IVObject {
 public:
  // The sketch curve (an IVSketchEntity or an IVSketchEntity3D).
  virtual Ref<IVObject> GetSketchEntity() = 0;
};

// A chain of sketch curves joined end to end, in order along it. Positions run from 1.
class IVProfilePath : public virtual IVObject {
 public:
  virtual int Count() = 0;
  virtual Ref<IVProfileEntity> Item(int index) = 0;
};

// The paths of one profile build. Positions run from 1.
class IVProfile : public virtual IVObject {
 public:
  virtual int Count() = 0;
  virtual Ref<IVProfilePath> Item(int index) = 0;
};

// The profile builds of a 2D sketch.
class IVProfiles : public virtual IVObject {
 public:
  // One path per closed loop of curves; fails when the sketch has none.
  virtual Ref<IVProfile> AddClosedProfile() = 0;
  // One path per open chain of curves; fails when the sketch has none.
  virtual Ref<IVProfile> AddOpenProfile() = 0;
};

// The profile builds of a 3D sketch.
class IVProfiles3D : public virtual IVObject {
 public:
  virtual Ref<IVProfile> AddClosedProfile() = 0;
  virtual Ref<IVProfile> AddOpenProfile() = 0;
};

}  // namespace sledway
