#include "document_loader.h"

#include <utility>

namespace kestrel::doc {

CDocumentLoader::~CDocumentLoader()
{
    Abandon();
    Join();
}

void CDocumentLoader::Join()
{
    if (worker_.joinable())
        worker_.join();
    shared_.reset();
}

void CDocumentLoader::Start(const std::string& path, host::CPlugInManager& plugIns, AfterRead afterRead, Ended ended)
{
    Join();
    shared_ = std::make_shared<Shared>();
    worker_ = std::thread([shared = shared_, path, &plugIns, afterRead = std::move(afterRead),
                           ended = std::move(ended)] {
        OpenOutcome outcome = OpenDocument(path, plugIns, shared->result);
        if (outcome.ok && afterRead)
            afterRead(shared->result);
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->outcome = std::move(outcome);
            shared->done = true;
            if (shared->abandoned)
                ResetDocument(shared->result); // nothing GL was made: safe off the main thread
        }
        shared->ended.notify_all();
        if (ended)
            ended();
    });
}

bool CDocumentLoader::WaitFor(std::chrono::milliseconds timeout)
{
    if (!shared_)
        return false;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->ended.wait_for(lock, timeout, [this] { return shared_->done; });
}

OpenOutcome CDocumentLoader::TakeResult(Document& doc)
{
    const std::shared_ptr<Shared> shared = shared_;
    if (!shared || !WaitFor(std::chrono::milliseconds(0)))
        return OpenOutcome{false, "Unable to load file!", kError, false};
    Join(); // the worker has nothing left to do but end
    Document& result = shared->result;
    doc.model = std::move(result.model);
    doc.image = std::move(result.image);
    doc.backdrop = std::move(result.backdrop);
    doc.stats = result.stats;
    doc.viewMode = result.viewMode;
    doc.imageSerial = result.imageSerial;
    UploadDocument(doc);
    return std::move(shared->outcome);
}

void CDocumentLoader::Abandon()
{
    if (!shared_)
        return;
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->abandoned = true;
}

} // namespace kestrel::doc
