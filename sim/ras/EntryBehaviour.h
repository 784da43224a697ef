// How a phone-book entry of the lab behaves when it is dialled: the modem and
// the provider's access server it stands for, described by keys of its
// section in the lab's phone book. From that description and the dial's
// particulars comes the script of one dial: the connection states RAS
// reports, each with its error number and the time that passes before it.
//
// Keys (all optional):
//   Outcome=connect|busy|nodialtone|authfail|portopen|portopen-handle|cancel|drop (connect)
//                   portopen-handle: 602 too, but with a handle that holds the
//                   modem until it is hung up and its port has closed
//   CloseMs=MS      the time the port takes to close after a hang-up (1000)
//   Busy=N          the first N dials of the entry find the line busy
//   DropAfter=S     seconds after connecting until the line drops (drop: 5)
//   DropError=E     the error the drop reports (629)
//   Drops=N         only the first N dials of the entry drop (0: every one)
//   Login=, Password=  what the access server accepts (each when given); others get 691
//   Speed=BITS      the line speed the modems agree on, passed to the ISP
//   Device=NAME     the modem (one connection per modem at a time)
//   Script=S[:E],.. the states (and errors) to report instead, in order
//   StepMs=MS       the time before each scripted state (300)
#pragma once

#include <string>
#include <vector>

class LabPhonebook;

struct DialStep {
  unsigned state;
  unsigned error;
  unsigned delayMs;  // before this state is reported; scaled by the lab's time scale
};

struct EntryBehaviour {
  std::string outcome = "connect";
  int busyDials = 0;
  unsigned dropAfterMs = 0;  // 0: the line holds
  unsigned dropError = 629;
  int dropDials = 0;  // 0: the line of every dial drops
  bool checksLogin = false;
  bool checksPassword = false;
  std::string login;
  std::string password;
  int speed = 0;  // 0: the ISP's default
  std::string device = "Lab Modem";
  unsigned portCloseMs = 1000;  // scaled by the lab's time scale
  std::vector<DialStep> script;  // empty: the outcome's own
};

// The behaviour an entry's keys describe; unreadable numbers keep their defaults.
EntryBehaviour ReadEntryBehaviour(const LabPhonebook& book, const std::string& entry);

// How long the line of the `dialNumber`th dial (from 1) holds before it drops; 0: for good.
unsigned DropAfterMs(const EntryBehaviour& behaviour, int dialNumber);

// Whether dials of this entry fail at once because another program holds the port.
bool HoldsPortElsewhere(const EntryBehaviour& behaviour);
// Whether such a failed dial still hands out a connection handle.
bool Answers602WithHandle(const EntryBehaviour& behaviour);

// The steps of the `dialNumber`th dial (from 1) of an entry with these credentials.
// The dial ends with the last step: connected when it is 0x2000 without an
// error, failed when its error is not 0.
std::vector<DialStep> BuildDialScript(const EntryBehaviour& behaviour, int dialNumber,
                                      const std::string& userName, const std::string& password);
