// One translucent overlay box anchored to a corner of the client area, with optional bitmap text.
#pragma once

#include <string>
#include <vector>

enum Anchor : unsigned char {
  AnchorBottomLeft = 0,
  AnchorTopLeft = 1,
  AnchorTopRight = 2,
  AnchorBottomRight = 3,
};

class Button {
 public:
  // Between the baselines of two lines of text.
  static constexpr int linePitch = 14;
  // A box of one line of text is this tall; each further line takes linePitch more.
  static constexpr int oneLineHeight = 20;
  // No glyph of the overlay's font advances further, so lines wrapped to this width fit their box.
  static constexpr int widestGlyph = 8;

  // A box's colour while the pointer is not over it.
  static constexpr unsigned char normalColour[4] = {0, 0, 0, 128};

  Button();
  Button(int x, int y, int width, int height);

  void setGeometry(int x, int y, int width, int height);
  void setAnchor(Anchor anchor);
  void setVisible(bool visible);
  bool isVisible() const;
  void setClickable(bool clickable);
  bool isClickable() const;
  void setColour(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  const unsigned char* getColour() const;
  void setFont(int firstList);

  // printf-style; at most 255 characters are kept, a null format keeps the text.
  void setText(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  // Stores the text exactly as given, whatever its length; it is never read as a format.
  void setPlainText(const std::string& text);
  const char* getText() const;
  // With wrapping on, a line too long for the box breaks at its last space that fits, or else at the
  // box's edge; off, it runs on past the edge.
  void setWrapping(bool wrapping);
  // The height that holds the lines the box shows.
  int heightOfLines() const;
  // Fills this share (0 to 1) of the box from its left edge, as a progress bar.
  void setFill(double share);

  // Window client coordinates: origin top-left, y down.
  bool hitTest(int mouseX, int mouseY) const;
  void draw() const;

 private:
  // The text as drawn: its lines in font codes, empty ones left out, wrapped when the box wraps.
  std::vector<std::string> lines() const;

  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::string text;
  unsigned char anchor = AnchorTopLeft;
  bool visible = true;
  bool clickable = true;
  unsigned char colour[4] = {normalColour[0], normalColour[1], normalColour[2], normalColour[3]};
  int font = 0;
  bool wrapping = false;
  double fill = 0;
};
