#include "plugframe/output_path.h"

#include <filesystem>
#include <system_error>

std::string OutputFolderOf(const std::string& fileName)
{
    size_t cut = fileName.rfind('/');
    if (cut == std::string::npos)
        cut = fileName.rfind('\\');
    if (cut == std::string::npos)
        return {};
    return cut == 0 ? fileName.substr(0, 1) : fileName.substr(0, cut);
}

OutputPathCheck PrepareOutputPath(const std::string& fileName)
{
    if (fileName.empty())
        return OutputPathCheck::Empty;
    const std::string folder = OutputFolderOf(fileName);
    if (folder.empty())
        return OutputPathCheck::Ok;
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(folder), error);
    return error ? OutputPathCheck::InvalidPath : OutputPathCheck::Ok;
}

const char* OutputPathMessage(OutputPathCheck check)
{
    switch (check) {
    case OutputPathCheck::Empty:
        return kMsgDefineOutputFile;
    case OutputPathCheck::InvalidPath:
        return kMsgInvalidOutputPath;
    case OutputPathCheck::Ok:
        break;
    }
    return nullptr;
}
