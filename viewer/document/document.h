#pragma once
#include <cstdint>
#include <string>

#include "doc_model.h"
#include "nimbus/model_stats.h"
#include "nimbus/texture.h"

namespace kestrel::host {
class CPlugInManager;
}

// What a document holds and how a file becomes one, without any window: the viewer and
// the command line open files the same way.
namespace kestrel::doc {

enum Severity { kInformation = 1, kError = 2, kUnexpected = 3 };
enum ViewMode { kEmpty = 0, kModel = 1, kImage = 2 };

struct Document {
    CDocModel model;
    CTexture image;
    CTexture backdrop; // checkerboard behind 32-bit images
    SK_MODEL_STATS stats{};
    ViewMode viewMode = kEmpty;
    // Changes whenever the image's pixels may have: what is kept of them elsewhere (the
    // view's textures) is made again then.
    uint64_t imageSerial = 0;
};

// A serial no document has had before.
uint64_t NewImageSerial();

struct OpenOutcome {
    bool ok = false;
    std::string status; // the status bar's text
    Severity severity = kInformation;
    bool damaged = false; // a native file whose damaged part was skipped
};

// Empties the document: no model, no image.
void ResetDocument(Document& doc);

// Opens a file: the native header decides, otherwise the importer registered for the
// extension. Makes the file's folder the current directory, since texture names inside
// models are relative to it. Textures are made in the current GL context; without one
// (a worker thread) only their pixels are read, and UploadDocument makes them later.
OpenOutcome OpenDocument(const std::string& path, host::CPlugInManager& plugIns, Document& doc);

// Makes the GL textures of a document opened without a current context.
void UploadDocument(Document& doc);

} // namespace kestrel::doc
