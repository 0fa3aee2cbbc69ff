// A stand-in host for the tests: `exchange_writer PATH CONTENT_A CONTENT_B COUNT` rewrites the
// exchange file in place, as a careless host does: truncates it, then writes CONTENT_A (or
// CONTENT_B, alternately) in pieces of 16 bytes, COUNT times in all.
#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    for (int i = 0; argc == 5 && i < std::atoi(argv[4]); ++i) {
        const std::string content = argv[2 + i % 2];
        const int fd = ::open(argv[1], O_WRONLY | O_TRUNC);
        for (std::size_t at = 0; fd >= 0 && at < content.size(); at += 16) {
            const std::size_t piece = std::min<std::size_t>(16, content.size() - at);
            if (::write(fd, content.data() + at, piece) != static_cast<ssize_t>(piece)) {
                return 1;
            }
        }
        if (fd < 0 || ::close(fd) != 0) {
            return 1;
        }
    }
    return argc == 5 ? 0 : 2;
}
