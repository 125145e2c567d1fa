#include <gtest/gtest.h>

#include "command_registry.h"

using kestrel::commands::CCommandRegistry;
using kestrel::commands::CommandHandler;

namespace {
const char kOwnerA = 'a', kOwnerB = 'b';
constexpr int kFirst = 33000, kSecond = 33001, kThird = 33002;
} // namespace

TEST(CommandRegistry, RunsOnlyWhatIsRegisteredAndEnabledNow)
{
    CCommandRegistry registry;
    EXPECT_FALSE(registry.State(kFirst).enabled);
    EXPECT_FALSE(registry.Run(kFirst));

    int runs = 0;
    bool allowed = true, checked = false;
    registry.Register(kFirst, &kOwnerA,
                      CommandHandler{[&] { ++runs; }, [&] { return allowed; }, [&] { return checked; }});
    EXPECT_TRUE(registry.State(kFirst).enabled);
    EXPECT_FALSE(registry.State(kFirst).checked);
    EXPECT_TRUE(registry.Run(kFirst));
    EXPECT_EQ(runs, 1);

    // A button or key whose state is stale cannot get past the rule.
    allowed = false;
    checked = true;
    EXPECT_FALSE(registry.Run(kFirst));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(registry.State(kFirst).enabled, false);
    EXPECT_EQ(registry.State(kFirst).checked, true);

    // No rules: always enabled, never checked.
    registry.Register(kSecond, &kOwnerA, CommandHandler{[&] { ++runs; }, {}, {}});
    EXPECT_TRUE(registry.State(kSecond).enabled);
    EXPECT_FALSE(registry.State(kSecond).checked);
}

TEST(CommandRegistry, OwnersComeAndGoWithTheirOwnIdsOnly)
{
    CCommandRegistry registry;
    int a = 0, b = 0;
    registry.Register(kFirst, &kOwnerA, CommandHandler{[&] { ++a; }, {}, {}});
    registry.Register(kSecond, &kOwnerA, CommandHandler{[&] { ++a; }, {}, {}});
    registry.Register(kThird, &kOwnerB, CommandHandler{[&] { ++b; }, {}, {}});
    // A later feature takes over an id.
    registry.Register(kSecond, &kOwnerB, CommandHandler{[&] { ++b; }, {}, {}});
    EXPECT_EQ(registry.Ids(), (std::vector<int>{kFirst, kSecond, kThird}));
    registry.Run(kSecond);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);

    registry.Unregister(&kOwnerA);
    EXPECT_FALSE(registry.Has(kFirst));
    EXPECT_TRUE(registry.Has(kSecond));
    EXPECT_TRUE(registry.Has(kThird));
    EXPECT_EQ(registry.Ids(), (std::vector<int>{kSecond, kThird}));
    registry.Unregister(&kOwnerB);
    EXPECT_TRUE(registry.Ids().empty());
}

TEST(CommandRegistry, ACommandMayRemoveItsOwnHandlerWhileItRuns)
{
    // Closing a document from one of its own commands takes its handlers away mid-run.
    CCommandRegistry registry;
    int runs = 0;
    registry.Register(kFirst, &kOwnerA, CommandHandler{[&] {
                                            registry.Unregister(&kOwnerA);
                                            ++runs;
                                        },
                                                       {}, {}});
    EXPECT_TRUE(registry.Run(kFirst));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(registry.Run(kFirst));
}

TEST(CommandRegistry, WhileSuspendedOnlyTheMarkedCommandsRun)
{
    CCommandRegistry registry;
    int runs = 0, exits = 0;
    registry.Register(kFirst, &kOwnerA, CommandHandler{[&] { ++runs; }, {}, [] { return true; }});
    registry.Register(kSecond, &kOwnerA, CommandHandler{[&] { ++exits; }, {}, {}, true});
    registry.Register(kThird, &kOwnerA, CommandHandler{[] {}, [] { return false; }, {}, true});
    registry.SetSuspended(true);
    EXPECT_FALSE(registry.State(kFirst).enabled);
    EXPECT_TRUE(registry.State(kFirst).checked); // the mark still says what is on
    EXPECT_FALSE(registry.Run(kFirst));
    EXPECT_TRUE(registry.Run(kSecond));
    EXPECT_FALSE(registry.State(kThird).enabled); // its own rule still holds
    registry.SetSuspended(false);
    EXPECT_TRUE(registry.Run(kFirst));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(exits, 1);
}
