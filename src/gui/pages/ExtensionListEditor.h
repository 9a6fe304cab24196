#pragma once

#include "app/ExtensionTable.h"

#include <QTableWidget>

#include <optional>
#include <string>

class QComboBox;

namespace zentrik::gui {

class AppContext;

// The extension list of the Config page: one row per record of the extension table (suffix,
// map-symbol set, palette) and an empty row at the end for a new record. Edits go straight
// into the table and apply nothing; a click on a row applies that extension, after asking
// when files of another suffix are loaded.
class ExtensionListEditor : public QTableWidget {
    Q_OBJECT
public:
    explicit ExtensionListEditor(AppContext& context, QWidget* parent = nullptr);

    // Builds the rows again from the table and the folder lists.
    void rebuild();
    // What a user's edit of the suffix cell does (also called by tests).
    void editSuffix(int row, const QString& text);
    // What choosing an entry of a drop-down cell does (column 1 or 2).
    void chooseEntry(int row, int column, const QString& entry);

private:
    void addRow(int row, const QString& suffix, const QString& symbolSet, const QString& palette,
                bool isNew);
    QComboBox* makeCombo(int row, int column, const QStringList& entries, const QString& current,
                         bool enabled);
    void onItemChanged(QTableWidgetItem* item);
    void onCurrentRowChanged(int row);
    // Applies row `row`'s palette and symbols; false when the user kept the old ones.
    bool applyRow(int row);
    // The suffix of the first loaded file whose suffix is not `extension` (empty: none).
    std::string otherLoadedSuffix(const std::string& extension) const;
    int currentExtensionRow() const;

    AppContext& m_context;
    bool m_updating = false;
    std::optional<ExtensionRecord> m_applied; // what the last applied row held
};

} // namespace zentrik::gui
