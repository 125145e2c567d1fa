#include "doc_model.h"

#include "kxm3_format.h"
#include "util/file_io.h"

CDocModel::LoadStatus CDocModel::LoadNative(const std::string& path)
{
    // Most files are not native: their header decides before the whole file is read, which
    // the importer will read again anyway.
    std::vector<uint8_t> bytes;
    if (!nimbus::ReadFileStart(path, bytes, kestrel::kxm3::kHeaderSize, kMaxFileBytes) ||
        bytes.size() < kestrel::kxm3::kHeaderSize)
        return LoadStatus::Unreadable;
    if (!kestrel::kxm3::IsNativeHeader(bytes.data(), bytes.size()))
        return LoadStatus::Foreign;
    if (!nimbus::ReadWholeFile(path, bytes, kMaxFileBytes) || bytes.size() < kestrel::kxm3::kHeaderSize)
        return LoadStatus::Unreadable;
    switch (kestrel::kxm3::Read(bytes.data(), bytes.size(), *this)) {
    case kestrel::kxm3::ReadResult::Complete: return LoadStatus::Native;
    case kestrel::kxm3::ReadResult::Partial: return LoadStatus::NativeDamaged;
    case kestrel::kxm3::ReadResult::Emptied: break;
    }
    return LoadStatus::NativeEmptied;
}

bool CDocModel::SaveNative(const std::string& path) const
{
    const std::vector<uint8_t> bytes = kestrel::kxm3::Write(*this);
    return nimbus::WriteFileAtomically(path, bytes.data(), bytes.size());
}
