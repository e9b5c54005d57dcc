// The real pointer under a virtual X display: velbrik-play runs as a user
// starts it, xdotool moves the X pointer over a display (XTest events, the
// path a mouse takes) and presses F12, and the screenshots show the paddle
// under the pointer following it; the window's pixels, read back from the X
// server, are the screenshot enlarged. Run under xvfb-run (see CMakeLists.txt).
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "apps/play/layout.h"
#include "standin/raster/pens.h"
#include "tests/support/png_read.h"
#include "tests/support/x_pixels.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 320;

bool Run(const std::string &command) { return std::system(command.c_str()) == 0; }

// One velbrik-play in its own folder, with both displays put in the game's
// mode by its script; killed and reaped when the test ends.
class Cockpit {
 public:
  explicit Cockpit(int displays, const char *mouseScale = "2", const char *zoom = "1")
      : dir_(fs::temp_directory_path() /
             ("velbrik-pointer-" + std::to_string(getpid()) + "-" + std::to_string(displays))),
        layout_(play::MakeLayout(displays, kSide, kSide)) {
    fs::create_directories(dir_);
    const std::string script = (dir_ / "mode.events").string();
    Run("printf 'at 1 key shift-left N\\nat 1 key shift-right N\\n' > '" + script + "'");
    const std::string count = std::to_string(displays);
    std::vector<std::string> args = {VELBRIK_PLAY, "--displays", count,           "--zoom",  zoom,
                                     "--script",   script,       "--mouse-scale", mouseScale};
    std::vector<char *> argv;
    for (std::string &arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    if (posix_spawn(&pid_, VELBRIK_PLAY, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    // --sync waits for the window to be mapped.
    window_ = Capture("xdotool search --sync --name 'Velbrik cockpit'");
  }
  ~Cockpit() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    fs::remove_all(dir_);
  }
  bool Started() const { return pid_ > 0 && !window_.empty(); }

  // Puts the X pointer at (x, y) of display `d`'s glass and waits some repaints.
  void MoveTo(int d, int x, int y) {
    const play::Rect glass = layout_.panels[d].glass;
    Run("xdotool mousemove --window " + window_ + " " + std::to_string(glass.x + x) + " " +
        std::to_string(glass.y + y));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  void Press(const std::string &key) {
    Run("xdotool key " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  // The cockpit picture, saved with a real F12 key press.
  standin::Image Shot() {
    const fs::path shot = dir_ / ("velbrik-play-" + std::to_string(++shots_) + ".png");
    Run("xdotool key F12");
    for (int i = 0; i < 200 && !fs::exists(shot); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let the writer finish the file
    const auto image = velbrik_test::ReadPng(shot.string());
    EXPECT_TRUE(image) << shot << " was not written";
    return image ? *image : standin::Image();
  }
  standin::Image ShotWithPointerAt(int d, int x, int y) {
    MoveTo(d, x, y);
    return Shot();
  }

  // What the X server shows of the window.
  standin::Image WindowPixels() const { return velbrik_test::XWindowPixels(std::stoul(window_)); }

  // The leftmost column of display `d`'s paddle, from its glass's left edge.
  int PaddleLeft(const standin::Image &picture, int d) const {
    const play::Rect glass = layout_.panels[d].glass;
    for (int x = glass.x; x < glass.Right() && x < picture.width; ++x)
      for (int y = glass.y + 290; y < glass.y + 320 && y < picture.height; ++y)
        if (picture.At(x, y) == standin::kDefaultPens[5]) return x - glass.x;
    return -1;
  }

 private:
  static std::string Capture(const std::string &command) {
    std::string out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
      char buffer[256];
      while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
      pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
  }

  fs::path dir_;
  play::Layout layout_;
  pid_t pid_ = -1;
  std::string window_;
  int shots_ = 0;
};

// The game moves the paddle by half the cursor's travel, and the cockpit
// reports the pointer's travel twice over: the paddle follows the pointer one
// to one; with --mouse-scale 1 it moves half as far.
TEST(RealPointer, MovesThePaddleOfTheOnlyDisplay) {
  for (const auto &[scale, moved] : {std::pair{"2", 100}, std::pair{"1", 50}}) {
    SCOPED_TRACE(std::string("--mouse-scale ") + scale);
    Cockpit cockpit(1, scale);
    ASSERT_TRUE(cockpit.Started());
    const int before = cockpit.PaddleLeft(cockpit.ShotWithPointerAt(0, 250, 200), 0);
    const int after = cockpit.PaddleLeft(cockpit.ShotWithPointerAt(0, 150, 200), 0);
    ASSERT_GE(before, 0);
    EXPECT_EQ(before - after, moved);
  }
}

// Travel made while paused reaches no paddle: nothing jumps on resuming.
TEST(RealPointer, MotionWhilePausedIsDropped) {
  Cockpit cockpit(1);
  ASSERT_TRUE(cockpit.Started());
  const int before = cockpit.PaddleLeft(cockpit.ShotWithPointerAt(0, 250, 200), 0);
  cockpit.Press("p");
  cockpit.MoveTo(0, 150, 200);
  cockpit.Press("p");
  ASSERT_GE(before, 0);
  EXPECT_EQ(cockpit.PaddleLeft(cockpit.Shot(), 0), before);
}

TEST(RealPointer, MovesThePaddleOfTheDisplayUnderItOfTwo) {
  Cockpit cockpit(2);
  ASSERT_TRUE(cockpit.Started());
  for (int d = 0; d < 2; ++d) {
    SCOPED_TRACE("over display " + std::to_string(d));
    const standin::Image first = cockpit.ShotWithPointerAt(d, 250, 200);
    const standin::Image second = cockpit.ShotWithPointerAt(d, 150, 200);
    ASSERT_GE(cockpit.PaddleLeft(first, d), 0);
    EXPECT_EQ(cockpit.PaddleLeft(first, d) - cockpit.PaddleLeft(second, d), 100);
    EXPECT_EQ(cockpit.PaddleLeft(first, 1 - d), cockpit.PaddleLeft(second, 1 - d)) << "the other paddle stays";
  }
}

// The window sends only what changed from one picture to the next: after a
// game's moves, what it shows is still the whole picture, each pixel 2 × 2.
TEST(RealWindow, ShowsThePictureEnlarged) {
  Cockpit cockpit(1, "2", "2");
  ASSERT_TRUE(cockpit.Started());
  cockpit.MoveTo(0, 250, 200);
  cockpit.Press("shift+r");
  cockpit.MoveTo(0, 120, 200);
  cockpit.Press("p");
  const standin::Image shot = cockpit.Shot();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const standin::Image window = cockpit.WindowPixels();
  ASSERT_EQ(window.width, 2 * shot.width);
  ASSERT_EQ(window.height, 2 * shot.height);
  int differing = 0;
  for (int y = 0; y < window.height; ++y)
    for (int x = 0; x < window.width; ++x) differing += window.At(x, y) != shot.At(x / 2, y / 2);
  EXPECT_EQ(differing, 0);
}

}  // namespace
