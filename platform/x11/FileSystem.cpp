// Files and folders by path; Linux names are bytes, which the program keeps as they are.
#include <unistd.h>

#include <climits>

#include "mesh/SmxReader.h"
#include "platform/Platform.h"

namespace platform {

std::FILE* openFile(const std::string& path) { return SmxReader::open(path.c_str()); }

bool changeFolder(const std::string& path) { return chdir(path.c_str()) == 0; }

std::string workingFolder() {
  char path[PATH_MAX];
  return getcwd(path, sizeof path) ? path : ".";
}

}  // namespace platform
