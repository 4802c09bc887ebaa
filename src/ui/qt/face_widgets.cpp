#include "ui/qt/face_widgets.hpp"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

namespace sledway::qtface {
namespace {

// The character code a key press stands for, as a KeyPress handler sees it; -1 for keys that
// type no character (cursor keys, Delete, Home).
int KeyAsciiOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      return form::kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return form::kKeyEnter;
    case Qt::Key_Escape:
      return form::kKeyEscape;
    default:
      break;
  }
  if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
      event.key() <= Qt::Key_Z) {
    return event.key() - Qt::Key_A + 1;
  }
  const QList<uint> text = event.text().toUcs4();
  if (text.size() != 1 || text[0] < 0x20 || text[0] == 0x7f) return -1;
  return static_cast<int>(text[0]);
}

int& DialogCount() {
  static int count = 0;
  return count;
}

}  // namespace

// Sees text that reaches the box other than by a typed key. It knows the box's text before the
// change, so it can tell which characters arrived, and lets the form logic shorten them.
class TextBox::InsertionFilter : public QValidator {
 public:
  explicit InsertionFilter(TextBox& box) : QValidator(&box), box_(box) {}

  State validate(QString& input, int& pos) const override {
    if (passThrough_ || !box_.hooks.insert) {
      before_ = input;
      return Acceptable;
    }
    qsizetype prefix = 0;
    while (prefix < before_.size() && prefix < input.size() && before_[prefix] == input[prefix]) {
      ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < before_.size() - prefix && suffix < input.size() - prefix &&
           before_[before_.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
      ++suffix;
    }
    const QString arrived = input.mid(prefix, input.size() - prefix - suffix);
    if (!arrived.isEmpty()) {
      form::TextInsertion insertion{input.left(prefix).toStdString(),
                                    input.right(suffix).toStdString(), arrived.toStdString()};
      box_.hooks.insert(insertion);
      const QString kept = QString::fromStdString(insertion.text);
      if (kept != arrived) {
        input = input.left(prefix) + kept + input.right(suffix);
        if (pos > prefix) pos = static_cast<int>(prefix + kept.size());
      }
    }
    before_ = input;
    return Acceptable;
  }

  // Code's own text and typed keys, which KeyPress has already seen, pass as they are.
  void PassThrough(bool passThrough) { passThrough_ = passThrough; }

 private:
  TextBox& box_;
  mutable QString before_;
  bool passThrough_ = false;
};

TextBox::TextBox(QWidget* parent) : QLineEdit(parent), filter_(new InsertionFilter(*this)) {
  setValidator(filter_);
}

void TextBox::SetTextFromCode(const QString& text) {
  filter_->PassThrough(true);
  setText(text);
  filter_->PassThrough(false);
}

void TextBox::SelectAllKept() {
  selectAll();
  // A mouse press that gives the focus places the cursor after the focus arrived.
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  int KeyAscii = KeyAsciiOf(*event);
  if (KeyAscii < 0 || !hooks.keyPress) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (const auto keyPress = hooks.keyPress) keyPress(KeyAscii);
  if (KeyAscii == 0) {
    event->accept();  // dropped: it neither types nor reaches the window
    return;
  }
  filter_->PassThrough(true);
  QLineEdit::keyPressEvent(event);
  filter_->PassThrough(false);
}

void TextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (const auto gotFocus = hooks.gotFocus) gotFocus();
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

// Handlers may drop the label's control, and with it the hook: each call runs a copy.
void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (const auto click = clicked) click();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (const auto click = clicked;
      click && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
    click();
    return;
  }
  QLabel::keyPressEvent(event);
}

ChoiceList::ChoiceList(QWidget* parent) : QComboBox(parent) {
  // The wheel over the list must not take the focus from another control either.
  setFocusPolicy(Qt::StrongFocus);
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      // Alt with a cursor key opens the list, as everywhere.
      if (event->modifiers() & Qt::AltModifier) break;
      [[fallthrough]];
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      event->accept();
      return;
    default:
      // Typed letters would search the closed list and choose what they find.
      if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
          event->key() != Qt::Key_Space) {
        event->accept();
        return;
      }
      break;
  }
  QComboBox::keyPressEvent(event);
}

void ChoiceList::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

FormDialog::FormDialog() {
  setModal(false);
  ++DialogCount();
}

FormDialog::~FormDialog() {
  if (const auto ownerGone = hooks.ownerGone) ownerGone();
  --DialogCount();
}

int FormDialog::Alive() {
  return DialogCount();
}

void FormDialog::CloseFromCode() {
  reason_ = form::CloseReason::kCode;
  close();
  reason_ = form::CloseReason::kUser;
}

void FormDialog::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  // The form may go while it hears the close, and its hooks with it: each call runs a copy.
  if (const auto unload = hooks.unload) unload(reason_, cancel);
  // QDialog's own handler would go through reject(), which closes again.
  if (cancel) {
    event->ignore();
  } else {
    event->accept();
  }
}

void FormDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (const auto activate = hooks.activate) activate();
}

void FormDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window shown is active to its user, though the platform may say so later or not at all.
  if (const auto activate = hooks.activate) activate();
}

void FormDialog::reject() {
  close();
}

}  // namespace sledway::qtface
