#pragma once

#include "app/LoadAllRunner.h"
#include "app/Workspace.h"

namespace zentrik {

// Load All and Save all over the editor's workspace: every load replaces its set only on
// success and asks nothing (Load All asked once before it began), every save marks its set
// saved.
class WorkspaceLoadAll final : public LoadAllIO {
public:
    explicit WorkspaceLoadAll(Workspace& ws) : m_ws(ws) {}

    bool loadDictionary(const std::filesystem::path& dict) override;
    bool loadMaps(const std::filesystem::path& data, const std::filesystem::path& header) override;
    bool loadWalls(const std::filesystem::path& file) override;
    bool loadSprites(const std::filesystem::path& file) override;
    bool loadSounds(const std::filesystem::path& file) override;
    bool loadGraphics(const std::filesystem::path& header,
                      const std::filesystem::path& data) override;
    bool loadMusic(const std::filesystem::path& data, const std::filesystem::path& header) override;

    bool isModified(DataSet set) const override { return m_ws.isModified(set); }
    bool saveMaps(const std::filesystem::path& data, const std::filesystem::path& header) override;
    bool savePageFile(const std::filesystem::path& file, PageParts parts) override;
    bool saveGraphics(const std::filesystem::path& header, const std::filesystem::path& data,
                      VgaParts parts) override;
    bool saveMusic(const std::filesystem::path& data, const std::filesystem::path& header) override;

private:
    Workspace& m_ws;
    std::filesystem::path m_dict; // the dictionary this Load All read, if any
};

} // namespace zentrik
