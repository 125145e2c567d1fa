#pragma once
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "document.h"

// Opening a file on a worker thread, so that a large model does not freeze the window.
// The worker reads into a document of its own and touches no GL; the caller's document
// takes the result over on its own thread, where the textures are made.
namespace kestrel::doc {

class CDocumentLoader {
public:
    CDocumentLoader() = default;
    // Waits for a read still running: it may be inside a plug-in that is about to be unloaded.
    ~CDocumentLoader();
    CDocumentLoader(const CDocumentLoader&) = delete;
    CDocumentLoader& operator=(const CDocumentLoader&) = delete;

    // Work on a document read well, done on the worker too (it must not touch GL).
    using AfterRead = std::function<void(Document&)>;

    // Told on the worker, once the read has ended and WaitFor says so.
    using Ended = std::function<void()>;

    // Starts reading a file. A read still running (one given up by Abandon) is waited for
    // first: importers and the current directory are shared, so two never run at once.
    void Start(const std::string& path, host::CPlugInManager& plugIns, AfterRead afterRead = {},
               Ended ended = {});
    // True when the read has ended within the time.
    bool WaitFor(std::chrono::milliseconds timeout);
    bool Running() const { return worker_.joinable(); }

    // Moves the finished result into `doc` (emptying what it held) and makes its textures
    // in the caller's current GL context. Only after WaitFor said the read ended.
    OpenOutcome TakeResult(Document& doc);
    // Gives up the read: its result is thrown away when it ends. An importer cannot be
    // interrupted, so the worker itself runs on until then.
    void Abandon();

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        bool abandoned = false;
        Document result;
        OpenOutcome outcome;
    };
    void Join();

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

} // namespace kestrel::doc
