// Which start the first argument asks for, and the help each system shows.
#include "main/program_info.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace velto {
namespace {

TEST(ProgramInfo, OnlyTheFirstArgumentAsksForVersionOrHelp) {
  const struct {
    std::vector<std::string> args;
    StartRequest request;
  } rows[] = {
      {{}, StartRequest::RunSearchBar},
      {{"--version"}, StartRequest::PrintVersion},
      {{"--help"}, StartRequest::PrintHelp},
      {{"-h"}, StartRequest::PrintHelp},
      {{"/?"}, StartRequest::PrintHelp},
      {{"--version", "--help"}, StartRequest::PrintVersion},
      // The "/D" switch and unknown options leave the search bar to run.
      {{"/D", "--help"}, StartRequest::RunSearchBar},
      {{"/DEBUG"}, StartRequest::RunSearchBar},
      {{"--frobnicate"}, StartRequest::RunSearchBar},
      {{"--VERSION"}, StartRequest::RunSearchBar},
      {{"-version"}, StartRequest::RunSearchBar},
      {{""}, StartRequest::RunSearchBar},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.empty() ? "(none)" : row.args[0]);
    EXPECT_EQ(StartRequestFromArguments(row.args), row.request);
  }
}

TEST(ProgramInfo, VersionLineAndHelpOfEachSystem) {
  EXPECT_TRUE(
      std::regex_match(VersionText("velto"), std::regex("velto [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << VersionText("velto");
  for (const auto system : {HelpSystem::Linux, HelpSystem::Windows}) {
    const std::string help = SearchBarHelpText(system);
    const std::string name = system == HelpSystem::Windows ? "velto.exe" : "velto";
    EXPECT_TRUE(help.starts_with("usage: " + name + " [/D]\n")) << help;
    for (const char* word : {"/D", "--help", "--version", "velto.ini", "32,767", "2 when"}) {
      EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(help.find("XDG_CONFIG_HOME") != std::string::npos, system == HelpSystem::Linux);
  }
}

}  // namespace
}  // namespace velto
