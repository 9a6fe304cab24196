#pragma once

#include "check/LevelCheck.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zentrik::test {

// A symbol set of the program's own data folder, read once.
inline const SymbolSet& shippedSymbols(const std::string& name) {
    static std::map<std::string, SymbolSet> sets;
    auto it = sets.find(name);
    if (it == sets.end()) {
        StrictPrompter prompter;
        it = sets.emplace(name, LoadSymbolSet(std::filesystem::path(ZENTRIK_SOURCE_DIR) / "data",
                                              name, prompter))
                 .first;
    }
    return it->second;
}

} // namespace zentrik::test
