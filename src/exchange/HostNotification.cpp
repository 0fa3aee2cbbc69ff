#include "exchange/HostNotification.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "exchange/Exchange.h"

#include <chrono>
#include <exception>
#include <thread>

namespace formalys {

namespace {

constexpr auto pauseBetweenReads = std::chrono::milliseconds(1);

void callHost(const HostCallback& callback)
{
    if (!callback) {
        return;
    }
    try {
        callback(1, 2, 3, 4);
    } catch (const std::exception& e) {
        // The host may still write the path from elsewhere: keep waiting, as for any callback.
        reportWarning(std::string("le rappel de l'application hôte a échoué : ") + e.what());
    }
}

} // namespace

std::string GetCallbackPDF()
{
    HostAnswer answer = askHostForPath();
    if (!answer.failure.empty()) {
        reportWarning(std::move(answer.failure));
    }
    return answer.path;
}

HostAnswer askHostForPath()
{
    HostAnswer answer;
    if (auto failure = writeExchangeOrExplain("RESULTAT", "FICHIER", "OFF")) {
        answer.failure = std::move(*failure);
        return answer;
    }
    callHost(ComponentState::instance().hostCallback);
    for (;;) {
        answer.path = ReadExchange("RESULTAT", "FICHIER", "OFF");
        ++answer.reads;
        if (answer.path != "OFF") {
            return answer;
        }
        std::this_thread::sleep_for(pauseBetweenReads);
    }
}

} // namespace formalys
