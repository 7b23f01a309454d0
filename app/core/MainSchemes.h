#pragma once

class SynCustomHighlighter;
class SynMultiSyn;

// The highlighters the main window embeds in its multi-language highlighter; a missing one
// (nullptr) leaves its scheme unused.
struct EmbeddedHighlighters {
    SynCustomHighlighter *html = nullptr; // text outside every scheme
    SynCustomHighlighter *php = nullptr;
    SynCustomHighlighter *js = nullptr;
    SynCustomHighlighter *css = nullptr;
    SynCustomHighlighter *asp = nullptr;
};

// Gives the multi-language highlighter the main window's schemes: PHP between "<?" and "?>", then
// script, style and server-script blocks, with red bold markers.
void ConfigureMainSchemes(SynMultiSyn &multi, const EmbeddedHighlighters &highlighters);
