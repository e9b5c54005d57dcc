// Runs session-script commands against a loaded display module, the way the host
// would drive it, and writes the call trace: each command, every call the module
// makes into the host and onto a surface, and each command's result.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/MFD.h"
#include "standin/plugin.h"
#include "standin/recorder.h"
#include "standin/script.h"
#include "standin/surface.h"
#include "standin/trace.h"

namespace standin {

class Session {
 public:
  // Called for every display opened, with its number, size and surface, so
  // that a caller can attach further draw targets (such as a pixel renderer).
  // A hook that cannot serve the display says why; the open then fails.
  using DisplayHook = std::function<std::string(int display, int width, int height, Surface &surface)>;
  // Called after every repaint of a display; a non-empty result stops the run.
  using RepaintHook = std::function<std::string(int display)>;

  // `trace` may be null to run without a call trace.
  explicit Session(TraceSink *trace);
  ~Session();  // unloads a module still loaded
  Session(const Session &) = delete;
  Session &operator=(const Session &) = delete;

  // Hooks run in the order they were added.
  void OnDisplayOpened(DisplayHook hook) { onOpened_.push_back(std::move(hook)); }
  void OnRepainted(RepaintHook hook) { onRepainted_.push_back(std::move(hook)); }

  bool Load(const std::string &pluginPath, std::string &error);
  // Runs one command; false with `error` when it cannot run here.
  bool Run(const Command &command, std::string &error);
  // Deletes every display still open, in the order they were opened, then
  // unloads the module.
  void Unload();

 private:
  struct Display {
    MFD *mfd = nullptr;
    std::unique_ptr<Surface> surface;
    UINT sizeWord = 0;
  };

  void Write(const std::string &line);
  bool Open(const Command &command, std::string &error);
  // Sends `message` to the first registered mode's handler, as the host would
  // for one of its displays; `name` is the command, for the error.
  bool Message(const char *name, UINT message, UINT sizeWord, std::intptr_t &result, std::string &error);

  TraceSink *trace_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<Plugin> plugin_;
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
