#pragma once

#include <QString>
#include <optional>

// Reads a decimal integer the way the user's entries and stored values are read everywhere:
// optional leading blanks, an optional sign, decimal digits, nothing after them, within the
// 32-bit range.
std::optional<int> parseInteger(const QString& text);

// The message shown when a text is not such an integer.
QString notAnIntegerMessage(const QString& text);
