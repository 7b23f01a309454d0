#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;

// Where and how a window last stood. NormPos is the normal (not maximised) rectangle.
struct WindowPlacement {
    enum ShowCmd { Normal = 1, Minimized = 2, Maximized = 3 };

    int flags = 0;
    int showCmd = Normal;
    int pixelsPerInch = 96;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    QRect normal;
    bool visible = true;

    bool operator==(const WindowPlacement &) const = default;
};

// The per-user store of window placement and remembered control properties: one group per
// window class ("TForm_Main", ...), values written as text under the names the windows have
// always used. Positions are kept once per screen size, so each resolution keeps its own.
class PlacementStore
{
public:
    explicit PlacementStore(const QString &fileName);
    ~PlacementStore();
    PlacementStore(const PlacementStore &) = delete;
    PlacementStore &operator=(const PlacementStore &) = delete;

    void writePlacement(const QString &window, const WindowPlacement &placement, QSize screen);
    // Tries the values stored for this screen size first, then the plain ones.
    std::optional<WindowPlacement> readPlacement(const QString &window, QSize screen) const;

    void writeProperty(const QString &window, const QString &name, const QVariant &value);
    // Reads a property back as the type of fallback (int, bool or string).
    QVariant readProperty(const QString &window, const QString &name, const QVariant &fallback) const;

    // Writes pending values to disk; false when the store cannot be written.
    bool flush();

private:
    QString readValue(const QString &window, const QString &name) const;
    void writeValue(const QString &window, const QString &name, const QString &value);

    std::unique_ptr<QSettings> m_settings;
};
