// Holds one extra connection to the X server for the whole test run, as a desktop's clients do.
// NOTE: an X server resets when its last client leaves and drops connections that arrive
// meanwhile, so a test that closes its only window and opens the next one would race with it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

class ServerKeepAlive : public testing::Environment {
 public:
  void SetUp() override {
    // The test before this one may have left the server resetting.
    for (int attempt = 0; attempt < 50 && !display; ++attempt) {
      display = XOpenDisplay(nullptr);
      if (!display) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  void TearDown() override {
    if (display) XCloseDisplay(display);
  }

 private:
  Display* display = nullptr;
};

testing::Environment* const keepAlive = testing::AddGlobalTestEnvironment(new ServerKeepAlive);

}  // namespace
