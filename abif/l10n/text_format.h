// How a loaded text is filled in: its "%d" and "%s" fields take `fields` in
// order and "%%" becomes "%"; any other "%" stays (numbered "%1" fields are
// left for QString::arg). Header-only, so that the program, which reaches
// the library only through its C exports, fills its texts by the same rule.
#pragma once

#include <QString>
#include <QStringList>

namespace abif {

inline QString formatText(const QString &format, const QStringList &fields) {
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        const QChar following = i + 1 < format.size() ? format[i + 1] : QChar();
        if (c == u'%' && (following == u'd' || following == u's')) {
            if (next < fields.size()) out += fields[next++];
            ++i;
        } else if (c == u'%' && following == u'%') {
            out += u'%';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace abif
