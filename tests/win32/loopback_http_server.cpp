#include "win32/loopback_http_server.h"

#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

namespace nexolant::win32 {
namespace {

constexpr DWORD kSocketTimeoutMs = 2000;
constexpr std::size_t kMaxRequestBytes = 16384;

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
      throw std::runtime_error("WSAStartup failed");
    }
  }
  ~WinsockSession() { WSACleanup(); }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
};

class Socket {
 public:
  explicit Socket(SOCKET socket) : socket_(socket) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET) {
      closesocket(socket_);
    }
  }
  Socket(Socket&& other) noexcept : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  SOCKET get() const { return socket_; }
  explicit operator bool() const { return socket_ != INVALID_SOCKET; }

 private:
  SOCKET socket_;
};

// A TCP socket bound to 127.0.0.1 at a port the system picks.
Socket BindLoopback() {
  Socket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (!socket ||
      bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot bind a loopback socket");
  }
  return socket;
}

unsigned short PortOf(const Socket& socket) {
  sockaddr_in address = {};
  int size = sizeof address;
  if (getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("getsockname failed");
  }
  return ntohs(address.sin_port);
}

std::string LoopbackUrl(unsigned short port, const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(port) + path;
}

const char* Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    default:
      return "Error";
  }
}

// The path of "GET /path HTTP/1.1".
std::string RequestPath(const std::string& request) {
  const auto start = request.find(' ');
  if (start == std::string::npos) {
    return {};
  }
  const auto end = request.find_first_of(" \r\n", start + 1);
  return request.substr(start + 1, end == std::string::npos ? end : end - start - 1);
}

// False when the client has gone.
bool SendAll(const Socket& client, const std::string& data) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    const int n = send(client.get(), data.data() + sent, static_cast<int>(data.size() - sent), 0);
    if (n <= 0) {
      return false;
    }
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

struct LoopbackHttpServer::State {
  WinsockSession winsock;
  Socket listener = BindLoopback();
  unsigned short port = PortOf(listener);
  std::map<std::string, Response> routes;
  struct Cut {
    std::size_t after;
    std::chrono::milliseconds holdOpen;
  };
  std::map<std::string, Cut> cuts;
  std::map<std::string, Stream> streams;
  std::chrono::steady_clock::time_point deadline;
  std::atomic<bool> stop{false};
  mutable std::mutex mutex;
  std::vector<std::string> requests;
  std::thread thread;

  void Serve() {
    while (!stop && std::chrono::steady_clock::now() < deadline) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(listener.get(), &readable);
      timeval wait = {0, 50000};
      if (select(0, &readable, nullptr, nullptr, &wait) == 1) {
        const Socket client(accept(listener.get(), nullptr, nullptr));
        if (client) {
          Answer(client);
        }
      }
    }
  }

  Response ResponseFor(const std::string& path) {
    const std::lock_guard lock(mutex);
    requests.push_back(path);
    const auto route = routes.find(path);
    return route != routes.end() ? route->second : Response{404, "Not found"};
  }

  std::optional<Cut> CutFor(const std::string& path) const {
    const std::lock_guard lock(mutex);
    const auto cut = cuts.find(path);
    return cut != cuts.end() ? std::optional<Cut>(cut->second) : std::nullopt;
  }

  std::optional<Stream> StreamFor(const std::string& path) const {
    const std::lock_guard lock(mutex);
    const auto stream = streams.find(path);
    return stream != streams.end() ? std::optional<Stream>(stream->second) : std::nullopt;
  }

  void SendStream(const Socket& client, const Stream& stream) {
    std::string headers = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n";
    if (stream.announcedLength) {
      headers += "Content-Length: " + std::to_string(*stream.announcedLength) + "\r\n";
    }
    const std::string piece(stream.pieceSize, 'x');
    bool going = SendAll(client, headers + "\r\n");
    while (going && !stop) {
      going = SendAll(client, piece) && !ClientLeft(client, stream.interval);
    }
  }

  // Waits up to interval for the client to close its side; true when it did.
  static bool ClientLeft(const Socket& client, std::chrono::milliseconds interval) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(client.get(), &readable);
    const auto micro = std::max<long long>(1000, interval.count() * 1000);
    timeval wait = {static_cast<long>(micro / 1000000), static_cast<long>(micro % 1000000)};
    char byte = 0;
    return select(0, &readable, nullptr, nullptr, &wait) == 1 &&
           recv(client.get(), &byte, 1, 0) <= 0;
  }

  void Answer(const Socket& client) {
    const DWORD timeout = kSocketTimeoutMs;
    setsockopt(client.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof timeout);
    setsockopt(client.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof timeout);
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
      const int n = recv(client.get(), buffer, sizeof buffer, 0);
      if (n <= 0) {
        return;
      }
      request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::string path = RequestPath(request);
    const Response response = ResponseFor(path);
    if (const std::optional<Stream> stream = StreamFor(path)) {
      SendStream(client, *stream);
      return;
    }
    const std::string answer =
        "HTTP/1.0 " + std::to_string(response.status) + " " + Reason(response.status) +
        "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
        std::to_string(response.body.size()) + "\r\nConnection: close\r\n" +
        (response.location.empty() ? "" : "Location: " + response.location + "\r\n") + "\r\n" +
        response.body;
    const std::optional<Cut> cut = CutFor(path);
    SendAll(client, cut ? answer.substr(0, cut->after) : answer);
    if (cut) {
      const auto silentUntil = std::chrono::steady_clock::now() + cut->holdOpen;
      while (!stop && std::chrono::steady_clock::now() < silentUntil) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    shutdown(client.get(), SD_SEND);
  }
};

LoopbackHttpServer::LoopbackHttpServer(std::map<std::string, Response> routes,
                                       std::chrono::seconds timeLimit)
    : state_(std::make_unique<State>()) {
  if (listen(state_->listener.get(), SOMAXCONN) != 0) {
    throw std::runtime_error("listen failed");
  }
  state_->routes = std::move(routes);
  state_->deadline = std::chrono::steady_clock::now() + timeLimit;
  state_->thread = std::thread([state = state_.get()] { state->Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  state_->stop = true;
  state_->thread.join();
}

void LoopbackHttpServer::SetResponse(const std::string& path, Response response) {
  const std::lock_guard lock(state_->mutex);
  state_->routes[path] = std::move(response);
}

void LoopbackHttpServer::CutAnswer(const std::string& path, std::size_t after,
                                   std::chrono::milliseconds holdOpen) {
  const std::lock_guard lock(state_->mutex);
  state_->cuts[path] = {after, holdOpen};
}

void LoopbackHttpServer::StreamAnswer(const std::string& path, Stream stream) {
  const std::lock_guard lock(state_->mutex);
  state_->streams[path] = stream;
}

std::string LoopbackHttpServer::Url(const std::string& path) const {
  return LoopbackUrl(state_->port, path);
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
  const std::lock_guard lock(state_->mutex);
  return state_->requests;
}

struct LoopbackHttpServer::ClosedPort::State {
  WinsockSession winsock;
  Socket socket = BindLoopback();
  unsigned short port = PortOf(socket);
};

LoopbackHttpServer::ClosedPort::ClosedPort() : state_(std::make_unique<State>()) {}
LoopbackHttpServer::ClosedPort::~ClosedPort() = default;

std::string LoopbackHttpServer::ClosedPort::Url(const std::string& path) const {
  return LoopbackUrl(state_->port, path);
}

}  // namespace nexolant::win32
