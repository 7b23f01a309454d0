#pragma once

#include "SynCustomHighlighter.h"

#include <QString>
#include <QStringList>

#include <memory>

// The highlighters by the short names the token tool and the tests use ("php", "html", ...), each
// made with its main-window configuration.
QStringList highlighterNames();
// nullptr for an unknown name.
std::unique_ptr<SynCustomHighlighter> createHighlighter(QStringView name);
