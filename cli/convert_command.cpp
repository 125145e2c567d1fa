#include "convert_command.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

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

// How a write ended: written, refused with a message for the user, or failed on disk.
struct WriteOutcome {
    enum Kind { Written, Refused, Failed } kind = Failed;
    std::string message; // for Refused
};

WriteOutcome Written() { return {WriteOutcome::Written, {}}; }
WriteOutcome Refused(std::string message) { return {WriteOutcome::Refused, std::move(message)}; }
WriteOutcome Failed() { return {WriteOutcome::Failed, {}}; }

// An exporter living in this program: the engine fills the record from the model and hands
// it over exactly as it does for an export plug-in, then the job runs on it.
class CExportJob : public CPlugIn {
public:
    using Job = std::function<WriteOutcome(const skModel*)>;
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
        outcome_ = job_(model);
        return PLUGIN_RESULT_DONE;
    }

    // Failed until the job has run.
    const WriteOutcome& Outcome() const { return outcome_; }

private:
    Job job_;
    WriteOutcome outcome_;
};

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

WriteOutcome WriteStl(const skModel* record, const std::string& path, bool binary)
{
    if (skModelGetFaceCount(record) <= 0)
        return Refused(kMsgNoTriangles);
    CJobProgress progress;
    const stl::ExportResult r = stl::ExportStl(record, path, stl::ExportOptions{binary}, progress);
    return r == stl::ExportResult::Written ? Written() : Failed();
}

WriteOutcome WriteMs3dAscii(const skModel* record, const std::string& path, const ModelConvertOptions& o)
{
    // As the dialog opens: a part the model lacks is off; animation needs the skeleton.
    ms3dascii::ExportOptions options;
    options.meshes = o.meshes && skModelGetGroupCount(record) > 0;
    options.materials = o.materials && skModelGetMaterialCount(record) > 0;
    options.skeleton = o.skeleton && skModelGetJointCount(record) > 0;
    options.animation = options.skeleton && o.animation && skModelGetAnimationLength(record) != 0;
    switch (ms3dascii::CheckExport(record, options)) {
    case ms3dascii::ExportRefusal::NothingToExport: return Refused(ms3dascii::kMsgNothingToExport);
    case ms3dascii::ExportRefusal::NoOptionsSelected: return Refused(ms3dascii::kMsgNoOptionsSelected);
    case ms3dascii::ExportRefusal::None: break;
    }
    // The dialog asks; without one the file is written and the user told.
    for (const char* warning : ms3dascii::LimitWarnings(record, options))
        std::fprintf(stderr, "Warning: %s\n", warning);
    CJobProgress progress;
    const ms3dascii::ExportResult r = ms3dascii::ExportMs3dAscii(record, path, options, progress);
    return r == ms3dascii::ExportResult::Written ? Written() : Failed();
}

WriteOutcome Write(CDocModel& model, const std::string& path, const ModelConvertOptions& o)
{
    if (o.format == ModelFormat::Native)
        return model.SaveNative(path) ? Written() : Failed();
    CExportJob job([&](const skModel* record) {
        if (o.format == ModelFormat::Ms3dAscii)
            return WriteMs3dAscii(record, path, o);
        const bool binary = o.format == ModelFormat::StlBinary || (o.format == ModelFormat::Stl && !o.ascii);
        return WriteStl(record, path, binary);
    });
    // An exception in the bridge or the job gives -1, and the outcome stays Failed.
    model.ProcessPlugIn(&job, nullptr);
    return job.Outcome();
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
    const WriteOutcome written = Write(d.model, target, o);
    if (written.kind != WriteOutcome::Written) {
        const std::string message = written.kind == WriteOutcome::Refused ? written.message : "Cannot write " + o.output;
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    const unsigned meshes = d.stats.meshCount, triangles = d.stats.totalTriangles;
    std::printf("Wrote %s (%u mesh%s, %u triangle%s)\n", o.output.c_str(), meshes, meshes == 1 ? "" : "es",
                triangles, triangles == 1 ? "" : "s");
    return 0;
}

} // namespace kestrel::cli
