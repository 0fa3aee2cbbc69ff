// A stand-in host process for the tests.
//   exchange_writer once PATH SECTION KEY VALUE DELAY_MS
//       waits DELAY_MS milliseconds, then writes VALUE once.
//   exchange_writer loop PATH SECTION KEY VALUE_A VALUE_B COUNT
//       writes VALUE_A and VALUE_B alternately, COUNT times in all.
#include "exchange/ProfileFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

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
    std::fprintf(stderr, "usage: exchange_writer once|loop ...\n");
    return 2;
}
