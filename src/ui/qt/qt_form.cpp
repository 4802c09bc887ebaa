#include "ui/qt/qt_form.hpp"

#include <QScreen>
#include <string>

#include "host/host_error.hpp"
#include "platform/window_owner.hpp"
#include "platform/work_area.hpp"
#include "ui/qt/twips.hpp"

namespace sledway::qtface {

QtForm::QtForm(std::unique_ptr<FormDialog> dialog) : dialog_(dialog.release()) {
  for (QWidget* child : dialog_->findChildren<QWidget*>()) {
    if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_"))) {
      controls_.emplace(child->objectName().toStdString(), std::make_unique<QtControl>(*child));
    }
  }
  dialog_->hooks = FormDialog::Hooks{
      .unload = [this](form::CloseReason reason, bool& cancel) { Unload.Raise(reason, cancel); },
      .activate = [this] { Activate.Raise(); },
      .ownerGone =
          [this] {
            // Whoever hears this may drop the form; nothing here runs after the event.
            dialogGoing_ = true;
            bool cancel = false;
            Unload.Raise(form::CloseReason::kOwner, cancel);
          },
  };
}

QtForm::~QtForm() {
  controls_.clear();
  // A dialog in its destructor is Qt's to finish.
  if (FormDialog* dialog = dialog_; dialog != nullptr && !dialogGoing_) {
    dialog->hooks = {};
    dialog->hide();
    // The form may go from inside a handler of one of the dialog's own widgets.
    dialog->deleteLater();
  }
}

form::Control& QtForm::Controls(std::string_view name) {
  const auto found = controls_.find(name);
  if (found == controls_.end()) {
    throw HostError(hresult::kInvalidArg, "the window has no control " + std::string(name));
  }
  return *found->second;
}

std::string QtForm::Caption() const {
  return dialog_ ? dialog_->windowTitle().toStdString() : std::string();
}

void QtForm::Caption(const std::string& caption) {
  if (dialog_) dialog_->setWindowTitle(QString::fromStdString(caption));
}

void QtForm::Show() {
  if (dialog_) dialog_->show();
}

void QtForm::Hide() {
  if (dialog_) dialog_->hide();
}

bool QtForm::Visible() const {
  return dialog_ && dialog_->isVisible();
}

void QtForm::ShowModal() {
  if (dialog_) dialog_->exec();
}

void QtForm::BringToFront() {
  if (!dialog_) return;
  dialog_->raise();
  dialog_->activateWindow();
}

void QtForm::Enabled(bool enabled) {
  if (dialog_) dialog_->setEnabled(enabled);
}

void QtForm::Close() {
  if (dialog_) dialog_->CloseFromCode();
}

form::TwipsRect QtForm::Rect() const {
  return dialog_ ? TwipsOf(*dialog_, dialog_->frameGeometry()) : form::TwipsRect{};
}

void QtForm::Move(double left, double top) {
  if (dialog_) dialog_->move(TwipsToPixelsX(*dialog_, left), TwipsToPixelsY(*dialog_, top));
}

form::TwipsRect QtForm::WorkArea() const {
  if (!dialog_) return {};
  const QScreen* screen = dialog_->screen();
  return TwipsOf(*dialog_, screen != nullptr ? screen->availableGeometry() : platform::WorkArea());
}

bool QtForm::OnAnyWorkArea(const form::TwipsRect& rect) const {
  return dialog_ &&
         platform::OnAnyWorkArea(TwipsRect(*dialog_, rect.left, rect.top, rect.width, rect.height));
}

WindowHandle QtForm::NativeHandle() {
  return dialog_ ? static_cast<WindowHandle>(dialog_->winId()) : 0;
}

WindowHandle QtForm::Owner(WindowHandle owner) {
  if (!dialog_) return 0;
  return static_cast<WindowHandle>(platform::SetWindowOwner(*dialog_, static_cast<WId>(owner)));
}

}  // namespace sledway::qtface
