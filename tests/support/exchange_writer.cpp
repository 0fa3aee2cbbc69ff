// A stand-in host process for the tests.
//   exchange_writer once PATH SECTION KEY VALUE DELAY_MS
//       waits DELAY_MS milliseconds, then writes VALUE once.
//   exchange_writer loop PATH SECTION KEY VALUE_A VALUE_B COUNT
//       writes VALUE_A and VALUE_B alternately, COUNT times in all.
//   exchange_writer inplace PATH CONTENT_A CONTENT_B COUNT
//       rewrites the file in place, as a careless host does: truncates it, then writes CONTENT_A
//       (or CONTENT_B, alternately) in small pieces, COUNT times in all.
#include "exchange/ProfileFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv)
{
    using formalys::exchange::writeProfileString;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "once" && argc == 7) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[6])));
        return writeProfileString(argv[2], argv[3], argv[4], argv[5]).ok ? 0 : 1;
    }
    if (mode == "loop" && argc == 8) {
        const int count = std::atoi(argv[7]);
        for (int i = 0; i < count; ++i) {
            if (!writeProfileString(argv[2], argv[3], argv[4], i % 2 == 0 ? argv[5] : argv[6]).ok) {
                return 1;
            }
        }
        return 0;
    }
    if (mode == "inplace" && argc == 6) {
        const int count = std::atoi(argv[5]);
        for (int i = 0; i < count; ++i) {
            const std::string content = i % 2 == 0 ? argv[3] : argv[4];
            const int fd = ::open(argv[2], O_WRONLY | O_TRUNC);
            if (fd < 0) {
                return 1;
            }
            for (std::size_t at = 0; at < content.size(); at += 16) {
                const std::size_t piece = std::min<std::size_t>(16, content.size() - at);
                if (::write(fd, content.data() + at, piece) != static_cast<ssize_t>(piece)) {
                    ::close(fd);
                    return 1;
                }
            }
            ::close(fd);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: exchange_writer once|loop|inplace ...\n");
    return 2;
}
