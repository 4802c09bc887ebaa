#pragma once

#include <AIS_InteractiveContext.hxx>
#include <Aspect_DisplayConnection.hxx>
#include <OpenGl_GraphicDriver.hxx>
#include <V3d_View.hxx>
#include <V3d_Viewer.hxx>

namespace sledway::app {

// An OpenGL driver over its own connection to the X display of DISPLAY. Each view owns one, so
// that none outlives the display it draws on. Throws std::runtime_error when there is no display
// to draw on.
Handle(OpenGl_GraphicDriver) MakeGraphicDriver();

// A viewer with the lights every view of an assembly uses.
Handle(V3d_Viewer) MakeViewer(const Handle(OpenGl_GraphicDriver) & driver);

// The context the scene and the picking work through: shaded by default, and no highlighting of
// its own, since what is highlighted during a pick is the running interaction's choice.
Handle(AIS_InteractiveContext) MakeContext(const Handle(V3d_Viewer) & viewer);

// The look shared by the window's view and the pictures of a run: background, axis tripod in a
// corner, the iso view.
void StyleView(const Handle(V3d_View) & view);

}  // namespace sledway::app
