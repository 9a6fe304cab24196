#pragma once

#include "app/ChangeFlags.h"
#include "draw/PictureClipboard.h"
#include "imaging/ColorMatch.h"
#include "pagefile/PageFiles.h"
#include "platform/SoundOut.h"

#include <QObject>
#include <QRgb>

#include <array>
#include <memory>

namespace zentrik::gui {

class AppContext;

// What the texture, sprite and sound pages share: the page file's collections, the picture
// clipboard of every picture page, the colour-match cache over the current palette and the
// sound output. One per AppContext, found with of(). Pages raise the modified flag of their
// set through it and listen to its signals.
class PixelData : public QObject {
    Q_OBJECT
public:
    static PixelData& of(AppContext& context);
    ~PixelData() override;

    PageFiles& files() { return *m_files; }
    PictureClipboard& clipboard() { return m_clipboard; }
    NearestColorTable& colours() { return *m_colours; }
    const GamePalette& palette() const;
    std::array<QRgb, 256> paletteColours() const;
    Prompter& prompter();
    JobRunner& jobs();
    int spriteCompression() const;

    SoundOut& soundOut() { return *m_soundOut; }
    // Tests put a recording player in; the editor starts with the platform's.
    void setSoundOut(std::unique_ptr<SoundOut> out) { m_soundOut = std::move(out); }

    void markModified(DataSet set);
    bool modified(DataSet set) const;
    // A collection was replaced as a whole (loaded, resolution changed): pages start again.
    void announceReplaced(DataSet set) { emit setReplaced(set); }
    // The clipboard was filled on some page: every Paste button becomes available.
    void announceCopied() { emit clipboardFilled(); }

signals:
    void setReplaced(DataSet set);
    // One page changed a set; the others that show it redraw.
    void setEdited(DataSet set);
    void clipboardFilled();
    void paletteSwitched();

private:
    explicit PixelData(AppContext& context);

    class JobRelay;
    AppContext& m_context;
    std::unique_ptr<JobRelay> m_jobs;
    std::unique_ptr<PageFiles> m_files;
    PictureClipboard m_clipboard;
    std::unique_ptr<NearestColorTable> m_colours;
    std::unique_ptr<SoundOut> m_soundOut;
};

} // namespace zentrik::gui
