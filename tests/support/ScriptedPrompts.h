#pragma once

#include "Prompts.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

// Answers every question from a script and records what was shown, with the kind of each box.
class ScriptedPrompts : public Prompts
{
public:
    enum class Box { Error, Information, Question };
    struct Message {
        Box box;
        QString text;
    };
    // One answer to the Save Files question: Cancel, or OK with the rows' marks (none given:
    // every row stays marked, as the dialog opens).
    struct SaveFilesAnswer {
        bool ok = true;
        QList<bool> marks;
    };

    std::deque<QString> paths; // the next answers of the open and save choosers ("" cancels)
    std::deque<bool> confirmations; // the next answers of questions; OK when none is left
    std::deque<int> choices; // the next buttons pressed in questions with buttons; the first when none is left
    RecoveryAnswer recoveryAnswer = RecoveryAnswer::Later; // the answer to the recovery question
    QList<QList<RecoveryRow>> recoveryRows; // the rows of each recovery question asked
    std::deque<SaveFilesAnswer> saveFiles; // the next Save Files answers; OK on every row when none is left
    QString propertiesPath; // the project folder the Project Properties answer gives
    bool cancelProperties = false;
    std::deque<QString> inputs; // the next input box answers; a null string or none left cancels
    std::optional<ExplorerChoice> explorerChoice; // the Code Explorer's answer; closed without one when unset
    QString variable; // the Variables window's answer ("" cancels)
    // The Search/Replace answers: how it closes, and the boxes it closes with (unset: as shown).
    struct SearchReply {
        SearchAnswer answer = SearchAnswer::Cancel;
        std::optional<SearchFields> fields;
    };
    std::deque<SearchReply> searches;
    // The Options dialog: what the user does in it (none: closes at once), and whether OK closes it.
    std::function<void(OptionsFields &, SyntaxColourItems &)> optionsEdits;
    bool optionsOk = true;
    QList<OptionsFields> optionsShown; // the fields each opening showed
    // The Print dialog: what the user does in it (none: leaves it as shown) and how it closes.
    std::function<void(PrintFields &)> printEdits;
    PrintAnswer printAnswer = PrintAnswer::Cancel;
    QList<PrintFields> printShown; // the fields each opening showed

    QList<Message> messages;
    QStringList saveTitles;
    QList<QStringList> saveFilesRows; // the rows of each Save Files question asked
    QStringList inputTitles;
    QStringList inputTexts; // the text each input box started with
    QStringList explorerCaptions; // "<project>|<focused row>" of each Code Explorer shown
    QList<QStringList> variableLists; // the names each Variables window offered
    QList<std::pair<SearchForm, SearchFields>> searchDialogs; // each Search/Replace dialog: form, fields shown

    // The texts of the boxes of one kind, in the order they were shown.
    QStringList texts(Box box) const
    {
        QStringList found;
        for (const Message &message : messages)
            if (message.box == box)
                found.append(message.text);
        return found;
    }

    QString openFile(const QString &, const QString &, const QString &) override { return nextPath(); }
    QString saveFile(const QString &title, const QString &, const QString &, const QString &) override
    {
        saveTitles.append(title);
        return nextPath();
    }
    void error(const QString &text) override { messages.append({Box::Error, text}); }
    // Recorded as the box reads with a single item: the text, a space, then the items by lines.
    void errorList(const QString &text, const QStringList &items) override
    {
        messages.append({Box::Error, text + u' ' + items.join(u'\n')});
    }
    void information(const QString &text) override { messages.append({Box::Information, text}); }
    bool confirm(const QString &text) override
    {
        messages.append({Box::Question, text});
        if (confirmations.empty())
            return true;
        const bool answer = confirmations.front();
        confirmations.pop_front();
        return answer;
    }
    int choose(const QString &text, const QStringList &) override
    {
        messages.append({Box::Question, text});
        if (choices.empty())
            return 0;
        const int answer = choices.front();
        choices.pop_front();
        return answer;
    }
    RecoveryAnswer recoverFiles(const QString &text, const QList<RecoveryRow> &rows) override
    {
        messages.append({Box::Question, text});
        recoveryRows.append(rows);
        return recoveryAnswer;
    }
    std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) override
    {
        if (cancelProperties)
            return std::nullopt;
        PropertiesFields answer = fields;
        if (!propertiesPath.isEmpty())
            answer.path = propertiesPath;
        return answer;
    }
    bool saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved) override
    {
        QStringList shown;
        for (const SaveFileRow &row : rows)
            shown.append(row.text);
        saveFilesRows.append(shown);
        SaveFilesAnswer answer;
        if (!saveFiles.empty()) {
            answer = saveFiles.front();
            saveFiles.pop_front();
        }
        *notAllSaved = false;
        if (!answer.ok)
            return false;
        QList<bool> marks = answer.marks;
        marks.resize(rows.size(), true);
        bool allSaved = true;
        // A stopped save leaves the question open; the script then cancels it.
        const bool stopped = saveMarkedRows(rows, marks, save, &allSaved) > 0;
        *notAllSaved = !allSaved;
        return !stopped && allSaved;
    }

    std::optional<QString> askText(const QString &title, const QString &text) override
    {
        inputTitles.append(title);
        inputTexts.append(text);
        if (inputs.empty())
            return std::nullopt;
        const QString answer = inputs.front();
        inputs.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    bool codeExplorer(const CodeExplorerModel &, const QString &projectName, int focusRow,
                      ExplorerChoice *choice) override
    {
        explorerCaptions.append(projectName + u'|' + QString::number(focusRow));
        if (explorerChoice)
            *choice = *explorerChoice;
        return explorerChoice.has_value();
    }
    SearchAnswer searchReplace(SearchForm form, SearchFields *fields) override
    {
        searchDialogs.append({form, *fields});
        if (searches.empty())
            return SearchAnswer::Cancel;
        const SearchReply reply = searches.front();
        searches.pop_front();
        if (reply.fields)
            *fields = *reply.fields;
        return reply.answer;
    }
    QString chooseVariable(const QStringList &names) override
    {
        variableLists.append(names);
        return variable;
    }
    bool options(OptionsFields *fields, SyntaxColourItems &colours) override
    {
        optionsShown.append(*fields);
        if (optionsEdits)
            optionsEdits(*fields, colours);
        return optionsOk;
    }
    PrintAnswer printFile(PrintFields *fields) override
    {
        printShown.append(*fields);
        if (printEdits)
            printEdits(*fields);
        return printAnswer;
    }

private:
    QString nextPath()
    {
        if (paths.empty())
            return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};
