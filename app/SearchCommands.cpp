#include "SearchCommands.h"

#include "EditorModel.h"
#include "PlacementStore.h"
#include "ProjectController.h"
#include "RememberedValues.h"

namespace {

const QString Section = QStringLiteral("TForm_SearchReplace");

// clang-format off
const RememberedValue<SearchFields> Remembered[] = {
    {"eFind.Text", &SearchFields::find},
    {"eReplace.Text", &SearchFields::replace},
    {"cbxMatchCase.Checked", &SearchFields::matchCase},
    {"cbxWholeWord.Checked", &SearchFields::wholeWord},
    {"cbxEntireScope.Checked", &SearchFields::entireScope},
    {"cbxConfirm.Checked", &SearchFields::confirm},
    {"cbxRegularExpression.Checked", &SearchFields::regularExpression},
};
// clang-format on

SearchOptions optionsOf(const SearchFields &fields)
{
    return (fields.matchCase ? ssoMatchCase : 0u) | (fields.wholeWord ? ssoWholeWord : 0u)
        | (fields.entireScope ? ssoEntireScope : 0u) | (fields.confirm ? ssoPrompt : 0u);
}

} // namespace

SearchCommands::SearchCommands(ProjectController &projects, EditorModel &editor, PlacementStore &store,
                               std::function<void(const QString &)> showStatus, ShowResults showResults)
    : m_projects(projects),
      m_editor(editor),
      m_store(store),
      m_showStatus(std::move(showStatus)),
      m_showResults(std::move(showResults))
{ }

void SearchCommands::btnFindClick()
{
    if (showDialog(SearchForm::Search) == SearchAnswer::Ok)
        search(m_state.LastFindText, {}, m_state.LastSearchOptions);
}

void SearchCommands::btnReplaceClick()
{
    const SearchAnswer answer = showDialog(SearchForm::Replace);
    if (answer == SearchAnswer::Cancel)
        return;
    const SearchOptions how = answer == SearchAnswer::ReplaceAll ? ssoReplaceAll : ssoReplace;
    search(m_state.LastFindText, m_state.LastReplaceText, m_state.LastSearchOptions | how);
    reselectReplacement();
}

void SearchCommands::SearchAgain()
{
    if (m_state.ReplaceMode) {
        search(m_state.LastFindText, m_state.LastReplaceText, m_state.LastSearchOptions | ssoReplace);
        reselectReplacement();
    } else if (!m_state.LastFindText.isEmpty()) {
        // From the caret, whatever options the dialog had.
        search(m_state.LastFindText, {}, 0);
    } else {
        btnFindClick();
    }
}

// The selected text goes into the search box unless a remembered one replaces it. The state is
// taken from the dialog as it opens, so a cancelled Replace still leaves F3 replacing.
void SearchCommands::SearchInProject1Click()
{
    // The active file's text goes into its entry, so what is on screen is searched.
    m_projects.StoreEditorState();
    SearchFields fields = remembered({});
    if (m_editor.SelAvail())
        fields.find = m_editor.SelText();
    const SearchAnswer answer = m_projects.prompts().searchReplace(SearchForm::Project, &fields);
    remember(fields);
    if (answer == SearchAnswer::Cancel || fields.find.isEmpty())
        return;
    const ProjectSearchResult result = searchProject(
        m_projects.project().Files, {fields.find, fields.matchCase, fields.wholeWord, fields.regularExpression});
    if (!result.error.isEmpty()) {
        m_projects.prompts().error(QStringLiteral("The regular expression cannot be used: ") + result.error);
        return;
    }
    m_showResults(fields.find, result);
}

void SearchCommands::openMatch(const ProjectMatch &match)
{
    if (match.file >= m_projects.project().Files.size())
        return;
    m_projects.focusRow(match.file + 1);
    if (m_projects.activeFile() == match.file)
        m_editor.SetSelection({match.column, match.line}, {match.column + match.length, match.line});
}

SearchAnswer SearchCommands::showDialog(SearchForm form)
{
    const bool replace = form == SearchForm::Replace;
    SearchFields selected;
    selected.find = m_editor.SelText();
    SearchFields fields = remembered(selected);
    record(fields, replace);
    const SearchAnswer answer = m_projects.prompts().searchReplace(form, &fields);
    remember(fields);
    if (answer != SearchAnswer::Cancel)
        record(fields, replace);
    return answer;
}

void SearchCommands::record(const SearchFields &fields, bool replaceMode)
{
    m_state = {fields.find, fields.replace, optionsOf(fields), replaceMode};
}

SearchFields SearchCommands::remembered(SearchFields fields) const
{
    readRemembered<SearchFields>(m_store, Section, Remembered, fields);
    return fields;
}

void SearchCommands::remember(const SearchFields &fields)
{
    writeRemembered<SearchFields>(m_store, Section, Remembered, fields);
}

void SearchCommands::search(const QString &find, const QString &replace, SearchOptions options)
{
    if (find.isEmpty())
        return;
    const int found = m_editor.SearchReplace(find, replace, options);
    if (found == 0)
        m_showStatus(QStringLiteral("\"%1\" not found").arg(find));
    else if (options & ssoReplaceAll)
        m_showStatus(QStringLiteral("%1 replaced").arg(found));
}

void SearchCommands::reselectReplacement()
{
    if (!m_state.LastReplaceText.isEmpty())
        m_editor.SearchReplace(m_state.LastReplaceText, {}, ssoBackwards);
}
