#pragma once

#include <string>

#include "host/document.hpp"

namespace sledway::model {

// A part document. The model host keeps no geometry in it: it is there so that the host can
// have a document open that is not an assembly.
class PartDocument : public IVPartDocument {
 public:
  static Ref<PartDocument> Create(std::string name);
  explicit PartDocument(std::string name);

  IVDocumentType DocumentType() override;
  std::string DisplayName() override;
  // Nothing to recompute.
  void Update() override;

 private:
  std::string name_;
};

}  // namespace sledway::model
