#include "modelhost/files/step_assembly.hpp"

#include <Standard_Failure.hxx>
#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "host/host_error.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "modelhost/files/placed_error.hpp"
#include "modelhost/files/step_file.hpp"

namespace sledway::model {

namespace {

// Names read from a STEP file, made unique and usable in entity names.
class NameMaker {
 public:
  std::string Make(std::string name, const std::string& fallback) {
    if (name.empty()) name = fallback;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return c == '/' || c < 0x20 || c == 0x7f; },
        '_');
    std::string unique = name;
    for (int n = 2; !used_.insert(unique).second; ++n) unique = name + ":" + std::to_string(n);
    return unique;
  }

 private:
  std::set<std::string> used_;
};

}  // namespace

Ref<AssemblyDocument> LoadStepAssembly(const std::filesystem::path& path) {
  try {
    const StepFile file(path);
    const Ref<AssemblyDocument> document =
        AssemblyDocument::Create(path.stem().string(), file.FileUnit());
    NameMaker partNames;
    NameMaker componentNames;
    std::map<std::string, Ref<Part>> partsByProduct;
    for (const StepFile::Occurrence& occurrence : file.TopOccurrences()) {
      Ref<Part>& part = partsByProduct[occurrence.productKey];
      if (!part) {
        part = document->AddShapePart(partNames.Make(occurrence.productName, "part"),
                                      occurrence.shape);
      }
      document->AddComponent(componentNames.Make(occurrence.name, occurrence.productName), part,
                             occurrence.placement);
    }
    return document;
  } catch (const PlacedError& error) {
    throw AssemblyFileError(error.MessageFor(path.string()));
  } catch (const HostError& error) {
    throw AssemblyFileError(path.string() + ": " + error.what());
  } catch (const Standard_Failure& failure) {
    throw AssemblyFileError(path.string() + ": " + failure.GetMessageString());
  }
}

}  // namespace sledway::model
