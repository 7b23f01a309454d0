#pragma once

#include "Scanners.h"

class EditorModel;

// The editor's lines as the scanners take them, read in place.
LineSource editorLines(const EditorModel &editor);
