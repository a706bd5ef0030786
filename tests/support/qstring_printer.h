#pragma once

#include <QString>
#include <ostream>

// Lets GoogleTest show texts (and lists of them) as text in its failure reports.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
