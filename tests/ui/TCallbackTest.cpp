#include <gtest/gtest.h>

#include <vector>

#include "ui/Button.h"
#include "ui/Callback.h"

namespace {

struct Listener {
  std::vector<int> heard;
  virtual ~Listener() = default;
  virtual void onButton(int id, Button*) { heard.push_back(id); }
};

struct LoudListener : Listener {
  void onButton(int id, Button*) override { heard.push_back(-id); }
};

TEST(TCallbackTest, UnboundIgnoresCallsBoundReachesTheOverride) {
  LoudListener loud;
  Button box;
  TCallback<Listener> callback;
  Callback& asCallback = callback;
  asCallback.call(1, &box);

  callback.bind(&loud, &Listener::onButton);
  asCallback.call(2, &box);
  asCallback.call(3, nullptr);
  EXPECT_EQ(loud.heard, (std::vector<int>{-2, -3}));

  Listener plain;
  callback.bind(&plain, &Listener::onButton);
  asCallback.call(4, &box);
  EXPECT_EQ(plain.heard, (std::vector<int>{4}));
  EXPECT_EQ(loud.heard.size(), 2u);
}

}  // namespace
