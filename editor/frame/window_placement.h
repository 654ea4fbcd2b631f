// The main window's stored placement: the 44-byte record of "WindowPosition"
// and the rule that brings a saved rectangle back onto the screens there are.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <utility>

struct WindowPlacement {
    static constexpr int kBytes = 44;
    enum ShowCommand : qint32 { ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };

    qint32 flags = 0;
    qint32 showCommand = ShowNormal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    // Left, top, right and bottom as stored; right and bottom lie just
    // outside the window, so an inverted rectangle stays visible here.
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    static WindowPlacement FromGeometry(const QRect &normal, qint32 showCommand);
    // Null unless `bytes` is exactly one record.
    static std::optional<WindowPlacement> Parse(const QByteArray &bytes);
    [[nodiscard]] QByteArray Encode() const;

    [[nodiscard]] bool IsInverted() const { return right < left || bottom < top; }
    [[nodiscard]] QRect Normal() const { return QRect(QPoint(left, top), QSize(right - left, bottom - top)); }
};

// Where the window opens.
struct PlacementDecision {
    bool centred = true;
    // The size to centre with; empty keeps the window's default size.
    QSize size;
    // The exact place when not centred.
    QRect geometry;
    bool maximised = false;
};

// No saved placement or an inverted rectangle: centred with the default
// size. A rectangle touching no work area: centred with its size. Otherwise
// exactly the saved rectangle. A saved maximised state is kept either way.
PlacementDecision DecidePlacement(const std::optional<WindowPlacement> &saved, const QList<QRect> &workAreas);

// 8 bytes of two little-endian 32-bit values, as "_Pane1", "_Pane2" and
// "ToolBarVisible" hold them; null when shorter.
std::optional<std::pair<qint32, qint32>> ParseIntPair(const QByteArray &bytes);
QByteArray EncodeIntPair(qint32 first, qint32 second);
