#include "OptionsFlow.h"

#include "DiskFiles.h"
#include "IniFile.h"
#include "MainHighlighters.h"
#include "ProgramFiles.h"
#include "Prompts.h"
#include "SysOptions.h"
#include "SyntaxColourItems.h"
#include "WordListFile.h"

namespace {

int integerOr(const QString &text, int fallback)
{
    return parseProfileInteger(text).value_or(fallback);
}

} // namespace

SysOptions optionsFromFields(const OptionsFields &fields)
{
    SysOptions options = fields.options;
    options.FontSize = integerOr(fields.fontSize, 10);
    options.TabWidth = integerOr(fields.tabWidth, 3);
    options.RightEdge = integerOr(fields.rightEdge, 250);
    clampSizes(options);
    return options;
}

OptionsFlow::OptionsFlow(Prompts &prompts, MainHighlighters &highlighters, const ProgramFiles &files)
    : m_prompts(prompts), m_highlighters(highlighters), m_files(files)
{
}

bool OptionsFlow::Options1Click(SysOptions *options, const QStringList &keywords, const QStringList &functions)
{
    OptionsFields fields{*options,
                         QString::number(options->FontSize),
                         QString::number(options->TabWidth),
                         QString::number(options->RightEdge),
                         keywords,
                         functions};
    SyntaxColourItems colours(m_highlighters.xhPHP, m_highlighters.xhHTML);
    const SyntaxColourItems::Saved opened = colours.save();
    if (!m_prompts.options(&fields, colours)) {
        colours.restore(opened);
        return false;
    }
    *options = optionsFromFields(fields);
    if (fields.tablesEdited) {
        writeWordList("phpkw.dat", KeywordsHeader, fields.keywords);
        writeWordList("phpfu.dat", FunctionsHeader, fields.functions);
    }
    saveColours();
    return true;
}

void OptionsFlow::writeWordList(const char *fileName, QStringView header, const QStringList &entries)
{
    const QString path = m_files.userDataFile(QString::fromLatin1(fileName));
    QString reason;
    if (!replaceDiskFile(path, wordListFileBytes(header, entries), &reason))
        m_prompts.error(QStringLiteral("Unable to write %1: %2").arg(path, reason));
}

void OptionsFlow::saveColours()
{
    for (const auto &[highlighter, path] :
         {std::pair<const SynCustomHighlighter *, QString>{&m_highlighters.xhPHP, m_files.phpColourFile()},
          {&m_highlighters.xhHTML, m_files.htmlColourFile()}}) {
        IniFile file(path);
        QString error;
        if (!file.load()) {
            m_prompts.error(QStringLiteral("Unable to read %1").arg(path));
            continue;
        }
        highlighter->SaveColorsToIni(file);
        if (!file.save(&error))
            m_prompts.error(error);
    }
}
