/* Watches a rectangle of the X root window from a given start time until a given end, and
 * prints the time (seconds after the start) of the first picture that already looks like the
 * last one: the normalised root-mean-square difference over the colour channels is at most
 * the given tolerance, as ImageMagick's "compare -metric RMSE" gives it. Prints "-" when
 * nothing but the empty screen was seen.
 *
 * One X connection grabbing a small rectangle every few milliseconds costs far less than a
 * screenshot program per frame, which took a core of two from the viewers it measured.
 *
 * usage: frame_watch START_EPOCH SECONDS WIDTH HEIGHT X Y TOLERANCE
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kMaxPictures = 256 };

typedef struct {
    double time;
    uint8_t* rgb;
} Picture;

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

static void Sleep(double seconds)
{
    struct timespec t = {0, (long)(seconds * 1e9)};
    nanosleep(&t, NULL);
}

static int Grab(Display* display, Window root, int w, int h, int x, int y, uint8_t* out)
{
    XImage* image = XGetImage(display, root, x, y, (unsigned)w, (unsigned)h, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const unsigned long p = XGetPixel(image, col, row);
            uint8_t* o = out + ((size_t)row * w + col) * 3;
            o[0] = (uint8_t)((p & image->red_mask) >> 16);
            o[1] = (uint8_t)((p & image->green_mask) >> 8);
            o[2] = (uint8_t)(p & image->blue_mask);
        }
    XDestroyImage(image);
    return 1;
}

static double Difference(const uint8_t* a, const uint8_t* b, size_t bytes)
{
    double sum = 0;
    for (size_t i = 0; i < bytes; ++i) {
        const double d = (a[i] - b[i]) / 255.0;
        sum += d * d;
    }
    return sqrt(sum / (double)bytes);
}

int main(int argc, char** argv)
{
    if (argc != 8) {
        fprintf(stderr, "usage: %s START_EPOCH SECONDS WIDTH HEIGHT X Y TOLERANCE\n", argv[0]);
        return 2;
    }
    const double start = atof(argv[1]), seconds = atof(argv[2]), tolerance = atof(argv[7]);
    const int w = atoi(argv[3]), h = atoi(argv[4]), x = atoi(argv[5]), y = atoi(argv[6]);
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096 || seconds <= 0)
        return 2;
    const size_t bytes = (size_t)w * h * 3;

    Display* display = NULL;
    while (!(display = XOpenDisplay(NULL)) && Now() - start < seconds)
        Sleep(0.01);
    if (!display)
        return 1;
    const Window root = DefaultRootWindow(display);

    /* Only pictures that differ from the one before are kept: a handful per run. */
    Picture pictures[kMaxPictures];
    int count = 0;
    uint8_t* scratch = malloc(bytes);
    if (!scratch)
        return 1;
    while (Now() - start < seconds) {
        const double t = Now() - start;
        if (Grab(display, root, w, h, x, y, scratch) &&
            (count == 0 || memcmp(scratch, pictures[count - 1].rgb, bytes) != 0)) {
            if (count == kMaxPictures) {
                free(pictures[1].rgb); /* keep the first and the latest ones */
                memmove(&pictures[1], &pictures[2], sizeof(Picture) * (kMaxPictures - 2));
                --count;
            }
            pictures[count].time = t;
            pictures[count].rgb = scratch;
            ++count;
            scratch = malloc(bytes);
            if (!scratch)
                return 1;
        }
        Sleep(0.004);
    }
    XCloseDisplay(display);

    /* The first picture is the empty screen before the program shows anything. */
    for (int i = 1; i < count; ++i)
        if (Difference(pictures[i].rgb, pictures[count - 1].rgb, bytes) <= tolerance) {
            printf("%.3f\n", pictures[i].time);
            return 0;
        }
    printf("-\n");
    return 0;
}
