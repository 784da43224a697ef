// IspServer.exe: the lab's ISP and web server as a console program.
//
//   IspServer.exe [--port N] [--web-port N] [--speed BITS] [--pace-scale F] [--seed S]
//                 [--link-up]
//
// Port 0 (the default) takes any free loopback port. The server prints
// "listening 127.0.0.1:CONTROL web 127.0.0.1:WEB" once it accepts control
// requests, then runs until a "/_lab/quit" control request. --link-up
// starts with the link already up.
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/isp/IspServer.h"

namespace {

bool ParseArguments(int argc, char** argv, unsigned short& port, unsigned short& webPort,
                    LinkValues& defaults, bool& linkUp) {
  for (int i = 1; i < argc; ++i) {
    const char* name = argv[i];
    if (std::strcmp(name, "--link-up") == 0) {
      linkUp = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (std::strcmp(name, "--port") == 0) {
      port = static_cast<unsigned short>(std::atoi(value));
    } else if (std::strcmp(name, "--web-port") == 0) {
      webPort = static_cast<unsigned short>(std::atoi(value));
    } else if (std::strcmp(name, "--speed") == 0) {
      defaults.speed = std::atoi(value);
    } else if (std::strcmp(name, "--pace-scale") == 0) {
      defaults.scale = std::atof(value);
    } else if (std::strcmp(name, "--seed") == 0) {
      defaults.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned short port = 0;
  unsigned short webPort = 0;
  LinkValues defaults;
  bool linkUp = false;
  if (!ParseArguments(argc, argv, port, webPort, defaults, linkUp)) {
    std::fprintf(stderr,
                 "usage: IspServer [--port N] [--web-port N] [--speed BITS] [--pace-scale F] "
                 "[--seed S] [--link-up]\n");
    return 2;
  }
  WSADATA winsock;
  if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return 1;
  IspServer server(defaults);
  if (!server.Listen(port, webPort) || (linkUp && !server.LinkUp(server.Defaults()))) {
    std::fprintf(stderr, "IspServer: cannot listen on ports %u and %u\n", port, webPort);
    WSACleanup();
    return 1;
  }
  std::printf("listening 127.0.0.1:%u web 127.0.0.1:%u\n", server.ControlPort(), server.WebPort());
  std::fflush(stdout);
  server.Run();
  WSACleanup();
  return 0;
}
