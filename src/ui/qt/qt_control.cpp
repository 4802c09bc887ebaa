#include "ui/qt/qt_control.hpp"

#include <QAbstractButton>
#include <QGroupBox>
#include <QPlainTextEdit>

#include "ui/qt/face_widgets.hpp"
#include "ui/qt/pictures.hpp"
#include "ui/qt/transparent_picture.hpp"
#include "ui/qt/twips.hpp"

namespace sledway::qtface {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace

QtControl::QtControl(QWidget& widget) : widget_(&widget) {
  ConnectEvents();
}

QtControl::~QtControl() {
  if (auto* box = dynamic_cast<TextBox*>(widget_.data())) box->hooks = {};
  if (auto* label = dynamic_cast<ClickLabel*>(widget_.data())) label->clicked = {};
}

void QtControl::ConnectEvents() {
  QWidget* widget = widget_;
  if (auto* box = dynamic_cast<TextBox*>(widget)) {
    box->hooks = TextBox::Hooks{
        .gotFocus = [this] { GotFocus.Raise(); },
        .keyPress = [this](int& KeyAscii) { KeyPress.Raise(KeyAscii); },
        .insert = [this](form::TextInsertion& insertion) { Insert.Raise(insertion); },
    };
    QObject::connect(box, &QLineEdit::textChanged, &receiver_, [this] { Change.Raise(); });
  } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
    QObject::connect(list, &QComboBox::activated, &receiver_, [this] { Click.Raise(); });
  } else if (auto* label = dynamic_cast<ClickLabel*>(widget)) {
    label->clicked = [this] { Click.Raise(); };
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    if (!button->isCheckable()) {
      QObject::connect(button, &QAbstractButton::clicked, &receiver_, [this] { Click.Raise(); });
    } else {
      const bool exclusive = button->autoExclusive();
      QObject::connect(button, &QAbstractButton::toggled, &receiver_, [this, exclusive](bool on) {
        // Of option buttons, only the one that is selected reports.
        if (on || !exclusive) Click.Raise();
      });
    }
  }
}

std::string QtControl::Text() const {
  QWidget* widget = widget_;
  if (auto* box = qobject_cast<QLineEdit*>(widget)) return ToUtf8(box->text());
  if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
    return ToUtf8(text->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
  }
  if (auto* list = qobject_cast<QComboBox*>(widget)) return ToUtf8(list->currentText());
  if (auto* label = qobject_cast<QLabel*>(widget)) return ToUtf8(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ToUtf8(button->text());
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return ToUtf8(frame->title());
  return {};
}

void QtControl::Text(const std::string& text) {
  QWidget* widget = widget_;
  const QString value = FromUtf8(text);
  if (auto* box = dynamic_cast<TextBox*>(widget)) {
    box->SetTextFromCode(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(value);
  } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
    multi->setPlainText(QString(value).replace(QLatin1String("\r\n"), QLatin1String("\n")));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(value);
  }
}

bool QtControl::Enabled() const {
  return widget_ && widget_->isEnabled();
}

void QtControl::Enabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

bool QtControl::Visible() const {
  return widget_ && !widget_->isHidden();
}

void QtControl::Visible(bool visible) {
  if (widget_) widget_->setVisible(visible);
}

bool QtControl::Value() const {
  const auto* button = qobject_cast<QAbstractButton*>(widget_);
  return button != nullptr && button->isChecked();
}

void QtControl::Value(bool value) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget_)) button->setChecked(value);
}

void QtControl::Picture(int number) {
  QWidget* widget = widget_;
  if (widget == nullptr) return;
  picture_ = number;
  const QPixmap picture = number != 0 ? sledway::Picture(number) : QPixmap();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setIcon(QIcon(picture));
    if (!picture.isNull()) button->setIconSize(picture.size());
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setPixmap(picture);
  }
}

void QtControl::TransparentPicture(int number, std::uint32_t transparentRgb) {
  auto* label = qobject_cast<QLabel*>(widget_);
  if (label == nullptr) return;
  picture_ = number;
  label->setPixmap(BltTransparent(BltMode::kTransparent, sledway::Picture(number),
                                  QColor::fromRgb(static_cast<QRgb>(transparentRgb))));
}

void QtControl::SetFocus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool QtControl::HasFocus() const {
  return widget_ && widget_->hasFocus();
}

void QtControl::SelectAll() {
  if (auto* box = dynamic_cast<TextBox*>(widget_.data())) box->SelectAllKept();
}

form::TwipsRect QtControl::Rect() const {
  return widget_ ? TwipsOf(*widget_, widget_->geometry()) : form::TwipsRect{};
}

void QtControl::Move(double left, double top) {
  if (widget_) widget_->move(TwipsToPixelsX(*widget_, left), TwipsToPixelsY(*widget_, top));
}

void QtControl::AddItem(const std::string& item) {
  if (auto* list = qobject_cast<QComboBox*>(widget_)) list->addItem(FromUtf8(item));
}

int QtControl::ListCount() const {
  const auto* list = qobject_cast<QComboBox*>(widget_);
  return list != nullptr ? list->count() : 0;
}

std::string QtControl::List(int index) const {
  const auto* list = qobject_cast<QComboBox*>(widget_);
  return list != nullptr ? ToUtf8(list->itemText(index)) : std::string();
}

int QtControl::ListIndex() const {
  const auto* list = qobject_cast<QComboBox*>(widget_);
  return list != nullptr ? list->currentIndex() : -1;
}

void QtControl::ListIndex(int index) {
  if (auto* list = qobject_cast<QComboBox*>(widget_)) list->setCurrentIndex(index);
}

}  // namespace sledway::qtface
