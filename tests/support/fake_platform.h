#pragma once
// A recording stand-in for the system services: what the shell was asked to open and which
// message boxes were shown, with a program folder that is a real folder chosen by the test.
#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "main/browser_command.h"
#include "ports/platform.h"

namespace velto::test {

class FakePlatform : public Platform {
 public:
  struct ShellCall {
    WindowRole owner;
    std::string address;
    bool operator==(const ShellCall&) const = default;
  };
  // A browser command started for an address.
  struct CommandCall {
    std::string command;
    std::string address;
    bool operator==(const CommandCall&) const = default;
  };
  struct Message {
    WindowRole owner;
    std::string text;
    std::string caption;
    MessageButtons buttons;
    bool waited = true;  // false for a notice, shown without waiting for its answer
  };

  explicit FakePlatform(std::filesystem::path folder = {}) : program_folder(std::move(folder)) {}

  // What the test sets.
  std::filesystem::path program_folder;
  std::filesystem::path help_folder;  // empty: Help.html in the program folder
  std::string command_line;
  // Answers for the next message boxes, in order; Ok once they run out.
  std::deque<MessageAnswer> answers;
  // Whether browser commands start; a command the core's rules refuse never does.
  bool commands_start = true;

  // What the code under test asked for.
  std::vector<ShellCall> shell_calls;
  std::vector<CommandCall> command_calls;
  std::vector<Message> messages;

  // The addresses opened, in order, whoever owned them.
  std::vector<std::string> OpenedAddresses() const {
    std::vector<std::string> out;
    for (const auto& call : shell_calls) out.push_back(call.address);
    return out;
  }

  FilePath ProgramFolder() const override { return program_folder; }
  FilePath HelpFolder() const override {
    return help_folder.empty() ? program_folder : help_folder;
  }
  std::string CommandLine() const override { return command_line; }
  void OpenWithShell(WindowRole owner, const std::string& address) override {
    shell_calls.push_back({owner, address});
  }
  bool OpenWithCommand(WindowRole, const std::string& command,
                       const std::string& address) override {
    if (!commands_start || !ExecArguments(command, address)) return false;
    command_calls.push_back({command, address});
    return true;
  }
  MessageAnswer ShowMessage(WindowRole owner, const std::string& text, const std::string& caption,
                            MessageButtons buttons) override {
    messages.push_back({owner, text, caption, buttons});
    if (answers.empty()) return MessageAnswer::Ok;
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowNotice(WindowRole owner, const std::string& text, const std::string& caption) override {
    messages.push_back({owner, text, caption, MessageButtons::Ok, false});
  }

  // Engine sources that give what the test set, and record the files asked for.
  struct Sources final : EngineSources {
    FoundEngines in_browsers;
    FoundEngines description = FoundEngines::Failure("not an OpenSearch description");
    std::vector<FilePath> descriptions_read;
    FoundEngines FindInBrowsers() override { return in_browsers; }
    FoundEngines ReadDescription(const FilePath& file) override {
      descriptions_read.push_back(file);
      return description;
    }
  };
  Sources sources;
  // The choices shown, and the answer to the next one: nullopt declines, else one flag per row
  // (rows beyond the flags given are taken).
  std::vector<EngineChoice> choices;
  std::optional<std::vector<bool>> choice_answer = std::vector<bool>{};

  EngineSources& Engines() override { return sources; }
  std::optional<std::vector<bool>> ChooseEngines(WindowRole, const EngineChoice& choice) override {
    choices.push_back(choice);
    if (!choice_answer) return std::nullopt;
    std::vector<bool> chosen = *choice_answer;
    chosen.resize(choice.rows.size(), true);
    return chosen;
  }
};

}  // namespace velto::test
