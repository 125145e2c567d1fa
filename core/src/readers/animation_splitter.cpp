#include "formats/afs/afs_file.h"
#include "model_file.h"
#include "nimbus/model.h"

bool CModel::LoadAnimationSplitter(const char* path)
{
    if (!path || !*path || !mAnimated || mTotalFrames == 0)
        return false;
    std::vector<uint8_t> bytes;
    if (!nimbus::readers::ReadModelFile(path, bytes))
        return false;
    std::vector<nimbus::afs::Sequence> sequences;
    const nimbus::afs::ParseStatus status = nimbus::afs::Parse(bytes.data(), bytes.size(), sequences);
    // A missing file or a wrong header leaves the sequences as they were.
    if (status == nimbus::afs::ParseStatus::BadHeader)
        return false;

    const auto valid = [&](int32_t frame) { return frame >= 0 && uint32_t(frame) <= mTotalFrames; };
    bool ok = status == nimbus::afs::ParseStatus::Ok;
    for (const nimbus::afs::Sequence& s : sequences)
        ok = ok && valid(s.start) && valid(s.end);

    mSequences.clear();
    if (!ok) {
        // An invalid or missing record: one sequence over the whole timeline.
        CAnimSequence& all = mSequences.emplace_back();
        all.SetName("Animation");
        all.mStart = 1.0f;
        all.mEnd = float(mTotalFrames);
        all.mPriority = 0;
        mCurrentSequence = 0;
        return false;
    }
    for (const nimbus::afs::Sequence& s : sequences) {
        CAnimSequence& seq = mSequences.emplace_back();
        seq.SetName(s.name.c_str());
        seq.mStart = float(s.start);
        seq.mEnd = float(s.end);
        seq.mPriority = s.priority;
    }
    if (mCurrentSequence < 0 || size_t(mCurrentSequence) >= mSequences.size())
        mCurrentSequence = 0;
    return true;
}
