// Pictures end to end: scripted frames rendered by the runner's pixel surface
// and compared with committed images, and the same run giving the same bytes.
//
// To accept new pictures after a deliberate change of the drawing, run this
// test with VELBRIK_UPDATE_GOLDEN=1 and look at every file it rewrites.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/png_read.h"
#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;

using velbrik_test::Slurp;

class PictureTest : public ::testing::Test {
 protected:
  // Runs the runner in a fresh folder `name` with `arguments`; `script`, when
  // given, is written to script.session there first.
  int Run(const std::string &name, const std::string &arguments, const std::string &script = "") {
    const fs::path at = dir_ / name;
    fs::create_directories(at);
    if (!script.empty()) std::ofstream(at / "script.session") << script;
    const int status = velbrik_test::RunIn(at, "'" VELBRIK_RUN "' " + arguments);
    errors_ = Slurp(at / "stderr.txt");
    return status;
  }

  velbrik_test::ScratchDir scratch_{"velbrik-pictures"};
  const fs::path &dir_ = scratch_.Path();
  std::string errors_;
};

TEST_F(PictureTest, ScriptedFramesMatchTheCommittedPictures) {
  const struct {
    const char *name;
    std::string arguments;  // besides the PNG folder
    std::string script;     // the script, for runs that have one
    const char *frame;      // which PNG of the run; empty for the last one
  } cases[] = {
      {"first-frame-320x200", "--script script.session", "open 320 200\nrepaint\n", "display0-000001.png"},
      {"first-frame-320x320", "--script script.session", "open 320 320\ncursor 100\nrepaint\n", "display0-000001.png"},
      {"ball-in-flight", "--script script.session --every 30", "open 320 200\nrepaint\nkey 0x13\nrepaint 30\n",
       "display0-000031.png"},
      {"game-over", "--script script.session --every 600",
       "open 320 200\nrepaint\nkey 0x13\ncursor -1000\nrepaint 300\nkey 0x13\ncursor 1000\nrepaint 300\n",
       "display0-000601.png"},
      // Large displays: the status line's labels and numbers keep to their columns.
      {"status-1024x768", "--script script.session", "open 1024 768\nrepaint\n", "display0-000001.png"},
      {"status-2048x2048", "--script script.session", "open 2048 2048\nrepaint\n", "display0-000001.png"},
      // The demo's autopilot plays a game to the end; the last picture shows how.
      {"level-clear", "--demo --every 25", "", ""},
  };
  const bool update = std::getenv("VELBRIK_UPDATE_GOLDEN") != nullptr;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Run(c.name, c.arguments + " --png frames", c.script), 0) << errors_;
    fs::path frame = dir_ / c.name / "frames" / c.frame;
    if (!*c.frame) {
      for (const auto &entry : fs::directory_iterator(dir_ / c.name / "frames"))
        if (entry.path().extension() == ".png" && entry.path() > frame) frame = entry.path();
    }
    const fs::path golden = fs::path(VELBRIK_GOLDEN) / (std::string(c.name) + ".png");
    if (update) {
      fs::copy_file(frame, golden, fs::copy_options::overwrite_existing);
      continue;
    }
    const auto actual = velbrik_test::ReadPng(frame.string());
    const auto expected = velbrik_test::ReadPng(golden.string());
    ASSERT_TRUE(actual) << frame;
    ASSERT_TRUE(expected) << golden;
    const auto same = velbrik_test::SamePixels(*expected, *actual);
    if (!same) {
      const fs::path kept = fs::path(VELBRIK_ACTUAL) / (std::string(c.name) + ".png");
      fs::create_directories(kept.parent_path());
      fs::copy_file(frame, kept, fs::copy_options::overwrite_existing);
      ADD_FAILURE() << same.message() << "; the picture drawn is kept at " << kept;
    }
  }
}

TEST_F(PictureTest, TheSameRunGivesTheSameBytes) {
  const std::string arguments = "--demo --size 200x160 --trace trace.jsonl --png frames --every 50 --gif game.gif";
  ASSERT_EQ(Run("first", arguments), 0) << errors_;
  ASSERT_EQ(Run("second", arguments), 0) << errors_;
  int compared = 0;
  for (const auto &entry : fs::recursive_directory_iterator(dir_ / "first")) {
    if (!entry.is_regular_file()) continue;
    const fs::path twin = dir_ / "second" / fs::relative(entry.path(), dir_ / "first");
    EXPECT_EQ(Slurp(entry.path()), Slurp(twin)) << entry.path();
    ++compared;
  }
  EXPECT_GT(compared, 10);
  EXPECT_GT(fs::file_size(dir_ / "first" / "game.gif"), 1000u);
}

}  // namespace
