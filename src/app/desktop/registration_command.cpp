#include "app/desktop/registration_command.hpp"

#include <exception>

#include "app/desktop/add_in_library.hpp"

namespace sledway::app {

int RegisterAddInLibrary(const std::filesystem::path& library, bool unregister, std::ostream& out,
                         std::ostream& err) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(library, ignored);
  try {
    AddInLibrary loaded(absolute);
    unregister ? loaded.Unregister() : loaded.Register();
  } catch (const std::exception& error) {
    err << "sledway-desktop: " << error.what() << '\n';
    return 1;
  }
  out << (unregister ? "Unregistered " : "Registered ") << absolute.string() << '\n';
  return 0;
}

}  // namespace sledway::app
