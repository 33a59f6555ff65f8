// One track mesh compiled with its ground plane into a single display list.
#pragma once

#include <string>

class SmxModel {
 public:
  SmxModel() = default;
  ~SmxModel();
  SmxModel(const SmxModel&) = delete;
  SmxModel& operator=(const SmxModel&) = delete;

  bool load(const std::string& path);
  void unload();
  void draw() const;
  void startView(int& x, int& y, int& z) const;

  bool isLoaded() const;
  bool showAxes() const;
  void setShowAxes(bool on);
  std::string path() const;

 private:
  unsigned char header[64] = {};
  unsigned displayList = 0;
  std::string filePath;
  bool loaded = false;
  bool axesShown = false;
};
