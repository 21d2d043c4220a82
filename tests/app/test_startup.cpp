// The order of the program's services. Nothing is started here: fakes under the real list's
// names show the order both walks take.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/app/startup.h"

TEST(ProgramServicesTest, StartInTheirOrderAndStopInReverse) {
  std::vector<std::string> calls;
  std::vector<ProgramService> fakes;
  for (const ProgramService& service : programServices(StartupSettings{}, 800, 600)) {
    const std::string name(service.name);
    fakes.push_back({service.name, [&calls, name] { calls.push_back("start " + name); },
                     [&calls, name] { calls.push_back("stop " + name); }});
  }
  startServices(fakes);
  stopServices(fakes);
  const std::vector<std::string> expected = {
      "start window", "start textures",   "start console",   "start music",
      "start sound",  "start sound list", "stop sound list", "stop sound",
      "stop music",   "stop console",     "stop textures",   "stop window",
  };
  EXPECT_EQ(calls, expected);
}
