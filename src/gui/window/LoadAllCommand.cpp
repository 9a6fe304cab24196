#include "window/LoadAllCommand.h"

#include "context/AppContext.h"
#include "window/MainToolbar.h"

#include <QApplication>

namespace zentrik::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLoadAllCaption = "Load All";

bool allFine(const std::vector<LoadAllOutcome>& outcomes) {
    for (const auto& o : outcomes)
        if (!o.ok && !o.skipped)
            return false;
    return true;
}

std::string suffixOf(const fs::path& file) {
    std::string ext = file.extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

} // namespace

LoadAllCommand::LoadAllCommand(AppContext& context, MainToolbar& toolbar, QObject* parent)
    : QObject(parent), m_context(context), m_io(context.workspace) {
    chooseFiles = [](const LoadAllScan& scan, const fs::path& folder,
                     const std::optional<std::string>& proposal) -> std::optional<LoadAllChoice> {
        LoadAllDialog dialog(scan, folder, proposal, QApplication::activeWindow());
        dialog.exec();
        return dialog.choice();
    };
    toolbar.setHandler(Command::LoadAll, [this] { loadAll(); });
    toolbar.setHandler(Command::SaveAll, [this] { saveAll(); });
    // A set loaded on its own from elsewhere must never be written over this folder's file.
    m_watches.push_back(context.workspace.changed.connect([this](const Change& c) {
        if (c.kind == ChangeKind::Loaded && !m_running)
            m_session.release(c.set);
    }));
}

bool LoadAllCommand::confirmDiscard() {
    if (!m_context.workspace.anyModified())
        return true;
    return m_context.relay.ask("Load All replaces every data set. Discard the unsaved changes?",
                               "Changes unsaved!", Buttons::YesNo,
                               MessageIcon::Question) == Answer::Yes;
}

bool LoadAllCommand::loadAll() {
    if (!confirmDiscard())
        return false;
    std::error_code ec;
    const auto picked =
        m_context.relay.chooseFolder("Select a Wolf3D folder...", fs::current_path(ec).string());
    if (!picked) {
        m_context.quiet.mark(m_context.clockRelay);
        return false;
    }
    const fs::path folder = fs::absolute(*picked).lexically_normal();
    auto scan = scanFolder(folder);
    if (!scan) {
        m_context.relay.message(scan.error().text, scan.error().caption, MessageIcon::Exclamation);
        return false;
    }
    const auto proposal = proposeSuffix(*scan, m_context.settings.lastExtension);
    const auto choice = chooseFiles(*scan, folder, proposal);
    if (!choice)
        return false;
    // The suffix whose files the fields hold picks the game's extension.
    std::string suffix = proposal.value_or("");
    for (const auto& name : choice->names)
        if (!name.empty()) {
            suffix = suffixOf(name);
            break;
        }
    return run(folder, suffix, *choice);
}

bool LoadAllCommand::open(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec).lexically_normal();
    const bool isFolder = fs::is_directory(absolute, ec);
    const fs::path folder = isFolder ? absolute : absolute.parent_path();
    auto scan = scanFolder(folder);
    if (!scan) {
        m_context.relay.message(absolute.string(), "Cannot Open", MessageIcon::Exclamation);
        return false;
    }
    const auto suffix = isFolder ? proposeSuffix(*scan, m_context.settings.lastExtension)
                                 : std::optional<std::string>(suffixOf(absolute));
    if (!suffix || suffix->empty()) {
        m_context.relay.message(absolute.string(), "No game files found", MessageIcon::Exclamation);
        return false;
    }
    if (!confirmDiscard())
        return false;
    return run(folder, *suffix, LoadAllChoice{selectForSuffix(*scan, *suffix, folder), false});
}

bool LoadAllCommand::run(const fs::path& folder, const std::string& suffix,
                         const LoadAllChoice& choice) {
    m_running = true;
    m_context.jobRelay.beginBatch(); // one progress window for every set
    auto outcomes = m_session.load(m_io, choice.names);
    m_context.jobRelay.endBatch();
    m_running = false;
    // Names, symbols and palette follow the game even when no maps were among the files.
    if (!suffix.empty())
        m_context.selectExtensionByName(suffix);
    m_context.saveStdPath(folder);
    m_context.workspace.setLoadAllUsed(true);
    if (choice.compress) {
        m_context.jobRelay.beginBatch();
        auto saved = m_session.compressAll(m_io);
        m_context.jobRelay.endBatch();
        outcomes.insert(outcomes.end(), saved.begin(), saved.end());
    }
    m_context.quiet.mark(m_context.clockRelay);
    m_context.relay.message(summarize(outcomes), kLoadAllCaption,
                            allFine(outcomes) ? MessageIcon::Information
                                              : MessageIcon::Exclamation);
    return allFine(outcomes);
}

bool LoadAllCommand::saveAll() {
    if (!m_context.workspace.loadAllUsed())
        return false;
    m_context.jobRelay.beginBatch();
    const auto outcomes = m_session.saveAll(m_io);
    m_context.jobRelay.endBatch();
    m_context.quiet.mark(m_context.clockRelay);
    // The savers report their own failures; a set that could not be written for want of a
    // name is said here.
    for (const auto& o : outcomes)
        if (o.skipped)
            m_context.relay.message(summarize({o}), "Save all", MessageIcon::Exclamation);
    return allFine(outcomes);
}

} // namespace zentrik::gui
