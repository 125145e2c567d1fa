#include "object_tree.h"

#include "joint_parents.h"
#include "text_format.h"

namespace kestrel::panels {
namespace {

class TreeWriter {
public:
    explicit TreeWriter(ObjectTree& tree) : tree_(tree) {}

    int Add(int parent, std::string text)
    {
        ObjectNode node;
        node.text = std::move(text);
        node.parent = parent;
        tree_.nodes.push_back(std::move(node));
        return int(tree_.nodes.size() - 1);
    }

    ObjectNode& Node(int index) { return tree_.nodes[size_t(index)]; }

private:
    ObjectTree& tree_;
};

void AddMeshes(TreeWriter& out, int scene, const std::vector<MeshEntry>& meshes, std::vector<int>& meshNodes)
{
    for (size_t i = 0; i < meshes.size(); ++i) {
        const MeshEntry& m = meshes[i];
        const int item = out.Add(scene, m.name);
        out.Node(item).mesh = int(i);
        out.Node(item).meshHidden = m.hidden;
        meshNodes.push_back(item);
        out.Add(item, FormatText("Vertices: %u", m.vertices));
        out.Add(item, FormatText("Faces: %u", m.faces));
        out.Add(item, FormatText("Normals: %u", m.normals));
        out.Add(item, FormatText("Tex. Coordinates: %u", m.texCoords));
        out.Add(item, FormatText("Materials: %u", m.materials));
    }
}

// Emits the joints in pre-order with an explicit stack: a chain of joints is as deep as
// the joint count.
void AddSkeleton(TreeWriter& out, int scene, const std::vector<JointEntry>& joints)
{
    const int skeleton = out.Add(scene, "Skeleton");
    const std::vector<int> parents = FindJointParents(joints);
    const size_t count = joints.size();

    // Children of every joint in list order, as offsets into one array; slot `count`
    // holds the joints placed directly below "Skeleton".
    std::vector<size_t> first(count + 2, 0);
    auto slotOf = [&](size_t joint) { return parents[joint] == kNoParentJoint ? count : size_t(parents[joint]); };
    for (size_t j = 0; j < count; ++j)
        ++first[slotOf(j) + 1];
    for (size_t s = 1; s < first.size(); ++s)
        first[s] += first[s - 1];
    std::vector<int> children(count);
    std::vector<size_t> fill(first.begin(), first.end() - 1);
    for (size_t j = 0; j < count; ++j)
        children[fill[slotOf(j)]++] = int(j);

    std::vector<int> nodeOf(count, kNoParent);
    std::vector<int> stack;
    stack.reserve(count);
    auto pushChildren = [&](size_t slot) {
        for (size_t k = first[slot + 1]; k-- > first[slot];)
            stack.push_back(children[k]);
    };
    pushChildren(count);
    while (!stack.empty()) {
        const int joint = stack.back();
        stack.pop_back();
        const int parent = parents[size_t(joint)];
        nodeOf[size_t(joint)] = out.Add(parent == kNoParentJoint ? skeleton : nodeOf[size_t(parent)],
                                        joints[size_t(joint)].name);
        pushChildren(size_t(joint));
    }
}

void AddMaterials(TreeWriter& out, int scene, const std::vector<MaterialEntry>& materials)
{
    const int list = out.Add(scene, "Materials");
    for (const MaterialEntry& m : materials) {
        const int item = out.Add(list, m.name);
        out.Add(item, FormatText("Diffuse Map: %s", m.diffuseMap.c_str()));
        out.Add(item, FormatText("Bump Map: %s", m.bumpMap.c_str()));
        out.Add(item, FormatText("Alpha Map: %s", m.alphaMap.c_str()));
        out.Add(item, FormatText("Reflect Map: %s", m.reflectMap.c_str()));
    }
}

} // namespace

ObjectTree BuildObjectTree(const ObjectsInput& input)
{
    ObjectTree tree;
    TreeWriter out(tree);
    switch (input.viewMode) {
    case doc::kImage:
        out.Add(kNoParent, "Image File");
        break;
    case doc::kModel: {
        const int scene = out.Add(kNoParent, "Scene Objects");
        AddMeshes(out, scene, input.meshes, tree.meshNodes);
        if (!input.joints.empty())
            AddSkeleton(out, scene, input.joints);
        if (!input.materials.empty())
            AddMaterials(out, scene, input.materials);
        break;
    }
    default:
        out.Add(kNoParent, "Nothing to display");
        break;
    }
    return tree;
}

} // namespace kestrel::panels
