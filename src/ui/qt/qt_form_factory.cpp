#include "ui/qt/qt_form_factory.hpp"

#include <QFile>
#include <QLocale>

#include "ui/qt/designs.hpp"
#include "ui/qt/qt_form.hpp"

namespace sledway::qtface {

std::unique_ptr<form::Form> QtFormFactory::CreateForm(form::FormKind kind) {
  return std::make_unique<QtForm>(kind == form::FormKind::kPath ? BuildPathForm()
                                                                : BuildSledwayHelpForm());
}

form::NumberLocale QtFormFactory::Locale() {
  const QLocale locale;
  return form::NumberLocale{locale.decimalPoint().toStdString(),
                            locale.groupSeparator().toStdString()};
}

std::vector<std::uint8_t> QtFormFactory::ButtonIconPng(int number) {
  QFile file(QStringLiteral(":/sledway/icons/%1.png").arg(number));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace sledway::qtface
