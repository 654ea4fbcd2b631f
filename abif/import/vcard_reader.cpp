#include "import/vcard_reader.h"

#include "core/ansi_code_page.h"

#include <QStringDecoder>

#include <cctype>
#include <vector>

namespace abif {

namespace {

// Splits at CR LF, LF or CR alone.
QList<QByteArrayView> physicalLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines << bytes.sliced(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << bytes.sliced(start);
    return lines;
}

// Position of the first `separator` outside double quotes, or -1.
qsizetype unquotedIndexOf(QByteArrayView text, char separator, qsizetype from = 0) {
    bool quoted = false;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        else if (text[i] == separator && !quoted) return i;
    }
    return -1;
}

QList<QByteArrayView> splitUnquoted(QByteArrayView text, char separator) {
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (qsizetype at; (at = unquotedIndexOf(text, separator, start)) >= 0; start = at + 1)
        parts << text.sliced(start, at - start);
    parts << text.sliced(start);
    return parts;
}

bool isEncodingName(QByteArrayView name) {
    const QByteArray upper = name.toByteArray().toUpper();
    return upper == "QUOTED-PRINTABLE" || upper == "BASE64" || upper == "B" || upper == "8BIT" || upper == "7BIT";
}

// The encoding a line's head declares, upper case, or empty.
QByteArray encodingOf(QByteArrayView line) {
    const qsizetype colon = unquotedIndexOf(line, ':');
    const QByteArrayView head = colon < 0 ? line : line.first(colon);
    const QList<QByteArrayView> parts = splitUnquoted(head, ';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const qsizetype eq = parts[i].indexOf('=');
        const QByteArrayView name = eq < 0 ? QByteArrayView() : parts[i].first(eq).trimmed();
        if (eq < 0 && isEncodingName(parts[i].trimmed())) return parts[i].trimmed().toByteArray().toUpper();
        if (name.compare("ENCODING", Qt::CaseInsensitive) == 0) return parts[i].sliced(eq + 1).trimmed().toByteArray().toUpper();
    }
    return {};
}

bool isBase64Encoding(const QByteArray &encoding) { return encoding == "BASE64" || encoding == "B"; }

bool isBase64Continuation(QByteArrayView line) {
    if (line.trimmed().isEmpty()) return false;
    for (char c : line)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/' || c == '=' || c == ' ' || c == '\t'))
            return false;
    return true;
}

// A logical line while it is being joined: where its head ends is found as
// pieces arrive, each byte looked at once, however many pieces there are.
class LogicalLine {
public:
    explicit LogicalLine(QByteArrayView first) { append(first); }

    void append(QByteArrayView piece) {
        text_ += piece;
        for (; colon_ < 0 && scanned_ < text_.size(); ++scanned_) {
            if (text_[scanned_] == '"') quoted_ = !quoted_;
            else if (text_[scanned_] == ':' && !quoted_) colon_ = scanned_;
        }
        if (colon_ >= 0 && !encodingKnown_) {
            encoding_ = encodingOf(QByteArrayView(text_).first(colon_ + 1));
            encodingKnown_ = true;
        }
    }
    void chop() { text_.chop(1); }

    [[nodiscard]] const QByteArray &text() const { return text_; }
    [[nodiscard]] bool hasValue() const { return colon_ >= 0; }
    [[nodiscard]] const QByteArray &encoding() const { return encoding_; }

private:
    QByteArray text_;
    qsizetype scanned_ = 0;
    qsizetype colon_ = -1;
    bool quoted_ = false;
    bool encodingKnown_ = false;
    QByteArray encoding_;
};

// Joins folded lines (a line that begins with a space or tab continues the
// one before it), quoted-printable soft line breaks (a value line ending in
// "=") and 2.1 base64 values, whose lines run unindented up to a blank line.
QList<QByteArray> logicalLines(QByteArrayView bytes) {
    std::vector<LogicalLine> lines;
    bool softBreak = false;
    for (QByteArrayView physical : physicalLines(bytes)) {
        if (!lines.empty() && softBreak) {
            lines.back().append(physical);
        } else if (!lines.empty() && !physical.isEmpty() && (physical[0] == ' ' || physical[0] == '\t')) {
            lines.back().append(physical.sliced(1));
        } else if (!lines.empty() && isBase64Encoding(lines.back().encoding()) &&
                   unquotedIndexOf(physical, ':') < 0 && isBase64Continuation(physical)) {
            lines.back().append(physical);
        } else {
            lines.emplace_back(physical);
        }
        LogicalLine &last = lines.back();
        softBreak = last.hasValue() && last.encoding() == "QUOTED-PRINTABLE" && last.text().endsWith('=');
        if (softBreak) last.chop();
    }
    QList<QByteArray> texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const LogicalLine &line : lines) texts << line.text();
    return texts;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(QByteArrayView encoded) {
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const int high = encoded[i] == '=' && i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(encoded[i + 2]) : -1;
        if (low < 0) {
            bytes += encoded[i];
            continue;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

bool isBinaryProperty(const QByteArray &name) {
    return name == "PHOTO" || name == "LOGO" || name == "SOUND" || name == "KEY";
}

class CardParser {
public:
    QList<VCard> read(QByteArrayView bytes);

private:
    std::optional<VCardProperty> parseLine(QByteArrayView line);
    QString decodeText(QByteArrayView bytes, const std::optional<QString> &charset);

    AnsiDecoder fileDecoder_;
};

QString CardParser::decodeText(QByteArrayView bytes, const std::optional<QString> &charset) {
    if (charset) {
        QStringDecoder decoder(charset->toLatin1().constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError()) return text;
        }
    }
    return fileDecoder_.decode(bytes);
}

std::optional<VCardProperty> CardParser::parseLine(QByteArrayView line) {
    const qsizetype colon = unquotedIndexOf(line, ':');
    if (colon < 0) return std::nullopt;
    const QList<QByteArrayView> head = splitUnquoted(line.first(colon), ';');
    VCardProperty property;
    const QByteArrayView fullName = head[0].trimmed();
    const qsizetype dot = fullName.lastIndexOf('.');
    property.group = dot < 0 ? QByteArray() : fullName.first(dot).toByteArray();
    property.name = fullName.sliced(dot + 1).toByteArray().toUpper();
    if (property.name.isEmpty()) return std::nullopt;

    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArrayView parameter = head[i].trimmed();
        if (parameter.isEmpty()) continue;
        const qsizetype eq = parameter.indexOf('=');
        if (eq < 0) {
            property.parameters.append({isEncodingName(parameter) ? "ENCODING" : "TYPE", QString::fromLatin1(parameter)});
            continue;
        }
        QByteArrayView value = parameter.sliced(eq + 1).trimmed();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.sliced(1, value.size() - 2);
        property.parameters.append({parameter.first(eq).trimmed().toByteArray().toUpper(), decodeText(value, std::nullopt)});
    }

    const QByteArray encoding = property.parameter("ENCODING").value_or(QString()).toUpper().toLatin1();
    QByteArrayView raw = line.sliced(colon + 1);
    QByteArray bytes;
    if (encoding == "QUOTED-PRINTABLE") {
        bytes = decodeQuotedPrintable(raw);
    } else if (isBase64Encoding(encoding)) {
        // Pictures and keys are of no use to an address import.
        if (isBinaryProperty(property.name)) return property;
        bytes = QByteArray::fromBase64(raw.toByteArray());
    } else {
        bytes = raw.toByteArray();
    }
    property.value = decodeText(bytes, property.parameter("CHARSET"));
    return property;
}

// States: outside a card; inside one (properties are collected); inside a
// card embedded in a property of the current one (2.1 AGENT), skipped up to
// its END.
QList<VCard> CardParser::read(QByteArrayView bytes) {
    QList<VCard> cards;
    std::optional<VCard> card;
    int embedded = 0;
    for (const QByteArray &line : logicalLines(bytes)) {
        std::optional<VCardProperty> property = parseLine(line);
        if (!property) continue;
        const bool isVCardValue = property->value.trimmed().compare(u"VCARD", Qt::CaseInsensitive) == 0;
        if (property->name == "BEGIN" && isVCardValue) {
            if (card) ++embedded;
            else card.emplace();
        } else if (property->name == "END" && isVCardValue && card) {
            if (embedded > 0) {
                --embedded;
            } else {
                cards << *card;
                card.reset();
            }
        } else if (card && embedded == 0) {
            card->properties << *property;
        }
    }
    if (card) cards << *card;
    return cards;
}

QString unescape(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const QChar next = text[++i];
        plain += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
    }
    return plain;
}

}  // namespace

QStringList VCardProperty::types() const {
    QStringList list;
    for (const auto &[name, value] : parameters)
        if (name == "TYPE")
            for (const QString &item : value.split(u',', Qt::SkipEmptyParts)) list << item.trimmed().toUpper();
    return list;
}

bool VCardProperty::hasType(QStringView type) const {
    return types().contains(type.toString().toUpper());
}

std::optional<QString> VCardProperty::parameter(QByteArrayView name) const {
    for (const auto &[key, value] : parameters)
        if (key == name) return value;
    return std::nullopt;
}

QString VCardProperty::text() const { return unescape(value); }

QStringList VCardProperty::components() const {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\') {
            ++i;
        } else if (value[i] == u';') {
            parts << unescape(QStringView(value).sliced(start, i - start));
            start = i + 1;
        }
    }
    parts << unescape(QStringView(value).sliced(start));
    return parts;
}

const VCardProperty *VCard::first(QByteArrayView name) const {
    for (const VCardProperty &property : properties)
        if (property.name == name) return &property;
    return nullptr;
}

QList<const VCardProperty *> VCard::all(QByteArrayView name) const {
    QList<const VCardProperty *> found;
    for (const VCardProperty &property : properties)
        if (property.name == name) found << &property;
    return found;
}

QList<VCard> readVCards(QByteArrayView bytes) { return CardParser().read(bytes); }

}  // namespace abif
