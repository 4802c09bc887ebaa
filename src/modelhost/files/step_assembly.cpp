#include "modelhost/files/step_assembly.hpp"

#include <Standard_Failure.hxx>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "host/echoed_text.hpp"
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
    name = name.empty() ? fallback : Usable(name);
    std::string unique = name;
    for (int n = 2; !used_.insert(unique).second; ++n) unique = name + ":" + std::to_string(n);
    return unique;
  }

 private:
  // A name as entity names can hold it: '/' separates their steps, and a control character (or
  // a byte that is no UTF-8) must not reach a terminal, so each becomes '_'.
  static std::string Usable(const std::string& name) {
    std::string usable;
    for (std::size_t i = 0; i < name.size();) {
      const TextCharacter c = CharacterAt(name, i);
      const bool refused = !c.valid || c.code == '/' || IsControlCharacter(c.code);
      usable.append(refused ? std::string_view("_") : std::string_view(name).substr(i, c.length));
      i += c.length;
    }
    return usable;
  }

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
