#include "joint_parents.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace kestrel::panels {
namespace {

// Names are 8-bit text in an unknown code page, so only ASCII letters are folded.
std::string FoldCase(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

enum VisitState : unsigned char { kUnvisited, kOnPath, kDone };

// Parent links form chains that end at a root or run into a cycle; each cycle is cut at
// its earliest joint. Every joint is walked once.
void BreakCycles(std::vector<int>& parents)
{
    std::vector<VisitState> state(parents.size(), kUnvisited);
    std::vector<int> path;
    for (size_t start = 0; start < parents.size(); ++start) {
        path.clear();
        int at = int(start);
        while (at != kNoParentJoint && state[size_t(at)] == kUnvisited) {
            state[size_t(at)] = kOnPath;
            path.push_back(at);
            at = parents[size_t(at)];
        }
        if (at != kNoParentJoint && state[size_t(at)] == kOnPath) {
            // The path from `at` to its end is the cycle.
            int earliest = at;
            for (size_t k = path.size(); k-- > 0 && path[k] != at;)
                earliest = std::min(earliest, path[k]);
            parents[size_t(earliest)] = kNoParentJoint;
        }
        for (int joint : path)
            state[size_t(joint)] = kDone;
    }
}

} // namespace

std::vector<int> FindJointParents(const std::vector<JointEntry>& joints)
{
    std::unordered_map<std::string, int> firstByName;
    firstByName.reserve(joints.size());
    for (size_t i = 0; i < joints.size(); ++i)
        firstByName.emplace(FoldCase(joints[i].name), int(i)); // keeps the first of equal names

    std::vector<int> parents(joints.size(), kNoParentJoint);
    for (size_t i = 0; i < joints.size(); ++i) {
        if (joints[i].parentName.empty())
            continue; // a root, even when some joint has an empty name
        const auto found = firstByName.find(FoldCase(joints[i].parentName));
        if (found != firstByName.end() && found->second != int(i))
            parents[i] = found->second;
    }
    BreakCycles(parents);
    return parents;
}

} // namespace kestrel::panels
