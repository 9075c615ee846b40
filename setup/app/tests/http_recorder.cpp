// A tiny HTTP server on the loopback interface for the page confinement test:
// it writes its port to a file, logs the request line of every request it gets
// and answers with content that would post to the page's channel if the page
// ever ran it.
//
//   http_recorder PORT_FILE LOG_FILE
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr const char* kPostRemote =
    "window.remoteRan = 'yes';"
    "window.webkit.messageHandlers.qvx.postMessage({cmd: 'install', office: 'REMOTE', name: location.href});"
    "setTimeout(() => window.webkit.messageHandlers.qvx.postMessage({cmd: 'quit'}), 500);";

std::string responseFor(const std::string& requestLine) {
  const bool script = requestLine.find(".js ") != std::string::npos;
  const std::string body =
      script ? std::string(kPostRemote) : "<!DOCTYPE html><script>" + std::string(kPostRemote) + "</script>";
  return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(script ? "text/javascript" : "text/html") +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PORT_FILE LOG_FILE\n", argv[0]);
    return 2;
  }
  const int server = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (server < 0 || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(server, 16) != 0 || ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::perror("http_recorder");
    return 1;
  }
  {
    const std::string temporary = std::string(argv[1]) + ".tmp";
    std::ofstream(temporary) << ntohs(address.sin_port) << "\n";
    std::rename(temporary.c_str(), argv[1]);
  }
  while (true) {
    const int client = ::accept(server, nullptr, nullptr);
    if (client < 0) continue;
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::read(client, buffer, sizeof buffer);
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::string requestLine = request.substr(0, request.find("\r\n"));
    std::ofstream(argv[2], std::ios::app) << requestLine << "\n";
    const std::string response = responseFor(requestLine);
    [[maybe_unused]] const ssize_t written = ::write(client, response.data(), response.size());
    ::close(client);
  }
}
