// A drag source as a file manager is one: drops a list of files on a window by the XDND protocol,
// version 5, from its own connection and thread, offering them as text/uri-list.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class XdndSource {
 public:
  XdndSource(Window target, const std::vector<std::string>& paths);
  ~XdndSource() { thread.join(); }
  // Whether the target has said it took the drop; whether the source is through, done or given up after ten seconds.
  bool taken() const { return finished; }
  bool ended() const { return over; }

 private:
  void run(Window target, std::string uriList);
  std::atomic<bool> finished{false}, over{false};
  std::thread thread;
};
