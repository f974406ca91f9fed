#include "parity_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "settings/profile_file.h"
#include "support/real_disk.h"
#include "support/temp_folder.h"

namespace velto::test {
namespace {

using nlohmann::json;

const json& Table() {
  static const json table = json::parse(std::ifstream(VELTO_PARITY_TABLE));
  return table;
}

// The scenario's suggestion server: suggestion_server.py on 127.0.0.1, answering each request
// path as the scenario's "server" table says and logging every path asked for.
class SuggestionServer {
 public:
  SuggestionServer(const json& answers, const std::filesystem::path& folder) : folder_(folder) {
    std::ofstream(folder_ / "answers.json") << answers.dump();
    const std::string command = "exec python3 '" + std::string(VELTO_PARITY_SERVER) +
                                "' --answers '" + (folder_ / "answers.json").string() +
                                "' --log '" + Log().string() + "' --port-file '" +
                                (folder_ / "port").string() + "'";
    pipe_ = popen(command.c_str(), "w");
    for (int i = 0; i < 500 && !std::filesystem::exists(folder_ / "port"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~SuggestionServer() {
    if (pipe_) pclose(pipe_);  // its input closes: the server ends
  }
  SuggestionServer(const SuggestionServer&) = delete;
  SuggestionServer& operator=(const SuggestionServer&) = delete;

  std::string Address() const {
    std::string port;
    std::ifstream(folder_ / "port") >> port;
    return "http://127.0.0.1:" + port;
  }
  std::vector<std::string> Requests() const {
    std::vector<std::string> paths;
    std::ifstream log(Log());
    for (std::string line; std::getline(log, line);) paths.push_back(line);
    return paths;
  }

 private:
  std::filesystem::path Log() const { return folder_ / "requests.log"; }
  std::filesystem::path folder_;
  FILE* pipe_ = nullptr;
};

std::string WithServer(std::string text, const std::string& server) {
  for (std::size_t at; (at = text.find("{server}")) != std::string::npos;)
    text.replace(at, 8, server);
  return text;
}

// The base settings with the scenario's laid over them, as velto.ini lines.
std::string IniText(const json& scenario, const std::string& server) {
  json merged = Table()["base"];
  if (scenario.contains("settings"))
    for (const auto& [section, keys] : scenario["settings"].items())
      for (const auto& [key, value] : keys.items()) merged[section][key] = value;
  std::string ini;
  for (const char* section : {"Velto", "SearchData", "History"}) {
    if (!merged.contains(section)) continue;
    ini += std::string("[") + section + "]\r\n";
    for (const auto& [key, value] : merged[section].items())
      ini += key + "=" + WithServer(value.get<std::string>(), server) + "\r\n";
  }
  return ini;
}

DropTargetRef TargetNamed(const std::string& on) {
  if (on == "query") return {DropTargetKind::QueryBox};
  if (on.rfind("button:", 0) == 0) return {DropTargetKind::Button, std::stoi(on.substr(7))};
  return {DropTargetKind::Window};
}

ParityDrop DropOf(const json& step, const std::filesystem::path& folder) {
  ParityDrop drop{TargetNamed(step.value("on", "window")), std::nullopt, {}};
  if (step.contains("text")) drop.text = step["text"].get<std::string>();
  for (const json& file : step.value("files", json::array())) {
    std::string bytes;
    for (const json& line : file["lines"]) bytes += line.get<std::string>() + "\r\n";
    const auto path = folder / "drops" / file["name"].get<std::string>();
    std::filesystem::create_directories(path.parent_path());
    WriteBytes(path, SystemTextCodec().AnsiFromUtf8(bytes));
    drop.files.push_back(path);
  }
  return drop;
}

std::vector<std::string> LogLines(const std::filesystem::path& folder) {
  std::vector<std::string> lines;
  if (!std::filesystem::exists(folder / "log.txt")) return lines;
  const std::string text = SystemTextCodec().Utf8FromAnsi(ReadBytes(folder / "log.txt"));
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

void RunStep(ParityFrontEnd& bar, const json& step) {
  if (step.contains("type")) return bar.Type(step["type"]);
  if (step.contains("key")) return bar.Key(step["key"]);
  if (step.contains("click")) return bar.Mouse(step["click"], kLeftMouseButton);
  if (step.contains("rclick")) return bar.Mouse(step["rclick"], kRightMouseButton);
  if (step.contains("mclick")) return bar.Mouse(step["mclick"], kMiddleMouseButton);
  if (step.contains("drop")) return bar.Drop(DropOf(step["drop"], bar.Folder()));
  if (step.contains("start_again")) return bar.StartAgain(step["start_again"]);
  if (step.contains("message")) return bar.AnswerMessage();
  if (step.contains("wait")) return bar.Wait(step["wait"]);
  if (step.contains("hotkey"))
    return bar.GlobalKey(step["hotkey"] == "selection", step.value("selected", ""));
  ADD_FAILURE() << "unknown step " << step.dump();
}

}  // namespace

std::vector<json> ParityScenarios() {
  return Table()["scenarios"].get<std::vector<json>>();
}

void RunParityScenario(const json& scenario, const ParityStarter& start) {
  const json& expect = scenario["expect"];
  TempFolder server_folder;
  std::optional<SuggestionServer> server;
  if (scenario.contains("server")) server.emplace(scenario["server"], server_folder.path());
  auto bar = start(IniText(scenario, server ? server->Address() : ""));
  for (const json& step : scenario["steps"]) {
    SCOPED_TRACE(step.dump());
    RunStep(*bar, step);
  }
  const ParityState seen = bar->Observe();
  EXPECT_EQ(seen.query, expect["query"].get<std::string>());
  EXPECT_EQ(seen.history, expect["history"].get<std::vector<std::string>>());
  if (expect.contains("list_open")) EXPECT_EQ(seen.list_open, expect["list_open"].get<bool>());
  const json window = expect.value("window", json::object());
  const char* const edges[] = {"left", "top", "right", "bottom"};
  for (std::size_t i = 0; i < seen.window.size(); ++i)
    if (window.contains(edges[i]))
      EXPECT_EQ(seen.window[i], window[edges[i]].get<int>()) << edges[i];
  bar->Close();
  if (server && expect.contains("requests"))
    EXPECT_EQ(server->Requests(), expect["requests"].get<std::vector<std::string>>());
  EXPECT_EQ(bar->Addresses(), expect["addresses"].get<std::vector<std::string>>());
  // Browser starts may finish in any order; what each got is what counts.
  auto runs = expect.value("browser", std::vector<std::vector<std::string>>{});
  auto seen_runs = bar->BrowserRuns(runs.size());
  std::sort(runs.begin(), runs.end());
  std::sort(seen_runs.begin(), seen_runs.end());
  EXPECT_EQ(seen_runs, runs);
  // Each message shown holds its expected fragment.
  const auto fragments = expect.value("messages", std::vector<std::string>{});
  const auto messages = bar->Messages();
  EXPECT_EQ(messages.size(), fragments.size());
  for (std::size_t i = 0; i < std::min(messages.size(), fragments.size()); ++i)
    EXPECT_NE(messages[i].find(fragments[i]), std::string::npos) << messages[i];
  EXPECT_EQ(LogLines(bar->Folder()), expect.value("log", std::vector<std::string>{}));
  const std::string ini = SystemTextCodec().Utf8FromAnsi(ReadBytes(bar->Folder() / "velto.ini"));
  const json stored = expect.value("ini", json::object());
  for (const auto& [section, keys] : stored.items())
    for (const auto& [key, value] : keys.items())
      EXPECT_EQ(ProfileLookup(ini, section, key).value_or("(missing)"), value.get<std::string>())
          << section << " " << key;
}

}  // namespace velto::test
