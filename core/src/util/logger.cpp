#include "nimbus/logger.h"

#include <cstdarg>

namespace {
const char* kDefaultLogName = "session.log";

const char* PrefixFor(unsigned level)
{
    switch (level) {
    case SK_LOG_INFO: return "[Info] - ";
    case SK_LOG_WARNING: return "[Warning] - ";
    case SK_LOG_ERROR: return "[Error] - ";
    case SK_LOG_FATAL: return "[Fatal] - ";
    default: return nullptr;
    }
}
} // namespace

CLogger::CLogger() : mFileName(kDefaultLogName), mFile(nullptr) {}

CLogger::CLogger(const char* name)
    : mFileName(name && *name ? name : kDefaultLogName), mFile(nullptr)
{
}

CLogger::CLogger(const CLogger& other) : mFileName(other.mFileName), mFile(other.mFile) {}

CLogger& CLogger::operator=(const CLogger& other)
{
    mFileName = other.mFileName;
    mFile = other.mFile;
    return *this;
}

CLogger::~CLogger() = default;

void CLogger::SetFile(const char* name)
{
    if (name && *name)
        mFileName = name;
}

void CLogger::Out(unsigned level, const char* format, ...)
{
    if (mFileName.empty() || !format || !*format)
        return;
    const char* prefix = PrefixFor(level);
    if (!prefix)
        return;

    char message[kMessageSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof(message), format, args);
    va_end(args);

    if (mFile) {
        std::fclose(mFile);
        mFile = nullptr;
    }
    mFile = std::fopen(mFileName.c_str(), "a");
    if (!mFile)
        return;
    std::fprintf(mFile, "%s%s\n", prefix, message);
    std::fclose(mFile);
    mFile = nullptr;
}

void CLogger::DbgOut(unsigned, const char*, ...) {}

void CLogger::Clear()
{
    if (mFileName.empty())
        return;
    if (mFile) {
        std::fclose(mFile);
        mFile = nullptr;
    }
    mFile = std::fopen(mFileName.c_str(), "w");
    if (mFile) {
        std::fclose(mFile);
        mFile = nullptr;
    }
}
