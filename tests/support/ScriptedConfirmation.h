#pragma once

#include <deque>

#include "stamp/PcTimeConfirmation.h"

namespace vrx::test {

// Answers the question about the PC clock from a script; "Да" once the script is used up.
class ScriptedConfirmation : public PcTimeConfirmation {
 public:
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
