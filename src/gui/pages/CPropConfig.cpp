#include "pages/CPropConfig.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "pages/ExtensionListEditor.h"
#include "pages/GameRunnerGroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kFarNearLength = 2;
constexpr int kRlewLength = 4;
constexpr int kBestSpriteCompression = 2;

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

const PageRegistration reg("CPropConfig", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPropConfig(c, parent);
});
} // namespace

CPropConfig::CPropConfig(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    auto* top = new QHBoxLayout;
    top->addWidget(buildGeneral());
    top->addWidget(buildCompression());
    top->addWidget(buildMaps());
    m_extensions = new ExtensionListEditor(context, this);
    m_runner = new GameRunnerGroup(context, this);
    // The runner belongs to the extension chosen in the list.
    connect(m_extensions, &QTableWidget::currentCellChanged, m_runner, &GameRunnerGroup::refresh,
            Qt::QueuedConnection);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_extensions, 1);
    bottom->addWidget(m_runner);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom, 1);
    showSettings();
}

QWidget* CPropConfig::buildGeneral() {
    auto* form = new QVBoxLayout;
    m_tooltips = checkBox(QStringLiteral("ToolTips"), QString(), m_context.settings.tooltips);
    form->addWidget(m_tooltips);
    form->addWidget(new QLabel(QStringLiteral("MouseWheel scrolls")));
    m_wheel = new QComboBox;
    m_wheel->addItems({QStringLiteral("1 Page"), QStringLiteral("2 Pages"),
                       QStringLiteral("3 Pages"), QStringLiteral("4 Pages"),
                       QStringLiteral("5 Pages")});
    connect(m_wheel, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing && i >= 0) {
            m_context.settings.scrollDelta = i;
            changed();
        }
    });
    form->addWidget(m_wheel);
    form->addStretch(1);
    return group(QStringLiteral("General"), form);
}

QWidget* CPropConfig::buildCompression() {
    auto* column = new QVBoxLayout;
    Settings& s = m_context.settings;
    auto* expand = new QVBoxLayout;
    m_expand =
        radioGroup(expand,
                   {QStringLiteral("Auto Gamemaps/Maptemp"), QStringLiteral("Enable"),
                    QStringLiteral("Disable")},
                   {QStringLiteral("Use Carmarck if name is Gamemaps.***")}, s.carmackExpand);
    column->addWidget(group(QStringLiteral("CarmarckExpand"), expand));
    auto* compress = new QVBoxLayout;
    m_compress = radioGroup(
        compress,
        {QStringLiteral("As expanded"), QStringLiteral("Enable"), QStringLiteral("Disable")},
        {QStringLiteral("Save as it was loaded")}, s.carmackCompress);
    column->addWidget(group(QStringLiteral("CarmarckCompress"), compress));
    auto* mode = new QVBoxLayout;
    m_mode = radioGroup(mode, {QStringLiteral("Compatible"), QStringLiteral("Best Result")}, {},
                        s.carmackMode);
    column->addWidget(group(QStringLiteral("Carmarck Mode"), mode));
    auto* sprite = new QVBoxLayout;
    m_sprite =
        radioGroup(sprite, {QStringLiteral("None"), QStringLiteral("Good"), QStringLiteral("Best")},
                   {}, s.spriteCompression);
    m_sprite->button(kBestSpriteCompression)->setEnabled(false);
    column->addWidget(group(QStringLiteral("Sprite Compression"), sprite));
    auto* holder = new QWidget;
    holder->setLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    return holder;
}

QWidget* CPropConfig::buildMaps() {
    Settings& s = m_context.settings;
    auto* form = new QFormLayout;
    m_far = tagEdit(kFarNearLength, s.farTag);
    m_near = tagEdit(kFarNearLength, s.nearTag);
    m_rlew = tagEdit(kRlewLength, s.rlewTag);
    form->addRow(QStringLiteral("FARTAG :"), m_far);
    form->addRow(QStringLiteral("NEARTAG :"), m_near);
    form->addRow(QStringLiteral("RLEW-Tag :"), m_rlew);
    m_defaults = new QPushButton(QStringLiteral("Set Defaults"));
    m_defaults->setToolTip(QStringLiteral("Set Wolfenstein Defaults"));
    connect(m_defaults, &QPushButton::clicked, this, [this] {
        m_context.settings.setDefaultTags();
        showSettings();
        changed();
    });
    form->addRow(m_defaults);
    m_dontLoadRlew = checkBox(QStringLiteral("Dont load RLEW-Tag"),
                              QStringLiteral("Dont load RLEW from HeaderFile"), s.dontLoadRlew);
    m_chkMaphead = checkBox(QStringLiteral("Try first Maphead"),
                            QStringLiteral("Try first load Maphead.***"), s.chkMaphead);
    m_chkMaps = checkBox(QStringLiteral("Gamemaps/Maptemp only"),
                         QStringLiteral("Load only Gamemaps/Maptemp"), s.chkMaps);
    form->addRow(m_dontLoadRlew);
    form->addRow(m_chkMaphead);
    form->addRow(m_chkMaps);
    return group(QStringLiteral("Maps"), form);
}

QButtonGroup* CPropConfig::radioGroup(QLayout* layout, const QStringList& labels,
                                      const QStringList& tips, int& target) {
    auto* buttons = new QButtonGroup(this);
    for (int i = 0; i < labels.size(); ++i) {
        auto* radio = new QRadioButton(labels[i]);
        if (i < tips.size())
            radio->setToolTip(tips[i]);
        buttons->addButton(radio, i);
        layout->addWidget(radio);
    }
    connect(buttons, &QButtonGroup::idToggled, this, [this, &target](int id, bool on) {
        if (!m_showing && on) {
            target = id;
            changed();
        }
    });
    return buttons;
}

QCheckBox* CPropConfig::checkBox(const QString& label, const QString& tip, int& target) {
    auto* box = new QCheckBox(label);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    connect(box, &QCheckBox::toggled, this, [this, &target](bool on) {
        if (!m_showing) {
            target = on ? 1 : 0;
            changed();
        }
    });
    return box;
}

QLineEdit* CPropConfig::tagEdit(int maxLength, std::string& target) {
    auto* edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    // Only hexadecimal digits make a tag; anything else would silently read as 0.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]*")), edit));
    edit->setMaximumWidth(80);
    connect(edit, &QLineEdit::textChanged, this, [this, &target](const QString& text) {
        if (!m_showing) {
            target = text.toStdString();
            changed();
        }
    });
    return edit;
}

void CPropConfig::showSettings() {
    m_showing = true;
    const Settings& s = m_context.settings;
    m_tooltips->setChecked(s.tooltips != 0);
    m_wheel->setCurrentIndex(s.scrollDelta >= 0 && s.scrollDelta < m_wheel->count() ? s.scrollDelta
                                                                                    : 0);
    const std::pair<QButtonGroup*, int> groups[] = {{m_expand, s.carmackExpand},
                                                    {m_compress, s.carmackCompress},
                                                    {m_mode, s.carmackMode},
                                                    {m_sprite, s.spriteCompression}};
    for (const auto& [g, value] : groups) {
        if (QAbstractButton* b = g->button(value))
            b->setChecked(true);
    }
    m_far->setText(QString::fromStdString(s.farTag));
    m_near->setText(QString::fromStdString(s.nearTag));
    m_rlew->setText(QString::fromStdString(s.rlewTag));
    m_dontLoadRlew->setChecked(s.dontLoadRlew != 0);
    m_chkMaphead->setChecked(s.chkMaphead != 0);
    m_chkMaps->setChecked(s.chkMaps != 0);
    m_showing = false;
}

void CPropConfig::changed() {
    m_context.applySettings();
}

} // namespace zentrik::gui
