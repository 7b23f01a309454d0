#pragma once

#include "IniFile.h"
#include "MainFrame.h"
#include "MainHighlighters.h"
#include "ProgramFiles.h"
#include "ProjectHistory.h"
#include "SysOptions.h"

#include <QMainWindow>

class PlacementStore;

// The main window: owns the settings, the history of projects and every pane of the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char *Title = "Velmora PHP Editor";
    static constexpr const char *PlacementSection = "TForm_Main";
    static constexpr QSize DefaultSize{785, 542};

    // parameters: the command line's positional arguments (a project file may be the first).
    MainWindow(ProgramFiles files, QStringList parameters, QWidget *parent = nullptr);
    ~MainWindow() override;

    const SysOptions &options() const { return m_options; }
    int languageIndex() const { return m_languageIndex; }
    ProjectHistory &projectHistory() { return m_history; }
    const MainFrame &frame() const { return m_frame; }
    MainHighlighters &highlighters() { return m_highlighters; }

    // Applies the settings to the editor and writes every key; false (after an error box) when
    // the settings file cannot be written.
    bool ApplySettings();
    // Brings the title, status text and buttons up to date with the current state.
    void RefreshWindowState();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void restorePlacement();
    void savePlacement();
    // Projects are not loaded yet; with nothing open, nothing can be lost by closing.
    bool TryCloseProject() { return true; }
    void applyEditorSettings();
    void LoadHighlighterColours();
    // Loads the colours from the file, or creates the file from them when it is missing.
    void loadOrCreateColours(SynCustomHighlighter &highlighter, const QString &fileName);
    void showError(const QString &text);

    ProgramFiles m_files;
    QStringList m_parameters;
    MainHighlighters m_highlighters;
    MainFrame m_frame;
    IniFile m_settingsFile;
    std::unique_ptr<PlacementStore> m_placement;
    SysOptions m_options;
    int m_languageIndex = 0;
    ProjectHistory m_history;
    bool m_formShownOnce = false;
    bool m_placementRestored = false;
};
