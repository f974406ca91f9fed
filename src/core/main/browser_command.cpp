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

// What a "%" and the character after it stand for, by the field codes of desktop entries.
enum class FieldCode {
  Address,  // %u, %U: the one address (a list of one)
  File,     // %f, %F: a local file's name, which an address is not
  Percent,  // %%: a literal "%"
  Nothing,  // the deprecated codes, and those of a desktop entry this program does not have
  Unknown,  // anything else, or a "%" that ends the command
};

FieldCode CodeAt(std::string_view command, std::size_t percent) {
  if (percent + 1 >= command.size()) return FieldCode::Unknown;
  switch (command[percent + 1]) {
    case 'u':
    case 'U':
      return FieldCode::Address;
    case 'f':
    case 'F':
      return FieldCode::File;
    case '%':
      return FieldCode::Percent;
    case 'd':
    case 'D':
    case 'n':
    case 'N':
    case 'v':
    case 'm':
    case 'i':  // the entry's icon: there is none
    case 'c':  // the entry's name
    case 'k':  // the entry's file
      return FieldCode::Nothing;
    default:
      return FieldCode::Unknown;
  }
}

// The fault of a field code other than the address or "%%"; None for one that expands to nothing.
CommandFault CodeFault(FieldCode code) {
  if (code == FieldCode::File) return CommandFault::FileCode;
  if (code == FieldCode::Unknown) return CommandFault::UnknownCode;
  return CommandFault::None;
}

// The rules every argument keeps, whichever spelling splits the command: one address at most,
// and never an address in an argument written with apostrophes, which quote nothing here.
class ArgumentRules {
 public:
  // A new argument begins.
  void Next() { apostrophe_ = address_here_ = false; }
  void Apostrophe() { apostrophe_ = true; }
  void Address() {
    address_here_ = true;
    ++addresses_;
  }
  bool HasAddress() const { return addresses_ > 0; }
  CommandFault Fault() const {
    if (addresses_ > 1) return CommandFault::SecondAddress;
    if (apostrophe_ && address_here_) return CommandFault::AddressInApostrophes;
    return CommandFault::None;
  }

 private:
  bool apostrophe_ = false;
  bool address_here_ = false;
  int addresses_ = 0;
};

std::optional<std::vector<std::string>> ParseExec(std::string_view command,
                                                  std::string_view address, CommandFault& fault) {
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool kept = false;  // the argument holds more than codes that expand to nothing
  bool quoted = false;
  ArgumentRules rules;
  const auto end_argument = [&] {
    if (in_argument && kept) args.push_back(std::move(current));
    current.clear();
    in_argument = kept = false;
    rules.Next();
  };
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (c == '%') {
      const FieldCode code = CodeAt(command, i);
      if (code == FieldCode::Address) {
        if (quoted) {
          fault = CommandFault::AddressInQuotes;  // the address is never part of a quoted text
          return std::nullopt;
        }
        if (args.empty()) {
          fault = CommandFault::AddressInProgram;  // the address never names the program
          return std::nullopt;
        }
        current.append(address);
        rules.Address();
        kept = true;
      } else if (code == FieldCode::Percent) {
        current += '%';
        kept = true;
      } else if (const CommandFault code_fault = CodeFault(code);
                 code_fault != CommandFault::None) {
        fault = code_fault;
        return std::nullopt;
      }
      in_argument = true;
      ++i;
      if (const CommandFault rule = rules.Fault(); rule != CommandFault::None) {
        fault = rule;
        return std::nullopt;
      }
      continue;
    }
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < command.size() && IsExecEscapable(command[i + 1])) {
        current += command[++i];
      } else {
        current += c;
      }
      continue;
    }
    if (IsBlank(c)) {
      end_argument();
      continue;
    }
    in_argument = kept = true;
    if (c == '"') {
      quoted = true;
      continue;
    }
    if (c == '\'') rules.Apostrophe();
    current += c;
    if (const CommandFault rule = rules.Fault(); rule != CommandFault::None) {
      fault = rule;
      return std::nullopt;
    }
  }
  if (quoted) {
    fault = CommandFault::OpenQuote;
    return std::nullopt;
  }
  end_argument();
  if (args.empty() || args.front().empty()) {
    fault = CommandFault::NoProgram;
    return std::nullopt;
  }
  if (!rules.HasAddress()) {
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
    if (command[i] != '%') {
      out += command[i];
      continue;
    }
    const FieldCode code = CodeAt(command, i++);
    if (code == FieldCode::Address) {
      fault = CommandFault::AddressInProgram;
      return std::nullopt;
    }
    if (code == FieldCode::Percent) out += '%';
    if (const CommandFault code_fault = CodeFault(code); code_fault != CommandFault::None) {
      fault = code_fault;
      return std::nullopt;
    }
  }

  bool quoted = false;
  ArgumentRules rules;
  std::size_t backslashes = 0;
  for (std::size_t i = end; i < command.size(); ++i) {
    const char c = command[i];
    if (c == '\\') {
      ++backslashes;
      out += c;
      continue;
    }
    if (c == '%') {
      const FieldCode code = CodeAt(command, i++);
      if (code == FieldCode::Address) {
        if (quoted) {
          fault = CommandFault::AddressInQuotes;
          return std::nullopt;
        }
        // Backslashes written just before the address would escape its opening quote.
        out.append(backslashes, '\\');
        out += QuoteWindowsArgument(address);
        rules.Address();
      } else if (code == FieldCode::Percent) {
        out += '%';
      } else if (const CommandFault code_fault = CodeFault(code);
                 code_fault != CommandFault::None) {
        fault = code_fault;
        return std::nullopt;
      }
    } else {
      if (c == '"' && backslashes % 2 == 0) {
        // An odd run of backslashes makes the quote literal; an even one leaves it a quote.
        quoted = !quoted;
      } else if (!quoted && IsBlank(c)) {
        rules.Next();
      } else if (!quoted && c == '\'') {
        rules.Apostrophe();
      }
      out += c;
    }
    backslashes = 0;
    if (const CommandFault rule = rules.Fault(); rule != CommandFault::None) {
      fault = rule;
      return std::nullopt;
    }
  }
  if (quoted || !rules.HasAddress()) {
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
