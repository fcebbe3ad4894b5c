#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nexolant::win32 {

// A minimal HTTP/1.0 server on 127.0.0.1 at a free port, answering from a fixed table of
// paths on a thread of the test process: one response per connection, 404 for a path not in
// the table. The thread stops when the server is destroyed, and by itself after timeLimit,
// so a test can never hang on it.
class LoopbackHttpServer {
 public:
  struct Response {
    int status = 200;
    std::string body;
    std::string location{};  // a "Location" header when not empty
  };

  // Throws std::runtime_error when the socket cannot be set up.
  explicit LoopbackHttpServer(std::map<std::string, Response> routes,
                              std::chrono::seconds timeLimit = std::chrono::seconds(30));
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  // Answers later requests for path with response.
  void SetResponse(const std::string& path, Response response);

  // A server that stops: for path, only the first `after` bytes of the whole answer (status
  // line, headers, body) are sent, then the connection stays open, silent, for holdOpen.
  void CutAnswer(const std::string& path, std::size_t after, std::chrono::milliseconds holdOpen);

  // A server that never ends its body: for path, the headers (status 200, and Content-Length
  // when announcedLength is given), then pieces of pieceSize bytes, one every interval, until
  // the client goes or the server stops. A piece size of 0 keeps the connection silent.
  struct Stream {
    std::optional<std::uint64_t> announcedLength;
    std::size_t pieceSize = 0;
    std::chrono::milliseconds interval{0};
  };
  void StreamAnswer(const std::string& path, Stream stream);

  // "http://127.0.0.1:<port>" followed by path.
  std::string Url(const std::string& path) const;

  // The paths requested so far, in order.
  std::vector<std::string> Requests() const;

  // A loopback port that refuses connections: bound for the caller's scope, never listening.
  class ClosedPort {
   public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;
    std::string Url(const std::string& path) const;

   private:
    struct State;
    std::unique_ptr<State> state_;
  };

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nexolant::win32
