// RAS error texts and RasGetErrorStringA of the lab's stand-in. The texts are
// those of the Windows releases the program runs on.
#include "sim/ras/RasErrorTexts.h"

#include <cstring>

#include "framework/RasLayouts.h"

namespace {

struct ErrorText {
  DWORD error;
  const char* text;
};

const ErrorText kErrorTexts[] = {
    {600, "An operation is pending."},
    {601, "The port handle is invalid."},
    {602, "The port is already open."},
    {603, "Caller's buffer is too small."},
    {604, "Wrong information specified."},
    {606, "The port is not connected."},
    {608, "The device does not exist."},
    {615, "The port was not found."},
    {616, "An asynchronous request is pending."},
    {617, "The port or device is already disconnecting."},
    {618, "The port is not open."},
    {619, "The port is disconnected."},
    {621, "Cannot open the phone book file."},
    {622, "Cannot load the phone book file."},
    {623, "Cannot find the phone book entry."},
    {625, "Invalid information found in the phone book file."},
    {628, "The port was disconnected."},
    {629, "The port was disconnected by the remote machine."},
    {630, "The port was disconnected due to hardware failure."},
    {631, "The port was disconnected by the user."},
    {632, "The structure size is incorrect."},
    {633, "The port is already in use or is not configured for Remote Access dial out."},
    {668, "The connection dropped."},
    {676, "The line is busy."},
    {677, "A person answered instead of a modem."},
    {678, "There is no answer."},
    {679, "Cannot detect carrier."},
    {680, "There is no dial tone."},
    {691, "Access denied because username and/or password is invalid on the domain."},
    {718, "PPP timeout."},
};

}  // namespace

const char* RasErrorTextOf(DWORD error) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.error == error) return entry.text;
  }
  return nullptr;
}

// Copies the text of a RAS error into the caller's buffer, terminated.
extern "C" DWORD WINAPI RasGetErrorStringA(UINT error, LPSTR text, DWORD textSize) {
  if (text == nullptr) return ERROR_INVALID_PARAMETER;
  const char* known = RasErrorTextOf(error);
  if (known == nullptr) return ERROR_INVALID_PARAMETER;
  const size_t length = strlen(known);
  if (textSize <= length) return ERROR_INSUFFICIENT_BUFFER;
  memcpy(text, known, length + 1);
  return ERROR_SUCCESS;
}
