#include "platform/desktop.hpp"

#include <chrono>
#include <iostream>
#include <thread>
#include <utility>

namespace sledway::platform {
namespace {

DesktopServices StandardServices() {
  return DesktopServices{
      .sleep =
          [](std::uint32_t milliseconds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
          },
      .showMessage = [](const std::string& text,
                        const std::string& title) { std::cerr << title << ": " << text << '\n'; },
      .yieldToMessageLoop = [] {},
  };
}

DesktopServices& Installed() {
  static DesktopServices services = StandardServices();
  return services;
}

}  // namespace

void Sleep(std::uint32_t milliseconds) { Installed().sleep(milliseconds); }

void ShowMessage(const std::string& text, const std::string& title) {
  Installed().showMessage(text, title);
}

void YieldToMessageLoop() { Installed().yieldToMessageLoop(); }

ScopedDesktopServices::ScopedDesktopServices(DesktopServices services)
    : previous_(std::exchange(Installed(), std::move(services))) {
  const DesktopServices standard = StandardServices();
  DesktopServices& installed = Installed();
  if (!installed.sleep) installed.sleep = standard.sleep;
  if (!installed.showMessage) installed.showMessage = standard.showMessage;
  if (!installed.yieldToMessageLoop) installed.yieldToMessageLoop = standard.yieldToMessageLoop;
}

ScopedDesktopServices::~ScopedDesktopServices() { Installed() = std::move(previous_); }

}  // namespace sledway::platform
