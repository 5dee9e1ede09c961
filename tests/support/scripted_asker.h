// An asker for tests: gives scripted answers in order and records every message shown.
// A message nobody scripted an answer for fails the test and gets the box's Escape answer.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "line/messages.h"

namespace korvane::test {

class ScriptedAsker : public TAsker {
public:
  /// Answers to give, oldest first.
  std::deque<TAnswer> Answers;
  /// Every message asked, in order.
  std::vector<TMessage> Messages;

  void Script(std::initializer_list<TAnswer> answers) { Answers.insert(Answers.end(), answers); }

  TAnswer Ask(const TMessage& message) override {
    Messages.push_back(message);
    if (Answers.empty()) {
      ADD_FAILURE() << "unexpected message: " << message.Text;
      return message.Escape;
    }
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  [[nodiscard]] const TMessage& Last() const { return Messages.back(); }
};

/// A refresh hook that counts its calls.
struct RefreshCounter {
  int Calls = 0;
  void operator()() { ++Calls; }
};

}  // namespace korvane::test
