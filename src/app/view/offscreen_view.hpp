#pragma once

#include <AIS_InteractiveContext.hxx>
#include <Image_AlienPixMap.hxx>
#include <V3d_View.hxx>
#include <V3d_Viewer.hxx>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/view/run_framing.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::app {

class AssemblyScene;

// What the picture shows where nothing is drawn: the view's own background, or nothing at all
// (alpha 0, and no axis triad) for a picture to lay over another.
enum class Background { kView, kTransparent };

// A view of an assembly that draws into an image of a fixed size and never appears on screen,
// with the same scene and look as the desktop host's window. It needs an X display for its
// OpenGL context (Xvfb will do).
class OffscreenView {
 public:
  // Fails with std::runtime_error when there is no display or the size is not positive.
  OffscreenView(Ref<model::AssemblyDocument> document, int width, int height,
                Background background = Background::kView);
  ~OffscreenView();

  // Frames every picture from now on for a run (see RunCamera); until then the view is fitted
  // to the assembly as it stood when the view was made. Throws std::invalid_argument when the
  // framing has no path or no leader shown.
  void Frame(const RunFraming& framing);

  // Brings the scene in line with the document and writes what the view shows to `file` as a
  // PNG image, whole or not at all.
  void SavePicture(const std::filesystem::path& file);
  // Brings the scene in line with the document and draws what the view shows into a picture
  // the view keeps, valid until the next drawing.
  const Image_PixMap& Draw();

  // The camera, for tests that find where a point of the assembly appears in the picture.
  const Handle(V3d_View) & View() const { return view_; }

 private:
  int width_;
  int height_;
  Background background_;
  // The OCCT side: viewer, view and context, and the scene shown in them.
  Handle(V3d_Viewer) viewer_;
  Handle(V3d_View) view_;
  Handle(AIS_InteractiveContext) context_;
  std::unique_ptr<AssemblyScene> scene_;
  std::optional<RunCamera> camera_;
  // Drawn into again and again, so a long run does not allocate a picture per frame.
  Image_AlienPixMap picture_;
};

}  // namespace sledway::app
