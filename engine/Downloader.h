// CDownloader: finds the test page over HTTP, follows its META refresh and
// frames, lists its images and fetches one image at a time. One is created
// for each run of a tune-up worker thread and owned by it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/InternetHandle.h"
#include "settings/DialUpProfile.h"

// The fixed test addresses and the default test site.
namespace testsites {
inline constexpr char kDefault[] = "http://www.yahoo.com";
inline constexpr char kAolAndCompuServe[] = "http://www.aol.com";
inline constexpr char kNetZero[] = "http://www.netzero.net";
inline constexpr char kJuno[] = "http://www.juno.com";
inline constexpr char kAttWorldNet[] = "http://www.att.net";

// The fixed address of a client-program provider; empty for the dial-up kinds.
std::string FixedAddress(int providerKind);
}  // namespace testsites

class CDownloader {
 public:
  CDownloader();
  explicit CDownloader(const CSettingsStore& store);

  CDownloader(const CDownloader&) = delete;
  CDownloader& operator=(const CDownloader&) = delete;

  // The session of this run: 0, or 16 when it cannot be opened.
  int Open();
  // 0, or 24 when the session cannot be closed.
  int Close();

  // Reads the page the next data-collection pass uses, with its refresh and
  // frames, into `page`. Flips the toggle first.
  int GetTestPage(std::string& page);
  // Lists the page's images as absolute addresses: 0, 23 or 52.
  int ListImages(const std::string& page, std::vector<std::string>& images) const;
  // One image: 0 with its size in `bytes` (the Content-Length when the server
  // gives one, else the bytes read); 23, 17, 18, 19, 26 or 25 on failure.
  int Fetch(const std::string& address, DWORD& bytes);

  // Appends a document's text without line breaks: 0; 15 when it could not
  // be read in full; 62 when no way of access could open it. `forFrame`
  // opens it as frame documents are opened (no session flags).
  static int FetchText(const std::string& address, std::string& text, bool forFrame = false);

  int Toggle() const { return toggle_; }
  const std::string& PageAddress() const { return pageAddress_; }
  const std::string& RedirectAddress() const { return redirectAddress_; }

 private:
  // The address the first attempt reads, after the toggle flipped; a failure status otherwise.
  int ChooseAddress(std::string& address);
  // Reads one address with its refresh and frames; the status of its last step.
  int ReadPage(const std::string& address, std::string& page);
  int AppendFrames(std::string& page);

  CDialUpProfile profile_;
  std::string pageAddress_;
  std::string redirectAddress_;
  InternetHandle session_;
  int toggle_ = 1;
  std::vector<char> buffer_;
};
