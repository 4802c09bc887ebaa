#include "modelhost/sample_assembly.hpp"

#include <cmath>
#include <gp.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax3.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <numbers>

#include "modelhost/document/assembly_document.hpp"
#include "modelhost/parameters/parameter_table.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/sketch/planar_sketch_definition.hpp"

namespace sledway::model {

Ref<Application> MakeSampleApplication() {
  auto application = Application::Create();
  auto assembly = AssemblyDocument::Create("Sample");
  assembly->Parameters().AddUserParameter("cart_width", "40 mm", "mm");

  auto cart = assembly->AddBoxPart("cart", "60 mm", "cart_width", "20 mm");
  cart->AddWorkPoint("follow", gp_Pnt(3.0, 2.0, 0.0));
  cart->AddWorkAxis("heading", gp_Ax1(gp_Pnt(3.0, 2.0, 0.0), gp::DX()));
  gp_Trsf aside;
  aside.SetTranslation(gp_Vec(0.0, -20.0, 0.0));
  assembly->AddComponent("cart:1", cart, aside);

  const double tilt = std::numbers::pi / 6.0;
  const gp_Ax3 tilted(gp::Origin(), gp_Dir(0.0, -std::sin(tilt), std::cos(tilt)), gp::DX());
  auto track = assembly->AddSketch("track", tilted);
  track->AddLine(gp_Pnt2d(0.0, 0.0), gp_Pnt2d(40.0, 0.0));
  track->AddArc(gp_Pnt2d(40.0, 15.0), 15.0, -std::numbers::pi / 2.0, std::numbers::pi / 2.0);
  track->AddLine(gp_Pnt2d(40.0, 30.0), gp_Pnt2d(0.0, 30.0));

  application->SetActiveDocument(assembly);
  return application;
}

}  // namespace sledway::model
