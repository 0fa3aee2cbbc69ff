#pragma once
// A test with a fresh component: its own application directory (and exchange file path), the
// assistant closed, today pinned to 5 March 2008, and a message box that records.

#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "formalys/SHPDF.h"
#include "support/Files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace formalys::testing {

class RecordingMessageBox final : public MessageBoxPort
{
public:
    struct Shown { std::string text, title; Icon icon; };
    void show(const std::string& text, const std::string& title, Icon icon) override { shown.push_back({text, title, icon}); }
    std::vector<Shown> shown;
};

class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state().reset();
        SHPDF().CerfaInit(dir.path());
        window().Unload(); // closed, as at the start of a process
        state().messageBox = messages;
        state().clock = std::make_shared<FixedClock>(std::chrono::year{2008} / std::chrono::March / 5);
        takeWarnings();
        takeDetails();
    }
    void TearDown() override
    {
        state().reset();
        takeWarnings();
        takeDetails();
    }

    void writeExchange(const std::string& content) { writeBytes(dir.file("Formalys.ini"), content); }
    std::string exchangeText() const { return readBytes(dir.file("Formalys.ini")); }
    // Copies the shipped templates and mapping grids into the application directory, or `into`.
    void installShippedForms() const { installShippedForms(dir); }
    static void installShippedForms(const TempDir& into)
    {
        for (const char* folder : {FORMALYS_FORMS_DIR, FORMALYS_GRIDS_DIR}) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                std::filesystem::copy(entry.path(), into.file(entry.path().filename().string()));
            }
        }
    }
    // Acts as the host: a callback that names `output` in RESULTAT/FICHIER.
    void hostNames(const std::string& output)
    {
        state().hostCallback = [output](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
            WriteExchange("RESULTAT", "FICHIER", output);
            return 0;
        };
    }

    ComponentState& state() { return ComponentState::instance(); }
    assistant::Assistant& window() { return assistant::assistantWindow(); }

    TempDir dir;
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
};

} // namespace formalys::testing
