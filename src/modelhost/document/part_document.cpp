#include "modelhost/document/part_document.hpp"

#include <memory>
#include <utility>

namespace sledway::model {

Ref<PartDocument> PartDocument::Create(std::string name) {
  return std::make_shared<PartDocument>(std::move(name));
}

PartDocument::PartDocument(std::string name) : name_(std::move(name)) {}

IVDocumentType PartDocument::DocumentType() {
  return IVDocumentType::kPart;
}

std::string PartDocument::DisplayName() {
  return name_;
}

void PartDocument::Update() {}

}  // namespace sledway::model
