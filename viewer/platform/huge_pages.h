#pragma once

namespace kestrel::platform {

// Large models live in large blocks of fresh memory, and first-touch page faults can cost
// more than reading the file (seen: 64 MiB took 280 ms in 4 KiB pages, 6 ms in huge pages).
// glibc backs large blocks with transparent huge pages only when told at start-up, so the
// program starts itself once more with that setting. Call first thing in main; it returns
// when nothing is to be done (already set, huge pages off, or the restart failed).
void RestartWithHugePages(int argc, char** argv);

} // namespace kestrel::platform
