#pragma once

// Names the running application (name, version) for the settings store and the desktop. The
// window titles stay exactly as the windows set them: no display name is added to them.
void describeApplication();

// Errors the highlighters raise (an expression that does not compile, a range that does not fit)
// are shown in an error box once the event loop runs; the highlighter has gone on safely.
void reportHighlighterErrors();
