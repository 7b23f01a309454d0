#include "PlacementStore.h"

#include <QSettings>

#include <array>

namespace {

QString screenSuffix(QSize screen)
{
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

QString pointPair(QPoint a, QPoint b)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y());
}

std::optional<std::array<int, 4>> fourIntegers(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<int, 4> values{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return values;
}

std::optional<int> integer(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

PlacementStore::PlacementStore(const QString &fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{ }

PlacementStore::~PlacementStore() = default;

QString PlacementStore::readValue(const QString &window, const QString &name) const
{
    return m_settings->value(window + u'/' + name).toString();
}

void PlacementStore::writeValue(const QString &window, const QString &name, const QString &value)
{
    m_settings->setValue(window + u'/' + name, value);
}

void PlacementStore::writePlacement(const QString &window, const WindowPlacement &p, QSize screen)
{
    const QString minMax = pointPair(p.minPosition, p.maxPosition);
    const QRect &r = p.normal;
    // Left, top, right, bottom with the right and bottom edges exclusive, as rectangles were kept.
    const QString norm = pointPair(r.topLeft(), QPoint(r.x() + r.width(), r.y() + r.height()));
    writeValue(window, QStringLiteral("Flags"), QString::number(p.flags));
    writeValue(window, QStringLiteral("ShowCmd"), QString::number(p.showCmd));
    writeValue(window, QStringLiteral("PixelsPerInch"), QString::number(p.pixelsPerInch));
    writeValue(window, QStringLiteral("MinMaxPos"), minMax);
    writeValue(window, QStringLiteral("NormPos"), norm);
    writeValue(window, QStringLiteral("MinMaxPos") + screenSuffix(screen), minMax);
    writeValue(window, QStringLiteral("NormPos") + screenSuffix(screen), norm);
    writeValue(window, QStringLiteral("Visible"), p.visible ? QStringLiteral("1") : QStringLiteral("0"));
}

std::optional<WindowPlacement> PlacementStore::readPlacement(const QString &window, QSize screen) const
{
    const auto screenOrPlain = [&](const QString &name) {
        const QString sized = readValue(window, name + screenSuffix(screen));
        return sized.isEmpty() ? readValue(window, name) : sized;
    };
    const auto norm = fourIntegers(screenOrPlain(QStringLiteral("NormPos")));
    if (!norm)
        return std::nullopt;
    WindowPlacement p;
    p.normal = QRect(QPoint((*norm)[0], (*norm)[1]), QSize((*norm)[2] - (*norm)[0], (*norm)[3] - (*norm)[1]));
    if (const auto minMax = fourIntegers(screenOrPlain(QStringLiteral("MinMaxPos")))) {
        p.minPosition = {(*minMax)[0], (*minMax)[1]};
        p.maxPosition = {(*minMax)[2], (*minMax)[3]};
    }
    p.flags = integer(readValue(window, QStringLiteral("Flags"))).value_or(p.flags);
    p.showCmd = integer(readValue(window, QStringLiteral("ShowCmd"))).value_or(p.showCmd);
    p.pixelsPerInch = integer(readValue(window, QStringLiteral("PixelsPerInch"))).value_or(p.pixelsPerInch);
    p.visible = readValue(window, QStringLiteral("Visible")) != QStringLiteral("0");
    return p;
}

void PlacementStore::writeProperty(const QString &window, const QString &name, const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        writeValue(window, name, value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    else
        writeValue(window, name, value.toString());
}

QVariant PlacementStore::readProperty(const QString &window, const QString &name, const QVariant &fallback) const
{
    if (!m_settings->contains(window + u'/' + name))
        return fallback;
    const QString text = readValue(window, name);
    switch (fallback.typeId()) {
    case QMetaType::Bool:
        if (text.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
        return fallback;
    case QMetaType::Int: return integer(text).value_or(fallback.toInt());
    default: return text;
    }
}

bool PlacementStore::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
