#pragma once

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "window/CZentrikDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace zentrik::test {

// A palette whose entry i is (i, 255 - i, i / 2), so every entry differs from its neighbours.
GamePalette rampPalette();
void writePalette(const std::filesystem::path& path, const GamePalette& palette);
// Copies the shipped map-symbol sets ("Wolfenstein 3D", "Spear of Destiny") into
// programDir/MapObjects.
void copySymbolSets(const std::filesystem::path& programDir);

// The editor started on a scratch program folder that holds the fallback palette and the
// shipped symbol sets, so a fresh start says nothing; questions are answered from a script.
class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    ~EditorTest() override;

    gui::CZentrikDlg& start();
    void writeFile(const std::string& relative, const std::string& text);
    IniFile iniOnDisk() const;
    // Brings the page's tab, and the tabs around it, to the front, so it is laid out.
    static void showPage(QWidget* page);
    // The window's page of the given class, shown; the window is started if need be.
    template <class Page> Page& page(const char* name) {
        if (!window)
            start();
        auto* p = dynamic_cast<Page*>(window->page(QString::fromLatin1(name)));
        EXPECT_NE(p, nullptr) << name;
        showPage(p);
        return *p;
    }

    TempDir program, user;
    StrictPrompter prompter;
    std::unique_ptr<gui::AppContext> context;
    std::unique_ptr<gui::CZentrikDlg> window;

private:
    std::filesystem::path m_savedCwd;
};

} // namespace zentrik::test
