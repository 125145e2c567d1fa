#include <gtest/gtest.h>

#include <elf.h>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "importer_probe.h"
#include "temp_dir.h"

namespace {

using kestrel::host::MayBeImporter;
using kestrel::host::MayBeImporterFile;

// A 64-bit ELF image with one loaded segment holding `text`, and a debugging tail that
// quotes `tail` outside every segment.
// A 64-bit ELF image whose loaded segments hold `texts` with `flags`, in order.
std::vector<uint8_t> ElfWithSegments(const std::vector<std::pair<std::string, uint32_t>>& segments)
{
    const size_t tableSize = segments.size() * sizeof(Elf64_Phdr);
    std::vector<uint8_t> bytes(sizeof(Elf64_Ehdr) + tableSize);
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_phoff = sizeof(Elf64_Ehdr);
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_phnum = uint16_t(segments.size());
    std::memcpy(bytes.data(), &header, sizeof(header));
    for (size_t i = 0; i < segments.size(); ++i) {
        Elf64_Phdr segment{};
        segment.p_type = PT_LOAD;
        segment.p_flags = segments[i].second;
        segment.p_offset = bytes.size();
        segment.p_filesz = segments[i].first.size();
        std::memcpy(bytes.data() + sizeof(header) + i * sizeof(segment), &segment, sizeof(segment));
        bytes.insert(bytes.end(), segments[i].first.begin(), segments[i].first.end());
    }
    return bytes;
}

std::vector<uint8_t> ElfWith(const std::string& text, const std::string& tail)
{
    std::vector<uint8_t> bytes(sizeof(Elf64_Ehdr) + sizeof(Elf64_Phdr));
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_phoff = sizeof(Elf64_Ehdr);
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_phnum = 1;
    Elf64_Phdr segment{};
    segment.p_type = PT_LOAD;
    segment.p_offset = bytes.size();
    segment.p_filesz = text.size();
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(header), &segment, sizeof(segment));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

TEST(ImporterProbe, OnlyALoadedTagMakesALibraryAnImporter)
{
    EXPECT_TRUE(MayBeImporter(KESTREL_FIXTURE_PLUGIN_IMPORTER));
    EXPECT_FALSE(MayBeImporter(KESTREL_FIXTURE_PLUGIN_TOOL));

    auto importer = ElfWith("....<KXIMP><EXTNUM:1>....", "");
    EXPECT_TRUE(MayBeImporterFile(importer.data(), importer.size()));
    auto tool = ElfWith("<KXTOOL>", "debug text naming <KXIMP>");
    EXPECT_FALSE(MayBeImporterFile(tool.data(), tool.size()));
}

TEST(ImporterProbe, TheTagIsSoughtInCodeOnlyWhereConstantsShareItsSegment)
{
    // Constants in their own read-only segment, the usual layout: that is where the tag is.
    const auto usual = ElfWithSegments({{"hdr", PF_R}, {"code", PF_R | PF_X}, {"<KXIMP>", PF_R}});
    EXPECT_TRUE(MayBeImporterFile(usual.data(), usual.size()));
    const auto separate = ElfWithSegments({{"hdr", PF_R}, {"<KXIMP> as code bytes", PF_R | PF_X}, {"<KXTOOL>", PF_R}});
    EXPECT_FALSE(MayBeImporterFile(separate.data(), separate.size()));
    // A library linked without separate code keeps its constants beside the code.
    const auto shared = ElfWithSegments({{"code and <KXIMP>", PF_R | PF_X}, {"data", PF_R | PF_W}});
    EXPECT_TRUE(MayBeImporterFile(shared.data(), shared.size()));
    const auto tool = ElfWithSegments({{"code and <KXTOOL>", PF_R | PF_X}, {"data", PF_R | PF_W}});
    EXPECT_FALSE(MayBeImporterFile(tool.data(), tool.size()));
    // A writable global holding the tag counts too.
    const auto writable = ElfWithSegments({{"hdr", PF_R}, {"code", PF_R | PF_X}, {"<KXIMP>", PF_R | PF_W}});
    EXPECT_TRUE(MayBeImporterFile(writable.data(), writable.size()));
}

TEST(ImporterProbe, AWholeRegistrationTellsTheExtensionsItDeclares)
{
    using kestrel::host::ImporterProbe;
    using kestrel::host::ProbeImporter;
    using kestrel::host::ProbeImporterFile;
    EXPECT_EQ(ProbeImporter(KESTREL_FIXTURE_PLUGIN_IMPORTER, "known"), ImporterProbe::kDeclares);
    EXPECT_EQ(ProbeImporter(KESTREL_FIXTURE_PLUGIN_IMPORTER, "OTHER"), ImporterProbe::kDeclaresOthers);
    EXPECT_EQ(ProbeImporter(KESTREL_FIXTURE_PLUGIN_TOOL, "KNOWN"), ImporterProbe::kNotImporter);

    const std::string two = "<KXIMP><EXTNUM:2><T:1 EXT:\"AB\" INF:\"a\" ICO:1><T:1 EXT:\"CD\" INF:\"c\" ICO:1>";
    auto probe = [](const std::string& text, const std::string& extension) {
        const auto bytes = ElfWithSegments({{"code", PF_R | PF_X}, {text, PF_R}});
        return ProbeImporterFile(bytes.data(), bytes.size(), extension);
    };
    EXPECT_EQ(probe(two + '\0', "cd"), ImporterProbe::kDeclares);
    EXPECT_EQ(probe(two + '\0', "ABC"), ImporterProbe::kDeclaresOthers);
    EXPECT_EQ(probe(two + '\0', ""), ImporterProbe::kDeclaresOthers);
    // A second, whole registration counts too.
    EXPECT_EQ(probe(two + '\0' + "<KXIMP><EXTNUM:1><T:1 EXT:\"EF\" INF:\"e\" ICO:1>" + '\0', "EF"),
              ImporterProbe::kDeclares);
    // What cannot be read whole is left to the loader: a text running to the segment's end,
    // one that does not parse, and the tag inside other text.
    EXPECT_EQ(probe(two, "XY"), ImporterProbe::kUnknown);
    EXPECT_EQ(probe("<KXIMP><EXTNUM:" + std::string(1, '\0'), "XY"), ImporterProbe::kUnknown);
    EXPECT_EQ(probe(two + '\0' + "built from KXIMP parts" + '\0', "XY"), ImporterProbe::kUnknown);
}

TEST(ImporterProbe, WhatItCannotReadIsLeftToTheLoader)
{
    EXPECT_TRUE(MayBeImporter("/no/such/library.so"));
    const std::string text = "not a library";
    EXPECT_TRUE(MayBeImporterFile(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_TRUE(MayBeImporterFile(nullptr, 0));

    // A segment or a table beyond the end of the file is not followed.
    auto bytes = ElfWith("<KXTOOL>", "");
    auto beyond = bytes;
    Elf64_Phdr segment;
    std::memcpy(&segment, beyond.data() + sizeof(Elf64_Ehdr), sizeof(segment));
    segment.p_filesz = ~uint64_t(0) - 4;
    std::memcpy(beyond.data() + sizeof(Elf64_Ehdr), &segment, sizeof(segment));
    EXPECT_TRUE(MayBeImporterFile(beyond.data(), beyond.size()));
    auto table = bytes;
    Elf64_Ehdr header;
    std::memcpy(&header, table.data(), sizeof(header));
    header.e_phnum = 0xffff;
    std::memcpy(table.data(), &header, sizeof(header));
    EXPECT_TRUE(MayBeImporterFile(table.data(), table.size()));
    EXPECT_TRUE(MayBeImporterFile(bytes.data(), sizeof(Elf64_Ehdr) - 1));
}

} // namespace
