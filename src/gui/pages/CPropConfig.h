#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace zentrik::gui {

class AppContext;
class ExtensionListEditor;
class GameRunnerGroup;

// The "Config" page: the settings the user may change, and the extension list. Every change
// goes into the settings at once, so it applies without a restart.
class CPropConfig : public QWidget {
    Q_OBJECT
public:
    explicit CPropConfig(AppContext& context, QWidget* parent = nullptr);

    // Shows the settings as they are now.
    void showSettings();

    QCheckBox* tooltips() const { return m_tooltips; }
    QComboBox* wheel() const { return m_wheel; }
    QButtonGroup* expandGroup() const { return m_expand; }
    QButtonGroup* compressGroup() const { return m_compress; }
    QButtonGroup* modeGroup() const { return m_mode; }
    QButtonGroup* spriteGroup() const { return m_sprite; }
    QLineEdit* farTag() const { return m_far; }
    QLineEdit* nearTag() const { return m_near; }
    QLineEdit* rlewTag() const { return m_rlew; }
    QCheckBox* dontLoadRlew() const { return m_dontLoadRlew; }
    QCheckBox* chkMaphead() const { return m_chkMaphead; }
    QCheckBox* chkMaps() const { return m_chkMaps; }
    QPushButton* setDefaults() const { return m_defaults; }
    ExtensionListEditor* extensionList() const { return m_extensions; }
    GameRunnerGroup* gameRunner() const { return m_runner; }

private:
    QWidget* buildGeneral();
    QWidget* buildCompression();
    QWidget* buildMaps();
    QButtonGroup* radioGroup(QLayout* layout, const QStringList& labels, const QStringList& tips,
                             int& target);
    QCheckBox* checkBox(const QString& label, const QString& tip, int& target);
    QLineEdit* tagEdit(int maxLength, std::string& target);
    void changed();

    AppContext& m_context;
    bool m_showing = false;
    QCheckBox* m_tooltips = nullptr;
    QComboBox* m_wheel = nullptr;
    QButtonGroup* m_expand = nullptr;
    QButtonGroup* m_compress = nullptr;
    QButtonGroup* m_mode = nullptr;
    QButtonGroup* m_sprite = nullptr;
    QLineEdit* m_far = nullptr;
    QLineEdit* m_near = nullptr;
    QLineEdit* m_rlew = nullptr;
    QCheckBox* m_dontLoadRlew = nullptr;
    QCheckBox* m_chkMaphead = nullptr;
    QCheckBox* m_chkMaps = nullptr;
    QPushButton* m_defaults = nullptr;
    ExtensionListEditor* m_extensions = nullptr;
    GameRunnerGroup* m_runner = nullptr;
};

} // namespace zentrik::gui
