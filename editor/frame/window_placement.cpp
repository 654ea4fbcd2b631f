#include "frame/window_placement.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

constexpr int kFields = WindowPlacement::kBytes / 4;

qint32 fieldAt(const QByteArray &bytes, int index) {
    return qFromLittleEndian<qint32>(bytes.constData() + 4 * index);
}

}  // namespace

WindowPlacement WindowPlacement::FromGeometry(const QRect &normal, qint32 showCommand) {
    WindowPlacement placement;
    placement.showCommand = showCommand;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    return placement;
}

std::optional<WindowPlacement> WindowPlacement::Parse(const QByteArray &bytes) {
    if (bytes.size() != kBytes) return std::nullopt;
    WindowPlacement p;
    p.flags = fieldAt(bytes, 1);
    p.showCommand = fieldAt(bytes, 2);
    p.minPosition = {fieldAt(bytes, 3), fieldAt(bytes, 4)};
    p.maxPosition = {fieldAt(bytes, 5), fieldAt(bytes, 6)};
    p.left = fieldAt(bytes, 7);
    p.top = fieldAt(bytes, 8);
    p.right = fieldAt(bytes, 9);
    p.bottom = fieldAt(bytes, 10);
    return p;
}

QByteArray WindowPlacement::Encode() const {
    const std::array<qint32, kFields> fields{kBytes,          flags, showCommand, minPosition.x(),
                                             minPosition.y(), maxPosition.x(), maxPosition.y(),
                                             left,            top,   right,       bottom};
    QByteArray bytes(kBytes, '\0');
    for (int i = 0; i < kFields; ++i) qToLittleEndian(fields[static_cast<size_t>(i)], bytes.data() + 4 * i);
    return bytes;
}

PlacementDecision DecidePlacement(const std::optional<WindowPlacement> &saved, const QList<QRect> &workAreas) {
    PlacementDecision decision;
    if (!saved) return decision;
    decision.maximised = saved->showCommand == WindowPlacement::ShowMaximized;
    if (saved->IsInverted()) return decision;
    const QRect normal = saved->Normal();
    const bool onAScreen =
        std::any_of(workAreas.begin(), workAreas.end(), [&](const QRect &area) { return area.intersects(normal); });
    if (onAScreen) {
        decision.centred = false;
        decision.geometry = normal;
    } else {
        decision.size = normal.size();
    }
    return decision;
}

std::optional<std::pair<qint32, qint32>> ParseIntPair(const QByteArray &bytes) {
    if (bytes.size() < 8) return std::nullopt;
    return std::pair{fieldAt(bytes, 0), fieldAt(bytes, 1)};
}

QByteArray EncodeIntPair(qint32 first, qint32 second) {
    QByteArray bytes(8, '\0');
    qToLittleEndian(first, bytes.data());
    qToLittleEndian(second, bytes.data() + 4);
    return bytes;
}
