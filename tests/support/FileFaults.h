#pragma once

#include "io/FileOps.h"
#include "io/SafeFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace zentrik::test {

// The system's file operations, except that operation number `breakAt` (from 0) fails. With
// Death::Kill it is as if the program died there: every later operation does nothing and fails.
class FaultyFileOps final : public FileOps {
public:
    enum class Death { None, Kill };
    explicit FaultyFileOps(int breakAt = -1, Death death = Death::None)
        : m_breakAt(breakAt), m_death(death) {}
    int count() const { return m_count; }

    Status write(const std::filesystem::path& p, std::span<const uint8_t> b) override {
        return step(p, [&] { return systemFileOps().write(p, b); });
    }
    // A test cannot see a power cut, so the flushes only count (and fail when told to).
    Status flush(const std::filesystem::path& p) override {
        return step(p, [] { return Status{}; });
    }
    Status flushFolder(const std::filesystem::path& p) override {
        return step(p, [] { return Status{}; });
    }
    Status link(const std::filesystem::path& f, const std::filesystem::path& t) override {
        return step(t, [&] { return systemFileOps().link(f, t); });
    }
    Status rename(const std::filesystem::path& f, const std::filesystem::path& t) override {
        return step(t, [&] { return systemFileOps().rename(f, t); });
    }
    Status remove(const std::filesystem::path& p) override {
        return step(p, [&] { return systemFileOps().remove(p); });
    }

private:
    template <class Op> Status step(const std::filesystem::path& p, Op op) {
        if (m_dead || m_count++ == m_breakAt) {
            m_dead = m_death == Death::Kill;
            return Error{p.string(), "Cannot Write"};
        }
        return op();
    }
    int m_breakAt;
    Death m_death;
    int m_count = 0;
    bool m_dead = false;
};

// What a save does to its set: the files' bytes (nullopt: absent) before and after.
using FileSnapshot = std::vector<std::optional<std::vector<uint8_t>>>;

inline FileSnapshot snapshot(const std::filesystem::path& dir,
                             const std::vector<std::string>& names, const char* suffix = "") {
    FileSnapshot s;
    for (const auto& n : names) {
        const auto p = dir / (n + suffix);
        s.push_back(std::filesystem::exists(p) ? std::optional(readBytes(p)) : std::nullopt);
    }
    return s;
}

// A saver under test: `prepare` puts the old files into the folder, `save` runs the saver
// there (it may load first) and says whether it reported success.
struct SaverCase {
    std::string name;
    std::vector<std::string> files;
    std::function<void(const std::filesystem::path&)> prepare;
    std::function<bool(const std::filesystem::path&)> save;
};

// Breaks every file operation of the save in turn, as a failure and as a death, and checks
// that the set ends entirely old (every .bak that was there still there) or, when the save
// went through, entirely new with each .bak holding the old bytes.
inline void expectNoLossAtAnyStep(const SaverCase& c) {
    SCOPED_TRACE(c.name);
    FileSnapshot old, fresh;
    int steps = 0;
    {
        TempDir dir;
        c.prepare(dir.path());
        old = snapshot(dir.path(), c.files);
        FaultyFileOps counter;
        ScopedFileOps use(counter);
        ASSERT_TRUE(c.save(dir.path()));
        fresh = snapshot(dir.path(), c.files);
        EXPECT_EQ(snapshot(dir.path(), c.files, ".bak"), old);
        steps = counter.count();
    }
    ASSERT_NE(old, fresh) << "the save must change the set";
    for (auto death : {FaultyFileOps::Death::None, FaultyFileOps::Death::Kill}) {
        for (int k = 0; k < steps; ++k) {
            SCOPED_TRACE("operation " + std::to_string(k) +
                         (death == FaultyFileOps::Death::Kill ? " killed" : " failed"));
            TempDir dir;
            c.prepare(dir.path());
            if (old[0])
                writeBytes(dir / (c.files[0] + ".bak"), {0xBA, 0xC0});
            bool saved = false;
            {
                FaultyFileOps faulty(k, death);
                ScopedFileOps use(faulty);
                saved = c.save(dir.path());
            }
            for (const auto& n : c.files) // what the next start of the program reads first
                readWholeFile(dir / n);
            const auto now = snapshot(dir.path(), c.files);
            const auto baks = snapshot(dir.path(), c.files, ".bak");
            if (now == fresh) {
                EXPECT_TRUE(saved || death == FaultyFileOps::Death::Kill);
                EXPECT_EQ(baks, old);
            } else {
                EXPECT_EQ(now, old);
                EXPECT_FALSE(saved && death == FaultyFileOps::Death::None);
                // An earlier backup is never deleted by a failed save.
                EXPECT_EQ(bool(baks[0]), bool(old[0]));
            }
        }
    }
}

} // namespace zentrik::test
