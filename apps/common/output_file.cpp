#include "apps/common/output_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace apps {
namespace {

// The temporaries not yet committed, in fixed storage a signal handler can
// read: a slot is in use while its first byte is not 0.
constexpr int kSlots = 16;
char temporaries[kSlots][PATH_MAX + 16];

int Claim(const std::string &path) {
  for (int i = 0; i < kSlots; ++i) {
    if (temporaries[i][0] != 0) continue;
    std::memcpy(temporaries[i], path.c_str(), path.size() + 1);
    return i;
  }
  return -1;
}

void Release(const std::string &path) {
  for (auto &slot : temporaries)
    if (path == slot) slot[0] = 0;
}

void OnSignal(int signal) {
  RemoveTemporaries();
  // Then end as the signal would have ended the program.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigaction(signal, &action, nullptr);
  raise(signal);
}

// Once: clean up on the signals that end a program, and let a write past the
// file-size limit fail as a write (EFBIG) instead of killing the program.
void InstallCleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
    struct sigaction old {};
    sigaction(s, nullptr, &old);
    if (old.sa_handler != SIG_DFL) continue;  // someone else's, or ignored on purpose
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(s, &action, nullptr);
  }
  signal(SIGXFSZ, SIG_IGN);
}

std::string Why(const std::string &path) { return path + ": " + std::strerror(errno); }

}  // namespace

void RemoveTemporaries() {
  for (auto &slot : temporaries)
    if (slot[0] != 0) {
      unlink(slot);
      slot[0] = 0;
    }
}

std::unique_ptr<OutputFile> OutputFile::Direct(const std::string &target, int flags, const std::string &path,
                                               std::string &error) {
  const int fd = open(target.c_str(), flags, 0666);
  std::FILE *stream = fd < 0 ? nullptr : fdopen(fd, "wb");
  if (!stream) {
    error = Why(path);
    if (fd >= 0) close(fd);
    return nullptr;
  }
  return std::unique_ptr<OutputFile>(new OutputFile(target, "", stream));
}

std::unique_ptr<OutputFile> OutputFile::Open(const std::string &path, std::string &error, Writing how) {
  if (path == "-") return std::unique_ptr<OutputFile>(new OutputFile(path, "", stdout));
  if (path.empty()) {
    error = "an output path must not be empty";
    return nullptr;
  }
  InstallCleanup();
  namespace fs = std::filesystem;
  struct stat info {};
  // A device, FIFO, pipe or socket, named or reached through links (a shell's
  // >(command) is /dev/fd/N, a link to no path): written as it is.
  if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
    return Direct(path, O_WRONLY | O_CLOEXEC, path, error);
  // Through symlinks to what they name, existing or not.
  std::error_code failed;
  fs::path target = path;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(target, failed)); ++hops) {
    if (hops == 40) {
      error = path + ": " + std::strerror(ELOOP);
      return nullptr;
    }
    const fs::path link = fs::read_symlink(target, failed);
    target = link.is_absolute() ? link : target.parent_path() / link;
  }

  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    error = path + ": is a directory";
    return nullptr;
  }
  if (const fs::path folder = target.parent_path(); !folder.empty()) {
    fs::create_directories(folder, failed);
    if (failed) {
      error = path + ": cannot make its folder: " + failed.message();
      return nullptr;
    }
  }
  if (how == Writing::AsItGoes) return Direct(target.string(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, path, error);
  std::string temporary = target.string() + ".XXXXXX";
  if (temporary.size() > PATH_MAX) {
    error = path + ": " + std::strerror(ENAMETOOLONG);
    return nullptr;
  }
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = Why(path);
    return nullptr;
  }
  if (Claim(temporary) < 0) {
    close(fd);
    unlink(temporary.c_str());
    error = path + ": too many output files at once";
    return nullptr;
  }
  // The old file's permissions, or those a new file gets.
  mode_t mode = exists ? info.st_mode & 07777 : 0666;
  if (!exists) {
    const mode_t mask = umask(0);
    umask(mask);
    mode &= ~mask;
  }
  fchmod(fd, mode);
  std::FILE *stream = fdopen(fd, "wb");
  if (!stream) {
    error = Why(path);
    close(fd);
    unlink(temporary.c_str());
    Release(temporary);
    return nullptr;
  }
  return std::unique_ptr<OutputFile>(new OutputFile(target.string(), temporary, stream));
}

OutputFile::~OutputFile() {
  if (temporary_.empty()) {
    if (stream_ && stream_ != stdout) std::fclose(stream_);
    return;
  }
  if (stream_) std::fclose(stream_);
  if (!committed_) unlink(temporary_.c_str());
  Release(temporary_);
}

bool OutputFile::Commit(std::string &error) {
  const std::string name = path_ == "-" ? "standard output" : path_;
  const bool written = std::fflush(stream_) == 0 && !std::ferror(stream_);
  const int errorNumber = errno;
  if (temporary_.empty()) {
    const bool closed = stream_ == stdout || std::fclose(stream_) == 0;
    if (stream_ != stdout) stream_ = nullptr;
    if (!written || !closed) {
      error = name + ": write failed: " + std::strerror(written ? errno : errorNumber);
      return false;
    }
    return true;
  }
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!written || !closed) {
    error = name + ": write failed: " + std::strerror(written ? errno : errorNumber);
    return false;
  }
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error = Why(path_);
    return false;
  }
  committed_ = true;
  Release(temporary_);
  return true;
}

bool ReadFile(const std::string &path, std::string &text, std::string &error) {
  std::FILE *stream = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!stream) {
    error = Why(path);
    return false;
  }
  struct stat info {};
  if (fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = path + ": is a directory";
    if (stream != stdin) std::fclose(stream);
    return false;
  }
  text.clear();
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
  const bool failed = std::ferror(stream);
  if (stream != stdin) std::fclose(stream);
  if (failed) {
    error = path + ": read failed";
    return false;
  }
  return true;
}

}  // namespace apps
