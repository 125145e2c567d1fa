#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "allocation_probe.h"
#include "nimbus/model_records.h"

using kestrel::test::AllocationProbe;

namespace {

// Counts the live instances, and throws on the copy that brings the copies made to a limit.
struct Tracked {
    static inline int live = 0;
    static inline int copies = 0;
    static inline int copyLimit = -1;

    int value = 7;
    Tracked() { ++live; }
    explicit Tracked(int v) : value(v) { ++live; }
    Tracked(const Tracked& other) : value(other.value)
    {
        if (copyLimit >= 0 && copies >= copyLimit)
            throw std::runtime_error("copy refused");
        ++copies;
        ++live;
    }
    Tracked& operator=(const Tracked&) = default;
    virtual ~Tracked() { --live; }
};

class OwnedArray : public ::testing::Test {
protected:
    void SetUp() override { Tracked::live = Tracked::copies = 0, Tracked::copyLimit = -1; }
    void TearDown() override { EXPECT_EQ(Tracked::live, 0); }
};

std::vector<int> Values(const COwnedArray<Tracked>& a)
{
    std::vector<int> out;
    for (const Tracked& t : a)
        out.push_back(t.value);
    return out;
}

TEST_F(OwnedArray, GrowsShrinksAndEmptiesKeepingItsElements)
{
    COwnedArray<Tracked> a;
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.begin(), a.end());
    for (int i = 0; i < 9; ++i)
        a.emplace_back(i);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    a.resize(11); // new ones default-constructed
    EXPECT_EQ(a[9].value, 7);
    EXPECT_EQ(a[10].value, 7);
    a.resize(3);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Tracked::live, 3);
    a.clear();
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(Tracked::live, 0);
    a.resize(2);
    EXPECT_EQ(Values(a), (std::vector<int>{7, 7}));
}

// An element of the array passed back to it stays valid while the array moves its elements.
TEST_F(OwnedArray, AppendingOneOfItsOwnElementsWhileGrowing)
{
    COwnedArray<Tracked> a;
    a.emplace_back(1);
    a.emplace_back(2);
    while (a.size() < 40)
        a.push_back(a[a.size() - 2]);
    EXPECT_EQ(a[38].value, 1);
    EXPECT_EQ(a[39].value, 2);
}

TEST_F(OwnedArray, CopiesAreDeepAndMovesLeaveTheSourceEmpty)
{
    COwnedArray<Tracked> a;
    a.emplace_back(1);
    a.emplace_back(2);
    COwnedArray<Tracked> b = a;
    b[0].value = 5;
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2}));
    EXPECT_EQ(Values(b), (std::vector<int>{5, 2}));
    COwnedArray<Tracked> c = std::move(b);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(Values(c), (std::vector<int>{5, 2}));
    a = c;
    a = a;
    EXPECT_EQ(Values(a), (std::vector<int>{5, 2}));
    c = COwnedArray<Tracked>();
    EXPECT_TRUE(c.empty());
}

// A copy that fails part way leaves the array as it was and nothing behind.
TEST_F(OwnedArray, AFailedCopyChangesNothing)
{
    COwnedArray<Tracked> a;
    for (int i = 0; i < 3; ++i)
        a.emplace_back(i);
    COwnedArray<Tracked> b;
    b.emplace_back(9);
    Tracked::copies = 0;
    Tracked::copyLimit = 2;
    EXPECT_THROW(b = a, std::runtime_error);
    EXPECT_EQ(Values(b), (std::vector<int>{9}));
    Tracked::copies = 0;
    EXPECT_THROW(a.resize(100), std::runtime_error); // growing copies the three
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2}));
    Tracked::copyLimit = -1;
    EXPECT_EQ(Tracked::live, 4);
}

// A rigid vertex or normal holds one pointer for its weights and allocates nothing for them,
// so that a large model's records take what their fields need.
TEST(ElementRecords, RigidVerticesAndNormalsHoldNoWeightStorage)
{
    static_assert(sizeof(COwnedArray<CVertexWeight>) == sizeof(void*));
    if constexpr (sizeof(void*) == 8) {
        EXPECT_EQ(sizeof(CVertex), 48u);
        EXPECT_EQ(sizeof(CNormal), 48u);
    }
    constexpr size_t kCount = 10000;
    size_t peak = 0;
    {
        AllocationProbe probe;
        std::vector<CVertex> vertices(kCount);
        std::vector<CNormal> normals(kCount);
        peak = probe.Peak();
    }
    EXPECT_LE(peak, kCount * (sizeof(CVertex) + sizeof(CNormal)) + 16384);

    CVertex v;
    v.mWeights.emplace_back().mJoint = 3;
    const CVertex copy = v;
    EXPECT_EQ(copy.mWeights.size(), 1u);
    EXPECT_EQ(copy.mWeights[0].mJoint, 3);
    EXPECT_FLOAT_EQ(copy.mWeights[0].mWeight, 1.0f);
}

} // namespace
