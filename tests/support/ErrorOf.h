#pragma once

#include <functional>
#include <string>

#include "model/Errors.h"

namespace vrx::test {

// The message of the error the action raises (UTF-8), or "<no error>".
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EOwned& e) {
    return e.what();
  }
  return "<no error>";
}

}  // namespace vrx::test
