#pragma once

#include <string>
#include <vector>

namespace sledway::test {

// The platform's mail link as the logic's tests see it: the addresses asked for, and whether a
// mail program answers.
struct MailLinks {
  std::vector<std::string> opened;
  bool programAnswers = true;
};
MailLinks& RecordedMailLinks();

}  // namespace sledway::test
