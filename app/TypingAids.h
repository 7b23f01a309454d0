#pragma once

#include "CompletionData.h"
#include "SynAutoComplete.h"
#include "SynCompletionProposal.h"

class EditorWidget;
class ProgramFiles;
class SynGeneralSyn;
struct SysOptions;

// The two typing aids of the editor, the completion proposal SynCP and the template expander
// SynAC, with the word lists and templates they are fed from; the same lists are the words of
// the custom highlighting.
class TypingAids
{
public:
    static constexpr const char *KeywordFile = "phpkw.dat";
    static constexpr const char *FunctionFile = "phpfu.dat";
    static constexpr const char *TemplateFile = "phpac.dat";

    TypingAids(const ProgramFiles &files, EditorWidget &editor, SynGeneralSyn &customHighlighting);

    // Reads the data files that changed since the last time and attaches or detaches each aid as
    // its setting says; costs a few status calls when nothing changed. A missing file leaves its
    // list as it was.
    void ReloadCompletionData(const SysOptions &options);

    const QStringList &keywords() const { return m_keywords; }
    const QStringList &functions() const { return m_functions; }
    SynCompletionProposal &SynCP() { return m_proposal; }
    SynAutoComplete &SynAC() { return m_autoComplete; }

private:
    void reloadProposal(bool on, bool listsChanged);
    void reloadAutoComplete(bool on);

    const ProgramFiles &m_files;
    EditorWidget &m_editor;
    SynGeneralSyn &m_customHighlighting;
    DataFile m_keywordFile;
    DataFile m_functionFile;
    DataFile m_templateFile;
    QStringList m_keywords;
    QStringList m_functions;
    bool m_proposalFilled = false;
    SynCompletionProposal m_proposal;
    SynAutoComplete m_autoComplete;
};
