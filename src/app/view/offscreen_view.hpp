#pragma once

#include <AIS_InteractiveContext.hxx>
#include <Image_AlienPixMap.hxx>
#include <V3d_View.hxx>
#include <V3d_Viewer.hxx>
#include <filesystem>
#include <memory>

#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
}

namespace sledway::app {

class AssemblyScene;

// A view of an assembly that draws into an image of a fixed size and never appears on screen,
// with the same scene and look as the desktop host's window. It needs an X display for its
// OpenGL context (Xvfb will do).
class OffscreenView {
 public:
  // Fails with std::runtime_error when there is no display or the size is not positive.
  OffscreenView(Ref<model::AssemblyDocument> document, int width, int height);
  ~OffscreenView();

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
  // The OCCT side: viewer, view and context, and the scene shown in them.
  Handle(V3d_Viewer) viewer_;
  Handle(V3d_View) view_;
  Handle(AIS_InteractiveContext) context_;
  std::unique_ptr<AssemblyScene> scene_;
  // Drawn into again and again, so a long run does not allocate a picture per frame.
  Image_AlienPixMap picture_;
};

}  // namespace sledway::app
