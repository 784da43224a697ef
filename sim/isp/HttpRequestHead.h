// The head of an HTTP request as the lab's server sees it: the request line
// (origin form from a direct client, absolute form from a client that uses
// the server as its proxy) and the few headers the lab cares about.
// Windows-free.
#pragma once

#include <string>

struct HttpRequestHead {
  std::string method;
  std::string target;   // as sent
  std::string version;
  std::string host;     // lower case, without the port
  std::string hostAndPort;  // as named by the target or the Host header
  std::string path;     // from the first "/" on, without the query
  std::string query;    // after "?", without it
  std::string agent;    // the User-Agent header
  bool proxyForm = false;
};

// Parses everything up to (not including) the blank line. False for a
// malformed request line.
bool ParseRequestHead(const std::string& head, HttpRequestHead& request);

// The decoded value of a query parameter; false when it is absent.
bool QueryValue(const std::string& query, const std::string& name, std::string& value);
// A query parameter as a number; false when absent or not a number.
bool QueryNumber(const std::string& query, const std::string& name, double& value);
