#include <gtest/gtest.h>

#include <elf.h>
#include <cstring>
#include <fstream>
#include <vector>

#include "importer_probe.h"
#include "temp_dir.h"

namespace {

using kestrel::host::MayBeImporter;
using kestrel::host::MayBeImporterFile;

// A 64-bit ELF image with one loaded segment holding `text`, and a debugging tail that
// quotes `tail` outside every segment.
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
