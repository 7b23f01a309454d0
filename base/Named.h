#pragma once

#include <QString>

// Gives an object its component name, by which the translator and the tests find it.
template <typename Object>
Object *named(Object *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
