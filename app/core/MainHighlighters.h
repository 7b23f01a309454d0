#pragma once

#include "SynHighlighterCss.h"
#include "SynHighlighterGeneral.h"
#include "SynHighlighterHtml.h"
#include "SynHighlighterJScript.h"
#include "SynHighlighterMulti.h"
#include "SynHighlighterPHP.h"
#include "SynHighlighterSQL.h"
#include "SynHighlighterVBScript.h"

#include <QStringList>

#include <memory>

// The highlighters the main window owns, each with the values the window gives it, and the
// multi-language highlighter embedding them. The window, the token tool and the tests all build
// their highlighters here. The multi-language highlighter is declared last so that it lets go of
// the others first.
struct MainHighlighters {
    MainHighlighters();
    MainHighlighters(const MainHighlighters &) = delete;
    MainHighlighters &operator=(const MainHighlighters &) = delete;

    // The short names the token tool and the tests use: "php", "html", "multi", "js", "css",
    // "sql", "vbs", "general".
    static QStringList names();
    // nullptr for an unknown name.
    SynCustomHighlighter *byName(QStringView name);
    // That highlighter on its own, with the values the window gives it (the multi-language one
    // with the set it embeds), for the tools that need just one; nullptr for an unknown name.
    static std::shared_ptr<SynCustomHighlighter> make(QStringView name);

    SynPHPSyn xhPHP;
    SynHTMLSyn xhHTML;
    SynJScriptSyn xhJS;
    SynCssSyn xhCSS;
    SynSQLSyn xhSQL;
    SynVBScriptSyn xhVBS;
    SynGeneralSyn xhGen; // the custom highlighting, over the PHP keyword and function lists
    SynMultiSyn xhMulti;
};

// Loads the PHP and HTML colours from their files, or creates a missing file from the colours
// the highlighter has; the custom highlighting takes the PHP file's colours of the attributes it
// shares. Answers the error texts of the files that could not be read or written.
QStringList LoadHighlighterColours(MainHighlighters &highlighters, const QString &phpFile, const QString &htmlFile);

// The custom highlighting's words: the keyword entries, then the function entries, as written.
void SetCustomKeywords(SynGeneralSyn &highlighter, const QStringList &keywords, const QStringList &functions);
// The same from the word list files in dataDir (phpkw.dat and phpfu.dat), for the tools that have
// no window: a missing file gives no words.
void LoadCustomKeywords(SynGeneralSyn &highlighter, const QString &dataDir);
