#include "convert_command.h"

#include <cstdio>
#include <filesystem>
#include <functional>

#include "document_session.h"
#include "ms3d_ascii_export.h"
#include "ms3d_ascii_options.h"
#include "output_target.h"
#include "plugframe/plugin.h"
#include "stl_export.h"

namespace kestrel::cli {
namespace {

// STL has nothing but triangles: a model without any would make an empty file.
constexpr const char* kMsgNoTriangles = "Nothing to export";

// An exporter living in this program: the engine fills the record from the model and hands
// it over exactly as it does for an export plug-in, then the job runs on it.
class CExportJob : public CPlugIn {
public:
    // job(record) returns an empty text when written, else the message for the user.
    using Job = std::function<std::string(const skModel*)>;
    explicit CExportJob(Job job) : job_(std::move(job)) {}

    bool GetInfo(PlugInInfo* info) override
    {
        *info = PlugInInfo{};
        info->type = PLUGIN_EXPORT;
        info->interfaceId = info->interfaceId2 = PLUGIN_INTERFACE_ID;
        return true;
    }
    const char* GetRegistration() override { return " "; }
    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        if (!model)
            return PLUGIN_RESULT_FAILED;
        failure_ = job_(model);
        ran_ = true;
        return PLUGIN_RESULT_DONE;
    }

    bool Ran() const { return ran_; }
    const std::string& Failure() const { return failure_; }

private:
    Job job_;
    bool ran_ = false;
    std::string failure_;
};

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

std::string WriteStl(const skModel* record, const std::string& path, bool binary)
{
    if (skModelGetFaceCount(record) <= 0)
        return kMsgNoTriangles;
    CJobProgress progress;
    const stl::ExportResult r = stl::ExportStl(record, path, stl::ExportOptions{binary}, progress);
    return r == stl::ExportResult::Written ? std::string() : "Cannot write " + path;
}

std::string WriteMs3dAscii(const skModel* record, const std::string& path, const ModelConvertOptions& o)
{
    // As the dialog opens: a part the model lacks is off; animation needs the skeleton.
    ms3dascii::ExportOptions options;
    options.meshes = o.meshes && skModelGetGroupCount(record) > 0;
    options.materials = o.materials && skModelGetMaterialCount(record) > 0;
    options.skeleton = o.skeleton && skModelGetJointCount(record) > 0;
    options.animation = options.skeleton && o.animation && skModelGetAnimationLength(record) != 0;
    switch (ms3dascii::CheckExport(record, options)) {
    case ms3dascii::ExportRefusal::NothingToExport: return ms3dascii::kMsgNothingToExport;
    case ms3dascii::ExportRefusal::NoOptionsSelected: return ms3dascii::kMsgNoOptionsSelected;
    case ms3dascii::ExportRefusal::None: break;
    }
    // The dialog asks; without one the file is written and the user told.
    for (const char* warning : ms3dascii::LimitWarnings(record, options))
        std::fprintf(stderr, "Warning: %s\n", warning);
    CJobProgress progress;
    const ms3dascii::ExportResult r = ms3dascii::ExportMs3dAscii(record, path, options, progress);
    return r == ms3dascii::ExportResult::Written ? std::string() : "Cannot write " + path;
}

// Writes the document's model; an empty text when written, else the message.
std::string Write(CDocModel& model, const std::string& path, const ModelConvertOptions& o)
{
    if (o.format == ModelFormat::Native)
        return model.SaveNative(path) ? std::string() : "Cannot write " + o.output;
    CExportJob job([&](const skModel* record) -> std::string {
        if (o.format == ModelFormat::Ms3dAscii)
            return WriteMs3dAscii(record, path, o);
        const bool binary = o.format == ModelFormat::StlBinary || (o.format == ModelFormat::Stl && !o.ascii);
        return WriteStl(record, path, binary);
    });
    const char result = model.ProcessPlugIn(&job, nullptr);
    if (!job.Ran() || result != PLUGIN_RESULT_DONE)
        return "Cannot write " + o.output;
    // The job names the absolute path; the user named the output as given.
    return job.Failure().rfind("Cannot write ", 0) == 0 ? "Cannot write " + o.output : job.Failure();
}

} // namespace

ModelFormat ModelFormatFor(const std::string& output)
{
    const std::string ext = Upper(std::filesystem::path(output).extension().string());
    if (ext == ".STL") return ModelFormat::Stl;
    if (ext == ".STLA") return ModelFormat::StlAscii;
    if (ext == ".STLB") return ModelFormat::StlBinary;
    if (ext == ".TXT") return ModelFormat::Ms3dAscii;
    if (ext == ".KXM3") return ModelFormat::Native;
    return ModelFormat::None;
}

int ModelConvert(const ModelConvertOptions& o)
{
    // Opening makes the input's folder current, so the output is fixed first.
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(o.output, ec).string();
    const std::string target = ec ? o.output : absolute;
    DocumentSession session(o.plugInFolder, o.input);
    const doc::OpenOutcome outcome = session.Open();
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.status.c_str());
        return 1;
    }
    doc::Document& d = session.Document();
    if (d.viewMode != doc::kModel) {
        std::fprintf(stderr, "Not a model: %s\n", o.input.c_str());
        return 1;
    }
    const std::string refusal = WriteRefusalFor(target);
    if (!refusal.empty()) {
        ReportWriteFailure("Cannot write " + o.output, refusal);
        return 1;
    }
    const std::string failure = Write(d.model, target, o);
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return 1;
    }
    const unsigned meshes = d.stats.meshCount, triangles = d.stats.totalTriangles;
    std::printf("Wrote %s (%u mesh%s, %u triangle%s)\n", o.output.c_str(), meshes, meshes == 1 ? "" : "es",
                triangles, triangles == 1 ? "" : "s");
    return 0;
}

} // namespace kestrel::cli
