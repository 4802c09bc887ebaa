#include "app/desktop/view_widget.hpp"

#include <Aspect_ScrollDelta.hxx>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <Xw_Window.hxx>
#include <stdexcept>
#include <utility>

#include "app/view/assembly_scene.hpp"
#include "app/view/image_file.hpp"
#include "app/view/viewer_setup.hpp"
#include "modelhost/application/application.hpp"
#include "modelhost/document/assembly_document.hpp"
#include "platform/desktop.hpp"

namespace sledway::app {
namespace {

Aspect_VKeyMouse MouseButtons(Qt::MouseButtons buttons) {
  Aspect_VKeyMouse keys = Aspect_VKeyMouse_NONE;
  if (buttons & Qt::LeftButton) keys |= Aspect_VKeyMouse_LeftButton;
  if (buttons & Qt::MiddleButton) keys |= Aspect_VKeyMouse_MiddleButton;
  if (buttons & Qt::RightButton) keys |= Aspect_VKeyMouse_RightButton;
  return keys;
}

Aspect_VKeyFlags KeyFlags(Qt::KeyboardModifiers modifiers) {
  Aspect_VKeyFlags flags = Aspect_VKeyFlags_NONE;
  if (modifiers & Qt::ShiftModifier) flags |= Aspect_VKeyFlags_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= Aspect_VKeyFlags_CTRL;
  if (modifiers & Qt::AltModifier) flags |= Aspect_VKeyFlags_ALT;
  return flags;
}

Graphic3d_Vec2i PointOf(const QPointF& position) {
  return Graphic3d_Vec2i(static_cast<int>(position.x()), static_cast<int>(position.y()));
}

}  // namespace

ViewWidget::ViewWidget(Ref<model::Application> application, QWidget* parent)
    : QWidget(parent),
      application_(std::move(application)),
      viewer_(MakeViewer(MakeGraphicDriver())),
      view_(viewer_->CreateView()),
      context_(MakeContext(viewer_)),
      picker_(context_, application_) {
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_PaintOnScreen);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);

  const Handle(OpenGl_GraphicDriver) driver =
      Handle(OpenGl_GraphicDriver)::DownCast(viewer_->Driver());
  Handle(Xw_Window) window =
      new Xw_Window(driver->GetDisplayConnection(), static_cast<Aspect_Drawable>(winId()));
  view_->SetWindow(window);
  StyleView(view_);
  // Navigation only: the dynamic highlight is the running interaction's, drawn by the picker.
  SetAllowHighlight(false);
  SetAllowDragging(false);
}

ViewWidget::~ViewWidget() {
  picker_.SetScene(nullptr);
  scene_.reset();
  view_->Remove();
}

void ViewWidget::ShowDocument(const Ref<model::AssemblyDocument>& document) {
  picker_.SetScene(nullptr);
  scene_.reset();
  if (document) {
    scene_ = std::make_unique<AssemblyScene>(context_, document);
    scene_->OnStale([this] { update(); });
  }
  picker_.SetScene(scene_.get());
  // The window may not have its final size yet: the fit waits for the next paint.
  fitPending_ = true;
  update();
}

void ViewWidget::FitAll() {
  view_->MustBeResized();
  view_->FitAll(0.08, false);
  view_->Invalidate();
  update();
}

void ViewWidget::SetProjection(V3d_TypeOfOrientation orientation) {
  view_->SetProj(orientation, false);
  FitAll();
}

void ViewWidget::SetEdgesShown(bool shown) {
  if (scene_) scene_->SetEdgesShown(shown);
  update();
}

void ViewWidget::SaveImage(const std::filesystem::path& file) {
  try {
    Draw(width(), height());
  } catch (const std::runtime_error&) {
    throw std::runtime_error("the view could not be drawn into a picture for " + file.string());
  }
  SavePng(picture_, file);
}

const Image_PixMap& ViewWidget::Draw(int width, int height) {
  Synchronize();
  if (!view_->ToPixMap(picture_, width, height)) {
    throw std::runtime_error("the view could not be drawn into a picture");
  }
  return picture_;
}

bool ViewWidget::Synchronize() {
  // A paint redraws only the immediate layer unless the view is invalidated: a component moved,
  // shown or rebuilt would stay on screen where it stood before.
  const bool changed = scene_ && scene_->Synchronize();
  if (changed) {
    if (onSceneChanged_) onSceneChanged_();
    view_->Invalidate();
  }
  picker_.Refresh();
  return changed;
}

void ViewWidget::RedrawNow() {
  const bool changed = Synchronize();
  view_->Redraw();
  if (changed && onSceneShown_) onSceneShown_();
}

void ViewWidget::paintEvent(QPaintEvent*) {
  if (std::exchange(fitPending_, false)) FitAll();
  const bool changed = Synchronize();
  view_->InvalidateImmediate();
  FlushViewEvents(context_, view_, true);
  if (changed && onSceneShown_) onSceneShown_();
}

void ViewWidget::resizeEvent(QResizeEvent*) {
  view_->MustBeResized();
  update();
}

void ViewWidget::handleViewRedraw(const Handle(AIS_InteractiveContext) & context,
                                  const Handle(V3d_View) & view) {
  AIS_ViewController::handleViewRedraw(context, view);
  // Navigation that animates (a throw of the view, say) asks for one frame after another.
  if (myToAskNextFrame) update();
}

template <class Step>
void ViewWidget::Pick(Step step) {
  try {
    if (step()) update();
  } catch (const std::exception& error) {
    picker_.Stop();
    update();
    platform::ShowMessage(
        std::string("The running command failed and was stopped: ") + error.what(),
        "Sledway Desktop");
  }
}

void ViewWidget::Offer(const Ref<IVObject>& entity, bool select) {
  Pick([&] {
    // The click follows the offer whether or not the offer changed the highlight.
    const bool offered = picker_.Offer(entity);
    const bool clicked = select && picker_.Click();
    return offered || clicked;
  });
}

void ViewWidget::StopInteraction() {
  Pick([&] { return picker_.Stop(); });
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  if (UpdateMouseButtons(PointOf(event->position()), MouseButtons(event->buttons()),
                         KeyFlags(event->modifiers()), false)) {
    update();
  }
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (UpdateMouseButtons(PointOf(event->position()), MouseButtons(event->buttons()),
                         KeyFlags(event->modifiers()), false)) {
    update();
  }
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const Graphic3d_Vec2i point = PointOf(event->position());
  if (UpdateMousePosition(point, MouseButtons(event->buttons()), KeyFlags(event->modifiers()),
                          false)) {
    update();
  }
  if (event->buttons() == Qt::NoButton) {
    Pick([&] { return picker_.MoveTo(point.x(), point.y(), view_); });
  }
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
  const Graphic3d_Vec2i point = PointOf(event->position());
  if (UpdateZoom(Aspect_ScrollDelta(point, event->angleDelta().y() / 120.0))) update();
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    StopInteraction();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool ViewWidget::UpdateMouseClick(const Graphic3d_Vec2i&, Aspect_VKeyMouse button, Aspect_VKeyFlags,
                                  bool) {
  if (button != Aspect_VKeyMouse_LeftButton) return false;
  bool redraw = false;
  Pick([&] { return redraw = picker_.Click(); });
  return redraw;
}

}  // namespace sledway::app
