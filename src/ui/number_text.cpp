#include "ui/number_text.hpp"

#include <cmath>
#include <limits>
#include <optional>

namespace sledway {
namespace {

std::optional<double> ReadNumber(const QString& text, const QLocale& locale) {
  for (QLocale reader : {locale, QLocale::c()}) {
    reader.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = reader.toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(value)) return value;
  }
  return std::nullopt;
}

}  // namespace

QString DoubleText(double value, const QLocale& locale) {
  QLocale writer = locale;
  writer.setNumberOptions(QLocale::OmitGroupSeparator);
  // Adding 0.0 turns a negative zero into "0".
  return writer.toString(value + 0.0, 'g', 15);
}

double TextToDouble(const QString& text, const QLocale& locale) {
  return ReadNumber(text, locale).value_or(0.0);
}

std::int32_t TextToLong(const QString& text, const QLocale& locale) {
  const double value = std::nearbyint(ReadNumber(text, locale).value_or(0.0));
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return 0;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace sledway
