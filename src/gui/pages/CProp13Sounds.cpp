#include "pages/CProp13Sounds.h"

#include "context/PageRegistry.h"
#include "io/SafeFile.h"
#include "pagefile/ChunkEdit.h"
#include "pagefile/SoundEdit.h"
#include "pagefile/Wav.h"
#include "widgets/SoundEditCtrl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

constexpr int kPageStep = 2;

const PageRegistration reg("CProp13Sounds", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp13Sounds(c, parent);
});

} // namespace

CProp13Sounds::CProp13Sounds(AppContext& context, QWidget* parent)
    : QWidget(parent), m_data(PixelData::of(context)), m_rate(kDefaultSampleRate) {
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
    grid->addWidget(new QLabel(QStringLiteral("Used sample rate (in Hz):"), this), 1, 0);
    grid->addWidget(m_rateField, 1, 1);
    grid->addWidget(m_size, 2, 0);
    grid->addWidget(m_duration, 2, 1);
    grid->addWidget(playButton, 3, 0);
    grid->addWidget(stopButton, 3, 1);
    grid->addWidget(m_playOnScroll, 3, 2);
    grid->addWidget(insertButton, 4, 0);
    grid->addWidget(removeButton, 4, 1);
    grid->addWidget(exportButton, 5, 0);
    grid->addWidget(importButton, 5, 1);
    grid->setColumnStretch(4, 1);
    m_rateField->setMaximumWidth(
        m_rateField->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_wave, 1);

    connect(m_scroll, &QScrollBar::valueChanged, this, &CProp13Sounds::scrolled);
    connect(m_rateField, &QLineEdit::editingFinished, this, [this] { checkRate(); });
    connect(&m_data, &PixelData::setReplaced, this, [this](DataSet set) {
        if (set == DataSet::Sounds)
            refresh();
    });
    refresh();
}

QString CProp13Sounds::positionText() const {
    return m_position->text();
}
QString CProp13Sounds::sizeText() const {
    return m_size->text();
}
QString CProp13Sounds::durationText() const {
    return m_duration->text();
}

void CProp13Sounds::setPlayOnScrolling(bool on) {
    m_playOnScroll->setChecked(on);
}

std::optional<int> CProp13Sounds::checkRate() {
    auto rate = checkSampleRate(m_rateField->text().trimmed().toStdString(), m_data.prompter());
    if (rate) {
        m_rate = *rate;
        m_rateField->setText(QString::number(m_rate));
        refresh();
    }
    return rate;
}

void CProp13Sounds::refresh() {
    const SoundSet& set = m_data.files().sounds;
    const int n = set.count();
    m_current = std::clamp(m_current, 0, std::max(0, n - 1));
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, n - 1));
    m_scroll->setValue(m_current);
    m_syncing = false;
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
    const int at = zentrik::insertSound(m_data.files().sounds, m_current, &m_data.prompter());
    if (at < 0)
        return;
    m_current = at;
    m_data.files().soundsLoaded = true;
    m_data.notify(DataSet::Sounds, ChangeKind::Inserted, at);
    refresh();
}

void CProp13Sounds::removeSound() {
    if (m_data.files().sounds.count() == 0 || !confirmShift(false))
        return;
    const int removed = m_current;
    m_current = zentrik::removeSound(m_data.files().sounds, m_current);
    m_data.notify(DataSet::Sounds, ChangeKind::Removed, removed);
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
    auto path = m_data.prompter().openFile({"", kWaveFilter, "wav", "*.WAV"});
    if (!path)
        return;
    auto bytes = readWholeFile(*path);
    if (!bytes) {
        m_data.prompter().message(*path, "Couldn't open file:", MessageIcon::Exclamation);
        return;
    }
    if (!zentrik::importSound(m_data.files().sounds, m_current, *bytes, m_rate, m_data.prompter()))
        return;
    m_data.files().soundsLoaded = true;
    m_data.notify(DataSet::Sounds, ChangeKind::Edited, m_current);
    refresh();
}

} // namespace zentrik::gui
