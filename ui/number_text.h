// Numbers as the windows show and read them.  Shown numbers take the shortest
// decimal form of at most 15 significant digits (2.0 shows as "2", and so does
// 1.8 + 0.2).  Typed numbers are read independently of the user's locale (the
// C library's locale follows the environment once the application starts, so
// strtod would read "1.5" as 1 under a German locale), and full-width digits,
// signs and points typed through a Japanese input method count as their
// ordinary forms.
#pragma once

#include <QString>

#include <optional>

QString shortestDecimal(double value);
QString wholeNumberText(long long value);

// A whole number that fits an int, blanks around it allowed; nothing else.
std::optional<int> parseWholeNumber(const QString& text);
// A finite real number in plain or exponent notation; nothing else.
std::optional<double> parseRealNumber(const QString& text);
