// velbrik-play on a virtual X display, started as a user starts it (the test
// runs under xvfb-run). One run plays an event script to its end: modes chosen
// by key and by click, the mouse moved, balls released by Shift+R and by REL,
// screenshots taken, a log and a record written. Others are played live:
// xdotool moves the real X pointer over a display (XTest events, the path a
// mouse takes) and presses keys; F12 screenshots and the window's own pixels,
// read back from the X server, show what happened.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "apps/play/layout.h"
#include "standin/raster/pens.h"
#include "tests/support/png_read.h"
#include "tests/support/scratch.h"

// Xlib after the rest: its macros (None, Bool, Status) would rename names of gtest.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

namespace fs = std::filesystem;
using play::Rect;
using velbrik_test::Slurp;

constexpr int kSide = 320;  // the default display size
constexpr std::uint32_t kAmber = standin::kDefaultPens[5], kGreen = 0x00FF00, kWhite = 0xFFFFFF;

// Pixels in `box` of `picture` for which `test` holds.
template <typename Test>
int Count(const standin::Image &picture, Rect box, Test test) {
  int n = 0;
  for (int y = std::max(box.y, 0); y < std::min(box.Bottom(), picture.height); ++y)
    for (int x = std::max(box.x, 0); x < std::min(box.Right(), picture.width); ++x) n += test(picture.At(x, y));
  return n;
}
int CountColour(const standin::Image &picture, Rect box, std::uint32_t colour) {
  return Count(picture, box, [colour](std::uint32_t p) { return p == colour; });
}
bool IsLabelText(std::uint32_t p) { return (p >> 16) >= 0x90 && ((p >> 8) & 0xFF) >= 0x90 && (p & 0xFF) >= 0x80; }

// The leftmost column of the paddle, from the glass's left edge.
int PaddleLeft(const standin::Image &picture, Rect glass) {
  for (int x = glass.x; x < glass.Right(); ++x)
    if (CountColour(picture, {x, glass.y + 290, 1, 30}, kAmber) > 0) return x - glass.x;
  return -1;
}

// The centre of the ball: a 3 × 3 block of pure green with white (its outline) beside it.
std::optional<play::Point> Ball(const standin::Image &picture, Rect glass) {
  for (int y = glass.y + 20; y < glass.Bottom() - 2; ++y)
    for (int x = glass.x + 1; x < glass.Right() - 2; ++x)
      if (CountColour(picture, {x - 1, y - 1, 3, 3}, kGreen) == 9 &&
          CountColour(picture, {x - 3, y - 3, 7, 7}, kWhite) > 0)
        return play::Point{x - glass.x, y - glass.y};
  return std::nullopt;
}

// The pixels the X server shows of a window (empty without one), read back
// with XGetImage.
standin::Image XWindowPixels(unsigned long window) {
  standin::Image out;
  ::Display *x = XOpenDisplay(nullptr);
  XWindowAttributes attributes;
  if (!x || !XGetWindowAttributes(x, window, &attributes)) return out;
  if (XImage *image = XGetImage(x, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)) {
    out = standin::Image(attributes.width, attributes.height);
    for (int py = 0; py < out.height; ++py)
      for (int px = 0; px < out.width; ++px)
        out.At(px, py) = static_cast<std::uint32_t>(XGetPixel(image, px, py) & 0xFFFFFF);
    XDestroyImage(image);
  }
  XCloseDisplay(x);
  return out;
}

standin::Image ReadShot(const fs::path &path) {
  const auto image = velbrik_test::ReadPng(path.string());
  EXPECT_TRUE(image) << path << " was not written";
  return image ? *image : standin::Image();
}

// ---- A scripted run ---------------------------------------------------------------

// Frames count the player's repaint ticks.
const char kScript[] =
    "at 0 mouse 0 300\n"
    "at 1 key shift-left N            # the left display by its key\n"
    "at 1 click display 1 button 0    # the right one by the button beside Velbrik\n"
    "at 4 mouse 100 300               # the left paddle takes the move: +50\n"
    "at 6 screenshot resting.png\n"
    "at 6 key shift-left R            # after the screenshot listed before it\n"
    "at 10 screenshot left-released.png\n"
    "at 11 click display 1 button 1   # REL\n"
    "at 15 key F12                    # saved with the screenshot listed after it\n"
    "at 15 screenshot both-released.png\n"
    "at 16 quit\n";

class ScriptedRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::ofstream(Dir() / "game.events") << kScript;
    status_ = velbrik_test::RunIn(Dir(), "'" VELBRIK_PLAY
                                         "' --script game.events --log log.jsonl "
                                         "--record game.session --screenshot f12.png");
  }
  static const fs::path &Dir() {
    static const velbrik_test::ScratchDir scratch("velbrik-play");  // removed at exit
    return scratch.Path();
  }
  static standin::Image Shot(const std::string &name) { return ReadShot(Dir() / name); }

  static inline int status_ = -1;
  const play::Layout layout_ = play::MakeLayout(2, kSide, kSide);
};

TEST_F(ScriptedRun, ExitsCleanlyWithBothDisplaysShowingAGameInFlight) {
  EXPECT_EQ(status_, 0);
  EXPECT_EQ(Slurp(Dir() / "stderr.txt"), "");
  const standin::Image picture = Shot("both-released.png");
  ASSERT_EQ(picture.width, layout_.width);
  ASSERT_EQ(picture.height, layout_.height);
  for (int d = 0; d < 2; ++d) {
    SCOPED_TRACE("display " + std::to_string(d));
    const play::Panel &panel = layout_.panels[d];
    const auto ball = Ball(picture, panel.glass);
    ASSERT_TRUE(ball) << "the ball";
    EXPECT_LT(ball->y, 280) << "the ball has left the paddle";
    EXPECT_GT(Count(picture, panel.labels[0], IsLabelText), 10) << "NEW";
    EXPECT_GT(Count(picture, panel.labels[1], IsLabelText), 10) << "REL";
    EXPECT_EQ(Count(picture, panel.labels[2], IsLabelText), 0) << "no label";
    for (const Rect &host : panel.hostButtons) EXPECT_GT(Count(picture, host, IsLabelText), 10);
  }
}

TEST_F(ScriptedRun, EachDisplayRunsItsOwnGame) {
  const auto prompt = [&](const standin::Image &picture, int d) {  // white of the release prompt's line
    const Rect glass = layout_.panels[d].glass;
    return CountColour(picture, {glass.x, glass.y + 160, kSide, 16}, kWhite);
  };
  const standin::Image resting = Shot("resting.png"), leftOnly = Shot("left-released.png"),
                       both = Shot("both-released.png");
  EXPECT_GT(prompt(resting, 0), 100);
  EXPECT_GT(prompt(resting, 1), 100);
  EXPECT_LT(prompt(leftOnly, 0), 40) << "released by Shift+R";
  EXPECT_GT(prompt(leftOnly, 1), 100) << "still resting";
  EXPECT_LT(prompt(both, 1), 40) << "released by the REL button";
  // The scripted cursor goes to the display repainted first.
  EXPECT_EQ(PaddleLeft(resting, layout_.panels[0].glass) - PaddleLeft(resting, layout_.panels[1].glass), 50);
}

TEST_F(ScriptedRun, F12SavesTheSamePictureWithoutAnEarlierNote) {
  EXPECT_EQ(Slurp(Dir() / "f12.png"), Slurp(Dir() / "both-released.png"));
  const Rect bar = layout_.statusBar;
  EXPECT_EQ(Count(Shot("both-released.png"), bar, IsLabelText), Count(Shot("resting.png"), bar, IsLabelText))
      << "the status bar as before the first screenshot: no 'saved' note";
}

// The log ends with the module unloaded; what the cockpit did, as a session
// script, is what the runner replays to the very same call trace.
TEST_F(ScriptedRun, TheRecordReplaysThroughTheRunnerToTheLog) {
  const std::string log = Slurp(Dir() / "log.jsonl");
  EXPECT_TRUE(log.ends_with("[\"@\",\"unload\"]\n[\"~MFD\"]\n[\"~MFD\"]\n[\"oapiUnregisterMFDMode\",1]\n"));
  for (const char *line : {R"(["@","open",320,320])", R"(["@","use",0])", R"(["@","key",19])", R"(["@","button",1,1])",
                           R"(["@","button",1,4])", R"(["@","label",11])"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  ASSERT_EQ(velbrik_test::RunIn(Dir(), "'" VELBRIK_RUN "' --script game.session --trace replay.jsonl"), 0)
      << Slurp(Dir() / "stderr.txt");
  EXPECT_TRUE(log == Slurp(Dir() / "replay.jsonl")) << "the replay's trace differs from the cockpit's log";
}

// ---- Played live ------------------------------------------------------------------

bool Run(const std::string &command) { return std::system(command.c_str()) == 0; }

// One velbrik-play in its own folder, with both displays put in the game's
// mode by its script; killed and reaped when the test ends.
class Cockpit {
 public:
  explicit Cockpit(int displays, const char *mouseScale = "2", const char *zoom = "1")
      : scratch_("velbrik-pointer"), layout_(play::MakeLayout(displays, kSide, kSide)) {
    const std::string script = (scratch_.Path() / "mode.events").string();
    std::ofstream(script) << "at 1 key shift-left N\nat 1 key shift-right N\n";
    const std::string count = std::to_string(displays);
    if ((pid_ = fork()) == 0) {
      if (chdir(scratch_.Path().c_str()) == 0)
        execl(VELBRIK_PLAY, VELBRIK_PLAY, "--displays", count.c_str(), "--zoom", zoom, "--script", script.c_str(),
              "--mouse-scale", mouseScale, nullptr);
      _exit(127);
    }
    // --sync waits for the window to be mapped.
    if (FILE *pipe = popen("xdotool search --sync --name 'Velbrik cockpit'", "r")) {
      char buffer[64] = "";
      if (fgets(buffer, sizeof buffer, pipe)) window_ = std::strtoul(buffer, nullptr, 10);
      pclose(pipe);
    }
  }
  ~Cockpit() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  bool Started() const { return pid_ > 0 && window_ != 0; }
  Rect Glass(int d) const { return layout_.panels[d].glass; }

  // Puts the X pointer at (x, y) of display `d`'s glass, by XTest motion or
  // by a warp, and waits some repaints.
  void MoveTo(int d, int x, int y, bool warp = false) {
    if (::Display *display = warp ? XOpenDisplay(nullptr) : nullptr) {
      XWarpPointer(display, None, window_, 0, 0, 0, 0, Glass(d).x + x, Glass(d).y + y);
      XCloseDisplay(display);  // flushes the request
    } else {
      Run("xdotool mousemove --window " + std::to_string(window_) + " " + std::to_string(Glass(d).x + x) + " " +
          std::to_string(Glass(d).y + y));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  void Press(const std::string &key) {
    Run("xdotool key " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  // The cockpit picture, saved with a real F12 key press.
  standin::Image Shot() {
    const fs::path shot = scratch_.Path() / ("velbrik-play-" + std::to_string(++shots_) + ".png");
    Run("xdotool key F12");
    for (int i = 0; i < 200 && !fs::exists(shot); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let the writer finish the file
    return ReadShot(shot);
  }
  int PaddleAfterMove(int d, int x) {
    MoveTo(d, x, 200);
    return PaddleLeft(Shot(), Glass(d));
  }
  standin::Image WindowPixels() const { return XWindowPixels(window_); }

 private:
  velbrik_test::ScratchDir scratch_;
  play::Layout layout_;
  pid_t pid_ = -1;
  unsigned long window_ = 0;
  int shots_ = 0;
};

// The game moves the paddle by half the cursor's travel, and the cockpit
// reports the pointer's travel twice over by default: the paddle follows the
// pointer one to one (the run on two displays shows it); with --mouse-scale 1
// it moves half as far. Travel made while paused reaches no paddle: nothing
// jumps on resuming.
TEST(RealPointer, MovesThePaddleOfTheOnlyDisplayUnlessPaused) {
  Cockpit cockpit(1, "1");
  ASSERT_TRUE(cockpit.Started());
  const int before = cockpit.PaddleAfterMove(0, 250);
  ASSERT_GE(before, 0);
  EXPECT_EQ(before - cockpit.PaddleAfterMove(0, 150), 50);
  cockpit.Press("p");
  cockpit.MoveTo(0, 250, 200);
  cockpit.Press("p");
  EXPECT_EQ(before - PaddleLeft(cockpit.Shot(), cockpit.Glass(0)), 50) << "moved while paused";
}

// The left display's pointer comes by XTest motion, the right one's by warps.
TEST(RealPointer, MovesThePaddleOfTheDisplayUnderItOfTwo) {
  Cockpit cockpit(2);
  ASSERT_TRUE(cockpit.Started());
  for (int d = 0; d < 2; ++d) {
    SCOPED_TRACE("over display " + std::to_string(d));
    cockpit.MoveTo(d, 250, 200, d == 1);
    const standin::Image first = cockpit.Shot();
    cockpit.MoveTo(d, 150, 200, d == 1);
    const standin::Image second = cockpit.Shot();
    ASSERT_GE(PaddleLeft(first, cockpit.Glass(d)), 0);
    EXPECT_EQ(PaddleLeft(first, cockpit.Glass(d)) - PaddleLeft(second, cockpit.Glass(d)), 100);
    EXPECT_EQ(PaddleLeft(first, cockpit.Glass(1 - d)), PaddleLeft(second, cockpit.Glass(1 - d))) << "the other stays";
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
