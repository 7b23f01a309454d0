#pragma once

#include "DialogFields.h"
#include "EditorTypes.h"
#include "ProjectSearch.h"

#include <QString>

#include <functional>

class EditorModel;
class PlacementStore;
class ProjectController;

// Search, Replace and Search Again (F3) in the active file, with the search state they share
// for the whole run. The dialog is asked through Prompts; its six values are remembered in the
// placement store between runs.
class SearchCommands
{
public:
    struct State {
        QString LastFindText;
        QString LastReplaceText;
        SearchOptions LastSearchOptions = 0; // match case, whole word, entire scope, prompt
        bool ReplaceMode = false; // F3 repeats a replace
    };

    // showStatus tells the user what a search found when that is not plain from the text;
    // showResults lists what Search in Project found.
    using ShowResults = std::function<void(const QString &query, const ProjectSearchResult &)>;
    SearchCommands(ProjectController &projects, EditorModel &editor, PlacementStore &store,
                   std::function<void(const QString &)> showStatus, ShowResults showResults);

    void btnFindClick();
    void btnReplaceClick();
    void SearchAgain();
    // Every file of the project, with unsaved edits; a bad regular expression is reported.
    void SearchInProject1Click();
    // Activates the match's file and selects the match.
    void openMatch(const ProjectMatch &match);
    const State &state() const { return m_state; }

private:
    SearchAnswer showDialog(SearchForm form);
    void record(const SearchFields &fields, bool replaceMode);
    SearchFields remembered(SearchFields fields) const;
    void remember(const SearchFields &fields);
    void search(const QString &find, const QString &replace, SearchOptions options);
    // Selects the text a replace just put in, the caret at its start.
    void reselectReplacement();

    ProjectController &m_projects;
    EditorModel &m_editor;
    PlacementStore &m_store;
    std::function<void(const QString &)> m_showStatus;
    ShowResults m_showResults;
    State m_state;
};
