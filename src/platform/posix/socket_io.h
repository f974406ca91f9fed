#pragma once
// Small waits and transfers on a non-blocking Unix socket, shared by both ends of the command
// socket.
#include <sys/un.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

namespace velto::socket_io {

using Clock = std::chrono::steady_clock;
// No deadline: wait as long as it takes.
inline constexpr Clock::time_point kNever = Clock::time_point::max();

// The bar greets each connection it has taken, then answers a command it will carry out.
inline constexpr char kGreeting = 'V';
inline constexpr char kAccepted = '1';

// The socket address of the path; nothing when the path does not fit one.
std::optional<sockaddr_un> Address(const std::filesystem::path& path);
// Waits for the events on the descriptor until the deadline; false on timeout or error.
bool WaitFor(int fd, short events, Clock::time_point deadline);
bool WriteAll(int fd, std::string_view bytes, Clock::time_point deadline);
// One byte from the connection by the deadline; nothing on timeout, end or error.
std::optional<char> ReadByte(int fd, Clock::time_point deadline);

}  // namespace velto::socket_io
