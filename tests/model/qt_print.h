// Readable QString values in test failure messages. Every test file that
// compares QStrings includes this, so all of them print alike.
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
