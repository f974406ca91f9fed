#pragma once
// The parity table: scenarios of what a user does to the search bar and what must follow,
// shared by the front ends' runners (the Qt runner here, the Wine runner in Python), so that a
// divergence between the builds fails a test.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "main/bar_events.h"

namespace velto::test {

struct ParityDrop {
  DropTargetRef target;
  std::optional<std::string> text;
  std::vector<std::filesystem::path> files;
};

// What the window shows after the steps.
struct ParityState {
  std::string query;
  std::vector<std::string> history;
  bool list_open = false;
  // The bar's outer rectangle in screen pixels: left, top, right, bottom.
  std::array<int, 4> window{};
};

// One front end running one scenario, started in a program folder of its own.
class ParityFrontEnd {
 public:
  virtual ~ParityFrontEnd() = default;
  virtual void Type(const std::string& text) = 0;
  virtual void Key(const std::string& name) = 0;  // "Enter", "F3", "Alt+Down", ...
  virtual void Mouse(int button, int mouse_button) = 0;
  virtual void Drop(const ParityDrop& drop) = 0;
  // A later start of the program with these arguments ("--search TEXT", "--focus").
  virtual void StartAgain(const std::string& arguments) = 0;
  // A global key pressed while another program has the selection (empty for the focus key).
  virtual void GlobalKey(bool selection, const std::string& selected) = 0;
  // Answers the message box the bar shows now with OK (a recording stand-in answers at once).
  virtual void AnswerMessage() {}
  // Lets the time pass with the program running (timers, answers from the network).
  virtual void Wait(int milliseconds) = 0;
  virtual ParityState Observe() = 0;
  virtual void Close() = 0;  // the closing steps, as by the window's close box
  virtual std::vector<std::string> Addresses() const = 0;
  // The arguments each start of the recording browser (a scenario's "@RECORDER@") got, after
  // its name, once `expected` starts arrived or time ran out.
  virtual std::vector<std::vector<std::string>> BrowserRuns(std::size_t expected) = 0;
  // The texts of the message boxes shown.
  virtual std::vector<std::string> Messages() const = 0;
  virtual std::filesystem::path Folder() const = 0;
};

using ParityStarter = std::function<std::unique_ptr<ParityFrontEnd>(const std::string& ini_utf8)>;

std::vector<nlohmann::json> ParityScenarios();
// Starts a front end on the scenario's settings, runs its steps and checks every expectation.
void RunParityScenario(const nlohmann::json& scenario, const ParityStarter& start);

}  // namespace velto::test
