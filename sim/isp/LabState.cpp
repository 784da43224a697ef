// Link state and counters of the lab's server (see LabState.h).
#include "sim/isp/LabState.h"

#include <sstream>

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsImagePath(const std::string& path) {
  return EndsWith(path, ".gif") || EndsWith(path, ".jpg") || EndsWith(path, ".jpeg") ||
         EndsWith(path, ".png") || EndsWith(path, ".bmp");
}

}  // namespace

LabState::LabState(const LinkValues& defaults) : defaults_(SanitizedLinkValues(defaults)) {
  link_.values = defaults_;
}

LinkValues LabState::Defaults() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return defaults_;
}

void LabState::SetDefaults(const LinkValues& defaults) {
  std::lock_guard<std::mutex> lock(mutex_);
  defaults_ = SanitizedLinkValues(defaults);
}

void LabState::LinkUp(const LinkValues& values) {
  std::lock_guard<std::mutex> lock(mutex_);
  link_.up = true;
  link_.values = SanitizedLinkValues(values);
  ++link_.generation;
  link_.responseNumber = 0;
  ++ups_;
}

void LabState::LinkDown() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (link_.up) ++downs_;
  link_.up = false;
  ++link_.generation;
}

bool LabState::LinkStillUp(std::uint32_t generation) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return link_.up && link_.generation == generation;
}

void LabState::FailImageFetches(unsigned count) {
  std::lock_guard<std::mutex> lock(mutex_);
  imageFailures_ = count;
}

bool LabState::Admit(const HttpRequestHead& request, LinkSnapshot& link) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!link_.up || (imageFailures_ > 0 && IsImagePath(request.path))) {
    if (link_.up) --imageFailures_;
    ++refused_;
    return false;
  }
  ++served_;
  ++link_.responseNumber;
  link = link_;
  if (requests_.size() < kLogLimit) {
    requests_.push_back(request.hostAndPort + " " + request.path + "\t" + request.agent);
  }
  return true;
}

void LabState::RecordReport(const HttpRequestHead& request) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (reports_.size() < kLogLimit) reports_.push_back(request.host + "|" + request.agent);
}

void LabState::ResetCounters() {
  std::lock_guard<std::mutex> lock(mutex_);
  ups_ = downs_ = served_ = refused_ = 0;
  reports_.clear();
  requests_.clear();
  paced_.clear();
}

std::string LabState::StatusText() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::ostringstream out;
  const LinkValues& v = link_.values;
  out << "link=" << (link_.up ? "up" : "down") << "\n"
      << "mtu=" << v.mtu << "\nrwin=" << v.rwin << "\nttl=" << v.ttl << "\nspeed=" << v.speed
      << "\nseed=" << v.seed << "\nnoise=" << v.noisePercent << "\nscale=" << v.scale << "\n"
      << "ups=" << ups_ << "\ndowns=" << downs_ << "\nrequests=" << served_
      << "\nrefused=" << refused_ << "\nreports=" << reports_.size() << "\n";
  for (const std::string& report : reports_) out << "report=" << report << "\n";
  return out.str();
}

std::string LabState::RequestLog() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string log;
  for (const std::string& line : requests_) log += line + "\n";
  return log;
}

void LabState::RecordPaced(const LinkSnapshot& link, const std::string& path, double headMs,
                           bool whole, double wholeMs) {
  std::ostringstream line;
  line << link.generation << "\t" << path << "\t" << (whole ? wholeMs : headMs) << "\t"
       << (whole ? "whole" : "head");
  std::lock_guard<std::mutex> lock(mutex_);
  if (paced_.size() < kLogLimit) paced_.push_back(line.str());
}

std::string LabState::PacedLog() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string log;
  for (const std::string& line : paced_) log += line + "\n";
  return log;
}
