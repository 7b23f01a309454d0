#pragma once

#include "SynCustomHighlighter.h"

#include <QStringList>

// Collects the errors the highlighters raise while it lives, in place of the program's handler.
struct RaisedErrors {
    RaisedErrors() : previous(SetSynErrorHandler([this](const QString &message) { messages.append(message); })) { }
    ~RaisedErrors() { SetSynErrorHandler(std::move(previous)); }
    RaisedErrors(const RaisedErrors &) = delete;
    RaisedErrors &operator=(const RaisedErrors &) = delete;

    QStringList messages;
    SynErrorHandler previous;
};
