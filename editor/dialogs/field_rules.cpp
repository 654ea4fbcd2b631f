#include "dialogs/field_rules.h"

#include "model/adr_member.h"
#include "text/editor_text.h"

namespace {

bool inClass(char16_t c, CharClass charClass) {
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    const bool digit = c >= u'0' && c <= u'9';
    switch (charClass) {
    case CharPrintable: return c >= 32 && c <= 126;
    case CharPrintableLf: return (c >= 32 && c <= 126) || c == u'\n';
    case CharLetters: return letter;
    case CharDigits: return digit;
    case CharLettersDigits: return letter || digit;
    case CharFileNameSafe: return !QStringView(u"\"*/:<>?|").contains(QChar(c));
    case CharNoControl: return QChar::category(c) != QChar::Other_Control;
    }
    return false;
}

// Neither end is a full stop, no two follow each other, and every character
// is a letter, a digit or one of `symbols`.
bool isDotAtomText(QStringView part, const QString &symbols) {
    if (part.startsWith(u'.') || part.endsWith(u'.') || part.contains(u"..")) return false;
    return CheckCharacters(part.toString(), symbols, CharLettersDigits);
}

}  // namespace

bool CheckCharacters(const QString &text, const QString &extra, CharClass charClass) {
    for (const QChar c : text) {
        if (!inClass(c.unicode(), charClass) && !extra.contains(c)) return false;
    }
    return true;
}

bool CheckEmailAddress(const QString &text) {
    if (text.isEmpty() || text.count(u'@') > 1) return false;
    const qsizetype at = text.indexOf(u'@');
    if (at == 0 || at == text.size() - 1) return false;
    const QStringView whole(text);
    const QStringView local = at < 0 ? whole : whole.left(at);
    if (!isDotAtomText(local, QStringLiteral("!#$%&'*+-/=?^_`{|}~."))) return false;
    return at < 0 || isDotAtomText(whole.mid(at + 1), QStringLiteral("-."));
}

bool CheckPortNumber(int port, quint16 serverType) {
    if (port >= 5000 && port <= 65535) return true;
    if (serverType == CAdrMemberAioServer::kTypeSmb) return port == 139 || port == 445;
    return port == 21;
}

int PortRuleTextId(quint16 serverType) {
    return serverType == CAdrMemberAioServer::kTypeSmb ? lqa::ids::MsgPortRuleSmb : lqa::ids::MsgPortRuleFtp;
}

quint16 DefaultPortNumber(quint16 serverType) { return serverType == CAdrMemberAioServer::kTypeSmb ? 139 : 21; }

QString FormatTitle(const QString &format, int id, const QString &name) {
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        const QChar next = format[i + 1];
        if (next == u's') {
            out += name;
            ++i;
        } else if (next == u'd') {
            out += QString::number(id);
            ++i;
        } else if (next == u'0' && i + 3 < format.size() && format[i + 2].isDigit() && format[i + 3] == u'd') {
            out += QStringLiteral("%1").arg(id, format[i + 2].digitValue(), 10, QLatin1Char('0'));
            i += 3;
        } else if (next == u'%') {
            out += u'%';
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

QString FillInText(const QStringList &fieldNames) {
    return lqa::loadText(lqa::ids::MsgFillIn) + u'\n' + fieldNames.join(u'\n');
}

QString RangeErrorText(int max) {
    return lqa::formatText(lqa::ids::MsgValueInvalid, {lqa::loadText(lqa::ids::TitleId)}) + u'\n'
           + lqa::formatText(lqa::ids::MsgNumberRange, {QStringLiteral("1"), QString::number(max)});
}

QString CharacterErrorText(int fieldTextId, int ruleTextId) {
    // Rule texts may spell a percent sign as "%%".
    return lqa::formatText(lqa::ids::MsgInvalidCharacters, {lqa::loadText(fieldTextId)}) + u'\n'
           + lqa::formatText(ruleTextId, {});
}

QString LengthLimitText(int max) { return lqa::loadText(lqa::ids::MsgLengthLimit).arg(max); }

QString CutToLength(const QString &text, int max) {
    if (text.size() <= max) return text;
    return text.left(max > 0 && text.at(max - 1).isHighSurrogate() ? max - 1 : max);
}

bool ExceedsBytes(const QString &text, int maxBytes) { return text.toLocal8Bit().size() > maxBytes; }
