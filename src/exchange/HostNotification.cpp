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
        reportWarning("le rappel de l'application hôte a échoué", e.what());
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
    // The host reads the exchange file during its callback: what was written so far must be on
    // disk before it is called, and from then on the wait reads the file itself.
    auto failure = writeExchangeOrExplain("RESULTAT", "FICHIER", "OFF");
    if (!failure) {
        failure = settleExchange();
    }
    if (failure) {
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
