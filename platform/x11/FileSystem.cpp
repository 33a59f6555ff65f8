// Files and folders by path; Linux names are bytes, which the program keeps as they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/Platform.h"

namespace platform {

std::FILE* openFile(const std::string& path) {
  // NOTE: without O_NONBLOCK the open of a pipe waits for a writer; the kind is told from what was opened, so
  // nothing can take the file's place between a look and the open.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int why = S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
    close(descriptor);
    errno = why;
    return nullptr;
  }
  fcntl(descriptor, F_SETFL, 0);
  std::FILE* file = fdopen(descriptor, "rb");
  if (!file) close(descriptor);
  return file;
}

bool changeFolder(const std::string& path) { return chdir(path.c_str()) == 0; }

std::string workingFolder() {
  char path[PATH_MAX];
  return getcwd(path, sizeof path) ? path : ".";
}

}  // namespace platform
