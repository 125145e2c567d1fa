#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrel_seed_writer OUTPUT_DIR\n");
        return 2;
    }
    return 0;
}
