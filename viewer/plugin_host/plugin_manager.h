#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CModel;
class CPlugIn;
class CTexture;

namespace kestrel::host {

enum class PlugInKind { Import = 1, Export = 2, Edit = 3, Tool = 4 };

struct PlugInEntry {
    std::string name;        // UTF-8, at most 255 characters
    PlugInKind kind = PlugInKind::Import;
    int version[4] = {};
    std::string description; // UTF-8, at most 255 characters
    std::string path;        // folder and file name
    int commandId = 0;       // menu command of exporters, editors and tools
    void* library = nullptr;
    CPlugIn* plugIn = nullptr;

    std::string VersionText() const; // "%d.%d.%d.%d"
};

// An icon as PNG bytes, or, when empty, the viewer's own icon resource `hostIcon`.
struct FileTypeIcon {
    std::vector<uint8_t> png;
    int hostIcon = 0;
};

struct FileTypeEntry {
    size_t importerIndex = 0;
    std::string extension;   // as registered
    std::string description;
    int kind = 1;            // 1 model, 2 image
    FileTypeIcon small;      // 16 x 16
    FileTypeIcon large;      // 32 x 32
};

// The viewer's icon resources used when a plug-in carries none.
constexpr int kNativeFileIcon = 129;
constexpr int kFallbackFileIcon = 142;
constexpr int kFirstPlugInCommand = 32856;

// Import and Run results, as the document and the frame read them.
constexpr int kResultException = -1;
constexpr int kResultFailed = 0;
constexpr int kResultModel = 1;
constexpr int kResultImage = 2;

// Loads the plug-in libraries of a folder, keeps the accepted ones by kind, and builds the
// table of importable file types (the native type always last).
class CPlugInManager {
public:
    CPlugInManager();
    ~CPlugInManager();
    CPlugInManager(const CPlugInManager&) = delete;
    CPlugInManager& operator=(const CPlugInManager&) = delete;

    // The "Plug-Ins" folder beside the running executable, or when there is none, the
    // installed one, "../lib/kestrel/Plug-Ins" from the executable's folder.
    static std::string DefaultFolder();

    // Unloads everything, then loads every "*.so" of the folder in name order; returns the
    // number of accepted plug-ins. A missing folder returns 0 and unloads nothing.
    int Scan(const std::string& folder);
    // For callers that only import one file (the command line): the same name-order load,
    // but a plug-in that turns out not to be an importer is unloaded at once, and loading
    // stops after the first importer that declares the file's extension, so Import picks
    // the importer Scan would. An importer whose file shows a registration of other
    // extensions only is not loaded, unless no importer declares the extension (the file's
    // content then picks its type from all of them). The window never uses this.
    int ScanImportersFor(const std::string& folder, const std::string& filePath);
    void UnloadAll();
    // The folder Scan last read.
    const std::string& Folder() const { return folder_; }

    // Imports a file by its extension into the model (kind 1, finalized) or the image (kind 2).
    // The file's folder must be the current directory, as the document's open makes it.
    int Import(const std::string& path, CModel& model, CTexture& image);
    // The same with the file type chosen by the caller (upper case): a file recognised by
    // its content is imported as the format found, whatever its name says.
    int Import(const std::string& path, const std::string& extension, CModel& model, CTexture& image);
    // Whether any entry, the native one included, has this extension (upper case).
    bool IsRegistered(const std::string& extension) const;
    // The upper-case extension Import takes from a path (after its last dot), or empty.
    static std::string ExtensionOf(const std::string& path);
    // Runs the exporter, editor or tool that owns the command on the model.
    int RunCommand(int commandId, CModel& model);

    int Count() const { return int(importers_.size() + exporters_.size() + editors_.size() + tools_.size()); }
    const std::vector<PlugInEntry>& Importers() const { return importers_; }
    const std::vector<PlugInEntry>& Exporters() const { return exporters_; }
    const std::vector<PlugInEntry>& Editors() const { return editors_; }
    const std::vector<PlugInEntry>& Tools() const { return tools_; }
    const std::vector<FileTypeEntry>& FileTypes() const { return fileTypes_; }
    // The entry that serves an extension (upper case, without the dot), or null.
    const FileTypeEntry* FindFileType(const std::string& extension) const;

private:
    // importersOnly: non-importers are rejected; stopExtension: loading ends once an
    // importer serves it (empty: load all).
    int ScanFolder(const std::string& folder, bool importersOnly, const std::string& stopExtension);
    // Loads the files in order until one serves stopExtension; an importer whose file shows
    // it declares other extensions only is passed over. True when any was passed over.
    bool LoadFiles(const std::vector<std::filesystem::path>& files, bool importersOnly,
                   const std::string& stopExtension);
    // Loads one library and keeps its plug-in if accepted.
    bool Load(const std::string& path, bool importersOnly);
    bool Accept(PlugInEntry& entry, bool importersOnly);
    void AddNativeType();
    void AssignCommandIds();
    const PlugInEntry* FindCommand(int commandId) const;

    std::vector<PlugInEntry> importers_, exporters_, editors_, tools_;
    std::vector<FileTypeEntry> fileTypes_;
    std::string folder_;
};

} // namespace kestrel::host
