#pragma once

#include <QString>
#include <exception>
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

// Ends the user action that raised it without a message, e.g. when the engineer declines a
// confirmation that the action needs. Deliberately not an EOwned: handlers that report errors
// must not catch it, only the action guard ends it.
class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "action abandoned"; }
};

}  // namespace vrx
