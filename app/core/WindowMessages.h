#pragma once

#include <QList>
#include <QString>

// The main window's messages, by number (there is no 7). The window keeps each in a hidden label
// lblMessage<number>, translated with it; these are the English texts the labels start with.
struct WindowMessage {
    int number;
    const char *text;
};

const QList<WindowMessage> &windowMessages();
// The English text of message number, empty for a number that has none.
QString windowMessage(int number);
