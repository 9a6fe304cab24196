#include "pages/GameRunnerGroup.h"

#include "context/AppContext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zentrik::gui {

namespace {
constexpr int kEditWidth = 260; // room for a path or a template without scrolling
} // namespace

GameRunnerGroup::GameRunnerGroup(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("Game runner"), parent), m_context(context) {
    setObjectName(QStringLiteral("GameRunner"));
    auto* grid = new QGridLayout(this);
    m_for = new QLabel(this);
    grid->addWidget(m_for, 0, 0, 1, 3);
    m_dosboxChoice = new QRadioButton(QStringLiteral("DOSBox with the game's own executable"));
    m_templateChoice = new QRadioButton(QStringLiteral("A source port or any other program"));
    grid->addWidget(m_dosboxChoice, 1, 0, 1, 3);
    m_dosbox = pathRow(grid, 2, QStringLiteral("DOSBox:"),
                       QStringLiteral("dosbox, dosbox-x or dosbox-staging on the PATH"), false);
    m_executable = pathRow(grid, 3, QStringLiteral("Game executable:"),
                           QStringLiteral("WOLF3D.EXE or SPEAR.EXE"), true);
    grid->addWidget(m_templateChoice, 4, 0, 1, 3);
    m_program = pathRow(grid, 5, QStringLiteral("Program:"), QString(), false);
    grid->addWidget(new QLabel(QStringLiteral("Arguments:")), 6, 0);
    m_arguments = new QLineEdit(this);
    m_arguments->setPlaceholderText(QStringLiteral("--tedlevel {level} --{skill}"));
    m_arguments->setToolTip(
        QStringLiteral("{folder} {level} {episode} {map} {suffix} {skill} are filled in"));
    grid->addWidget(m_arguments, 6, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Skill:")), 7, 0);
    m_skill = new QComboBox(this);
    for (int s = 0; s < 4; ++s)
        m_skill->addItem(QString::fromLatin1(skillWord(s)));
    grid->addWidget(m_skill, 7, 1);
    grid->setRowStretch(8, 1); // the rows stay together at the top
    grid->setColumnMinimumWidth(1, kEditWidth);

    connect(m_dosboxChoice, &QRadioButton::toggled, this, [this] { store(); });
    for (QLineEdit* edit : {m_dosbox, m_executable, m_program, m_arguments})
        connect(edit, &QLineEdit::editingFinished, this, [this] { store(); });
    connect(m_skill, &QComboBox::currentIndexChanged, this, [this] { store(); });
    refresh();
}

QLineEdit* GameRunnerGroup::pathRow(QGridLayout* grid, int row, const QString& label,
                                    const QString& placeholder, bool inGameFolder) {
    grid->addWidget(new QLabel(label), row, 0);
    auto* edit = new QLineEdit(this);
    edit->setPlaceholderText(placeholder);
    grid->addWidget(edit, row, 1);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
    grid->addWidget(browse, row, 2);
    connect(browse, &QPushButton::clicked, this, [this, edit, inGameFolder] {
        FileDialogRequest request;
        request.filter =
            inGameFolder ? "DOS programs|*.EXE;*.COM;*.exe;*.com|All files|*||" : "All files|*||";
        request.initialPath = edit->text().toStdString();
        auto chosen = m_context.relay.openFile(request);
        if (!chosen)
            return;
        // The executable is looked for by name in the play folder, a copy of the game folder.
        const std::filesystem::path path(*chosen);
        edit->setText(QString::fromStdString(inGameFolder ? path.filename().string() : *chosen));
        store();
    });
    return edit;
}

void GameRunnerGroup::refresh() {
    m_showing = true;
    m_extension = m_context.settings.lastExtension;
    m_for->setText(QStringLiteral("For the extension %1:")
                       .arg(QString::fromStdString(m_extension.empty() ? "-" : m_extension)));
    const RunnerSettings s = readRunnerSettings(m_context.ini, m_extension);
    (s.kind == RunnerKind::DosBox ? m_dosboxChoice : m_templateChoice)->setChecked(true);
    m_dosbox->setText(QString::fromStdString(s.dosbox));
    m_executable->setText(QString::fromStdString(s.executable));
    m_program->setText(QString::fromStdString(s.program));
    m_arguments->setText(QString::fromStdString(s.arguments));
    m_skill->setCurrentIndex(s.skill);
    enableRows();
    m_showing = false;
}

void GameRunnerGroup::showEvent(QShowEvent* event) {
    refresh();
    QGroupBox::showEvent(event);
}

void GameRunnerGroup::enableRows() {
    const bool dosbox = m_dosboxChoice->isChecked();
    m_dosbox->setEnabled(dosbox);
    m_executable->setEnabled(dosbox);
    m_program->setEnabled(!dosbox);
    m_arguments->setEnabled(!dosbox);
}

void GameRunnerGroup::store() {
    enableRows();
    if (m_showing || m_extension.empty())
        return;
    RunnerSettings s;
    s.kind = m_dosboxChoice->isChecked() ? RunnerKind::DosBox : RunnerKind::Template;
    s.dosbox = m_dosbox->text().trimmed().toStdString();
    s.executable = m_executable->text().trimmed().toStdString();
    s.program = m_program->text().trimmed().toStdString();
    s.arguments = m_arguments->text().toStdString();
    s.skill = m_skill->currentIndex();
    if (s == readRunnerSettings(m_context.ini, m_extension))
        return;
    writeRunnerSettings(m_context.ini, m_extension, s);
    (void)m_context.ini.save(); // like StdPath, kept at once rather than at shutdown
}

} // namespace zentrik::gui
