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

// The bar greets each connection it has taken, then answers a command it will carry out.
constexpr char kGreeting = 'V';
constexpr char kAccepted = '1';
// How long the bar waits for a greeted client's message; the client writes it at once.
constexpr auto kReceiveWait = std::chrono::seconds(1);
// No deadline: wait as long as it takes.
constexpr Clock::time_point kNever = Clock::time_point::max();

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

std::optional<sockaddr_un> Address(const fs::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return address;
}

int MillisecondsLeft(Clock::time_point deadline) {
  if (deadline == kNever) return -1;
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

// One byte from the connection by the deadline; nothing on timeout, end or error.
std::optional<char> ReadByte(int fd, Clock::time_point deadline) {
  for (;;) {
    char byte = 0;
    const ssize_t n = ::recv(fd, &byte, 1, 0);
    if (n == 1) return byte;
    if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return std::nullopt;
    if (errno != EINTR && !WaitFor(fd, POLLIN, deadline)) return std::nullopt;
  }
}

}  // namespace

FolderFault FolderFaultOf(const struct stat* status, uid_t user) {
  if (status == nullptr) return FolderFault::Missing;
  if (!S_ISDIR(status->st_mode)) return FolderFault::NotAFolder;
  if (status->st_uid != user) return FolderFault::NotOwned;
  if ((status->st_mode & 0077) != 0) return FolderFault::NotPrivate;
  return FolderFault::None;
}

std::optional<std::string> PrivateFolderProblem(const fs::path& folder) {
  // Made with mode 0700 where missing; an existing one is taken only as it is.
  const int made = ::mkdir(folder.c_str(), 0700) == 0 ? 0 : errno;
  struct stat status {};
  const bool found = ::lstat(folder.c_str(), &status) == 0;
  const std::string& path = folder.native();
  switch (FolderFaultOf(found ? &status : nullptr, ::geteuid())) {
    case FolderFault::None:
      return std::nullopt;
    case FolderFault::Missing:
      return "the folder for the command socket does not exist and cannot be made (" +
             std::string(std::strerror(made)) + "): " + path;
    case FolderFault::NotAFolder:
      return "the place of the command socket's folder is taken by something that is not a "
             "folder: " +
             path;
    case FolderFault::NotOwned:
      return "the folder for the command socket belongs to another user: " + path;
    case FolderFault::NotPrivate:
      return "the folder for the command socket is not private to this user (others may enter "
             "it): " +
             path;
  }
  return std::nullopt;
}

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
  if (auto problem = PrivateFolderProblem(socket_path.parent_path())) return problem;
  UniqueFd fd;
  // The running bar may still be starting (it takes the lock before it listens), or its queue
  // of connections may be full: try again until the deadline.
  for (;;) {
    fd = UniqueFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.valid()) return std::string("no socket: ") + std::strerror(errno);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0)
      break;
    const int error = errno;
    if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) || Clock::now() >= deadline)
      return "cannot reach the running search bar (" + socket_path.native() +
             "): " + std::strerror(error);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // Nothing is sent before the bar has taken the connection: a start that gives up here leaves
  // the bar nothing to carry out.
  if (ReadByte(fd.get(), deadline) != kGreeting)
    return "the running search bar does not answer (" + socket_path.native() + ")";
  // From here the bar answers or hangs up within its own short wait, so its answer is awaited
  // as long as it takes: the status never contradicts what the bar does.
  if (!WriteAll(fd.get(), EncodeBarCommand(command), kNever))
    return "the running search bar did not take the command";
  ::shutdown(fd.get(), SHUT_WR);
  if (ReadByte(fd.get(), kNever) != kAccepted)
    return "the running search bar did not take the command";
  return std::nullopt;
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
  if (!address || PrivateFolderProblem(path_.parent_path())) return;
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid()) return;
  ::unlink(path_.c_str());
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) return;
  ::chmod(path_.c_str(), 0600);
  // Room for a burst of later starts; each waits its turn.
  if (::listen(fd.get(), SOMAXCONN) != 0) {
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

  // A client that gave up before its turn has hung up: the greeting fails, or no message
  // follows it.
  const auto deadline = Clock::now() + kReceiveWait;
  if (!WriteAll(connection.get(), std::string_view(&kGreeting, 1), deadline)) return std::nullopt;
  std::string message;
  char buffer[16384];
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
  // Carried out only when the client has the answer to wait for.
  if (!command || !WriteAll(connection.get(), std::string_view(&kAccepted, 1), deadline))
    return std::nullopt;
  return command;
}

}  // namespace velto
