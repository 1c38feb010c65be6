#include "ui/number_text.h"

#include <QLocale>

#include <cmath>
#include <limits>

QString shortestDecimal(double value) {
  // 'g' with 15 digits drops trailing zeros and the point of a whole number;
  // 15 digits hide the last-bit error of sums such as 1.8 + 0.2.
  if (value == 0) return QStringLiteral("0"); // also for -0
  return QString::number(value, 'g', 15);
}

QString wholeNumberText(long long value) {
  return QString::number(value);
}

namespace {
// Full-width forms (U+FF01..U+FF5E) to ASCII, blanks trimmed.  The
// compatibility normalisation also folds the ideographic blank to a blank.
QString foldTyped(const QString& text) {
  return text.normalized(QString::NormalizationForm_KC).trimmed();
}

// The C locale, refusing group separators: "1,5" is not a number.
QLocale plainLocale() {
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::RejectGroupSeparator);
  return c;
}
} // namespace

std::optional<int> parseWholeNumber(const QString& text) {
  const QString folded = foldTyped(text);
  bool ok = false;
  const qlonglong v = plainLocale().toLongLong(folded, &ok);
  if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(v);
}

std::optional<double> parseRealNumber(const QString& text) {
  const QString folded = foldTyped(text);
  bool ok = false;
  const double v = plainLocale().toDouble(folded, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}
