#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Constants files of the store: 8-bit text, one table row per line, every line closed by CR LF,
// every value followed by ';' ("256;" or "1; 1;").

// The longest line the format holds.
constexpr int kConstantsLineMaxChars = 51;

// Cuts a file's content into lines at CR LF pairs. A CR or LF outside such a pair belongs to its
// line, and the bytes after the last pair form no line (a file with LF-only ends has none).
QList<QByteArray> splitConstantsLines(const QByteArray& content);

// The whole file, or nothing when it cannot be opened for reading.
std::optional<QByteArray> readConstantsFile(const QString& path);

// What one line yields under the scan pattern "%d;" (one field) or "%d; %d;" (two fields):
// blanks are skipped before each number, which is an optional sign and decimal digits; the
// scan stops at the first mismatch and the rest of the line is not examined. A number that does
// not fit 32 bits ends the scan like a mismatch.
struct ConstantsLineValues
{
    int count = 0; // integers read, from the first on
    std::array<int, 2> values{};
};
ConstantsLineValues scanConstantsLine(const QByteArray& line, int fieldCount);
