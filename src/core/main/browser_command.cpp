#include "main/browser_command.h"

namespace velto {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool At(std::string_view text, std::size_t i, char c) {
  return i < text.size() && text[i] == c;
}

// The characters a backslash makes literal inside the quotes of an Exec line.
bool IsExecEscapable(char c) {
  return c == '"' || c == '`' || c == '$' || c == '\\';
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

namespace {

std::optional<std::vector<std::string>> ParseExec(std::string_view command,
                                                  std::string_view address, CommandFault& fault) {
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  bool has_address = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < command.size() && IsExecEscapable(command[i + 1])) {
        current += command[++i];
      } else if (c == '%' && At(command, i + 1, 'u')) {
        fault = CommandFault::AddressInQuotes;  // the address is never part of a quoted text
        return std::nullopt;
      } else if (c == '%' && At(command, i + 1, '%')) {
        current += command[++i];
      } else {
        current += c;
      }
      continue;
    }
    if (IsBlank(c)) {
      if (in_argument) args.push_back(std::move(current));
      current.clear();
      in_argument = false;
      continue;
    }
    in_argument = true;
    if (c == '"') {
      quoted = true;
    } else if (c == '%' && At(command, i + 1, 'u')) {
      if (args.empty()) {
        fault = CommandFault::AddressInProgram;  // the address never names the program
        return std::nullopt;
      }
      current.append(address);
      has_address = true;
      ++i;
    } else if (c == '%' && At(command, i + 1, '%')) {
      current += command[++i];
    } else {
      current += c;
    }
  }
  if (quoted) {
    fault = CommandFault::OpenQuote;
    return std::nullopt;
  }
  if (in_argument) args.push_back(std::move(current));
  if (args.empty() || args.front().empty()) {
    fault = CommandFault::NoProgram;
    return std::nullopt;
  }
  if (!has_address) {
    fault = CommandFault::NoAddress;
    return std::nullopt;
  }
  return args;
}

}  // namespace

std::string QuoteWindowsArgument(std::string_view argument) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

namespace {

std::optional<std::string> ParseWindows(std::string_view command, std::string_view address,
                                        CommandFault& fault) {
  std::size_t start = 0;
  while (start < command.size() && IsBlank(command[start])) ++start;
  // The program name: up to the next quote when quoted, else up to a blank. No escapes here.
  std::size_t end = start;
  if (At(command, start, '"')) {
    end = command.find('"', start + 1);
    if (end == std::string_view::npos || end == start + 1) {
      fault = end == std::string_view::npos ? CommandFault::OpenQuote : CommandFault::NoProgram;
      return std::nullopt;
    }
    ++end;
  } else {
    while (end < command.size() && !IsBlank(command[end])) ++end;
    if (end == start) {
      fault = CommandFault::NoProgram;
      return std::nullopt;
    }
  }
  std::string out;
  for (std::size_t i = start; i < end; ++i) {
    if (command[i] == '%' && At(command, i + 1, 'u')) {
      fault = CommandFault::AddressInProgram;
      return std::nullopt;
    }
    if (command[i] == '%' && At(command, i + 1, '%')) ++i;
    out += command[i];
  }

  bool quoted = false;
  bool has_address = false;
  std::size_t backslashes = 0;
  for (std::size_t i = end; i < command.size(); ++i) {
    const char c = command[i];
    if (c == '\\') {
      ++backslashes;
      out += c;
      continue;
    }
    if (c == '"') {
      // An odd run of backslashes makes the quote literal; an even one leaves it a quote.
      if (backslashes % 2 == 0) quoted = !quoted;
    } else if (c == '%' && At(command, i + 1, 'u')) {
      if (quoted) {
        fault = CommandFault::AddressInQuotes;
        return std::nullopt;
      }
      // Backslashes written just before the address would escape its opening quote.
      out.append(backslashes, '\\');
      out += QuoteWindowsArgument(address);
      has_address = true;
      backslashes = 0;
      ++i;
      continue;
    } else if (c == '%' && At(command, i + 1, '%')) {
      ++i;
    }
    backslashes = 0;
    out += command[i];
  }
  if (quoted || !has_address) {
    fault = quoted ? CommandFault::OpenQuote : CommandFault::NoAddress;
    return std::nullopt;
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> ExecArguments(std::string_view command,
                                                      std::string_view address) {
  CommandFault fault = CommandFault::None;
  return ParseExec(command, address, fault);
}

std::optional<std::string> WindowsCommandLine(std::string_view command, std::string_view address) {
  CommandFault fault = CommandFault::None;
  return ParseWindows(command, address, fault);
}

CommandFault ExecCommandFault(std::string_view command) {
  CommandFault fault = CommandFault::None;
  ParseExec(command, "", fault);
  return fault;
}

CommandFault WindowsCommandFault(std::string_view command) {
  CommandFault fault = CommandFault::None;
  ParseWindows(command, "", fault);
  return fault;
}

CommandFault BrowserCommandFault(std::string_view command) {
#ifdef _WIN32
  return WindowsCommandFault(command);
#else
  return ExecCommandFault(command);
#endif
}

std::optional<std::string> HandlerCommandLine(std::string_view handler, std::string_view address) {
  std::string out;
  bool placed = false;
  for (std::size_t i = 0; i < handler.size(); ++i) {
    const char c = handler[i];
    if (c == '%' && At(handler, i + 1, '*')) {
      ++i;
      continue;
    }
    const bool address_code =
        c == '%' && (At(handler, i + 1, '1') || At(handler, i + 1, 'L') || At(handler, i + 1, 'l'));
    if (!address_code) {
      out += c;
      continue;
    }
    ++i;
    placed = true;
    if (EndsWith(out, "--single-argument ")) {
      out.append(address);
    } else if (!out.empty() && out.back() == '"' && At(handler, i + 1, '"')) {
      out.pop_back();  // "%1": the quotes come with the quoted address
      out += QuoteWindowsArgument(address);
      ++i;
    } else {
      out += QuoteWindowsArgument(address);
    }
  }
  while (!out.empty() && IsBlank(out.back())) out.pop_back();
  if (out.empty()) return std::nullopt;
  if (!placed) out += " " + QuoteWindowsArgument(address);
  return out;
}

}  // namespace velto
