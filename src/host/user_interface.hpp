#pragma once

#include <cstdint>
#include <string>

#include "host/event.hpp"
#include "host/object.hpp"

namespace sledway {

// A command the user can start from a button.
class IVButtonDefinition : public virtual IVObject {
 public:
  virtual std::string InternalName() = 0;
  virtual std::string Tooltip() = 0;
};

class IVButtonHandler : public virtual IVObject {
 public:
  virtual Ref<IVButtonDefinition> GetButtonDefinition() = 0;
  // The button was clicked.
  Event<> OnClick;
};

class IVCommandBarControl : public virtual IVObject {
 public:
  virtual Ref<IVButtonDefinition> ButtonDefinition() = 0;
};

class IVCommandBarControls : public virtual IVObject {
 public:
  virtual Ref<IVCommandBarControl> Add(std::int32_t controlKind,
                                       const Ref<IVButtonDefinition>& definition) = 0;
  virtual int Count() = 0;
  virtual Ref<IVCommandBarControl> Item(int index) = 0;
};

class IVCommandBar : public virtual IVObject {
 public:
  virtual std::string Name() = 0;
  virtual Ref<IVCommandBarControls> GetControls() = 0;
};

class IVCommandBars : public virtual IVObject {
 public:
  // Makes a new bar of that name.
  virtual Ref<IVCommandBar> Add(const std::string& name) = 0;
  // The bar of that name; fails when there is none.
  virtual Ref<IVCommandBar> Item(const std::string& name) = 0;
};

class IVUserInterface : public virtual IVObject {
 public:
  virtual Ref<IVCommandBars> GetCommandBars() = 0;
};

}  // namespace sledway
