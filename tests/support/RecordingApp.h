// A ZarvoApp that writes down every handler call with the integers it received,
// so tests can check what a window backend delivers for each native event.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ZarvoApp.h"

struct HandlerCall {
  std::string handler;
  std::vector<long long> args;
  bool operator==(const HandlerCall& other) const { return handler == other.handler && args == other.args; }
};

class RecordingApp : public ZarvoApp {
 public:
  bool forward = false;  // each call then also runs the real handler, after it is recorded
  std::vector<HandlerCall> calls;
  std::function<void()> afterRender = [] {};  // runs after each frame the real render drew

  void render() override { record("render", {}, [&] { ZarvoApp::render(), afterRender(); }); }
  void requestFrame() override { record("requestFrame", {}, [&] { ZarvoApp::requestFrame(); }); }
  void onResize(int w, int h) override { record("onResize", {w, h}, [&] { ZarvoApp::onResize(w, h); }); }
  void onActivate(bool a) override { record("onActivate", {a}, [&] { ZarvoApp::onActivate(a); }); }
  void onTimer(unsigned id) override { record("onTimer", {id}, [&] { ZarvoApp::onTimer(id); }); }
  void onFocus(bool f) override { record("onFocus", {f}, [&] { ZarvoApp::onFocus(f); }); }
  void onKeyDown(unsigned k) override { record("onKeyDown", {k}, [&] { ZarvoApp::onKeyDown(k); }); }
  void onKeyUp(unsigned k) override { record("onKeyUp", {k}, [&] { ZarvoApp::onKeyUp(k); }); }
  void onMouseMove(int x, int y, unsigned f) override { record("onMouseMove", {x, y, f}, [&] { ZarvoApp::onMouseMove(x, y, f); }); }
  void onMouseUp(int x, int y, unsigned f) override { record("onMouseUp", {x, y, f}, [&] { ZarvoApp::onMouseUp(x, y, f); }); }
  void onMouseWheel(int x, int y, unsigned k, unsigned d) override {
    record("onMouseWheel", {x, y, k, d}, [&] { ZarvoApp::onMouseWheel(x, y, k, d); });
  }

 private:
  template <class Real>
  void record(const char* handler, std::vector<long long> args, Real real) {
    calls.push_back({handler, std::move(args)});
    if (forward) real();
  }
};
