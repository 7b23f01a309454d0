#pragma once

#include "SynHighlighterHtml.h"
#include "SynHighlighterMulti.h"
#include "SynHighlighterPHP.h"

#include <QStringList>

// The highlighters the main window owns, each with the values the window gives it, and the
// multi-language highlighter embedding them. The window, the token tool and the tests all build
// their highlighters here. The multi-language highlighter is declared last so that it lets go of
// the others first.
struct MainHighlighters {
    MainHighlighters();
    MainHighlighters(const MainHighlighters &) = delete;
    MainHighlighters &operator=(const MainHighlighters &) = delete;

    // The short names the token tool and the tests use: "php", "html", "multi".
    static QStringList names();
    // nullptr for an unknown name.
    SynCustomHighlighter *byName(QStringView name);

    SynPHPSyn xhPHP;
    SynHTMLSyn xhHTML;
    SynMultiSyn xhMulti;
};

// Loads the PHP and HTML colours from their files, or creates a missing file from the colours
// the highlighter has. Answers the error texts of the files that could not be read or written.
QStringList LoadHighlighterColours(MainHighlighters &highlighters, const QString &phpFile, const QString &htmlFile);
