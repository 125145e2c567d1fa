/* Counts the buffer swaps of a program it is preloaded into, for frame rates of viewers that
 * show none themselves. The count, the time of the last swap and the wall-clock time of the
 * first (when the window first shows anything) go to $SWAP_COUNT_FILE. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long swaps;
static double firstSwap;

static void Record(void)
{
    static int fd = -2;
    if (fd == -2) {
        const char* path = getenv("SWAP_COUNT_FILE");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (fd < 0)
        return;
    struct timespec t;
    if (swaps == 0) {
        clock_gettime(CLOCK_REALTIME, &t);
        firstSwap = t.tv_sec + t.tv_nsec * 1e-9;
    }
    clock_gettime(CLOCK_MONOTONIC, &t);
    char line[96];
    const int n =
        snprintf(line, sizeof line, "%ld %.6f %.6f\n", ++swaps, t.tv_sec + t.tv_nsec * 1e-9, firstSwap);
    if (n > 0)
        (void)pwrite(fd, line, (size_t)n, 0);
}

void glXSwapBuffers(void* display, unsigned long drawable)
{
    static void (*real)(void*, unsigned long);
    if (!real)
        real = (void (*)(void*, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers");
    Record();
    if (real)
        real(display, drawable);
}

unsigned eglSwapBuffers(void* display, void* surface)
{
    static unsigned (*real)(void*, void*);
    if (!real)
        real = (unsigned (*)(void*, void*))dlsym(RTLD_NEXT, "eglSwapBuffers");
    Record();
    return real ? real(display, surface) : 0;
}
