#pragma once

#include "app/LoadAllPlan.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>

class QComboBox;
class QListWidget;

namespace zentrik::gui {

// What the user confirmed: the ten fields as absolute paths, and whether to save at once.
struct LoadAllChoice {
    LoadAllNames names;
    bool compress = false;
};

// The folder's suffixes on the left, the ten fields on the right. Choosing a suffix fills
// every field with that suffix's file of its role; each field can also be typed over.
class LoadAllDialog : public QDialog {
    Q_OBJECT
public:
    LoadAllDialog(const LoadAllScan& scan, std::filesystem::path folder,
                  const std::optional<std::string>& proposal, QWidget* parent = nullptr);

    QListWidget* extensions() const { return m_extensions; }
    QComboBox* field(LoadAllField f) const { return m_fields[size_t(f)]; }
    // The suffix chosen in the list ("" when none).
    QString suffix() const;
    std::optional<LoadAllChoice> choice() const { return m_choice; }

    void selectSuffix(const QString& suffix);

private:
    void finish(bool compress);

    const LoadAllScan& m_scan;
    std::filesystem::path m_folder;
    QListWidget* m_extensions = nullptr;
    std::array<QComboBox*, kLoadAllFieldCount> m_fields{};
    std::optional<LoadAllChoice> m_choice;
};

} // namespace zentrik::gui
