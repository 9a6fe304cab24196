#include "EditorFixture.h"

#include "imaging/Palette.h"

#include <QCoreApplication>
#include <QTabWidget>

#include <fstream>

namespace zentrik::test {

namespace fs = std::filesystem;

GamePalette rampPalette() {
    GamePalette p;
    for (int i = 0; i < kPaletteEntries; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
    return p;
}

void writePalette(const fs::path& path, const GamePalette& palette) {
    fs::create_directories(path.parent_path());
    writeBytes(path, palFileBytes(palette));
}

void copySymbolSets(const fs::path& programDir) {
    fs::create_directories(programDir / "MapObjects");
    fs::copy(fs::path(ZENTRIK_SOURCE_DATA) / "MapObjects", programDir / "MapObjects",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

namespace {
// The current folder, or the temporary folder when an earlier test left the current folder
// inside a scratch folder that is gone by now.
fs::path currentOrTemp() {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    if (ec) {
        cwd = fs::temp_directory_path();
        fs::current_path(cwd);
    }
    return cwd;
}
} // namespace

EditorTest::EditorTest() : m_savedCwd(currentOrTemp()) {
    writePalette(program / "palette" / "Wolfenstein3D.pal", rampPalette());
    copySymbolSets(program.path());
    fs::copy_file(fs::path(ZENTRIK_SOURCE_DATA) / "SoundNames.txt", program / "SoundNames.txt");
}

EditorTest::~EditorTest() {
    window.reset();
    context.reset();
    std::error_code ec;
    fs::current_path(m_savedCwd, ec);
}

gui::CZentrikDlg& EditorTest::start() {
    context = std::make_unique<gui::AppContext>(gui::ProgramPaths{program.path(), user.path()});
    context->prompter = &prompter;
    window = std::make_unique<gui::CZentrikDlg>(*context);
    window->show();
    return *window;
}

void EditorTest::writeFile(const std::string& relative, const std::string& text) {
    const fs::path path = program / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void EditorTest::showPage(QWidget* page) {
    for (QWidget* w = page; w && w->parentWidget(); w = w->parentWidget()) {
        // A tab's page sits in the tab widget's stack, which is the tab widget's child.
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()))
            tabs->setCurrentWidget(w);
    }
    QCoreApplication::processEvents();
}

IniFile EditorTest::iniOnDisk() const {
    IniFile ini(program / "Zentrik.ini");
    ini.load();
    return ini;
}

} // namespace zentrik::test
