#include "mapedit/LevelPictureExport.h"

#include "context/AppContext.h"
#include "imaging/PngWriter.h"
#include "io/SafeFile.h"
#include "mapedit/CPropMapEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QSpinBox>

namespace zentrik::gui {

namespace {

constexpr const char* kPictureFilter = "PNG pictures|*.png||";

struct PictureChoice {
    LevelPictureOptions options;
    bool markProblems = false;
};

std::optional<PictureChoice> askOptions(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("levelPictureDialog"));
    dialog.setWindowTitle(QObject::tr("Export level picture"));
    auto* cell = new QSpinBox;
    cell->setRange(kMinPictureCell, kMaxPictureCell);
    cell->setValue(kDefaultPictureCell);
    auto* skill = new QComboBox;
    for (int s = 1; s <= kSkills; ++s)
        skill->addItem(QString::number(s));
    skill->setCurrentIndex(kSkills - 1);
    auto* problems = new QCheckBox(QObject::tr("Mark the problems the check finds"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QObject::tr("Pixels a cell:"), cell);
    form->addRow(QObject::tr("Objects of skill:"), skill);
    form->addRow(problems);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PictureChoice c;
    c.options.cell = cell->value();
    c.options.skill = skill->currentIndex() + 1;
    c.markProblems = problems->isChecked();
    return c;
}

} // namespace

bool exportLevelPicture(AppContext& context, const std::string& path,
                        const LevelPictureOptions& options, bool markProblems) {
    Workspace& ws = context.workspace;
    const Level* level = ws.levels().current();
    if (!level)
        return false;
    LevelPictureOptions o = options;
    if (markProblems) {
        EngineProfile profile = defaultEngineProfile();
        for (const ExtensionRecord& r : context.extensions.records())
            if (r.extension == context.extensions.lastExtension())
                if (auto p = engineProfileById(r.engineProfile))
                    profile = *p;
        o.problems =
            checkLevel(*level, CheckRules{context.symbols, profile, ws.levels().featureFlags})
                .problems;
    }
    const LevelPicture picture =
        renderLevelPicture(*level, context.symbols, ws.walls(), ws.sprites(), o);
    const auto bytes =
        png8Bytes(picture.pixels, picture.width, picture.height, context.palettes.current());
    if (auto st = replaceFile(path, bytes); !st) {
        context.relay.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void addLevelPictureExport(AppContext& context, CPropMapEdit& page) {
    QAction* a = page.importExportMenu()->addAction(QObject::tr("Export level picture..."));
    a->setObjectName(QStringLiteral("exportLevelPicture"));
    QObject::connect(a, &QAction::triggered, &page, [&context, &page] {
        const Level* level = context.workspace.levels().current();
        if (!level)
            return;
        const auto choice = askOptions(&page);
        if (!choice)
            return;
        const auto path = context.relay.saveFile(
            {"Export level picture...", kPictureFilter, "png", level->header.nameText() + ".png"});
        if (path)
            exportLevelPicture(context, *path, choice->options, choice->markProblems);
    });
}

} // namespace zentrik::gui
