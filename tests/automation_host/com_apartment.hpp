#pragma once

// A test fixture running each test in a single-threaded COM apartment, as the host's UI
// thread is.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <gtest/gtest.h>
#include <objbase.h>

namespace sledway::automation_host {

class ComApartment : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace sledway::automation_host
