#include "pages/ExtensionListEditor.h"

#include "context/AppContext.h"

#include <QComboBox>
#include <QHeaderView>

#include <algorithm>
#include <cctype>

namespace zentrik::gui {

namespace {
constexpr int kSuffixColumn = 0;
constexpr int kSymbolColumn = 1;
constexpr int kPaletteColumn = 2;
constexpr int kColumnWidths[] = {70, 180, 160};

QStringList sortedWithFirst(const char* first, const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names)
        list << QString::fromStdString(n);
    list.sort(Qt::CaseInsensitive);
    list.prepend(QString::fromLatin1(first));
    return list;
}
} // namespace

ExtensionListEditor::ExtensionListEditor(AppContext& context, QWidget* parent)
    : QTableWidget(0, 3, parent), m_context(context) {
    setObjectName(QStringLiteral("ExtensionList"));
    setHorizontalHeaderLabels(
        {QStringLiteral("Extension"), QStringLiteral("Mapsymbols"), QStringLiteral("Palette")});
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, kColumnWidths[c]);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::itemChanged, this, &ExtensionListEditor::onItemChanged);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow)
                    onCurrentRowChanged(row);
            });
    // A click on the row already current applies it again, as its cells may have changed.
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        const auto& records = m_context.extensions.records();
        if (!m_updating && row >= 0 && row < int(records.size()) &&
            !(m_applied && *m_applied == records[size_t(row)]))
            applyRow(row);
    });
    connect(&context.messages, &AppMessages::paletteAdded, this, [this] { rebuild(); });
    rebuild();
}

int ExtensionListEditor::currentExtensionRow() const {
    const auto& records = m_context.extensions.records();
    for (int i = int(records.size()) - 1; i >= 0; --i)
        if (records[size_t(i)].extension == m_context.settings.lastExtension)
            return i;
    return -1;
}

void ExtensionListEditor::rebuild() {
    m_updating = true;
    const auto& records = m_context.extensions.records();
    // A full table takes no new row: it holds 100 records at most.
    const bool newRow = int(records.size()) < kMaxExtensions;
    setRowCount(int(records.size()) + (newRow ? 1 : 0));
    for (int i = 0; i < int(records.size()); ++i) {
        const ExtensionRecord& r = records[size_t(i)];
        addRow(i, QString::fromStdString(r.extension), QString::fromStdString(r.symbolSet),
               QString::fromStdString(r.palette), false);
    }
    if (newRow)
        addRow(int(records.size()), QString(), QString::fromLatin1(kNoSymbolSet),
               QString::fromLatin1(kNoPaletteChange), true);
    const int current = currentExtensionRow();
    if (current >= 0)
        setCurrentCell(current, kSuffixColumn);
    else
        setCurrentCell(-1, -1);
    m_updating = false;
}

void ExtensionListEditor::addRow(int row, const QString& suffix, const QString& symbolSet,
                                 const QString& palette, bool isNew) {
    setItem(row, kSuffixColumn, new QTableWidgetItem(suffix));
    for (int c : {kSymbolColumn, kPaletteColumn}) {
        auto* cell = new QTableWidgetItem;
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        setItem(row, c, cell);
    }
    // The drop-down cells of the new row wait for its suffix: until then there is no record
    // to hold the choice.
    makeCombo(row, kSymbolColumn, sortedWithFirst(kNoSymbolSet, m_context.symbolSetNames),
              symbolSet, !isNew);
    makeCombo(row, kPaletteColumn, sortedWithFirst(kNoPaletteChange, m_context.palettes.names()),
              palette, !isNew);
}

QComboBox* ExtensionListEditor::makeCombo(int row, int column, const QStringList& entries,
                                          const QString& current, bool enabled) {
    auto* combo = new QComboBox(this);
    combo->addItems(entries);
    // A name that is no longer in the folder stays visible as it is in the table.
    if (combo->findText(current) < 0)
        combo->addItem(current);
    combo->setCurrentText(current);
    combo->setEnabled(enabled);
    connect(combo, &QComboBox::textActivated, this,
            [this, row, column](const QString& text) { chooseEntry(row, column, text); });
    setCellWidget(row, column, combo);
    return combo;
}

void ExtensionListEditor::editSuffix(int row, const QString& text) {
    m_context.extensions.editExtension(row, text.trimmed().toStdString());
    // The row's own record may be the current extension under its new name.
    if (row == currentRow() && row < int(m_context.extensions.records().size()))
        m_context.settings.lastExtension = m_context.extensions.records()[size_t(row)].extension;
    rebuild();
}

void ExtensionListEditor::chooseEntry(int row, int column, const QString& entry) {
    std::vector<ExtensionRecord> records = m_context.extensions.records();
    if (row < 0 || row >= int(records.size()))
        return;
    (column == kSymbolColumn ? records[size_t(row)].symbolSet : records[size_t(row)].palette) =
        entry.toStdString();
    // The choice is kept in the table; it takes effect when the row is clicked.
    m_context.extensions.setRecords(std::move(records));
}

void ExtensionListEditor::onItemChanged(QTableWidgetItem* item) {
    if (m_updating || item->column() != kSuffixColumn)
        return;
    const int row = item->row();
    const QString text = item->text();
    // The table is rebuilt, which deletes this item: leave the signal first.
    QMetaObject::invokeMethod(
        this, [this, row, text] { editSuffix(row, text); }, Qt::QueuedConnection);
}

void ExtensionListEditor::onCurrentRowChanged(int row) {
    if (m_updating || row < 0)
        return;
    if (!applyRow(row)) {
        // The user kept the extension in use: its row is current again.
        QMetaObject::invokeMethod(
            this, [this] { rebuild(); }, Qt::QueuedConnection);
    }
}

std::string ExtensionListEditor::otherLoadedSuffix(const std::string& extension) const {
    for (int i = 0; i < kDataSetCount; ++i) {
        const DataSet set = DataSet(i);
        if (!m_context.workspace.isLoaded(set))
            continue;
        std::string suffix = m_context.workspace.source(set).extension().string();
        if (!suffix.empty() && suffix[0] == '.')
            suffix.erase(0, 1);
        for (char& c : suffix)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        std::string wanted = extension;
        for (char& c : wanted)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (!suffix.empty() && suffix != wanted)
            return suffix;
    }
    return {};
}

bool ExtensionListEditor::applyRow(int row) {
    const auto& records = m_context.extensions.records();
    if (row < 0 || row >= int(records.size()))
        return true; // the new row: nothing to apply yet
    const ExtensionRecord record = records[size_t(row)];
    const std::string other = otherLoadedSuffix(record.extension);
    if (!other.empty()) {
        const std::string text = "Apply the " + record.extension +
                                 " palette and symbols to the loaded " + other + " files?";
        if (m_context.relay.ask(text, "Change extension?", Buttons::YesNo, MessageIcon::Question) !=
            Answer::Yes)
            return false;
    }
    m_context.selectExtension(row);
    m_applied = record;
    return true;
}

} // namespace zentrik::gui
