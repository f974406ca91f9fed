#include "platform/posix/command_client.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/command_socket_path.h"
#include "platform/posix/socket_io.h"
#include "platform/posix/unique_fd.h"

namespace velto {

HandOverTry TrySendBarCommand(const std::filesystem::path& socket_path, const std::string& message,
                              std::chrono::milliseconds greeting_wait) {
  using namespace socket_io;
  using Outcome = HandOverTry::Outcome;
  const auto address = Address(socket_path);
  if (!address) return {Outcome::Refused, "the socket path is too long: " + socket_path.native()};
  // A folder someone else controls could hold anyone's socket; the query is not sent there.
  if (auto problem = PrivateFolderProblem(socket_path.parent_path()))
    return {Outcome::Refused, *problem};
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid()) return {Outcome::Refused, std::string("no socket: ") + std::strerror(errno)};
  if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
    const int error = errno;
    const Outcome outcome = error == ENOENT || error == ECONNREFUSED || error == EAGAIN
                                ? Outcome::NobodyListening
                                : Outcome::Refused;
    return {outcome, "cannot reach the running search bar (" + socket_path.native() +
                         "): " + std::strerror(error)};
  }
  if (ReadByte(fd.get(), Clock::now() + greeting_wait) != kGreeting)
    return {Outcome::Refused,
            "the running search bar does not answer (" + socket_path.native() + ")"};
  if (!WriteAll(fd.get(), message, kNever))
    return {Outcome::Refused, "the running search bar did not take the command"};
  ::shutdown(fd.get(), SHUT_WR);
  if (ReadByte(fd.get(), kNever) != kAccepted)
    return {Outcome::Refused, "the running search bar did not take the command"};
  return {Outcome::Taken, {}};
}

}  // namespace velto
