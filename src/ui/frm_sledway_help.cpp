#include "ui/frm_sledway_help.hpp"

#include "platform/desktop.hpp"
#include "platform/mail_link.hpp"
#include "ui/center_form.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/report_failure.hpp"

namespace sledway {
namespace {

// Build options; see src/ui/CMakeLists.txt.
constexpr const char* kVersion = SLEDWAY_VERSION_TEXT;
constexpr const char* kMaker = SLEDWAY_MAKER;
constexpr const char* kContact = SLEDWAY_CONTACT;

}  // namespace

std::string SledwayNotes() {
  static const char* const kParagraphs[] = {
      "THE  USER OF THIS PROGRAM ASSUMES ALL RESPONSIBILITY FOR ANY DAMAGE OR LOSS OF DATA "
      "OCCURRING FROM ITS USE",
      "Valid paths: An open or closed 2D or 3D sketch, or a set of tangentially connected part "
      "edges.",
      "A sketch selected as a path can only contain a single profile (open or closed).",
      "Select a vertex or work point on the follow component. This point will travel along the "
      "path.",
      "Optionally (not required), select a linear edge or axis on the follow component. This line "
      "will remain tangent to the path.",
      "Click flip path to start from the other end of the path, click flip edge to flip the "
      "orientation of the tangent line.",
      "Optionally, select a parameter to drive as the component follows the path.",
  };
  std::string notes;
  for (const char* paragraph : kParagraphs) {
    if (!notes.empty()) notes += "\r\n\r\n";
    notes += paragraph;
  }
  return notes;
}

frmSledwayHelp::frmSledwayHelp(form::FormFactory& faces)
    : m_form(faces.CreateForm(form::FormKind::kSledwayHelp)) {
  m_connections.push_back(m_form->Controls("cmdClose").Click.Connect([this] {
    ReportingFailures([this] { cmdClose_Click(); });
  }));
  m_connections.push_back(m_form->Controls("lblEmail").Click.Connect([this] {
    ReportingFailures([this] { lblEmail_Click(); });
  }));
  m_connections.push_back(
      m_form->Activate.Connect([this] { ReportingFailures([this] { Form_Activate(); }); }));
}

void frmSledwayHelp::Show(WindowHandle owner) {
  ReportingFailures([&] {
    m_form->Owner(owner);
    Form_Load();
  });
  m_form->ShowModal();
}

void frmSledwayHelp::Form_Load() {
  // The form's design leaves the build's own texts to the window.
  const std::string version = std::string(" ") + kVersion;
  m_form->Caption(std::string(" ") + kMaker + " Sledway" + version);
  m_form->Controls("lblMaker").Text(kMaker);
  m_form->Controls("lblEmail").Text(kContact);
  form::Control& title = m_form->Controls("lblTitle");
  title.Text(title.Text() + version);
  m_form->Controls("txtHelp").Text(SledwayNotes());
  CenterForm(*m_form, m_form->WorkArea());
}

void frmSledwayHelp::Form_Activate() {
  m_form->Controls("picViz").TransparentPicture(form::kPictureLogo, form::kLogoTransparentRgb);
}

void frmSledwayHelp::cmdClose_Click() {
  m_form->Close();
}

void frmSledwayHelp::lblEmail_Click() {
  if (!platform::OpenMailLink(kContact)) {
    platform::ShowMessage("Unable to open email program", "Sledway");
  }
}

}  // namespace sledway
