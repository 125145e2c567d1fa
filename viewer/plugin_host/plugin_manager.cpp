#include "plugin_manager.h"

#include "importer_probe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

#include "nimbus/model.h"
#include "nimbus/texture.h"
#include "plugframe/plugin.h"
#include "registration.h"
#include "util/utf16.h"

namespace kestrel::host {
namespace {

std::string Cut(const char* text, size_t field, size_t limit)
{
    const std::string s(text, strnlen(text, field));
    return s.substr(0, limit);
}

void Release(PlugInEntry& e)
{
    if (e.library) {
        // Destroy is looked up anew: the object must die in the library that made it.
        if (auto destroy = reinterpret_cast<PlugInDestroyFunction>(dlsym(e.library, PLUGIN_DESTROY_EXPORT_NAME))) {
            try {
                destroy(e.plugIn);
            } catch (...) {
            }
        }
        dlclose(e.library);
    }
    e.library = nullptr;
    e.plugIn = nullptr;
}

// The host's own model format, which it reads without a plug-in.
constexpr char kNativeType[] = "KXM3";

FileTypeIcon LoadIcon(void* library, int iconId, int size)
{
    FileTypeIcon icon;
    auto get = reinterpret_cast<PlugInIconFunction>(dlsym(library, PLUGIN_ICON_EXPORT_NAME));
    const unsigned char* png = nullptr;
    const uint32_t n = get ? get(iconId, size, &png) : 0;
    if (n > 0 && png)
        icon.png.assign(png, png + n);
    else
        icon.hostIcon = kFallbackFileIcon;
    return icon;
}

std::string UpperExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return ext;
}

std::string BareName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string PlugInEntry::VersionText() const
{
    char text[64];
    std::snprintf(text, sizeof(text), "%d.%d.%d.%d", version[0], version[1], version[2], version[3]);
    return text;
}

CPlugInManager::CPlugInManager() { AddNativeType(); }
CPlugInManager::~CPlugInManager() { UnloadAll(); }

std::string CPlugInManager::DefaultFolder()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "Plug-Ins";
    // The build tree keeps them beside the program; an installed tree (bin/ beside
    // lib/kestrel/) is found from the program's own place, so the tree can be moved.
    const fs::path beside = exe.parent_path() / "Plug-Ins";
    const fs::path installed = exe.parent_path() / ".." / "lib" / "kestrel" / "Plug-Ins";
    if (!fs::is_directory(beside, ec) && fs::is_directory(installed, ec))
        return installed.lexically_normal().string();
    return beside.string();
}

void CPlugInManager::UnloadAll()
{
    for (auto* list : {&importers_, &exporters_, &editors_, &tools_}) {
        for (PlugInEntry& e : *list)
            Release(e);
        list->clear();
    }
    fileTypes_.clear();
}

int CPlugInManager::Scan(const std::string& folder)
{
    folder_ = folder;
    return ScanFolder(folder, false, std::string());
}

int CPlugInManager::ScanImportersFor(const std::string& folder, const std::string& filePath)
{
    return ScanFolder(folder, true, UpperExtension(filePath));
}

int CPlugInManager::ScanFolder(const std::string& folder, bool importersOnly, const std::string& stopExtension)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return 0;
    UnloadAll();
    // Name order: a directory listing has no order of its own here, and the first importer
    // of an extension must not depend on chance.
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec))
        if (item.is_regular_file(ec) && item.path().extension() == ".so")
            files.push_back(item.path());
    std::sort(files.begin(), files.end());

    const bool deferred = LoadFiles(files, importersOnly, stopExtension);
    // No importer declares the extension: unless it is the host's own, the file's content
    // will choose its type, from every importer, loaded in name order as Scan would.
    if (deferred && !FindFileType(stopExtension) && stopExtension != kNativeType) {
        UnloadAll();
        LoadFiles(files, importersOnly, std::string());
    }
    AddNativeType();
    AssignCommandIds();
    return Count();
}

bool CPlugInManager::LoadFiles(const std::vector<std::filesystem::path>& files, bool importersOnly,
                               const std::string& stopExtension)
{
    bool deferred = false;
    for (const std::filesystem::path& file : files) {
        if (importersOnly) {
            const ImporterProbe probe = ProbeImporter(file.string(), stopExtension);
            if (probe == ImporterProbe::kNotImporter)
                continue;
            // Its registration names other extensions only, so it cannot serve this file.
            if (probe == ImporterProbe::kDeclaresOthers && !stopExtension.empty()) {
                deferred = true;
                continue;
            }
        }
        if (Load(file.string(), importersOnly) && !stopExtension.empty() && FindFileType(stopExtension))
            break;
    }
    return deferred;
}

bool CPlugInManager::Load(const std::string& path, bool importersOnly)
{
    PlugInEntry entry;
    entry.path = path;
    entry.library = dlopen(entry.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!entry.library)
        return false;
    auto create = reinterpret_cast<PlugInCreateFunction>(dlsym(entry.library, PLUGIN_CREATE_EXPORT_NAME));
    auto destroy = reinterpret_cast<PlugInDestroyFunction>(dlsym(entry.library, PLUGIN_DESTROY_EXPORT_NAME));
    if (!create || !destroy) {
        dlclose(entry.library);
        return false;
    }
    try {
        entry.plugIn = create();
    } catch (...) {
        entry.plugIn = nullptr;
    }
    if (!entry.plugIn) {
        dlclose(entry.library);
        return false;
    }
    if (!Accept(entry, importersOnly)) {
        Release(entry);
        return false;
    }
    return true;
}

bool CPlugInManager::Accept(PlugInEntry& entry, bool importersOnly)
{
    PlugInInfo info{};
    try {
        if (!entry.plugIn->GetInfo(&info) || info.interfaceId != PLUGIN_INTERFACE_ID)
            return false;
    } catch (...) {
        return false;
    }
    if (importersOnly && info.type != PLUGIN_IMPORT)
        return false;
    entry.name = Cut(info.name, sizeof(info.name), 255);
    entry.description = Cut(info.description, sizeof(info.description), 255);
    entry.version[0] = info.versionMajor;
    entry.version[1] = info.versionMinor;
    entry.version[2] = info.versionRelease;
    entry.version[3] = info.versionBuild;
    switch (info.type) {
    case PLUGIN_IMPORT: {
        std::vector<DeclaredFileType> types;
        const char* registration = nullptr;
        try {
            registration = entry.plugIn->GetRegistration();
        } catch (...) {
            return false;
        }
        if (!ParseRegistration(registration, types))
            return false;
        for (const DeclaredFileType& t : types) {
            FileTypeEntry f;
            f.importerIndex = importers_.size();
            f.extension = t.extension;
            f.description = t.description;
            f.kind = t.kind;
            f.small = LoadIcon(entry.library, t.icon, 16);
            f.large = LoadIcon(entry.library, t.icon, 32);
            fileTypes_.push_back(std::move(f));
        }
        entry.kind = PlugInKind::Import;
        importers_.push_back(entry);
        return true;
    }
    case PLUGIN_EXPORT: entry.kind = PlugInKind::Export; exporters_.push_back(entry); return true;
    case PLUGIN_EDIT: entry.kind = PlugInKind::Edit; editors_.push_back(entry); return true;
    case PLUGIN_TOOL: entry.kind = PlugInKind::Tool; tools_.push_back(entry); return true;
    default: return false;
    }
}

void CPlugInManager::AddNativeType()
{
    FileTypeEntry native;
    native.importerIndex = importers_.size();
    native.extension = kNativeType;
    native.description = "Kestrel 3D Model";
    native.kind = 1;
    native.small.hostIcon = kNativeFileIcon;
    native.large.hostIcon = kNativeFileIcon;
    fileTypes_.push_back(std::move(native));
}

void CPlugInManager::AssignCommandIds()
{
    int next = kFirstPlugInCommand;
    for (auto* list : {&exporters_, &editors_, &tools_})
        for (PlugInEntry& e : *list)
            e.commandId = next++;
}

const FileTypeEntry* CPlugInManager::FindFileType(const std::string& extension) const
{
    for (const FileTypeEntry& f : fileTypes_)
        if (f.extension == extension && f.extension != kNativeType)
            return &f;
    return nullptr;
}

std::string CPlugInManager::ExtensionOf(const std::string& path) { return UpperExtension(path); }

bool CPlugInManager::IsRegistered(const std::string& extension) const
{
    for (const FileTypeEntry& f : fileTypes_)
        if (f.extension == extension)
            return true;
    return false;
}

int CPlugInManager::Import(const std::string& path, CModel& model, CTexture& image)
{
    return Import(path, UpperExtension(path), model, image);
}

int CPlugInManager::Import(const std::string& path, const std::string& extension, CModel& model, CTexture& image)
{
    const FileTypeEntry* type = FindFileType(extension);
    if (!type || type->importerIndex >= importers_.size())
        return kResultFailed;
    // The importer gets the file's name without its folder, as UTF-16.
    const std::string bare = BareName(path);
    const std::u16string name = nimbus::Utf8ToUtf16(bare.c_str());
    const char result = model.ProcessPlugIn(importers_[type->importerIndex].plugIn,
                                            reinterpret_cast<const char*>(name.c_str()));
    if (result < 1)
        return result < 0 ? kResultException : kResultFailed;
    if (type->kind == 1) {
        if (!model.Finalize(true, true, 1.0f)) {
            model.Unload();
            return kResultFailed;
        }
        return kResultModel;
    }
    if (type->kind == 2) {
        image.SetFileNameUtf8(bare.c_str());
        return image.LoadFromFileAs(extension.c_str()) ? kResultImage : kResultFailed;
    }
    return kResultFailed;
}

const PlugInEntry* CPlugInManager::FindCommand(int commandId) const
{
    for (const auto* list : {&exporters_, &editors_, &tools_})
        for (const PlugInEntry& e : *list)
            if (e.commandId == commandId)
                return &e;
    return nullptr;
}

int CPlugInManager::RunCommand(int commandId, CModel& model)
{
    const PlugInEntry* entry = FindCommand(commandId);
    if (!entry)
        return kResultFailed;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    int result = model.ProcessPlugIn(entry->plugIn, nullptr);
    if (!ec)
        std::filesystem::current_path(folder, ec);
    if (entry->kind == PlugInKind::Export)
        return result > 2 ? kResultFailed : result;
    if (result >= 3)
        return kResultFailed;
    if (result == kResultModel && !model.Finalize(true, true, 1.0f)) {
        model.Unload();
        return kResultFailed;
    }
    return result;
}

} // namespace kestrel::host
