// Output files as the runner writes its trace: whole or not at all, through
// symlinks, directly into devices and FIFOs, keeping permissions, and leaving
// nothing behind on a full disk or an interrupted run.
#include "apps/common/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;
using velbrik_test::RunIn;
using velbrik_test::ScratchDir;
using velbrik_test::Slurp;

bool Write(const std::string &path, const std::string &text, std::string &error) {
  auto file = apps::OutputFile::Open(path, error);
  if (!file) return false;
  std::fputs(text.c_str(), file->Stream());
  return file->Commit(error);
}

// Every file and folder in `dir`, for spotting what was left behind.
std::vector<std::string> Files(const fs::path &dir) {
  std::vector<std::string> names;
  for (const auto &entry : fs::recursive_directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(OutputFile, ReplacesAFileKeepingItsPermissionsAndWritesThroughSymlinksIntoNewFolders) {
  ScratchDir dir("output");
  const fs::path path = dir.Path() / "t.jsonl", link = dir.Path() / "link.jsonl";
  std::ofstream(path) << "old";
  chmod(path.c_str(), 0600);
  fs::create_symlink("a/b/real.jsonl", link);
  std::string error;
  ASSERT_TRUE(Write(path, "new\n", error) && Write(link, "through\n", error)) << error;
  EXPECT_EQ(Slurp(path), "new\n");
  struct stat info {};
  EXPECT_TRUE(stat(path.c_str(), &info) == 0 && (info.st_mode & 07777) == 0600) << std::oct << info.st_mode;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(dir.Path() / "a/b/real.jsonl"), "through\n");
  EXPECT_EQ(Files(dir.Path()), (std::vector<std::string>{"a", "b", "link.jsonl", "real.jsonl", "t.jsonl"}));
}

TEST(OutputFile, WritesDevicesAndFifosDirectly) {
  std::string error;
  ASSERT_TRUE(Write("/dev/null", "gone\n", error)) << error;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  ScratchDir dir("output");
  const fs::path fifo = dir.Path() / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string read;
  std::thread reader([&] { read = Slurp(fifo); });
  ASSERT_TRUE(Write(fifo, "through the pipe\n", error)) << error;
  reader.join();
  EXPECT_EQ(read, "through the pipe\n");
  EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"pipe"});
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A shell's >(command) names a pipe as /dev/fd/N, a link to no path.
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_TRUE(Write("/dev/fd/" + std::to_string(ends[1]), "through /dev/fd\n", error)) << error;
  close(ends[1]);
  char got[64] = {};
  EXPECT_EQ(std::string(got, static_cast<std::size_t>(::read(ends[0], got, sizeof got))), "through /dev/fd\n");
  close(ends[0]);
}

TEST(OutputFile, RefusesWhatCannotBeAFile) {
  ScratchDir dir("output");
  std::ofstream(dir.Path() / "file") << "x";
  const struct {
    fs::path path;
    const char *message;
  } cases[] = {{dir.Path(), "is a directory"}, {dir.Path() / "file/t.jsonl", "cannot make its folder"}};
  for (const auto &c : cases) {
    std::string error;
    EXPECT_EQ(apps::OutputFile::Open(c.path, error), nullptr) << c.path;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"file"});
}

// The runner, as a user runs it, stopped by a full disk and by a signal.
TEST(OutputFile, NothingIsLeftBehindByAFullDiskOrAnInterruptedRun) {
  ScratchDir dir("output");
  std::ofstream(dir.Path() / "t.jsonl") << "old";
  EXPECT_NE(RunIn(dir.Path(), "ulimit -f 64; '" VELBRIK_RUN "' --demo --trace t.jsonl"), 0);
  EXPECT_NE(Slurp(dir.Path() / "stderr.txt").find("t.jsonl: write failed: File too large"), std::string::npos)
      << Slurp(dir.Path() / "stderr.txt");
  EXPECT_EQ(Slurp(dir.Path() / "t.jsonl"), "old");

  std::ofstream(dir.Path() / "long.session") << "open 320 200\nrepaint 1000000\n";
  for (const int signal : {SIGINT, SIGTERM}) {
    // Signalled once its temporary trace is there, the run under way; the
    // shell's status is then 128 and the signal.
    const std::string run = "env --default-signal '" VELBRIK_RUN
                            "' --script long.session --trace u.jsonl & "
                            "for i in $(seq 400); do ls u.jsonl.?* && break; sleep 0.01; done; kill -" +
                            std::to_string(signal) + " $!; wait $!";
    // The file-size limit keeps a run that is never signalled from filling the disk.
    EXPECT_EQ(RunIn(dir.Path(), "{ ulimit -f 102400; " + run + "; }"), 128 + signal);
  }
  fs::remove(dir.Path() / "long.session");
  EXPECT_EQ(Files(dir.Path()), (std::vector<std::string>{"stderr.txt", "stdout.txt", "t.jsonl"}));
}

}  // namespace
