#pragma once

#include <filesystem>

#include "host/object.hpp"
#include "modelhost/files/assembly_file_error.hpp"

namespace sledway::model {

class AssemblyDocument;

// Opens a STEP file as an assembly: each occurrence at the top of the file's assembly becomes a
// component with the occurrence's name and placement (a sub-assembly one rigid component), each
// product it refers to one part named after the product. Geometry is in model units and the
// document shows lengths in the file's own unit. Names are made usable as entity names: a '/'
// becomes '_', a missing name is taken from the product, and a name given twice gets ":2",
// ":3"... A file that cannot be read fails with an AssemblyFileError naming it.
Ref<AssemblyDocument> LoadStepAssembly(const std::filesystem::path& path);

}  // namespace sledway::model
