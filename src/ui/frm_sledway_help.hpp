#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/application.hpp"
#include "host/event.hpp"
#include "ui/form/form_factory.hpp"

namespace sledway {

// The seven paragraphs of notes on use, the disclaimer first, an empty line between each two.
std::string SledwayNotes();

// The about window: the notes, the product's name and version, its maker, a contact line whose
// address opens the user's mail program, and the logo drawn with pure green transparent. Each
// window starts from the form's design; set-up (centring, the notes, the maker, the version) runs
// when it is shown.
class frmSledwayHelp {
 public:
  explicit frmSledwayHelp(form::FormFactory& faces);
  frmSledwayHelp(const frmSledwayHelp&) = delete;
  frmSledwayHelp& operator=(const frmSledwayHelp&) = delete;

  // Shows the window modal to the window `owner` (0 for none) and returns once it has closed.
  void Show(WindowHandle owner);

  form::Form& Window() { return *m_form; }

 private:
  void Form_Load();
  void Form_Activate();
  void cmdClose_Click();
  void lblEmail_Click();

  std::unique_ptr<form::Form> m_form;
  std::vector<Connection> m_connections;
};

}  // namespace sledway
