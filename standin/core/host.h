// The stand-in host's own state: the registered display modes, the mouse cursor,
// the loaded libraries, and the log to which every call the module makes into the host is written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/MFD.h"
#include "standin/core/json.h"
#include "standin/core/trace.h"

class VESSEL {};  // the host hands each display a vessel; the stand-in's has no content

namespace standin {

struct Mode {
  int id;
  std::string name;
  DWORD key;
  MFDMSGPROC handler;
};

class Library;

class Host {
 public:
  static Host &Instance();

  // Back to the state of a fresh process: no modes, cursor at the origin, no log.
  void Reset();

  // Calls into the host are written to `log` while one is set.
  void SetLog(TraceSink *log) { log_ = log; }
  // Writes the JSON array of `items`, formatted only when a log is set.
  template <typename... Items>
  void Log(const Items &...items) {
    if (log_) log_->Write(Json(items...));
  }

  void SetCursor(POINT position) { cursor_ = position; }
  // A cursor that cannot be read, as when the platform reports a failure.
  void SetCursorUnreadable() { cursor_.reset(); }
  std::optional<POINT> Cursor() const { return cursor_; }

  int RegisterMode(const MFDMODESPEC &record);
  bool UnregisterMode(int id);
  const std::vector<Mode> &Modes() const { return modes_; }
  const Mode *FindMode(int id) const;

  VESSEL *Vessel() { return &vessel_; }

  // The libraries loaded into the host, for the module's lookup of its own
  // exports by handle. A library stays known from its addition to its removal.
  void AddLibrary(const Library &library) { libraries_.push_back(&library); }
  void RemoveLibrary(const Library &library) { std::erase(libraries_, &library); }
  // Export `name` of the library with handle `handle`; null when either is unknown.
  void *Export(HINSTANCE handle, const char *name) const;

 private:
  TraceSink *log_ = nullptr;
  std::optional<POINT> cursor_ = POINT{0, 0};
  std::vector<Mode> modes_;
  int nextModeId_ = 1;
  VESSEL vessel_;
  std::vector<const Library *> libraries_;
};

// "Mmm dd yyyy" as yyyymmdd; 0 for a text that is not such a date.
int DateToInt(const char *date);

}  // namespace standin
