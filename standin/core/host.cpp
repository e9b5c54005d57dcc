#include "standin/core/host.h"

#include <cstdio>
#include <cstring>

#include "standin/core/json.h"
#include "standin/core/module.h"

namespace standin {

Host &Host::Instance() {
  static Host host;
  return host;
}

void Host::Reset() {
  log_ = nullptr;
  cursor_ = POINT{0, 0};
  modes_.clear();
  nextModeId_ = 1;
}

int Host::RegisterMode(const MFDMODESPEC &record) {
  const int id = nextModeId_++;
  modes_.push_back(Mode{id, record.name ? record.name : "", record.key, record.msgproc});
  return id;
}

bool Host::UnregisterMode(int id) {
  return std::erase_if(modes_, [id](const Mode &m) { return m.id == id; }) > 0;
}

const Mode *Host::FindMode(int id) const {
  for (const Mode &m : modes_)
    if (m.id == id) return &m;
  return nullptr;
}

void *Host::Export(HINSTANCE handle, const char *name) const {
  for (const Library *library : libraries_)
    if (library->Handle() == handle) return library->Export(name);
  return nullptr;
}

int DateToInt(const char *date) {
  static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  if (!date) return 0;
  char month[4] = {};
  int day = 0, year = 0;
  char extra = 0;
  if (std::sscanf(date, "%3s %d %d%c", month, &day, &year, &extra) != 3) return 0;
  const char *found = std::strlen(month) == 3 ? std::strstr(months, month) : nullptr;
  if (!found || (found - months) % 3 != 0) return 0;
  if (day < 1 || day > 31 || year < 1 || year > 9999) return 0;
  return year * 10000 + static_cast<int>((found - months) / 3 + 1) * 100 + day;
}

}  // namespace standin

// ---- The host's functions, as the module sees them -------------------------------

using standin::Host;

void InitLib(HINSTANCE) { Host::Instance().Log("InitLib"); }

int Date2Int(char *date) {
  Host::Instance().Log("Date2Int", date);
  return standin::DateToInt(date);
}

int oapiRegisterMFDMode(MFDMODESPEC &mode) {
  Host::Instance().Log("oapiRegisterMFDMode", mode.name, mode.key);
  return Host::Instance().RegisterMode(mode);
}

bool oapiUnregisterMFDMode(int mode) {
  Host::Instance().Log("oapiUnregisterMFDMode", mode);
  return Host::Instance().UnregisterMode(mode);
}
