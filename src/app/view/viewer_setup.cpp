#include "app/view/viewer_setup.hpp"

#include <Aspect_DisplayConnectionDefinitionError.hxx>
#include <Quantity_Color.hxx>
#include <V3d_AmbientLight.hxx>
#include <V3d_DirectionalLight.hxx>
#include <stdexcept>

namespace sledway::app {

Handle(OpenGl_GraphicDriver) MakeGraphicDriver() {
  try {
    return new OpenGl_GraphicDriver(new Aspect_DisplayConnection());
  } catch (const Standard_Failure& failure) {
    throw std::runtime_error(std::string("no display to draw on (is DISPLAY set?): ") +
                             failure.GetMessageString());
  }
}

Handle(V3d_Viewer) MakeViewer(const Handle(OpenGl_GraphicDriver) & driver) {
  Handle(V3d_Viewer) viewer = new V3d_Viewer(driver);
  // A light from the eye lights whatever side the user turns towards them, as CAD views do.
  viewer->AddLight(new V3d_AmbientLight(Quantity_Color(0.45, 0.45, 0.45, Quantity_TOC_RGB)));
  viewer->AddLight(new V3d_DirectionalLight(gp_Dir(0.3, -0.5, -1.0), Quantity_NOC_WHITE, true));
  viewer->SetLightOn();
  viewer->SetDefaultViewProj(V3d_XposYnegZpos);
  return viewer;
}

Handle(AIS_InteractiveContext) MakeContext(const Handle(V3d_Viewer) & viewer) {
  Handle(AIS_InteractiveContext) context = new AIS_InteractiveContext(viewer);
  context->SetAutomaticHilight(false);
  context->SetDisplayMode(AIS_Shaded, false);
  // Small work points and thin sketch lines are easier to reach with a few pixels of slack.
  context->SetPixelTolerance(4);
  return context;
}

void StyleView(const Handle(V3d_View) & view) {
  view->SetBgGradientColors(Quantity_Color(0.82, 0.85, 0.90, Quantity_TOC_RGB),
                            Quantity_Color(0.45, 0.50, 0.58, Quantity_TOC_RGB), Aspect_GFM_VER,
                            false);
  view->TriedronDisplay(Aspect_TOTP_LEFT_LOWER, Quantity_NOC_BLACK, 0.08, V3d_ZBUFFER);
  view->SetProj(V3d_XposYnegZpos);
  // Per-vertex lighting: bodies of flat faces look the same, and a software renderer draws a
  // large view several times faster than with per-pixel lighting.
  view->SetShadingModel(Graphic3d_TypeOfShadingModel_Gouraud);
}

}  // namespace sledway::app
