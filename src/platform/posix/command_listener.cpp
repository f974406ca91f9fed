#include "platform/posix/command_listener.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/command_socket_path.h"
#include "platform/posix/socket_io.h"

namespace velto {
namespace {

// How long the bar waits for a greeted client's message; the client writes it at once.
constexpr auto kReceiveWait = std::chrono::seconds(1);

}  // namespace

CommandListener::CommandListener(std::filesystem::path socket_path)
    : path_(std::move(socket_path)) {
  const auto address = socket_io::Address(path_);
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
  using namespace socket_io;
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
