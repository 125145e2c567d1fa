// Animation loops (named frame ranges).

#include "tessera/tessera.h"
#include "text_copy.h"

using namespace tessera;

extern "C" {

void skLoopSetName(skLoop* loop, const char* name)
{
    if (loop)
        CopyText(loop->name, SK_NAME_LENGTH, name);
}

const char* skLoopGetName(const skLoop* loop) { return loop ? loop->name : nullptr; }

void skLoopSetStartTime(skLoop* loop, float time)
{
    if (loop)
        loop->startTime = time;
}

float skLoopGetStartTime(const skLoop* loop) { return loop ? loop->startTime : 0.0f; }

void skLoopSetEndTime(skLoop* loop, float time)
{
    if (loop)
        loop->endTime = time;
}

float skLoopGetEndTime(const skLoop* loop) { return loop ? loop->endTime : 0.0f; }

void skLoopSetPriority(skLoop* loop, uint16_t priority)
{
    if (loop)
        loop->priority = priority;
}

uint16_t skLoopGetPriority(const skLoop* loop) { return loop ? loop->priority : 0; }

} // extern "C"
