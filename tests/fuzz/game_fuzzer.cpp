// The game itself under the fuzzer: the module linked in with coverage, driven
// through the session's interpreter by a byte-coded command stream, so nearly
// every input is a run. Each command is an opcode byte and its argument bytes;
// sizes, repeat counts and displays are bounded so that one input stays cheap.
// A digest of every call the module makes (nothing formatted) and the pixel
// surface watch every display.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "standin/core/host.h"
#include "standin/core/script.h"
#include "standin/core/session.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"
#include "standin/static/linked_module.h"
#include "tests/fuzz/module_state.h"

namespace {

using standin::Command;
using standin::Op;

// Work per input, in frames of a display under 64 pixels wide (some 200
// drawing calls); wider ones draw more, a 320-wide frame six times as much.
constexpr std::int64_t kWorkBudget = 100;
// Pixel surfaces only up to this size; the digest sees every display.
constexpr std::int64_t kMaxRasterPixels = 96 * 72;

// Reads the input's bytes in turn; past its end every byte reads as 0.
struct Bytes {
  const std::uint8_t *data;
  std::size_t size, at = 0;
  bool More() const { return at < size; }
  std::uint8_t Byte() { return at < size ? data[at++] : 0; }
  std::int64_t Word() { return Byte() | Byte() << 8; }
  std::int64_t Signed32() {
    const std::uint32_t low = static_cast<std::uint32_t>(Word()), high = static_cast<std::uint32_t>(Word());
    return static_cast<std::int32_t>(low | high << 16);
  }
};

// Display sizes: the small and odd ones where the game's arithmetic is at its
// edges, and a few ordinary ones; a byte picks one or gives its own value.
std::int64_t Side(Bytes &in) {
  static const std::int64_t sides[] = {0, 1, 2, 3, 20, 30, 56, 60, 90, 100, 199, 200, 240, 320, 480, 1000, 65535};
  const std::uint8_t b = in.Byte();
  return b < 128 ? sides[b % std::size(sides)] : b - 128;
}

// Keys: the game's own (release, start) most often, then any.
std::int64_t Key(Bytes &in) {
  static const std::int64_t keys[] = {0x13, 0x1F, 0x31, 0x2E, 0x01, 0x1C};
  const std::uint8_t b = in.Byte();
  return b < 192 ? keys[b % std::size(keys)] : in.Byte();
}

// The commands of one input, numbered as script lines. Keeps the script
// reader's rule that a command needing a display has one.
std::vector<Command> Decode(Bytes in) {
  std::vector<Command> commands;
  std::vector<std::int64_t> widths;
  int current = -1;
  std::int64_t work = 0;
  while (in.More() && commands.size() < 200 && work < kWorkBudget) {
    const int displays = static_cast<int>(widths.size());
    Command c{Op::Version};
    const std::uint8_t op = in.Byte();
    switch (op % 12) {
      case 0:
        if (displays == 6) continue;
        c = {Op::Open, Side(in), Side(in), 0};
        current = displays;
        widths.push_back(c.a);
        break;
      case 1:
        if (displays == 0) continue;
        c = {Op::Use, in.Byte() % displays};
        current = static_cast<int>(c.a);
        break;
      case 2: c = {Op::Cursor, in.Signed32(), in.Byte() & 1 ? in.Signed32() : 0}; break;
      case 3: c = {Op::Repaint, 1 + in.Byte() % 40}; break;
      case 4: c = {Op::Key, Key(in)}; break;
      case 5: c = {Op::Button, static_cast<std::int8_t>(in.Byte()), in.Byte() % 8}; break;
      case 6: c = {Op::Label, static_cast<std::int8_t>(in.Byte())}; break;
      case 7: c = {in.Byte() & 1 ? Op::Menu : Op::MenuNull}; break;
      case 8: c = {Op::Version}; break;
      case 9: c = {Op::Message, 2 + in.Byte()}; break;
      case 10: c = {Op::Close}; break;
      default: c = {Op::Repaint, 1 + in.Word() % 200}; break;
    }
    const bool needsDisplay =
        c.op != Op::Open && c.op != Op::Use && c.op != Op::Cursor && c.op != Op::Version && c.op != Op::Message;
    if (needsDisplay && current < 0) continue;
    if (c.op == Op::Close) current = -1;
    const std::int64_t frame = current >= 0 ? 1 + widths[current] / 64 : 1;
    if (c.op == Op::Repaint) {
      c.a = std::max<std::int64_t>(1, std::min(c.a, (kWorkBudget - work) / frame));
      work += c.a * frame;
    } else if (c.op == Op::Key || c.op == Op::Button) {
      work += frame;  // the release key runs a frame
    }
    c.line = static_cast<int>(commands.size()) + 1;
    commands.push_back(c);
  }
  return commands;
}

// Digests everything the module does that the host sees: each call it makes
// on a surface (its arguments mixed in, nothing formatted) and each call into
// the host (its trace line).
class Digest : public standin::DrawTarget, public standin::TraceSink {
 public:
  void SelectPen(unsigned long index) override { Mix(1, index); }
  void SetTextColour(COLORREF colour) override { Mix(2, colour); }
  void TextOut(int x, int y, std::string_view text, int count) override {
    Mix(3, x, y, count);
    for (const char c : text) Mix(c);
  }
  void MoveTo(int x, int y) override { Mix(4, x, y); }
  void LineTo(int x, int y) override { Mix(5, x, y); }
  void Ellipse(int l, int t, int r, int b) override { Mix(6, l, t, r, b); }
  void SetPixel(int x, int y, COLORREF colour) override { Mix(7, x, y, colour); }
  void Write(std::string_view line) override {
    for (const char c : line) Mix(c);
  }
  std::uint64_t value = 14695981039346656037u;  // FNV-1a

 private:
  template <typename... T>
  void Mix(T... items) {
    ((value = (value ^ static_cast<std::uint64_t>(items)) * 1099511628211u), ...);
  }
};

// Runs the commands on a fresh load of the module; the digest of the run.
std::uint64_t Run(const std::vector<Command> &commands) {
  static std::shared_ptr<standin::Font> font = [] {
    std::string error;
    auto loaded = standin::Font::LoadDefault(error);
    if (!loaded) std::abort();
    return loaded;
  }();
  ResetModuleState();
  Digest digest;
  std::vector<std::unique_ptr<standin::Raster>> rasters;
  standin::Session session(nullptr, standin::linked::OpenLinkedModule);
  session.OnDisplayOpened([&](int, int width, int height, standin::Surface &surface) {
    surface.Attach(digest);
    if (std::int64_t{width} * height <= kMaxRasterPixels) {
      std::string why;
      auto raster = standin::Raster::Create(width, height, font, why);
      if (!raster) return why;
      surface.Attach(*raster);
      rasters.push_back(std::move(raster));
    }
    return std::string();
  });
  std::string error;
  if (!session.Load("Velbrik", error)) std::abort();
  standin::Host::Instance().SetLog(&digest);  // the session keeps no trace of its own
  for (const Command &command : commands)
    if (!session.Run(command, error)) break;
  session.Unload();
  return digest.value;
}

}  // namespace

// Now and then an input runs twice: a second run that differs means some
// state outlived the first (in the module or the host) that the reset missed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static long long inputs = 0;
  const std::vector<Command> commands = Decode(Bytes{data, size});
  const std::uint64_t digest = Run(commands);
  if (inputs++ % 16 == 0 && Run(commands) != digest) {
    std::fprintf(stderr, "velbrik_fuzz_game: the same input ran differently the second time\n");
    std::abort();
  }
  return 0;
}
