#include "apps/common/plugin_path.h"

#include <unistd.h>

#include <climits>

namespace apps {

std::string BesideProgram(const std::string &name) {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return name;
  const std::string path(self, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1) + name;
}

}  // namespace apps
