#include "ui/numeric_text_box.hpp"

#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

namespace sledway {
namespace {

constexpr int kBackspace = 8;
constexpr int kPoint = 46;

// The text a key filter looks at: the box's whole text, selection included.
bool TextOf(QWidget* ctl, QString& text) {
  if (const auto* box = qobject_cast<QLineEdit*>(ctl)) {
    text = box->text();
    return true;
  }
  if (const auto* combo = qobject_cast<QComboBox*>(ctl)) {
    text = combo->currentText();
    return true;
  }
  return false;
}

bool IntegerKey(int KeyAscii) {
  return (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == kBackspace;
}

void FilterKey(NumericTextBox::Keys keys, const QString& text, int& KeyAscii) {
  if (IntegerKey(KeyAscii)) return;
  if (keys == NumericTextBox::Keys::kDecimal && KeyAscii == kPoint &&
      !text.contains(QLatin1Char('.'))) {
    return;
  }
  KeyAscii = 0;
}

// The character code a key press stands for, as a key filter sees it; -1 for keys that type no
// character (cursor keys, Delete, Home), which never reach the filters.
int KeyAsciiOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return '\r';
    case Qt::Key_Escape:
      return 27;
    default:
      break;
  }
  if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
      event.key() <= Qt::Key_Z) {
    return event.key() - Qt::Key_A + 1;
  }
  const QString text = event.text();
  if (text.size() != 1 || text[0].unicode() == 0x7f) return -1;
  return text[0].unicode();
}

}  // namespace

void SelectAllText(QWidget* ctl) {
  if (auto* box = qobject_cast<QLineEdit*>(ctl)) {
    box->selectAll();
  } else if (auto* combo = qobject_cast<QComboBox*>(ctl); combo && combo->lineEdit()) {
    combo->lineEdit()->selectAll();
  }
}

void FilterIntegerKey(QWidget* ctl, int& KeyAscii) {
  QString text;
  if (TextOf(ctl, text)) FilterKey(NumericTextBox::Keys::kInteger, text, KeyAscii);
}

void FilterDecimalKey(QWidget* ctl, int& KeyAscii) {
  QString text;
  if (TextOf(ctl, text)) FilterKey(NumericTextBox::Keys::kDecimal, text, KeyAscii);
}

// Filters text that reaches the box other than by a typed key. It knows the box's text before
// the change, so it can tell which characters arrived, and passes them one by one through the
// key filter, against the text they are joining.
class NumericTextBox::InsertionFilter : public QValidator {
 public:
  InsertionFilter(NumericTextBox& box) : QValidator(&box), box_(box) {}

  State validate(QString& input, int& pos) const override {
    if (fromCode_) {
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
    const QString head = input.left(prefix);
    const QString tail = input.right(suffix);
    QString kept;
    for (const QChar c : arrived) {
      int KeyAscii = c.unicode();
      // The text the character joins stands for the box's text a typed key is judged against.
      FilterKey(box_.keys_, head + kept + tail, KeyAscii);
      if (KeyAscii != 0 && KeyAscii != kBackspace) kept += c;
    }
    if (kept != arrived) {
      input = head + kept + tail;
      if (pos > prefix) pos = static_cast<int>(prefix + kept.size());
    }
    before_ = input;
    return Acceptable;
  }

  // Code's own text passes as it is.
  void FromCode(bool fromCode) { fromCode_ = fromCode; }

 private:
  NumericTextBox& box_;
  mutable QString before_;
  bool fromCode_ = false;
};

NumericTextBox::NumericTextBox(Keys keys, QWidget* parent)
    : QLineEdit(parent), keys_(keys), filter_(new InsertionFilter(*this)) {
  setValidator(filter_);
}

void NumericTextBox::setText(const QString& text) {
  filter_->FromCode(true);
  QLineEdit::setText(text);
  filter_->FromCode(false);
}

void NumericTextBox::keyPressEvent(QKeyEvent* event) {
  int KeyAscii = KeyAsciiOf(*event);
  if (KeyAscii < 0) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  keys_ == Keys::kInteger ? FilterIntegerKey(this, KeyAscii) : FilterDecimalKey(this, KeyAscii);
  if (KeyAscii == 0) {
    event->accept();  // dropped: it neither types nor reaches the window
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NumericTextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // A mouse press that gives the focus places the cursor after this handler; selecting once
  // the press is through keeps the whole text selected whichever way the box was entered.
  QTimer::singleShot(0, this, [this] { SelectAllText(this); });
}

}  // namespace sledway
