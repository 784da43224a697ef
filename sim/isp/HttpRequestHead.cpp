// Parsing of request heads for the lab's server (see HttpRequestHead.h).
#include "sim/isp/HttpRequestHead.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

void SetHost(const std::string& hostAndPort, HttpRequestHead& request) {
  request.hostAndPort = hostAndPort;
  std::string host = hostAndPort;
  size_t colon = host.rfind(':');
  if (colon != std::string::npos && host.find(']') == std::string::npos) host.erase(colon);
  request.host = Lower(host);
}

void SetPathAndQuery(const std::string& pathAndQuery, HttpRequestHead& request) {
  size_t mark = pathAndQuery.find('?');
  request.path = pathAndQuery.substr(0, mark);
  request.query = mark == std::string::npos ? std::string() : pathAndQuery.substr(mark + 1);
  if (request.path.empty()) request.path = "/";
}

bool ParseTarget(const std::string& target, HttpRequestHead& request) {
  const std::string scheme = "http://";
  if (Lower(target.substr(0, scheme.size())) == scheme) {
    request.proxyForm = true;
    size_t slash = target.find('/', scheme.size());
    SetHost(target.substr(scheme.size(), slash - scheme.size()), request);
    SetPathAndQuery(slash == std::string::npos ? "/" : target.substr(slash), request);
    return !request.host.empty();
  }
  if (target.empty() || target[0] != '/') return false;
  SetPathAndQuery(target, request);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Decode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

bool ParseRequestHead(const std::string& head, HttpRequestHead& request) {
  request = HttpRequestHead();
  size_t lineEnd = head.find('\n');
  std::string line = Trim(head.substr(0, lineEnd));
  size_t first = line.find(' ');
  size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos) return false;
  request.method = line.substr(0, first);
  request.target = line.substr(first + 1, second - first - 1);
  request.version = line.substr(second + 1);
  if (!ParseTarget(request.target, request)) return false;

  while (lineEnd != std::string::npos) {
    size_t start = lineEnd + 1;
    lineEnd = head.find('\n', start);
    std::string header = head.substr(start, lineEnd == std::string::npos ? lineEnd : lineEnd - start);
    size_t colon = header.find(':');
    if (colon == std::string::npos) continue;
    std::string name = Lower(Trim(header.substr(0, colon)));
    std::string value = Trim(header.substr(colon + 1));
    if (name == "user-agent") request.agent = value;
    if (name == "host" && !request.proxyForm) SetHost(value, request);
  }
  return true;
}

bool QueryValue(const std::string& query, const std::string& name, std::string& value) {
  size_t start = 0;
  while (start <= query.size()) {
    size_t end = query.find('&', start);
    std::string pair = query.substr(start, end == std::string::npos ? end : end - start);
    size_t equals = pair.find('=');
    if (Decode(pair.substr(0, equals)) == name) {
      value = equals == std::string::npos ? std::string() : Decode(pair.substr(equals + 1));
      return true;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

bool QueryNumber(const std::string& query, const std::string& name, double& value) {
  std::string text;
  if (!QueryValue(query, name, text) || text.empty()) return false;
  char* end = nullptr;
  double number = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(number)) return false;
  value = number;
  return true;
}
