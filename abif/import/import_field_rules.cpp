#include "import/import_field_rules.h"

#include <algorithm>

namespace abif {

namespace {

bool isAsciiAlnum(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool isDottedPart(QStringView part, bool (*allowed)(QChar)) {
    if (part.contains(u"..") || part.startsWith(u'.') || part.endsWith(u'.')) return false;
    return std::all_of(part.begin(), part.end(), allowed);
}

bool isLocalPartCharacter(QChar c) {
    return isAsciiAlnum(c) || QStringView(u"!#$%&'*+-/=?^_`{|}~.").contains(c);
}

bool isDomainCharacter(QChar c) { return isAsciiAlnum(c) || c == u'-' || c == u'.'; }

}  // namespace

bool isPrintableAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 126; });
}

bool hasFaxNumberCharacters(QStringView number) {
    return std::all_of(number.begin(), number.end(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || QStringView(u"*#:=-").contains(c); });
}

bool isEmailAddress(QStringView address) {
    if (address.isEmpty() || address.count(u'@') > 1 || address.startsWith(u'@') || address.endsWith(u'@'))
        return false;
    const qsizetype at = address.indexOf(u'@');
    if (at < 0) return isDottedPart(address, isLocalPartCharacter);
    return isDottedPart(address.left(at), isLocalPartCharacter) &&
           isDottedPart(address.mid(at + 1), isDomainCharacter);
}

QString withoutControlCharacters(QString text, LineBreaks lineBreaks) {
    const bool keepLineBreaks = lineBreaks == LineBreaks::Keep;
    if (!keepLineBreaks) text.replace(u"\r\n"_qs, u" "_qs);
    for (QChar &c : text) {
        const bool lineBreak = c == u'\r' || c == u'\n';
        if (c.category() == QChar::Other_Control && !(keepLineBreaks && lineBreak)) c = u' ';
    }
    return text;
}

}  // namespace abif
