// The scenario a lab client program plays, read from the lab's client INI
// file (named by VELOTUNE_LAB_CLIENTS). Each program reads its own section:
//
//   [AOL]                         ; or NetZero, Juno, WorldNet
//   Outcomes=fail,connect         ; one outcome per dial; the last one repeats
//   Title="Connected to "         ; quotes keep blanks at a text's ends
//   StepMs=600                    ; delays in milliseconds, scaled by VELOTUNE_TIME_SCALE
//   ...                           ; further keys of the program (see its README section)
//   [Lab]
//   Log=Z:\path\clients.log       ; default: the INI file's path + ".log"
//   [Dials]
//   AOL=2                         ; dials so far, kept by the programs themselves
//
// The dial count lives in the file so that it carries over when the driver
// closes a client and starts it again for the next dial.
#pragma once

#include <windows.h>

#include <string>

class ClientScenario {
 public:
  // `section` is the program's own section and its name in [Dials].
  explicit ClientScenario(const std::string& section);

  const std::string& Section() const { return section_; }
  const std::string& LogPath() const { return logPath_; }

  // A key of the program's section; the default when it is absent.
  std::string Text(const char* key, const std::string& fallback) const;
  int Number(const char* key, int fallback) const;
  // A delay of the scenario (milliseconds), scaled as the lab's waits are.
  UINT Delay(const char* key, UINT fallbackMs) const;
  bool Flag(const char* key, bool fallback) const { return Number(key, fallback ? 1 : 0) != 0; }

  // Counts a dial and gives its outcome: the dial's entry of "Outcomes"
  // (the last entry for every later dial), else `fallback`.
  std::string NextDialOutcome(const std::string& fallback);
  int Dials() const;

 private:
  std::string section_;
  std::string file_;
  std::string logPath_;
};
