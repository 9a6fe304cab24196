#include "pagefile/PageFiles.h"

#include "app/JobProtocol.h"
#include "io/SafeFile.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFileWriter.h"

#include <system_error>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

void remember(const PageFileServices& services, const fs::path& path) {
    if (services.rememberFolder)
        services.rememberFolder(path.parent_path());
}

std::optional<std::vector<uint8_t>> openFile(const fs::path& path, const char* caption,
                                             Prompter& prompter) {
    auto bytes = readWholeFile(path);
    if (!bytes) {
        prompter.message(path.string(), caption, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return std::move(bytes.value());
}

} // namespace

template <class Set, class Worker>
bool PageFiles::load(const fs::path& path, const char* openCaption, const char* jobName,
                     Worker worker, Set& target, bool& loaded, fs::path& source) {
    auto bytes = openFile(path, openCaption, m_services.prompter);
    if (!bytes)
        return false;
    // Built aside: a failed or cancelled job must not cost the set that is loaded now.
    Set set;
    const int code = m_services.jobs.run([&](Progress& p) {
        return finishJob(m_services.quiet, m_services.clock,
                         worker(*bytes, p, m_services.prompter, set));
    });
    checkJobResult(code, m_services.prompter, jobName);
    if (code != JobResult::Done)
        return false;
    target = std::move(set);
    loaded = true;
    source = path;
    remember(m_services, path);
    return true;
}

bool PageFiles::LoadTextures(const fs::path& path) {
    return load(path, "Cannot Open", "CZentrikDlg::LoadTextures()", LoadTexturesWorker, walls,
                wallsLoaded, wallPath);
}

bool PageFiles::LoadSprites(const fs::path& path) {
    return load(path, "CZentrikDlg::LoadSprites(): Cannot open file:", "CZentrikDlg::LoadSprites()",
                LoadSpritesWorker, sprites, spritesLoaded, spritePath);
}

bool PageFiles::LoadSounds(const fs::path& path) {
    return load(path, "Error while loading sounds: Cannot open file:", "CZentrikDlg::LoadSounds()",
                LoadSoundsWorker, sounds, soundsLoaded, soundPath);
}

bool PageFiles::save(
    const fs::path& path, const char* name,
    const std::function<int(std::span<const uint8_t>, Progress&, std::vector<uint8_t>&)>& job) {
    Prompter& prompter = m_services.prompter;
    std::error_code ec;
    fs::remove(tmpPathOf(path), ec);
    fs::remove(bakPathOf(path), ec);
    // A missing target is no error: the parts that would be carried over are empty.
    std::vector<uint8_t> old;
    if (fs::exists(path, ec)) {
        auto bytes = readWholeFile(path);
        if (!bytes) {
            prompter.message(bytes.error().text, bytes.error().caption, MessageIcon::Exclamation);
            return false;
        }
        old = std::move(bytes.value());
    }
    std::vector<uint8_t> built;
    const int code = m_services.jobs.run([&](Progress& p) {
        return finishJob(m_services.quiet, m_services.clock, job(old, p, built));
    });
    checkJobResult(code, prompter, name);
    if (code != JobResult::Done)
        return false;
    if (auto st = replaceFile(path, built); !st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool PageFiles::SaveTextures(const fs::path& path) {
    return save(path, "CZentrikDlg::SaveTextures()",
                [&](std::span<const uint8_t> old, Progress& p, std::vector<uint8_t>& out) {
                    return SaveTexturesWorker(old, walls, p, m_services.prompter, out);
                });
}

bool PageFiles::SaveSprites(const fs::path& path, int spriteCompression) {
    return save(path, "CZentrikDlg::SaveSprites()",
                [&](std::span<const uint8_t> old, Progress& p, std::vector<uint8_t>& out) {
                    return SaveSpritesWorker(old, sprites, spriteCompression, p,
                                             m_services.prompter, out);
                });
}

bool PageFiles::SaveSounds(const fs::path& path) {
    return save(path, "CZentrikDlg::SaveSounds()",
                [&](std::span<const uint8_t> old, Progress& p, std::vector<uint8_t>& out) {
                    return SaveSoundsWorker(old, sounds, p, m_services.prompter, out);
                });
}

} // namespace zentrik
