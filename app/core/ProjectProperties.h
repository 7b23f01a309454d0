#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What the Project Properties dialog's boxes become when it is confirmed.

// The folder box with a "/" added and every run of separators collapsed to one.
QString normalizedProjectPath(const QString &folder);

// The URL box as typed when asIs; otherwise trimmed, with "http://" put in front unless it
// already has a web scheme (sloppy forms such as "http:/" or "http//" are mended) and a "/" at
// the end. A URL that is only a scheme or a "/" becomes empty.
QString normalizedServerUrl(const QString &typed, bool asIs);

// The description's one-line form: the lines joined by ",", a line quoted (with inner quotes
// doubled) when it holds a blank, a control character, a quote or a comma. A single empty line
// is written as "".
QString toCommaText(const QStringList &lines);
// Splits the one-line form at commas and, outside quotes, at runs of blanks and control
// characters; a quoted part is taken whole with its doubled quotes undone.
QStringList fromCommaText(QStringView text);
