#pragma once

// The graphics archive pages' fixture: the editor on copies of the shareware archive, and a
// reader written the way the game reads the files (header offsets, dictionary walk, chunk
// lengths), so that saved archives are not checked by our own loader alone.
#include "EditorFixture.h"
#include "vga/VgaData.h"
#include "widgets/PictureEditorPanel.h"
#include "window/MainToolbar.h"

#include <QLineEdit>
#include <QTest>

namespace zentrik::gui {

namespace fs = std::filesystem;
using test::EditorTest;
using test::readBytes;
using test::writeBytes;

// The archive as the game sees it: chunk k is stored from offset k to offset k + 1, begins with
// its expanded length (the tile8 chunk excepted) and is walked bit by bit from node 254.
struct GameReader {
    std::vector<uint8_t> graph, head, dict;
    explicit GameReader(const fs::path& graphPath) {
        const auto files = VgaFileSet::fromGraphPath(graphPath);
        graph = readBytes(files.graphPath());
        head = readBytes(files.headPath());
        dict = readBytes(files.dictPath());
    }
    int chunks() const { return int(head.size() / 3) - 1; }
    size_t offset(int k) const {
        return head[3 * k] | head[3 * k + 1] << 8 | size_t(head[3 * k + 2]) << 16;
    }
    std::vector<uint8_t> chunk(int k, size_t fixedLength = 0) const {
        size_t at = offset(k);
        size_t length = fixedLength;
        if (!fixedLength) {
            length =
                graph[at] | graph[at + 1] << 8 | graph[at + 2] << 16 | size_t(graph[at + 3]) << 24;
            at += 4;
        }
        std::vector<uint8_t> out;
        int node = 254;
        for (size_t bit = 0; out.size() < length && at + bit / 8 < offset(k + 1); ++bit) {
            const int side = (graph[at + bit / 8] >> (bit % 8)) & 1;
            const int v = dict[4 * node + 2 * side] | dict[4 * node + 2 * side + 1] << 8;
            if (v < 256) {
                out.push_back(uint8_t(v));
                node = 254;
            } else {
                node = v - 256;
            }
        }
        out.resize(length); // the game fills a fixed-size tile8 buffer whatever the stream held
        return out;
    }
};

class VgaPagesTest : public EditorTest {
protected:
    void SetUp() override {
        ZENTRIK_REQUIRE_GAMEDATA();
        start();
        context->jobs = &jobs;
        for (const char* name : {"VGAGRAPH.WL1", "VGAHEAD.WL1", "VGADICT.WL1"})
            dir.copyGameFile(std::string("wl1/") + name);
        graph = dir / "VGAGRAPH.WL1";
    }
    VgaData& vga() { return VgaData::of(*context); }
    VgaGraphState& state() { return vga().state(); }
    MainToolbar& toolbar() { return *window->findChild<MainToolbar*>(); }
    QAction* menu(bool save, VgaPart part) { return toolbar().vgaAction(save, part); }
    void load(VgaPart part, const fs::path& path) {
        prompter.expectPath(path.string());
        menu(false, part)->trigger();
    }
    bool titleMarked() const { return window->windowTitle().endsWith(QStringLiteral(" *")); }
    static void clickPixel(PictureEditorPanel* panel, ChunkPoint at) {
        QTest::mouseClick(panel->view()->viewport(), Qt::LeftButton, {},
                          panel->view()->toScreen(at) + QPoint(1, 1));
    }
    // Enter, then the focus leaving: the field must act once.
    static void enter(QLineEdit* field, const QString& text) {
        field->setText(text);
        field->setModified(true);
        emit field->editingFinished();
        emit field->editingFinished();
    }

    test::TempDir dir;
    InlineJobRunner jobs;
    fs::path graph;
};

} // namespace zentrik::gui
