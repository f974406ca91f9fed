#include "platform/posix/command_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace velto {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kAccepted = '1';
// How long the bar waits for a connected client's message; the client writes it at once.
constexpr auto kReceiveWait = std::chrono::milliseconds(250);

std::string HashName(const std::string& text) {
  // FNV-1a, 64 bits, as the Windows build names its mutex.
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  std::string name = "bar-";
  for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(hash >> shift) & 0xF];
  return name + ".sock";
}

// A folder only this user may enter: made with mode 0700 where missing, else accepted only when
// it is a real folder of this user that nobody else may write or enter.
bool PrivateFolder(const fs::path& folder) {
  ::mkdir(folder.c_str(), 0700);
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 0077) == 0;
}

std::optional<sockaddr_un> Address(const fs::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return address;
}

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for the events on the descriptor until the deadline; false on timeout or error.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int rc = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (rc > 0) return true;
    if (rc == 0 || errno != EINTR) return false;
  }
}

bool WriteAll(int fd, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

fs::path CommandSocketPath(const fs::path& settings_folder, const std::string& runtime_dir) {
  std::error_code ec;
  // One name for every spelling of the folder: links resolved, "." and ".." parts and a
  // trailing separator dropped.
  fs::path canonical = fs::weakly_canonical(settings_folder, ec);
  if (ec) canonical = fs::absolute(settings_folder, ec);
  canonical = canonical.lexically_normal();
  if (!canonical.has_filename() && canonical.has_parent_path() &&
      canonical != canonical.root_path())
    canonical = canonical.parent_path();
  const fs::path runtime(runtime_dir);
  const fs::path folder = runtime.is_absolute() ? runtime / "velto"
                                                : fs::temp_directory_path(ec) /
                                                      ("velto-" + std::to_string(::geteuid()));
  return folder / HashName(canonical.native());
}

fs::path CommandSocketPath(const fs::path& settings_folder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return CommandSocketPath(settings_folder, runtime ? runtime : "");
}

std::optional<std::string> SendBarCommand(const fs::path& socket_path, const BarCommand& command,
                                          std::chrono::milliseconds wait) {
  const auto deadline = Clock::now() + wait;
  const auto address = Address(socket_path);
  if (!address) return "the socket path is too long: " + socket_path.native();
  // A folder someone else controls could hold anyone's socket; the query is not sent there.
  if (!PrivateFolder(socket_path.parent_path()))
    return "the folder of the socket is not private to this user: " +
           socket_path.parent_path().native();
  UniqueFd fd;
  // The running bar may still be starting: it takes the lock before it listens.
  for (;;) {
    fd = UniqueFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.valid()) return std::string("no socket: ") + std::strerror(errno);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0)
      break;
    // Not there yet, or its queue of connections is full: try again until the deadline.
    const int error = errno;
    if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) || Clock::now() >= deadline)
      return "cannot reach the running search bar (" + socket_path.native() +
             "): " + std::strerror(error);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!WriteAll(fd.get(), EncodeBarCommand(command), deadline))
    return "the running search bar does not take the command";
  ::shutdown(fd.get(), SHUT_WR);
  char answer = 0;
  while (WaitFor(fd.get(), POLLIN, deadline)) {
    const ssize_t n = ::recv(fd.get(), &answer, 1, 0);
    if (n == 1 && answer == kAccepted) return std::nullopt;
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return "the running search bar refused the command";
  }
  return "the running search bar does not answer";
}

int HandOverCommand(const fs::path& settings_folder, const std::optional<BarCommand>& command) {
  if (!command) return 0;
  const auto error = SendBarCommand(CommandSocketPath(settings_folder), *command);
  if (!error) return 0;
  std::fprintf(stderr, "velto: %s\n", error->c_str());
  return 1;
}

CommandListener::CommandListener(fs::path socket_path) : path_(std::move(socket_path)) {
  const auto address = Address(path_);
  if (!address || !PrivateFolder(path_.parent_path())) return;
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid()) return;
  ::unlink(path_.c_str());
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) return;
  ::chmod(path_.c_str(), 0600);
  if (::listen(fd.get(), 8) != 0) {
    ::unlink(path_.c_str());
    return;
  }
  fd_ = std::move(fd);
}

CommandListener::~CommandListener() {
  if (fd_.valid()) ::unlink(path_.c_str());
}

std::optional<BarCommand> CommandListener::Receive() {
  if (!fd_.valid()) return std::nullopt;
  UniqueFd connection;
  do {
    connection = UniqueFd(::accept4(fd_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
  } while (!connection.valid() && errno == EINTR);
  if (!connection.valid()) return std::nullopt;
  ucred peer{};
  socklen_t size = sizeof peer;
  if (::getsockopt(connection.get(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
      peer.uid != ::geteuid())
    return std::nullopt;

  const auto deadline = Clock::now() + kReceiveWait;
  std::string message;
  char buffer[1024];
  for (;;) {
    const ssize_t n = ::recv(connection.get(), buffer, sizeof buffer, 0);
    if (n > 0) {
      message.append(buffer, static_cast<std::size_t>(n));
      if (message.size() > kMaxCommandMessageBytes) return std::nullopt;
    } else if (n == 0) {
      break;
    } else if (errno == EINTR) {
      continue;
    } else if (errno != EAGAIN || !WaitFor(connection.get(), POLLIN, deadline)) {
      return std::nullopt;
    }
  }
  auto command = DecodeBarCommand(message);
  if (command) WriteAll(connection.get(), std::string_view(&kAccepted, 1), deadline);
  return command;
}

}  // namespace velto
