#include "TypingAids.h"

#include "EditorWidget.h"
#include "MainHighlighters.h"
#include "ProgramFiles.h"
#include "SysOptions.h"

TypingAids::TypingAids(const ProgramFiles &files, EditorWidget &editor, SynGeneralSyn &customHighlighting)
    : m_files(files), m_editor(editor), m_customHighlighting(customHighlighting)
{
}

void TypingAids::ReloadCompletionData(const SysOptions &options)
{
    bool listsChanged = false;
    if (m_keywordFile.refresh(m_files.dataFile(QString::fromLatin1(KeywordFile)))) {
        m_keywords = listEntries(m_keywordFile.lines(), KeywordsHeader);
        listsChanged = true;
    }
    if (m_functionFile.refresh(m_files.dataFile(QString::fromLatin1(FunctionFile)))) {
        m_functions = listEntries(m_functionFile.lines(), FunctionsHeader);
        listsChanged = true;
    }
    if (listsChanged)
        SetCustomKeywords(m_customHighlighting, m_keywords, m_functions);
    reloadProposal(options.CompletionProposal, listsChanged);
    reloadAutoComplete(options.AutoComplete);
}

void TypingAids::reloadProposal(bool on, bool listsChanged)
{
    if (!on) {
        m_proposal.detach();
        m_proposal.setLists({}, {});
        m_proposalFilled = false;
        return;
    }
    if (listsChanged || !m_proposalFilled) {
        CompletionLists lists = completionLists(m_keywords, m_functions);
        m_proposal.setLists(std::move(lists.itemList), std::move(lists.insertList));
        m_proposalFilled = true;
    }
    m_proposal.attach(&m_editor);
}

void TypingAids::reloadAutoComplete(bool on)
{
    if (!on) {
        m_autoComplete.detach();
        return;
    }
    if (m_templateFile.refresh(m_files.dataFile(QString::fromLatin1(TemplateFile))))
        m_autoComplete.setAutoCompleteList(m_templateFile.lines());
    m_autoComplete.attach(&m_editor);
}
