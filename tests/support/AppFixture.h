#pragma once
// A test with a fresh component: its own application directory (and exchange file path), the
// assistant closed, today pinned to 5 March 2008, and a message box that records.

#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "support/Files.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace formalys::testing {

class RecordingMessageBox final : public MessageBoxPort
{
public:
    struct Shown
    {
        std::string text;
        std::string title;
        Icon icon;
    };
    void show(const std::string& text, const std::string& title, Icon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<Shown> shown;
};

class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void writeExchange(const std::string& content); // the whole exchange file, as bytes
    std::string exchangeText() const;
    // Copies the shipped templates and mapping grids into the application directory.
    void installShippedForms() const;
    // Acts as the host: a callback that names `output` in RESULTAT/FICHIER.
    void hostNames(const std::string& output);

    ComponentState& state() { return ComponentState::instance(); }
    assistant::Assistant& window() { return assistant::assistantWindow(); }

    TempDir dir;
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<HeadlessTrayMenu> tray = std::make_shared<HeadlessTrayMenu>();
};

} // namespace formalys::testing
