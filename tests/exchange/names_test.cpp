// Names are cut to their fields without splitting characters; wide names become UTF-8.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tessera/tessera.h"

namespace {

class Names : public ::testing::Test {
protected:
    void SetUp() override { skModelInit(&model_); }
    void TearDown() override { skModelNullify(&model_); }
    skModel model_;
};

TEST_F(Names, LongNamesAreCutTo63Bytes)
{
    const std::string longName(200, 'n');
    skGroup* group = skModelAddGroup(&model_);
    skGroupSetName(group, longName.c_str());
    EXPECT_EQ(std::string(skGroupGetName(group)), longName.substr(0, 63));
    skJoint* joint = skModelAddJoint(&model_);
    skJointSetParentName(joint, longName.c_str());
    EXPECT_EQ(std::strlen(skJointGetParentName(joint)), 63u);
    skLoop* loop = skModelAddLoopV(&model_, nullptr);
    skLoopSetName(loop, longName.c_str());
    EXPECT_EQ(std::strlen(skLoopGetName(loop)), 63u);
}

TEST_F(Names, ACutNeverSplitsAUtf8Sequence)
{
    // 62 ASCII bytes and then a two-byte character: only 63 bytes fit, so it is dropped.
    const std::string name = std::string(62, 'a') + "\xC3\xA9" + "tail";
    skMaterial* material = skModelAddMaterial(&model_);
    skMaterialSetName(material, name.c_str());
    EXPECT_EQ(std::string(skMaterialGetName(material)), std::string(62, 'a'));

    const std::string fits = std::string(61, 'a') + "\xC3\xA9" + "tail";
    skMaterialSetName(material, fits.c_str());
    EXPECT_EQ(std::string(skMaterialGetName(material)), std::string(61, 'a') + "\xC3\xA9");
}

TEST_F(Names, NullNameAndSelfAssignment)
{
    skGroup* group = skModelAddGroup(&model_);
    skGroupSetName(group, "mesh");
    skGroupSetName(group, skGroupGetName(group));
    EXPECT_STREQ(skGroupGetName(group), "mesh");
    skGroupSetName(group, nullptr);
    EXPECT_STREQ(skGroupGetName(group), "");
}

TEST_F(Names, WideTextureNamesBecomeUtf8)
{
    skMaterial* material = skModelAddMaterial(&model_);
    skMaterialSetTextureDiffuseW(material, u"caf\u00e9/\U0001F600.png");
    EXPECT_STREQ(skMaterialGetTextureDiffuse(material), "caf\xC3\xA9/\xF0\x9F\x98\x80.png");

    const char16_t lone[] = {u'a', char16_t(0xD800), u'b', 0};
    skMaterialSetTextureBumpW(material, lone);
    EXPECT_STREQ(skMaterialGetTextureBump(material), "a\xEF\xBF\xBD" "b");
}

TEST_F(Names, TextureNamesReadEmptyUntilSetAndAfterClearing)
{
    skMaterial* material = skModelAddMaterial(&model_);
    EXPECT_STREQ(skMaterialGetTextureDiffuse(material), "");
    EXPECT_STREQ(skMaterialGetTextureReflect(material), "");
    skMaterialSetTextureDiffuse(material, "skin.tga");
    skMaterialSetTextureDiffuse(material, "other.tga"); // replaces, the old copy is freed
    EXPECT_STREQ(skMaterialGetTextureDiffuse(material), "other.tga");
    skMaterialSetTextureDiffuse(material, "");
    EXPECT_STREQ(skMaterialGetTextureDiffuse(material), "");
    skMaterialSetTextureBumpW(material, u"bump.png");
    ASSERT_TRUE(skModelMaterialArrayResize(&model_, 0, 1)); // frees the names it held
    EXPECT_EQ(skModelGetMaterialCount(&model_), 0);
}

TEST_F(Names, TextureNamesAreBoundedByTheirField)
{
    skMaterial* material = skModelAddMaterial(&model_);
    const std::string path(5000, 'p');
    skMaterialSetTextureAlpha(material, path.c_str());
    EXPECT_EQ(std::strlen(skMaterialGetTextureAlpha(material)), size_t(SK_TEXTURE_NAME_LENGTH - 1));

    const std::u16string widePath(3000, u'\u00e9');  // two bytes each in UTF-8
    skMaterialSetTextureReflectW(material, widePath.c_str());
    const size_t length = std::strlen(skMaterialGetTextureReflect(material));
    EXPECT_LE(length, size_t(SK_TEXTURE_NAME_LENGTH - 1));
    EXPECT_EQ(length % 2, 0u) << "no half character at the end";
}

TEST_F(Names, ALoopNameReadStraightFromAFileStaysTerminated)
{
    skLoop value{};
    std::memset(value.name, 'x', sizeof(value.name));  // no terminator anywhere
    skLoop* loop = skModelAddLoopV(&model_, &value);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(std::strlen(skLoopGetName(loop)), size_t(SK_NAME_LENGTH));

    ASSERT_TRUE(skModelLoopArrayResize(&model_, 2, 0));
    skLoop* direct = skModelGetLoop(&model_, 1);
    std::memset(direct->name, 'y', SK_NAME_LENGTH);
    EXPECT_EQ(std::strlen(skLoopGetName(direct)), size_t(SK_NAME_LENGTH));
}

} // namespace
