#pragma once

#include <AIS_InteractiveContext.hxx>
#include <AIS_ViewController.hxx>
#include <Image_AlienPixMap.hxx>
#include <QWidget>
#include <V3d_View.hxx>
#include <V3d_Viewer.hxx>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/view/view_picker.hpp"
#include "host/object.hpp"

namespace sledway::model {
class Application;
class AssemblyDocument;
}  // namespace sledway::model

namespace sledway::app {

class AssemblyScene;

// The 3D view of the desktop host: it owns the Open CASCADE viewer, view and interactive
// context, shows one assembly, navigates through AIS_ViewController (left drag rotates, middle
// drag pans, right drag and the wheel zoom) and turns the cursor into picks of the running
// interaction. It draws through a native X window, so it needs the xcb platform (Xvfb will do).
class ViewWidget : public QWidget, protected AIS_ViewController {
  Q_OBJECT

 public:
  explicit ViewWidget(Ref<model::Application> application, QWidget* parent = nullptr);
  ~ViewWidget() override;

  // Shows `document` in place of the one shown, and fits it into the view.
  void ShowDocument(const Ref<model::AssemblyDocument>& document);
  void FitAll();
  void SetProjection(V3d_TypeOfOrientation orientation);
  void SetEdgesShown(bool shown);
  // Writes what the view shows to `file` as PNG; throws std::runtime_error naming the file.
  void SaveImage(const std::filesystem::path& file);
  // Draws what the view shows into a picture of `width` x `height` that the widget keeps until
  // the next drawing; throws std::runtime_error when the view cannot be drawn.
  const Image_PixMap& Draw(int width, int height);
  // Brings the scene in line with the document and redraws at once (the yield of a run).
  void RedrawNow();
  // Called when the scene took new placements, visibility or bodies, before they are drawn.
  void OnSceneChanged(std::function<void()> handler) { onSceneChanged_ = std::move(handler); }
  // Offers `entity` to the running interaction as if the cursor were on it; `select` also
  // clicks.
  void Offer(const Ref<IVObject>& entity, bool select);
  // Ends the running interaction (Escape).
  void StopInteraction();
  // Called after each redraw that showed a change of the scene (a component moved, hidden,
  // shown or rebuilt); an empty handler stops the calls.
  void OnSceneShown(std::function<void()> handler) { onSceneShown_ = std::move(handler); }

  const Handle(V3d_View) & View() const { return view_; }
  const Handle(AIS_InteractiveContext) & Context() const { return context_; }
  const AssemblyScene* Scene() const { return scene_.get(); }

 protected:
  QPaintEngine* paintEngine() const override { return nullptr; }
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // A click without a drag picks for the running interaction; the view itself selects nothing.
  bool UpdateMouseClick(const Graphic3d_Vec2i& point, Aspect_VKeyMouse button,
                        Aspect_VKeyFlags modifiers, bool isDoubleClick) override;
  void handleViewRedraw(const Handle(AIS_InteractiveContext) & context,
                        const Handle(V3d_View) & view) override;

 private:
  // Runs a pick step; a failure of the add-in's handler stops the interaction and is shown.
  template <class Step>
  void Pick(Step step);
  // Returns whether the scene changed.
  bool Synchronize();

  Ref<model::Application> application_;
  std::function<void()> onSceneChanged_;
  // The OCCT side: viewer, view and context.
  Handle(V3d_Viewer) viewer_;
  Handle(V3d_View) view_;
  Handle(AIS_InteractiveContext) context_;
  // The assembly shown, and the picking over it.
  std::unique_ptr<AssemblyScene> scene_;
  ViewPicker picker_;
  bool fitPending_ = false;
  std::function<void()> onSceneShown_;
  // Drawn into again and again, so a recorded run does not allocate a picture per frame.
  Image_AlienPixMap picture_;
};

}  // namespace sledway::app
