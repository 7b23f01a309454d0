#include "WindowMessages.h"

const QList<WindowMessage> &windowMessages()
{
    static const QList<WindowMessage> messages{
        {1, "Files are not saved. Save files first!"},
        {2, "No ServerURL has been specified for this project!"},
        {3, "Can't load project file:"},
        {4, "Invalid project file!"},
        {5, "changed"},
        {6, "Remove \"%s\" from Project"},
        {8, "This project already contains a file named \"%s\"!"},
        {9, "All files will be saved! Continue?"},
        {10, "External Viewer could not be found!"},
        {11, "Previewing Project"},
        {12, "(the file has been changed)"},
        {13, "Can't create backup file"},
        {14, "GoTo Line Number:"},
    };
    return messages;
}

QString windowMessage(int number)
{
    for (const WindowMessage &message : windowMessages())
        if (message.number == number)
            return QString::fromUtf8(message.text);
    return {};
}
