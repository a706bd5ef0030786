#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the compressor component carries one of these, with a
// fixed English message that the caller shows as it is.
class ELzrw1Exception : public std::runtime_error {
public:
    explicit ELzrw1Exception(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
