#pragma once

#include "app/DataSet.h"
#include "app/Signal.h"
#include "app/Workspace.h"
#include "platform/SoundOut.h"

#include <QObject>
#include <QRgb>

#include <array>
#include <memory>

namespace zentrik::gui {

class AppContext;

// The texture, sprite and sound pages' view of the workspace: the page file's collections,
// the picture clipboard of every picture page, the colour-match cache, and the sound output,
// which is view state the workspace does not hold. One per AppContext, found with of().
// Workspace notifications arrive here once and go on to the pages as Qt signals.
class PixelData : public QObject {
    Q_OBJECT
public:
    static PixelData& of(AppContext& context);
    ~PixelData() override;

    Workspace& workspace() { return m_workspace; }
    PageFiles& files() { return m_workspace.pageFiles(); }
    PictureClipboard& clipboard() { return m_workspace.pictureClipboard(); }
    NearestColorTable& colours() { return m_workspace.colorMatch(); }
    const GamePalette& palette() const;
    std::array<QRgb, 256> paletteColours() const;
    Prompter& prompter();
    JobRunner& jobs();
    int spriteCompression() const;

    SoundOut& soundOut() { return *m_soundOut; }
    // Tests put a recording player in; the editor starts with the platform's.
    void setSoundOut(std::unique_ptr<SoundOut> out) { m_soundOut = std::move(out); }

    // Where the picture pages propose their exports: the folder of the last one, and a name
    // by kind and number ("wall-012.png", "tile8-07.png").
    std::string exportProposal(const char* kind, int number, int digits = 3) const;
    void rememberExport(const std::string& path);
    const std::string& exportFolder() const { return m_exportFolder; }

    // A page changed its set: "modified" rises and every view of the set hears of it.
    void notify(DataSet set, ChangeKind kind, int index);
    bool modified(DataSet set) const { return m_workspace.isModified(set); }
    // The clipboard was filled on some page: every Paste button becomes available.
    void announceCopied() { emit clipboardFilled(); }

signals:
    // The collection was replaced as a whole (loaded, resolution changed): pages start again.
    void setReplaced(DataSet set);
    // Items of the set were edited, inserted or removed.
    void setEdited(DataSet set);
    void clipboardFilled();
    void paletteSwitched();

private:
    explicit PixelData(AppContext& context);

    AppContext& m_context;
    Workspace& m_workspace;
    std::unique_ptr<SoundOut> m_soundOut;
    Connection m_changes;
    std::string m_exportFolder;
};

} // namespace zentrik::gui
