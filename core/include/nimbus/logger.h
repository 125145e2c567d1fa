#pragma once
#include <cstdio>
#include <string>
#include "nimbus/export.h"

enum ESkLogLevel : unsigned {
    SK_LOG_INFO = 1,
    SK_LOG_WARNING = 2,
    SK_LOG_ERROR = 4,
    SK_LOG_FATAL = 8,
};

// Append-only text log; the file is opened and closed for every line.
class NIMBUS_API CLogger {
public:
    CLogger();
    explicit CLogger(const char* name);
    CLogger(const CLogger& other);
    CLogger& operator=(const CLogger& other);
    virtual ~CLogger();

    void SetFile(const char* name);
    const char* GetFile() const { return mFileName.c_str(); }
    void Out(unsigned level, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 3, 4)))
#endif
        ;
    void DbgOut(unsigned level, const char* format, ...);
    void Clear();

    static constexpr int kMessageSize = 1024;

private:
    std::string mFileName;
    FILE* mFile;
};
