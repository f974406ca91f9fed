// Which environments leave Qt a display to open, and the one line a start without one prints.
#include "platform/qt/display_check.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/qt/early_answers.h"

namespace velto {
namespace {

// Probes that reach only the X display ":1" and the Wayland socket "/run/user/1/wayland-0".
DisplayProbes FakeProbes(std::vector<std::string>* asked = nullptr) {
  return {[asked](const std::string& display) {
            if (asked) asked->push_back("x " + display);
            return display == ":1";
          },
          [asked](const std::string& socket) {
            if (asked) asked->push_back("wayland " + socket);
            return socket == "/run/user/1/wayland-0";
          }};
}

TEST(DisplayCheck, EnvironmentsWithAndWithoutADisplay) {
  const struct {
    DisplayEnvironment environment;
    const char* missing;  // nullptr: a display can be opened
  } rows[] = {
      {{"", ":1", "", ""}, nullptr},
      {{"", "", "wayland-0", "/run/user/1"}, nullptr},
      {{"", "", "/run/user/1/wayland-0", ""}, nullptr},
      {{"", ":2", "wayland-0", "/run/user/1"}, nullptr},
      {{"offscreen", "", "", ""}, nullptr},
      {{"vnc:size=800x600", "", "", ""}, nullptr},
      {{"wayland;xcb", ":1", "wayland-9", "/run/user/1"}, nullptr},
      {{"xcb:nograb", ":1", "", ""}, nullptr},
      {{"", "", "", ""}, "no display: neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {{"xcb", "", "wayland-0", "/run/user/1"}, "no display: DISPLAY is not set"},
      {{"wayland", ":1", "", ""}, "no display: WAYLAND_DISPLAY is not set"},
      {{"", ":2", "", ""}, "cannot open the X display \":2\""},
      {{"", "", "wayland-0", ""}, "cannot open the Wayland display \"wayland-0\""},
      {{"", ":2", "wayland-1", "/run/user/1"},
       "cannot open the X display \":2\" or the Wayland display \"wayland-1\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.environment.qt_platform + "|" + row.environment.x_display + "|" +
                 row.environment.wayland_display);
    const auto missing = MissingDisplay(row.environment, FakeProbes());
    if (row.missing == nullptr) {
      EXPECT_FALSE(missing.has_value()) << *missing;
    } else {
      EXPECT_EQ(missing.value_or("(a display)"), row.missing);
    }
  }
}

TEST(DisplayCheck, PlatformArgumentWinsAndVersionNeedsNoDisplay) {
  std::vector<std::string> asked;
  std::ostringstream out, err;
  const char* offscreen[] = {"velto", "-platform", "offscreen"};
  EXPECT_EQ(AnswerBeforeStart(3, offscreen, FakeProbes(&asked), out, err), std::nullopt);

  const char* version[] = {"velto", "--version"};
  EXPECT_EQ(AnswerBeforeStart(2, version, FakeProbes(&asked), out, err), 0);
  EXPECT_TRUE(out.str().starts_with("velto ")) << out.str();
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(asked.empty()) << "no display may be probed for these";
}

}  // namespace
}  // namespace velto
