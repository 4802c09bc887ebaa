// The logic's tests run without a desktop: this stands in for the platform's mail link.
#include "mail_link_double.hpp"

#include "platform/mail_link.hpp"

namespace sledway {
namespace test {

MailLinks& RecordedMailLinks() {
  static MailLinks links;
  return links;
}

}  // namespace test

bool platform::OpenMailLink(const std::string& address) {
  test::RecordedMailLinks().opened.push_back(address);
  return test::RecordedMailLinks().programAnswers;
}

}  // namespace sledway
