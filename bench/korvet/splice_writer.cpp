// A writer into a pipe that copies nothing: `splice_writer FILE | ...` moves
// FILE's pages from the system cache into the pipe by reference, so that a
// benchmark of a program that reads standard input measures that program's own
// reading, not the writer's two copies of every byte (cat: the cache into its
// buffer, its buffer into the pipe). Linux only, like the benchmarks; standard
// output must be a pipe.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: splice_writer FILE  (standard output: a pipe)\n");
        return 2;
    }
    const int input = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    if (input < 0) {
        std::perror(argv[1]);
        return 1;
    }
    for (;;) {
        const ssize_t moved = ::splice(input, nullptr, STDOUT_FILENO, nullptr, 1 << 20, SPLICE_F_MORE);
        if (moved == 0) return 0;
        if (moved < 0) {
            std::perror("splice");
            return 1;
        }
    }
}
