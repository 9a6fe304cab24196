#pragma once

#include "play/RunnerSettings.h"

#include <QGroupBox>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zentrik::gui {

class AppContext;

// "Game runner" on the Config page: how "Play level" starts the game of the current extension.
// Every change is written to the extension's section of the settings file at once.
class GameRunnerGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit GameRunnerGroup(AppContext& context, QWidget* parent = nullptr);

    // Shows the settings of the current extension.
    void refresh();

    QRadioButton* dosboxChoice() const { return m_dosboxChoice; }
    QRadioButton* templateChoice() const { return m_templateChoice; }
    QLineEdit* dosbox() const { return m_dosbox; }
    QLineEdit* executable() const { return m_executable; }
    QLineEdit* program() const { return m_program; }
    QLineEdit* arguments() const { return m_arguments; }
    QComboBox* skill() const { return m_skill; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* pathRow(QGridLayout* grid, int row, const QString& label, const QString& placeholder,
                       bool inGameFolder);
    void store();
    void enableRows();

    AppContext& m_context;
    std::string m_extension;
    bool m_showing = false;
    QLabel* m_for = nullptr;
    QRadioButton* m_dosboxChoice = nullptr;
    QRadioButton* m_templateChoice = nullptr;
    QLineEdit* m_dosbox = nullptr;
    QLineEdit* m_executable = nullptr;
    QLineEdit* m_program = nullptr;
    QLineEdit* m_arguments = nullptr;
    QComboBox* m_skill = nullptr;
};

} // namespace zentrik::gui
