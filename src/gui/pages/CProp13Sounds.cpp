#include "pages/CProp13Sounds.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "io/SafeFile.h"
#include "pagefile/ChunkEdit.h"
#include "pagefile/SoundEdit.h"
#include "pagefile/SoundUndo.h"
#include "pagefile/Wav.h"
#include "widgets/SoundEditCtrl.h"
#include "world/SoundNames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

constexpr int kPageStep = 2;
constexpr int kPreviewWidth = 64;
constexpr int kPreviewHeight = 20;

// A small waveform for the list, drawn like the large one.
QPixmap wavePreview(std::span<const uint8_t> samples) {
    QPixmap pix(kPreviewWidth, kPreviewHeight);
    pix.fill(Qt::black);
    QPainter p(&pix);
    p.setPen(QColor(30, 255, 100));
    const int mid = kPreviewHeight / 2;
    for (int x = 0; x < kPreviewWidth; ++x) {
        const size_t i = samples.size() * size_t(x) / kPreviewWidth;
        const int y =
            i < samples.size() ? mid - (int(samples[i]) - 128) * kPreviewHeight / 256 : mid;
        p.drawLine(x, mid, x, y);
    }
    return pix;
}

const PageRegistration reg("CProp13Sounds", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp13Sounds(c, parent);
});

} // namespace

CProp13Sounds::CProp13Sounds(AppContext& context, QWidget* parent)
    : QWidget(parent), m_data(PixelData::of(context)), m_rate(kDefaultSampleRate),
      m_names(std::make_unique<SoundNames>(SoundNames::load(context.paths().programDir))) {
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("SoundScroll"));
    m_scroll->setPageStep(kPageStep);
    m_position = new QLabel(QStringLiteral("0/0"), this);
    m_size = new QLabel(QStringLiteral("Sound size: N/A"), this);
    m_duration = new QLabel(QStringLiteral("Sound duration: N/A"), this);
    m_rateField = new QLineEdit(QString::number(m_rate), this);
    m_rateField->setObjectName(QStringLiteral("SampleRate"));
    m_playOnScroll = new QCheckBox(QStringLiteral("Play Sound on Scrolling"), this);
    m_wave = new SoundEditCtrl(this);
    m_rateWarning = new QLabel(this);
    m_rateWarning->setObjectName(QStringLiteral("RateWarning"));
    m_rateWarning->setStyleSheet(QStringLiteral("color: #b00000"));
    m_noDevice = new QLabel(QStringLiteral("no audio device: playing silently"), this);
    m_noDevice->setObjectName(QStringLiteral("NoAudioDevice"));
    m_noDevice->setVisible(false);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("SoundName"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("SoundList"));
    m_list->setIconSize(QSize(kPreviewWidth, kPreviewHeight));
    m_list->setMaximumWidth(m_list->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 48 +
                            kPreviewWidth);
    auto button = [this](const char* text, const char* tip, void (CProp13Sounds::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setToolTip(QString::fromLatin1(tip));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* playButton = button("Play sound", "Play sound", &CProp13Sounds::play);
    auto* stopButton = button("Stop", "Stop playing", &CProp13Sounds::stop);
    auto* insertButton =
        button("Insert", "Insert a new sound after the current one", &CProp13Sounds::insertSound);
    auto* removeButton = button("Remove", "Remove the current sound", &CProp13Sounds::removeSound);
    auto* exportButton = button("Export", "Export", &CProp13Sounds::exportSound);
    auto* importButton = button("Import", "Import", &CProp13Sounds::importSound);

    auto* grid = new QGridLayout;
    grid->addWidget(m_scroll, 0, 0, 1, 5);
    grid->addWidget(m_position, 0, 5);
    grid->addWidget(m_name, 0, 6);
    grid->addWidget(new QLabel(QStringLiteral("Used sample rate (in Hz):"), this), 1, 0);
    grid->addWidget(m_rateField, 1, 1);
    grid->addWidget(m_rateWarning, 1, 2, 1, 3);
    grid->addWidget(m_size, 2, 0);
    grid->addWidget(m_duration, 2, 1);
    grid->addWidget(playButton, 3, 0);
    grid->addWidget(stopButton, 3, 1);
    grid->addWidget(m_playOnScroll, 3, 2);
    grid->addWidget(m_noDevice, 3, 3, 1, 2);
    grid->addWidget(insertButton, 4, 0);
    grid->addWidget(removeButton, 4, 1);
    grid->addWidget(exportButton, 5, 0);
    grid->addWidget(importButton, 5, 1);
    grid->setColumnStretch(4, 1);
    m_rateField->setMaximumWidth(
        m_rateField->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addWidget(m_wave, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(right, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing && row >= 0)
            scrolled(row);
    });

    auto shortcut = [this](const QKeySequence& keys, void (CProp13Sounds::*slot)()) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Undo, &CProp13Sounds::undo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &CProp13Sounds::redo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &CProp13Sounds::redo);

    connect(m_scroll, &QScrollBar::valueChanged, this, &CProp13Sounds::scrolled);
    connect(m_rateField, &QLineEdit::editingFinished, this, [this] { checkRate(); });
    connect(&m_data, &PixelData::setReplaced, this, [this](DataSet set) {
        if (set == DataSet::Sounds) {
            m_listStale = true;
            refresh();
        }
    });
    refresh();
}

CProp13Sounds::~CProp13Sounds() = default;

QString CProp13Sounds::positionText() const {
    return m_position->text();
}
QString CProp13Sounds::sizeText() const {
    return m_size->text();
}
QString CProp13Sounds::durationText() const {
    return m_duration->text();
}

QString CProp13Sounds::rateWarningText() const {
    return m_rateWarning->text();
}
bool CProp13Sounds::noDeviceShown() const {
    return !m_noDevice->isHidden();
}

void CProp13Sounds::setPlayOnScrolling(bool on) {
    m_playOnScroll->setChecked(on);
}

std::optional<int> CProp13Sounds::checkRate() {
    auto rate = checkSampleRate(m_rateField->text().trimmed().toStdString(), m_data.prompter());
    if (rate) {
        m_rate = *rate;
        m_rateField->setText(QString::number(m_rate));
        m_listStale = true; // the durations change with the rate
        refresh();
    }
    return rate;
}

void CProp13Sounds::refresh() {
    // The game plays every sound at 7042 Hz whatever rate it was made for.
    m_rateWarning->setText(m_rate == kDefaultSampleRate
                               ? QString()
                               : QStringLiteral("The game plays sounds at %1 Hz: a sound made "
                                                "for %2 Hz plays at the wrong speed there.")
                                     .arg(kDefaultSampleRate)
                                     .arg(m_rate));
    const SoundSet& set = m_data.files().sounds;
    const int n = set.count();
    m_current = std::clamp(m_current, 0, std::max(0, n - 1));
    if (m_listStale)
        rebuildList();
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, n - 1));
    m_scroll->setValue(m_current);
    m_list->setCurrentRow(n == 0 ? -1 : m_current);
    m_syncing = false;
    m_name->setText(QString::fromStdString(soundName(m_current)));
    if (n == 0) {
        m_position->setText(QStringLiteral("0/0"));
        m_size->setText(QStringLiteral("Size: N/A"));
        m_duration->setText(QStringLiteral("Duration: N/A"));
        m_wave->setSamples({});
        return;
    }
    const Sound& sound = set.sounds[size_t(m_current)];
    m_position->setText(QStringLiteral("%1/%2").arg(m_current + 1).arg(n));
    m_size->setText(sound.absent
                        ? QStringLiteral("Size: %1 bytes (absent from the file)").arg(sound.length)
                        : QStringLiteral("Size: %1 bytes").arg(sound.length));
    m_duration->setText(
        QString::asprintf("Duration: %0.3f secs", double(sound.length) / double(m_rate)));
    m_wave->setSamples(heldSamples(sound));
}

void CProp13Sounds::showSound(int index) {
    const int n = m_data.files().sounds.count();
    if (n == 0)
        return;
    m_current = std::clamp(index, 0, n - 1);
    refresh();
}

void CProp13Sounds::scrolled(int value) {
    if (m_syncing)
        return;
    const int before = m_current;
    showSound(value);
    if (m_current != before && m_playOnScroll->isChecked())
        play();
}

void CProp13Sounds::play() {
    const SoundSet& set = m_data.files().sounds;
    if (set.count() == 0 || !checkRate())
        return;
    const Sound& sound = set.sounds[size_t(m_current)];
    m_data.soundOut().stop();
    // Without an output device nothing would be heard, and nothing would say why.
    m_noDevice->setVisible(!m_data.soundOut().hasDevice());
    if (!sound.samples.empty())
        m_data.soundOut().play(wavImage(heldSamples(sound), m_rate));
}

void CProp13Sounds::stop() {
    m_data.soundOut().stop();
}

bool CProp13Sounds::confirmShift(bool insert) {
    const int n = m_data.files().sounds.count();
    const std::string notice =
        n == 0 ? std::string() : shiftNotice("Sounds", m_current + 1, n - 1, insert ? 1 : -1);
    if (notice.empty())
        return true;
    const std::string number = std::to_string(m_current);
    const std::string text = notice + ".\n" +
                             (insert ? "Insert a new sound after sound " + number + "?"
                                     : "Remove sound " + number + "?");
    return m_data.prompter().ask(text, insert ? "Insert sound?" : "Remove sound?", Buttons::YesNo,
                                 MessageIcon::Question) == Answer::Yes;
}

void CProp13Sounds::insertSound() {
    if (!confirmShift(true))
        return;
    const int at = insertSoundStep(m_data.files().sounds, m_current, history(), &m_data.prompter());
    if (at < 0)
        return;
    m_current = at;
    m_data.files().soundsLoaded = true;
    m_listStale = true;
    m_data.workspace().notify({DataSet::Sounds, ChangeKind::Inserted, at});
    refresh();
}

void CProp13Sounds::removeSound() {
    if (m_data.files().sounds.count() == 0 || !confirmShift(false))
        return;
    const int removed = m_current;
    m_current = removeSoundStep(m_data.files().sounds, m_current, history());
    m_listStale = true;
    m_data.workspace().notify({DataSet::Sounds, ChangeKind::Removed, removed});
    refresh();
}

void CProp13Sounds::exportSound() {
    const SoundSet& set = m_data.files().sounds;
    if (set.count() == 0 || !checkRate())
        return;
    auto path = m_data.prompter().saveFile({"", kWaveFilter, "wav", "*.WAV"});
    if (path)
        zentrik::exportSound(set.sounds[size_t(m_current)], *path, m_rate, m_data.prompter());
}

void CProp13Sounds::importSound() {
    if (!checkRate())
        return;
    auto path = m_data.prompter().openFile({"", kSoundImportFilter, "wav", "*.WAV"});
    if (!path)
        return;
    auto bytes = readWholeFile(*path);
    if (!bytes) {
        m_data.prompter().message(*path, "Couldn't open file:", MessageIcon::Exclamation);
        return;
    }
    if (!importSoundStep(m_data.files().sounds, m_current, *bytes, m_rate, m_data.prompter(),
                         history()))
        return;
    m_data.files().soundsLoaded = true;
    m_listStale = true;
    m_data.workspace().notify({DataSet::Sounds, ChangeKind::Edited, m_current});
    refresh();
}

std::string CProp13Sounds::soundName(int index) const {
    return m_names->nameOf(suffixOf(m_data.files().soundPath), index);
}

void CProp13Sounds::rebuildList() {
    m_listStale = false;
    const SoundSet& set = m_data.files().sounds;
    m_syncing = true;
    m_list->clear();
    for (int i = 0; i < set.count(); ++i) {
        const Sound& sound = set.sounds[size_t(i)];
        const QString text = QString::asprintf("%d %s %0.2f s", i + 1, soundName(i).c_str(),
                                               double(sound.length) / double(m_rate));
        m_list->addItem(new QListWidgetItem(QIcon(wavePreview(heldSamples(sound))), text));
    }
    m_syncing = false;
}

UndoHistory& CProp13Sounds::history() {
    return m_data.workspace().history(DataSet::Sounds);
}

void CProp13Sounds::undo() {
    stepped(history().undo());
}

void CProp13Sounds::redo() {
    stepped(history().redo());
}

void CProp13Sounds::stepped(std::optional<int> focus) {
    if (!focus)
        return;
    m_current = std::max(0, *focus);
    m_listStale = true;
    m_data.workspace().notify({DataSet::Sounds, ChangeKind::Edited, m_current});
    refresh();
}

} // namespace zentrik::gui
