#pragma once

#include "TestSupport.h"

#include "app/Workspace.h"

namespace zentrik::test {

// A workspace over inline jobs, a fake clock and a strict prompter (an unscripted question
// fails the test).
struct WorkspaceFixture {
    StrictPrompter prompter;
    InlineJobRunner jobs;
    FakeClock clock;
    QuietTime quiet;
    Settings settings;
    GamePalette palette;
    std::filesystem::path folder;
    Workspace ws{WorkspaceServices{prompter, jobs, quiet, clock, settings, palette,
                                   [this](const std::filesystem::path& f) { folder = f; },
                                   nullptr}};
};

} // namespace zentrik::test
