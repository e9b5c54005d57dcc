// The stand-in host's own state: the registered display modes, the mouse cursor,
// and the log to which every call the module makes into the host is written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/MFD.h"
#include "standin/trace.h"

class VESSEL {};  // the host hands each display a vessel; the stand-in's has no content

namespace standin {

struct Mode {
  int id;
  std::string name;
  DWORD key;
  MFDMSGPROC handler;
};

class Host {
 public:
  static Host &Instance();

  // Back to the state of a fresh process: no modes, cursor at the origin, no log.
  void Reset();

  // Calls into the host are written to `log` while one is set.
  void SetLog(TraceSink *log) { log_ = log; }
  void Log(const std::string &line) {
    if (log_) log_->Write(line);
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

 private:
  TraceSink *log_ = nullptr;
  std::optional<POINT> cursor_ = POINT{0, 0};
  std::vector<Mode> modes_;
  int nextModeId_ = 1;
  VESSEL vessel_;
};

// "Mmm dd yyyy" as yyyymmdd; 0 for a text that is not such a date.
int DateToInt(const char *date);

}  // namespace standin
