#pragma once

#include <QString>
#include <stdexcept>
#include <string>

namespace vrx {

// The program's general error. It carries the Russian text the user sees in the error box.
class EOwned : public std::runtime_error {
 public:
  explicit EOwned(const QString& message) : std::runtime_error(message.toStdString()) {}
  explicit EOwned(const char* utf8Message) : std::runtime_error(utf8Message) {}
  QString message() const { return QString::fromUtf8(what()); }
};

// The serial port's error. The user cannot tell it from EOwned; callers that only want to
// report an error catch EOwned and get both.
class EComPort : public EOwned {
 public:
  using EOwned::EOwned;
};

}  // namespace vrx
