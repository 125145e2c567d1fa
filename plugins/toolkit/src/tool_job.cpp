#include "toolkit/tool_job.h"

namespace kestrel::toolkit {

bool CToolJob::Run(CJobProgress& progress) { return run_ && run_(progress); }

} // namespace kestrel::toolkit
