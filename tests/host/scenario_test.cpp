// Scenario lines, as files and the command line give them.
#include "errors.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(Scenario, ReadsEveryCommand) {
    std::istringstream text("# the clock at ten past ten\n"
                            "name 10:10:30\n"
                            "frames 3\n"
                            "var 3 10.17   # hours\n"
                            "named movement 4294967295\n"
                            "at 2 click 30 240\n"
                            "at 3 hold 5 6 7\n"
                            "service -1\n");
    const host::Scenario scenario = host::read_scenario(text, "test");
    EXPECT_EQ(scenario.name, "10:10:30");
    EXPECT_EQ(scenario.frames, 3);
    ASSERT_EQ(scenario.steps.size(), 5u);
    EXPECT_EQ(scenario.steps[0].token, 3u);
    EXPECT_DOUBLE_EQ(scenario.steps[0].value, 10.17);
    EXPECT_EQ(scenario.steps[1].named_value, -1); // all 32 bits set
    EXPECT_EQ(scenario.steps[2].frame, 2);
    EXPECT_EQ(scenario.steps[2].x, 30);
    EXPECT_EQ(scenario.steps[3].repeats, 7);
    EXPECT_EQ(scenario.steps[4].service_id, -1);
    EXPECT_EQ(scenario.summary(),
              "3=10.17 movement=-1 @2:click(30,240) @3:click(5,6) service -1 3 frames");
}

TEST(Scenario, RefusesBadLinesNamingWhere) {
    const char* bad_lines[] = {
        "var three 1",  "var 3",     "var 3 ten", "named x 99999999999", "click 1", "at 0 var 3 1",
        "at x var 3 1", "frames -1", "jump 3",    "service 3 4",
    };
    for (const char* line : bad_lines) {
        host::Scenario scenario;
        try {
            scenario.add_line(line, "place:7");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const host::UsageError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("place:7: ", 0), 0u) << error.what();
        }
    }
}

} // namespace
