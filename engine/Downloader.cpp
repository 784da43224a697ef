// The download side of the speed test (see Downloader.h).
#include "engine/Downloader.h"

#include <wininet.h>

#include <cstdlib>

#include "engine/HttpGet.h"
#include "engine/portable/PageScanner.h"
#include "engine/portable/StatusCodes.h"
#include "settings/portable/ProviderKinds.h"

namespace {

const char kSessionAgent[] = "DownloadData";
// Documents are opened with the program's name as agent, as its own session would.
const char kTextAgent[] = "Velotune";

// Opens a document on the session. An http address is requested step by
// step, so that the request carries the program's time-outs from its first
// byte on (WinINet applies a receive time-out set on an opened URL only to
// later connections); any other address goes to InternetOpenUrlA.
bool OpenDocument(HINTERNET session, const std::string& address, DWORD flags, CHttpGet& get,
                  InternetHandle& file) {
  pagescan::HttpTarget target;
  if (address.compare(0, 7, "http://") == 0 && pagescan::SplitHttpAddress(address, target)) {
    return get.Send(session, target) == status::kOk;
  }
  file = InternetHandle(InternetOpenUrlA(session, address.c_str(), nullptr, 0,
                                         INTERNET_FLAG_TRANSFER_ASCII | flags, 1));
  return file.IsOpen();
}

bool FetchTextWith(DWORD access, DWORD sessionFlags, const std::string& address,
                   std::string& text, int& status) {
  InternetHandle session(InternetOpenA(kTextAgent, access, nullptr, nullptr, sessionFlags));
  if (!session.IsOpen()) return false;
  SetInternetTimeouts(session.Get());
  CHttpGet get;
  InternetHandle file;
  if (!OpenDocument(session.Get(), address, sessionFlags, get, file)) return false;
  std::vector<char> buffer;
  std::string document;
  size_t total = 0;
  HINTERNET body = file.IsOpen() ? file.Get() : get.Request();
  BodyRead read = ReadBody(body, buffer, httplimits::kMaxPageBytes, &document, total);
  pagescan::AppendWithoutLineBreaks(text, document.data(), document.size());
  status = read == BodyRead::kFailed ? status::kUrlOpenFailed : status::kOk;
  return true;
}

// A Content-Length header as a byte count; false when there is none or it is no number.
bool ContentLength(HINTERNET request, DWORD& bytes) {
  char text[16] = {};
  DWORD size = sizeof(text);
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return false;
  char* end = nullptr;
  unsigned long value = std::strtoul(text, &end, 10);
  if (end == text || text[0] == '-') return false;
  bytes = static_cast<DWORD>(value);
  return true;
}

}  // namespace

namespace testsites {

std::string FixedAddress(int providerKind) {
  switch (providerKind) {
    case kProviderAmericaOnline:
    case kProviderCompuServe: return kAolAndCompuServe;
    case kProviderNetZero: return kNetZero;
    case kProviderJuno: return kJuno;
    case kProviderAttWorldNet: return kAttWorldNet;
    default: return std::string();
  }
}

}  // namespace testsites

CDownloader::CDownloader() : profile_(kProviderDialUpNetworking) {}

CDownloader::CDownloader(const CSettingsStore& store)
    : profile_(kProviderDialUpNetworking, store.GetOsFamily()) {}

int CDownloader::Open() {
  session_ = InternetHandle(
      InternetOpenA(kSessionAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_.IsOpen()) return status::kInternetOpenFailed;
  SetInternetTimeouts(session_.Get());
  return status::kOk;
}

int CDownloader::Close() {
  return session_.Close() ? status::kOk : status::kCloseSessionFailed;
}

int CDownloader::FetchText(const std::string& address, std::string& text, bool forFrame) {
  const DWORD flags = forFrame ? 0 : INTERNET_FLAG_DONT_CACHE;
  int status = status::kOk;
  for (DWORD access : {INTERNET_OPEN_TYPE_PRECONFIG, INTERNET_OPEN_TYPE_DIRECT,
                       INTERNET_OPEN_TYPE_PROXY}) {
    if (FetchTextWith(access, flags, address, text, status)) return status;
  }
  return status::kProxyProblem;
}

int CDownloader::ChooseAddress(std::string& address) {
  toggle_ = toggle_ == 1 ? 0 : 1;
  int kind = kProviderDialUpNetworking;
  if (CSettingsStore(profile_.GetOsFamily()).GetProviderKind(kind) != status::kOk) {
    kind = kProviderDialUpNetworking;
  }
  address = testsites::FixedAddress(kind);
  if (!address.empty()) return status::kOk;
  profile_.SetKind(kind);
  if (toggle_ == 1) {
    address = testsites::kDefault;
    return status::kOk;
  }
  int status = profile_.GetUrl("", address);
  if (status != status::kOk) return status;
  address = pagescan::WithHttpScheme(address);
  return status::kOk;
}

int CDownloader::GetTestPage(std::string& page) {
  std::string address;
  int status = ChooseAddress(address);
  if (status != status::kOk) return status;
  pageAddress_ = address;
  status = ReadPage(address, page);
  if (status == status::kOk) return status;
  pageAddress_ = testsites::kDefault;
  page.clear();
  return ReadPage(pageAddress_, page);
}

int CDownloader::ReadPage(const std::string& address, std::string& page) {
  int status = FetchText(address, page);
  if (status != status::kOk) return status;
  std::string target;
  status = pagescan::FindRefresh(page, pageAddress_, target);
  if (status == status::kRedirectNotFound) return status;
  redirectAddress_.clear();
  if (status == status::kRedirectFound) {
    page.clear();
    status = FetchText(target, page);
    if (status != status::kOk) return status;
    redirectAddress_ = target;
  }
  return AppendFrames(page);
}

int CDownloader::AppendFrames(std::string& page) {
  std::vector<std::string> frames;
  int status = pagescan::ListFrames(page, frames);
  const std::string base = pagescan::FrameBase(redirectAddress_, pageAddress_);
  for (const std::string& frame : frames) {
    if (status != status::kOk) break;
    status = FetchText(base + frame, page, true);
  }
  return status;
}

int CDownloader::ListImages(const std::string& page, std::vector<std::string>& images) const {
  const std::string& base = redirectAddress_.empty() ? pageAddress_ : redirectAddress_;
  size_t listed = pagescan::ListImages(page, base, images);
  return pagescan::ImageListStatus(listed, toggle_);
}

int CDownloader::Fetch(const std::string& address, DWORD& bytes) {
  pagescan::HttpTarget target;
  if (!pagescan::SplitHttpAddress(address, target)) return status::kUrlNotSupported;
  CHttpGet request;
  int status = request.Send(session_.Get(), target);
  if (status == status::kOk && !ContentLength(request.Request(), bytes)) {
    size_t total = 0;
    BodyRead read = ReadBody(request.Request(), buffer_, httplimits::kMaxImageBytes, nullptr, total);
    if (read != BodyRead::kComplete) status = status::kSendRequestFailed;
    bytes = static_cast<DWORD>(total);
  }
  int closed = request.Close();
  return status != status::kOk ? status : closed;
}
