#include "app/view/offscreen_view.hpp"

#include <Xw_Window.hxx>
#include <stdexcept>

#include "app/view/assembly_scene.hpp"
#include "app/view/image_file.hpp"
#include "app/view/viewer_setup.hpp"

namespace sledway::app {

OffscreenView::OffscreenView(Ref<model::AssemblyDocument> document, int width, int height,
                             Background background)
    : width_(width), height_(height), background_(background) {
  if (width <= 0 || height <= 0) throw std::runtime_error("a picture needs a positive size");
  const Handle(OpenGl_GraphicDriver) driver = MakeGraphicDriver();
  // Without alpha writes the picture is opaque throughout; with them, alpha 0 until drawn over.
  driver->ChangeOptions().buffersOpaqueAlpha = background == Background::kView;
  viewer_ = MakeViewer(driver);
  context_ = MakeContext(viewer_);
  view_ = viewer_->CreateView();
  Handle(Xw_Window) window =
      new Xw_Window(driver->GetDisplayConnection(), "sledway", 0, 0, width, height);
  window->SetVirtual(true);
  view_->SetWindow(window);
  StyleView(view_);
  if (background == Background::kTransparent) {
    // The view clears the picture to alpha 0; a gradient would paint over it.
    view_->SetBgGradientStyle(Aspect_GradientFillMethod_None, false);
    view_->TriedronErase();
  }
  scene_ = std::make_unique<AssemblyScene>(context_, std::move(document));
  view_->FitAll(0.08, false);
}

void OffscreenView::Frame(const RunFraming& framing) {
  scene_->Synchronize();
  camera_.emplace(framing, *scene_, view_);
}

OffscreenView::~OffscreenView() {
  scene_.reset();
  view_->Remove();
}

void OffscreenView::SavePicture(const std::filesystem::path& file) {
  Draw();
  SavePng(picture_, file);
}

const Image_PixMap& OffscreenView::Draw() {
  scene_->Synchronize();
  if (camera_) camera_->Aim(view_);
  const Graphic3d_BufferType buffer =
      background_ == Background::kTransparent ? Graphic3d_BT_RGBA : Graphic3d_BT_RGB;
  if (!view_->ToPixMap(picture_, width_, height_, buffer)) {
    throw std::runtime_error("the view could not be drawn into a picture");
  }
  return picture_;
}

}  // namespace sledway::app
