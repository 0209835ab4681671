// Binding to the sound module, run three times by ctest: with the test double found by the
// library search (SoundPresent), with nothing found (SoundAbsent), and with a double that lacks
// "TerminateSounds" (SoundWithoutTerminate).
#include "test_support.h"

#include <gtest/gtest.h>

using test_support::LoadedGauge;
using test_support::reset_sound_counts;
using test_support::sound_counts;
using test_support::sound_module_loaded;

namespace {

struct Counts {
    int loads, releases, terminate_calls;
    bool operator==(const Counts&) const = default;
};

Counts counts() {
    const SOUND_DOUBLE_COUNTS& c = sound_counts();
    return {c.loads, c.releases, c.terminate_calls};
}

void run_updates(LoadedGauge& gauge, int updates) {
    for (int i = 0; i < updates; ++i) {
        gauge.instance.frame();
    }
}

class SoundPresent : public ::testing::Test {
  protected:
    void SetUp() override { reset_sound_counts(); }
};
class SoundAbsent : public SoundPresent {};
class SoundWithoutTerminate : public SoundPresent {};

TEST_F(SoundPresent, OneRunLoadsOnceTerminatesOnceReleasesOnce) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    EXPECT_FALSE(sound_module_loaded());
    gauge.instance.initialize();
    EXPECT_TRUE(sound_module_loaded());
    run_updates(gauge, 5);
    EXPECT_EQ(counts(), (Counts{1, 0, 0}));
    gauge.instance.kill();
    EXPECT_EQ(counts(), (Counts{1, 1, 1}));
    EXPECT_FALSE(sound_module_loaded());
    EXPECT_EQ(sound_counts().play_calls + sound_counts().stop_calls, 0);
}

TEST_F(SoundPresent, NamesAreWithdrawnAfterTheSoundModuleIsReleased) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    std::vector<int> releases_at_withdrawal;
    gauge.services.observe([&](const host::ServiceCall& call) {
        if (call.kind == host::ServiceCall::Kind::unregister_var_by_name) {
            releases_at_withdrawal.push_back(sound_counts().releases);
        }
    });
    gauge.instance.install();
    gauge.instance.initialize();
    run_updates(gauge, 1);
    gauge.instance.kill();
    EXPECT_EQ(releases_at_withdrawal, (std::vector<int>{1, 1}));
}

TEST_F(SoundPresent, InstancesSharingTheModuleShareOneBinding) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    host::GaugeInstance second(gauge.module, gauge.services);
    gauge.instance.install();
    second.install();
    gauge.instance.initialize();
    second.initialize();
    run_updates(gauge, 2);
    second.frame();
    EXPECT_EQ(counts(), (Counts{1, 0, 0}));
    gauge.instance.kill(); // releases the one reference; the other instance loads again
    second.frame();
    second.kill();
    EXPECT_EQ(counts(), (Counts{2, 2, 2}));
    EXPECT_FALSE(sound_module_loaded());
}

TEST_F(SoundPresent, ALibraryLoadedByAnotherModuleIsNotReleasedUnderIt) {
    void* other = test_support::load_library_file(SOUND_DOUBLE);
    ASSERT_NE(other, nullptr);
    {
        LoadedGauge gauge(SKELETON_FIXTURE);
        gauge.instance.install();
        gauge.instance.initialize(); // takes a reference of its own
        run_updates(gauge, 3);
        gauge.instance.kill(); // and drops only that one
    }
    EXPECT_TRUE(sound_module_loaded());
    EXPECT_EQ(counts(), (Counts{1, 0, 1}));
    test_support::release_library(other);
    EXPECT_EQ(counts(), (Counts{1, 1, 1}));
}

TEST_F(SoundPresent, TheClockNeverBindsTheSoundModule) {
    LoadedGauge gauge(MODULE_QX_Classic_Timepiece);
    gauge.instance.install();
    gauge.instance.initialize();
    run_updates(gauge, 3);
    gauge.instance.kill();
    EXPECT_EQ(counts(), (Counts{0, 0, 0}));
    EXPECT_FALSE(sound_module_loaded());
}

TEST_F(SoundAbsent, AGaugeRunsThroughItsLifeWithoutTheSoundModule) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.services.set_variable(101, 3.0);
    gauge.instance.install();
    gauge.instance.initialize();
    run_updates(gauge, 10);
    EXPECT_EQ(gauge.named("fixture_copy"), 3);
    gauge.instance.kill();
    EXPECT_EQ(counts(), (Counts{0, 0, 0}));
}

// The module's own load failed; later another module loads the library. The gauge uses it
// and terminates its sounds, but must not release a reference it never took.
TEST_F(SoundAbsent, ALibraryFoundLoadedLaterIsUsedButNotReleased) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    gauge.instance.initialize();
    run_updates(gauge, 2);
    void* other = test_support::load_library_file(SOUND_DOUBLE);
    ASSERT_NE(other, nullptr);
    run_updates(gauge, 2);
    gauge.instance.kill();
    EXPECT_EQ(counts(), (Counts{1, 0, 1}));
    EXPECT_TRUE(sound_module_loaded());
    test_support::release_library(other);
    EXPECT_EQ(counts(), (Counts{1, 1, 1}));
}

TEST_F(SoundWithoutTerminate, NothingIsCalledAndTheReferenceIsStillReleased) {
    LoadedGauge gauge(SKELETON_FIXTURE);
    gauge.instance.install();
    gauge.instance.initialize();
    run_updates(gauge, 3);
    gauge.instance.kill();
    EXPECT_EQ(counts(), (Counts{1, 1, 0}));
    EXPECT_FALSE(sound_module_loaded());
}

} // namespace
