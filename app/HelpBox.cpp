// The help box: every control, shown over either screen on F1 or H until the same key or a click on it.
#include "app/ZarvoApp.h"
#include "ui/Button.h"

namespace {

constexpr const char* helpText =
    "W / S             move forward / back\n"
    "A / D             move left / right\n"
    "Left / Right      turn\n"
    "Up / Down         widen / narrow the view\n"
    "Right-button drag turn and tilt\n"
    "Wheel             zoom in / out\n"
    "Space             hide / show the boxes\n"
    "O                 show / hide the axes\n"
    "F1 or H           show / hide this help\n"
    "Click a box       open a track, or close it\n"
    "Drop a .smx file  open that track";

// At the bottom left, clear of the boxes both screens keep at the top.
constexpr int helpBoxMargin = 5;
constexpr int helpBoxWidth = 360;

}  // namespace

void ZarvoApp::addHelpBox() {
  auto* box = new Button(helpBoxMargin, helpBoxMargin, helpBoxWidth, Button::oneLineHeight);
  box->setAnchor(AnchorBottomLeft);
  box->setFont(fontBase);
  box->setWrapping(true);
  box->setPlainText(helpText);
  box->setGeometry(helpBoxMargin, helpBoxMargin, helpBoxWidth, box->heightOfLines());
  help.add(0, box);
  help.setVisible(false);
  helpCallback.bind(this, &ZarvoApp::onHelpClicked);
  help.setListener(&helpCallback);
}

void ZarvoApp::onHelpClicked(int, Button*) { help.setVisible(false); }
