#include <gtest/gtest.h>

#include <vector>

#include "mesh_selection.h"
#include "model_mesh_flags.h"
#include "nimbus/model.h"

namespace kestrel::panels {
namespace {

// Flags in a vector; touching a mesh that does not exist fails the test.
class FlagVector : public MeshFlags {
public:
    explicit FlagVector(std::vector<unsigned char> flags) : flags_(std::move(flags)) {}
    int Count() const override { return int(flags_.size()); }
    unsigned char Get(int mesh) const override { return flags_.at(size_t(mesh)); }
    void Set(int mesh, unsigned char flag, bool on) override
    {
        unsigned char& f = flags_.at(size_t(mesh));
        f = on ? (f | flag) : (f & ~flag);
    }
    const std::vector<unsigned char>& All() const { return flags_; }

private:
    std::vector<unsigned char> flags_;
};

constexpr unsigned char kSel = kMeshSelected;
constexpr unsigned char kHid = kMeshHidden;

TEST(MeshSelection, SelectingAnItemMakesItTheOnlySelectedMesh)
{
    FlagVector flags({kSel, 0, kSel, 0});
    std::vector<int> selection = {0, 2};
    EXPECT_TRUE(SelectMeshItem(flags, selection, 3));
    EXPECT_EQ(selection, std::vector<int>{3});
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{0, 0, 0, kSel}));

    // Again on the same mesh: still only it.
    EXPECT_TRUE(SelectMeshItem(flags, selection, 3));
    EXPECT_EQ(selection, std::vector<int>{3});
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{0, 0, 0, kSel}));
}

TEST(MeshSelection, HiddenOrMissingMeshesAreNotSelected)
{
    FlagVector flags({kSel, kHid});
    std::vector<int> selection = {0};
    EXPECT_FALSE(SelectMeshItem(flags, selection, 1));
    EXPECT_FALSE(SelectMeshItem(flags, selection, 2));
    EXPECT_FALSE(SelectMeshItem(flags, selection, -1));
    EXPECT_EQ(selection, std::vector<int>{0});
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{kSel, kHid}));
}

TEST(MeshSelection, ASelectionLeftFromALargerModelIsReplacedSafely)
{
    FlagVector flags({0, 0});
    std::vector<int> selection = {5, -3, 1};
    EXPECT_TRUE(SelectMeshItem(flags, selection, 0));
    EXPECT_EQ(selection, std::vector<int>{0});
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{kSel, 0}));
}

TEST(MeshSelection, TogglingHidesAVisibleMeshAndShowsAndSelectsAHiddenOne)
{
    FlagVector flags({kSel, 0});
    std::vector<int> selection = {0};

    ToggleOutcome hid = ToggleMeshItem(flags, selection, 1);
    EXPECT_TRUE(hid.changed);
    EXPECT_FALSE(hid.shown);
    EXPECT_FALSE(hid.focusItem);
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{kSel, kHid}));
    EXPECT_EQ(selection, std::vector<int>{0});
    EXPECT_FALSE(SelectMeshItem(flags, selection, 1));

    ToggleOutcome shown = ToggleMeshItem(flags, selection, 1);
    EXPECT_TRUE(shown.changed);
    EXPECT_TRUE(shown.shown);
    EXPECT_TRUE(shown.focusItem);
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{0, kSel}));
    EXPECT_EQ(selection, std::vector<int>{1});

    EXPECT_FALSE(ToggleMeshItem(flags, selection, 2).changed);
    EXPECT_EQ(flags.All(), (std::vector<unsigned char>{0, kSel}));
}

TEST(MeshSelection, EngineModelFlagsFollowTheRules)
{
    CModel model;
    model.mMeshes.resize(3);
    ModelMeshFlags flags(model);
    std::vector<int> selection;
    ASSERT_EQ(flags.Count(), 3);

    EXPECT_TRUE(SelectMeshItem(flags, selection, 2));
    EXPECT_EQ(model.GetMeshFlag(2), SK_MESH_SELECTED);
    ToggleMeshItem(flags, selection, 0);
    EXPECT_EQ(model.GetMeshFlag(0), SK_MESH_HIDDEN);
    EXPECT_FALSE(SelectMeshItem(flags, selection, 0));
    EXPECT_EQ(selection, std::vector<int>{2});
    ToggleMeshItem(flags, selection, 0);
    EXPECT_EQ(model.GetMeshFlag(0), SK_MESH_SELECTED);
    EXPECT_EQ(model.GetMeshFlag(2), 0);
    EXPECT_EQ(selection, std::vector<int>{0});
}

} // namespace
} // namespace kestrel::panels
