// The overlay layer: owns the boxes of the current screen by id, highlights, dispatches clicks and draws them.
#pragma once

#include <map>

class Button;
class Callback;

class ButtonPanel {
 public:
  ButtonPanel() = default;
  ~ButtonPanel();
  ButtonPanel(const ButtonPanel&) = delete;
  ButtonPanel& operator=(const ButtonPanel&) = delete;

  bool add(int id, Button* button);
  Button* get(int id) const;
  bool remove(int id);
  void clear();

  void setListener(Callback* listener);
  void setVisible(bool visible);
  bool isVisible() const;

  bool hover(int x, int y, unsigned flags);
  bool click(int x, int y, unsigned flags);
  void draw() const;

  int createFont(int height, const char* faceName);

 private:
  std::map<int, Button*> buttons;
  bool visible = true;
  Callback* listener = nullptr;
};
