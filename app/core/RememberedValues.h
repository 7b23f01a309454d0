#pragma once

#include "PlacementStore.h"

#include <QString>

#include <span>
#include <type_traits>
#include <variant>

// A value a dialog remembers between runs in the placement store: a field of its fields record,
// kept under the name of its control ("eFind.Text", "cbxWrap.Checked").
template <typename Fields>
struct RememberedValue {
    const char *name;
    std::variant<QString Fields::*, bool Fields::*> field;
};

// Fills the remembered fields from the window's section; a value never stored keeps its field.
template <typename Fields>
void readRemembered(const PlacementStore &store, const QString &window, std::span<const RememberedValue<Fields>> values,
                    Fields &fields)
{
    for (const RememberedValue<Fields> &value : values)
        std::visit(
            [&](auto field) {
                using Type = std::remove_reference_t<decltype(fields.*field)>;
                fields.*field =
                    store.readProperty(window, QString::fromLatin1(value.name), fields.*field).template value<Type>();
            },
            value.field);
}

template <typename Fields>
void writeRemembered(PlacementStore &store, const QString &window, std::span<const RememberedValue<Fields>> values,
                     const Fields &fields)
{
    for (const RememberedValue<Fields> &value : values)
        std::visit([&](auto field) { store.writeProperty(window, QString::fromLatin1(value.name), fields.*field); },
                   value.field);
}
