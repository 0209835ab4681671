// The lifecycle skeleton, through a fixture module that inserts something at every point.
#include "test_support.h"

#include <gtest/gtest.h>

using test_support::LoadedGauge;
using Calls = std::vector<std::string>;

namespace {

TEST(Skeleton, InstallPublishesNamedVariablesInOrderWithTypeCode19) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    EXPECT_EQ(gauge.take_calls(), (Calls{"register_var_by_name:fixture_copy,19",
                                         "register_var_by_name:fixture_updates,19"}));
    ASSERT_EQ(gauge.services.named_variables().size(), 2u);
    EXPECT_EQ(gauge.named("fixture_updates"), 0);
}

TEST(Skeleton, UpdateRefreshesGlobalsInOrderThenRunsTheGaugesOwnWork) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    gauge.take_calls();
    gauge.services.set_variable(101, 42.0);
    gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
    EXPECT_EQ(gauge.take_calls(), (Calls{"lookup_var:101", "lookup_var:102"}));
    EXPECT_EQ(gauge.named("fixture_copy"), 42); // the per-update work saw the refreshed value
    EXPECT_EQ(gauge.named("fixture_updates"), 1);
}

TEST(Skeleton, FirstDrawRunsTheOneTimeInitialisationOnceEvenBeforeAnyUpdate) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    ASSERT_TRUE(gauge.services.write_named("fixture_updates", 7));
    gauge.instance.send(PANEL_SERVICE_PRE_DRAW);
    EXPECT_EQ(gauge.named("fixture_updates"), 0);

    gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
    gauge.instance.send(PANEL_SERVICE_PRE_UPDATE);
    gauge.instance.send(PANEL_SERVICE_PRE_DRAW);
    EXPECT_EQ(gauge.named("fixture_updates"), 2); // the second draw resets nothing
}

TEST(Skeleton, OtherServiceIdsChangeNothing) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    ASSERT_TRUE(gauge.services.write_named("fixture_updates", 7));
    gauge.take_calls();
    for (std::int32_t id : {0, 1, 3, 5, 7, 8, 9, 11, 13, 100, -1}) {
        gauge.instance.send(id);
        EXPECT_EQ(gauge.take_calls(), Calls{}) << "service id " << id;
        EXPECT_EQ(gauge.named("fixture_updates"), 7) << "service id " << id;
    }
    // None of them was taken for the first draw either.
    gauge.instance.send(PANEL_SERVICE_PRE_DRAW);
    EXPECT_EQ(gauge.named("fixture_updates"), 0);
}

TEST(Skeleton, KillWithdrawsTheNamesInRegistrationOrder) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    gauge.take_calls();
    gauge.instance.kill();
    EXPECT_EQ(gauge.take_calls(), (Calls{"unregister_var_by_name:fixture_copy",
                                         "unregister_var_by_name:fixture_updates"}));
    EXPECT_TRUE(gauge.services.named_variables().empty());
}

TEST(Skeleton, UpdateCallbacksSetTheLitFlagAndLeaveTheOtherStoredFlags) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    for (int i = 0; i < 3; ++i) {
        gauge.instance.frame();
    }
    const auto& elements = gauge.module.elements();
    for (std::size_t i = 1; i < elements.size(); ++i) { // every element but the face has a callback
        EXPECT_EQ(elements[i].element->image_flags, gauge.module.stored_flags()[i] | DRAW_FLAG_LIT)
            << "element " << i + 1;
    }
    EXPECT_EQ(elements[0].element->image_flags, gauge.module.stored_flags()[0]);
}

TEST(Skeleton, ServicesAreSkippedWhileTheHostHasInstalledNoTable) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.module.import_table()->panels.services = nullptr;
    gauge.instance.install();
    gauge.instance.frame();
    gauge.instance.click(15, 15);
    gauge.instance.kill();
    EXPECT_EQ(gauge.take_calls(), Calls{});
}

} // namespace
