#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model_objects.h"
#include "nimbus/model.h"
#include "object_tree.h"

namespace kestrel::panels {
namespace {

// The tree as indented lines, two spaces a level, in pre-order.
std::vector<std::string> Outline(const ObjectTree& tree)
{
    std::vector<std::string> lines;
    std::vector<int> depth(tree.nodes.size(), 0);
    for (size_t i = 0; i < tree.nodes.size(); ++i) {
        const int parent = tree.nodes[i].parent;
        EXPECT_LT(parent, int(i)) << "a parent comes before its children";
        depth[i] = parent == kNoParent ? 0 : depth[size_t(parent)] + 1;
        lines.push_back(std::string(size_t(depth[i]) * 2, ' ') + tree.nodes[i].text);
    }
    return lines;
}

ObjectsInput ModelWith(std::vector<JointEntry> joints)
{
    ObjectsInput input;
    input.viewMode = doc::kModel;
    input.joints = std::move(joints);
    return input;
}

// The rows of the skeleton only, "Skeleton" itself at depth 0.
std::vector<std::string> SkeletonOutline(const std::vector<JointEntry>& joints)
{
    std::vector<std::string> lines = Outline(BuildObjectTree(ModelWith(joints)));
    lines.erase(lines.begin()); // "Scene Objects"
    for (std::string& line : lines)
        line.erase(0, 2);
    return lines;
}

TEST(ObjectTree, ImageAndEmptyDocumentsShowOneItem)
{
    ObjectsInput input;
    input.meshes.push_back({"ignored"});
    input.viewMode = doc::kImage;
    EXPECT_EQ(Outline(BuildObjectTree(input)), std::vector<std::string>{"Image File"});
    input.viewMode = doc::kEmpty;
    EXPECT_EQ(Outline(BuildObjectTree(input)), std::vector<std::string>{"Nothing to display"});
    input.viewMode = doc::ViewMode(7);
    EXPECT_EQ(Outline(BuildObjectTree(input)), std::vector<std::string>{"Nothing to display"});
    EXPECT_TRUE(BuildObjectTree(input).meshNodes.empty());
}

TEST(ObjectTree, EngineModelGivesEveryRowWithCaseDifferingParent)
{
    CModel model;
    model.mMeshes.resize(2);
    model.mMeshes[0].SetName("Body");
    model.mMeshes[0].mVertices.resize(8);
    model.mMeshes[0].mTriangles.resize(12);
    model.mMeshes[0].mNormals.resize(6);
    model.mMeshes[0].mTexCoords.resize(4);
    model.mMeshes[0].mBatches.resize(2);
    model.mMeshes[1].SetName("Arm");
    model.mMeshes[1].mFlags = SK_MESH_HIDDEN;
    model.mJoints.resize(3);
    model.mJoints[0].SetName("Root");
    model.mJoints[1].SetName("Elbow");
    model.mJoints[1].SetParentName("rOOT");
    model.mJoints[2].SetName("Hand");
    model.mJoints[2].SetParentName("ELBOW");
    model.mMaterials.resize(1);
    std::strcpy(model.mMaterials[0].mName, "Skin");
    model.mMaterials[0].mDiffuseTex.SetFileName(u"skin.png");
    model.mMaterials[0].mAlphaTex.SetFileName(u"textures/sk\u00e9n.tga");

    const ObjectTree tree = BuildObjectTree(ObjectsFromModel(model, doc::kModel));
    const std::vector<std::string> expected = {
        "Scene Objects",
        "  Body",
        "    Vertices: 8",
        "    Faces: 12",
        "    Normals: 6",
        "    Tex. Coordinates: 4",
        "    Materials: 2",
        "  Arm",
        "    Vertices: 0",
        "    Faces: 0",
        "    Normals: 0",
        "    Tex. Coordinates: 0",
        "    Materials: 0",
        "  Skeleton",
        "    Root",
        "      Elbow",
        "        Hand",
        "  Materials",
        "    Skin",
        "      Diffuse Map: skin.png",
        "      Bump Map: ",
        "      Alpha Map: textures/sk\xc3\xa9n.tga",
        "      Reflect Map: ",
    };
    EXPECT_EQ(Outline(tree), expected);
    ASSERT_EQ(tree.meshNodes.size(), 2u);
    EXPECT_EQ(tree.nodes[size_t(tree.meshNodes[0])].mesh, 0);
    EXPECT_EQ(tree.nodes[size_t(tree.meshNodes[1])].text, "Arm");
    EXPECT_EQ(tree.nodes[size_t(tree.meshNodes[1])].mesh, 1);
    EXPECT_TRUE(tree.nodes[size_t(tree.meshNodes[1])].meshHidden);
    EXPECT_FALSE(tree.nodes[size_t(tree.meshNodes[0])].meshHidden);
    for (const ObjectNode& node : tree.nodes) {
        if (node.text.rfind("Vertices", 0) == 0 || node.text == "Skeleton" || node.text == "Root") {
            EXPECT_EQ(node.mesh, kNoMesh);
        }
    }
}

TEST(ObjectTree, NoSkeletonOrMaterialsItemWhenTheModelHasNone)
{
    CModel model;
    model.mMeshes.resize(1);
    model.mMeshes[0].SetName("Only");
    const std::vector<std::string> rows = Outline(BuildObjectTree(ObjectsFromModel(model, doc::kModel)));
    ASSERT_EQ(rows.size(), 7u);
    for (const std::string& row : rows) {
        EXPECT_NE(row, "  Skeleton");
        EXPECT_NE(row, "  Materials");
    }

    ObjectsInput empty;
    empty.viewMode = doc::kModel;
    EXPECT_EQ(Outline(BuildObjectTree(empty)), std::vector<std::string>{"Scene Objects"});
}

TEST(ObjectTree, NamesKeepTheirBytes)
{
    CModel model;
    model.mMeshes.resize(1);
    // A name field filled to its end without a terminator is read up to its size.
    std::memset(model.mMeshes[0].mName, 'n', sizeof(model.mMeshes[0].mName));
    model.mJoints.resize(1);
    model.mJoints[0].SetName("\xff\x01%s%n\xc3");
    const ObjectTree tree = BuildObjectTree(ObjectsFromModel(model, doc::kModel));
    EXPECT_EQ(tree.nodes[size_t(tree.meshNodes[0])].text, std::string(sizeof(model.mMeshes[0].mName), 'n'));
    EXPECT_EQ(tree.nodes.back().text, "\xff\x01%s%n\xc3");

    ObjectsInput input;
    input.viewMode = doc::kModel;
    input.materials.push_back({"m", "%s%n", "", "", ""});
    EXPECT_EQ(BuildObjectTree(input).nodes[3].text, "Diffuse Map: %s%n");
}

TEST(JointHierarchy, ParentsAreFoundWhereverTheyStand)
{
    // A parent listed after its child; equal names take the first joint of that name.
    EXPECT_EQ(SkeletonOutline({{"Hand", "arm"}, {"Arm", ""}, {"ARM", ""}, {"Finger", "HAND"}}),
              (std::vector<std::string>{"Skeleton", "  Arm", "    Hand", "      Finger", "  ARM"}));
    // Unknown parents, a joint naming itself and an empty parent name go below "Skeleton".
    EXPECT_EQ(SkeletonOutline({{"A", "nowhere"}, {"B", "b"}, {"", ""}, {"C", ""}}),
              (std::vector<std::string>{"Skeleton", "  A", "  B", "  ", "  C"}));
}

TEST(JointHierarchy, CyclesAreCutAtTheirEarliestJoint)
{
    EXPECT_EQ(SkeletonOutline({{"Tail", "B"}, {"A", "B"}, {"B", "C"}, {"C", "a"}}),
              (std::vector<std::string>{"Skeleton", "  A", "    C", "      B", "        Tail"}));
    // Two joints naming each other, beside an ordinary root.
    EXPECT_EQ(SkeletonOutline({{"Root", ""}, {"X", "y"}, {"Y", "x"}}),
              (std::vector<std::string>{"Skeleton", "  Root", "  X", "    Y"}));
}

TEST(JointHierarchy, LongChainListedBackwardsKeepsEveryJoint)
{
    constexpr int kJoints = 65535;
    std::vector<JointEntry> joints(kJoints);
    for (int i = 0; i < kJoints; ++i) {
        joints[size_t(i)].name = "j" + std::to_string(i);
        if (i + 1 < kJoints)
            joints[size_t(i)].parentName = "J" + std::to_string(i + 1);
    }
    const ObjectTree tree = BuildObjectTree(ModelWith(joints));
    ASSERT_EQ(tree.nodes.size(), size_t(kJoints) + 2);
    // Pre-order of a chain: the last joint first, each one below the one before it.
    EXPECT_EQ(tree.nodes[2].text, "j65534");
    EXPECT_EQ(tree.nodes[2].parent, 1);
    for (size_t n = 3; n < tree.nodes.size(); ++n)
        ASSERT_EQ(tree.nodes[n].parent, int(n) - 1);
    EXPECT_EQ(tree.nodes.back().text, "j0");
}

} // namespace
} // namespace kestrel::panels
