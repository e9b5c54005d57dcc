// The host, running a display module: loading and unloading it, opening its
// displays (message 1 with the size word and the vessel), repainting each with
// its surface, passing keys and buttons, asking for labels and menus, sending
// messages and closing, in the host's unload order. Every shell drives the
// module through this one class.
//
// Everything it does goes to the call trace: each operation as an `@` line,
// every call the module makes into the host and onto a surface, and each
// operation's result. Operations name their display; when it is not the one
// the last operation went to, a `["@","use",K]` line says so first, so that a
// run with one display traces no display numbers at all. The same operations
// can also be written as a session script (Record), which the runner replays
// to the same trace.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/MFD.h"
#include "standin/core/call_guard.h"
#include "standin/core/json.h"
#include "standin/core/module.h"
#include "standin/core/recorder.h"
#include "standin/core/script.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"

namespace standin {

class Session {
 public:
  // Called for every display opened, with its number, size and surface, so
  // that a caller can attach further draw targets (such as a pixel renderer).
  // A hook that cannot serve the display says why; the open then fails.
  using DisplayHook = std::function<std::string(int display, int width, int height, Surface &surface)>;
  // Called after every repaint of a display; a non-empty result stops the run.
  using RepaintHook = std::function<std::string(int display)>;

  // `trace` may be null to run without a call trace; modules are opened by `open`.
  Session(TraceSink *trace, LibraryOpener open);
  ~Session();  // unloads a module still loaded
  Session(const Session &) = delete;
  Session &operator=(const Session &) = delete;

  // Hooks run in the order they were added.
  void OnDisplayOpened(DisplayHook hook) { onOpened_.push_back(std::move(hook)); }
  void OnRepainted(RepaintHook hook) { onRepainted_.push_back(std::move(hook)); }
  // Every operation from here on is also written to `script` as a session
  // script line (not owned; null stops it).
  void Record(TraceSink *script) { script_ = script; }
  // Calls into the module go through `guard` (not owned; null: called plainly).
  // Once the module crashed in one, every operation fails and it is not called
  // again, not even to unload it.
  void Guard(CallGuard *guard) { guard_ = guard; }
  bool Crashed() const { return !crash_.empty(); }
  // "the module crashed (SIGSEGV) during 'repaint'", after a crash.
  const std::string &Crash() const { return crash_; }

  bool Load(const std::string &pluginPath, std::string &error);
  bool Loaded() const { return module_ != nullptr; }
  // Deletes every display still open, in the order they were opened, then
  // unloads the module.
  void Unload();

  // Runs one script command on the current display; false with `error` when
  // it cannot run here.
  bool Run(const Command &command, std::string &error);

  // The operations, on display `display` where they take one. Displays are
  // numbered from 0 in the order they were opened.
  //
  // Opens a display of mode `modeId` (0: the first registered); its number,
  // or nullopt when the mode made no display object (`error` empty) or it
  // could not be opened (`error` says why).
  std::optional<int> Open(int width, int height, int modeId, std::string &error);
  void SetCursor(POINT position);
  bool Repaint(int display, std::string &error);
  bool Key(int display, unsigned long code);
  bool Button(int display, int bt, int event);
  const char *Label(int display, int bt);
  // The display's menu; its entries are read only as far as they sensibly reach.
  int Menu(int display, const MFDBUTTONMENU **menu);
  void Close(int display);

  // Open and not closed.
  bool IsOpen(int display) const;
  Surface *SurfaceOf(int display);

 private:
  struct Display {
    MFD *mfd = nullptr;
    std::unique_ptr<Surface> surface;
    UINT sizeWord = 0;
  };

  bool RunCommand(const Command &command, std::string &error);
  // The trace line of `items`, formatted only when there is a trace.
  template <typename... Items>
  void Write(const Items &...items) {
    if (trace_) trace_->Write(Json(items...));
  }
  void WriteLine(const std::string &line);
  // The script line of `words` (texts and numbers) separated by spaces, made
  // only when a script is being recorded.
  template <typename... Words>
  void Script(const Words &...words) {
    if (!script_) return;
    std::string line;
    (AppendWord(line, words), ...);
    script_->Write(line);
  }
  static void AppendWord(std::string &line, std::string_view word) {
    if (!line.empty()) line += ' ';
    line += word;
  }
  template <typename T>
  requires std::is_integral_v<T>
  static void AppendWord(std::string &line, T number) { AppendWord(line, std::to_string(number)); }
  // Makes `display` the current one, saying so in the trace when it changes.
  void Use(int display);
  // Sends `message` to the handler of mode `modeId` (0: the first), as the host
  // would for display `display`; `name` is the operation, for the error.
  bool Message(const char *name, int modeId, UINT message, UINT display, UINT sizeWord, std::intptr_t &result,
               std::string &error);
  // Runs `call` into the module for operation `what` through the guard;
  // false after a crash, in it or before.
  bool Call(const char *what, const std::function<void()> &call);

  TraceSink *trace_;
  TraceSink *script_ = nullptr;
  CallGuard *guard_ = nullptr;
  std::string crash_;
  LibraryOpener open_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<Module> module_;
  std::vector<Display> displays_;
  int current_ = -1;
  std::vector<DisplayHook> onOpened_;
  std::vector<RepaintHook> onRepainted_;
};

// Runs a whole parsed script: load, every command, unload. On a fault returns
// false with `error`; its line is 0 when the module itself could not be loaded.
bool RunScript(Session &session, const std::string &pluginPath, const std::vector<Command> &commands,
               ScriptError &error);

}  // namespace standin
