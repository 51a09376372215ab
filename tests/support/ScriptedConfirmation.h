#pragma once

#include <deque>
#include <utility>

#include "stamp/PcTimeConfirmation.h"

namespace vrx::test {

// Answers the question about the PC clock from a script; "Да" once the script is used up.
class ScriptedConfirmation : public PcTimeConfirmation {
 public:
  explicit ScriptedConfirmation(std::deque<bool> answers = {}) : script(std::move(answers)) {}
  bool ConfirmPcTime() override {
    ++asked;
    if (script.empty())
      return true;
    const bool answer = script.front();
    script.pop_front();
    return answer;
  }
  std::deque<bool> script;
  int asked = 0;
};

}  // namespace vrx::test
