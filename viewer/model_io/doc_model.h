#pragma once
#include <string>

#include "nimbus/model.h"

// The document's model: an engine model that saves and loads itself in the native format.
class CDocModel : public CModel {
public:
    enum class LoadStatus {
        Native,         // a whole native model was read
        NativeDamaged,  // native, but a damaged part ended reading early; the rest is kept
        NativeEmptied,  // native header, but the content is unusable; the model is empty
        Foreign,        // not a native file; the model is untouched
        Unreadable,     // cannot be opened or read, or shorter than the native header
    };

    // Reads the file; only a native header makes it replace the model.
    LoadStatus LoadNative(const std::string& path);
    // Writes beside the target and renames over it, so a failure never harms the old file.
    bool SaveNative(const std::string& path) const;

    static constexpr uint64_t kMaxFileBytes = uint64_t(1) << 30;
};
