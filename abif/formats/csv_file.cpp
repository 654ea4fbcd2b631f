#include "formats/csv_file.h"

#include <new>

namespace {

bool needsQuotes(QStringView field) {
    for (QChar c : field)
        if (c == u'"' || c == u',' || c == u'\r' || c == u'\n') return true;
    return false;
}

// Quotes doubled, every line break (CR LF, CR or LF) made a single LF.
void appendQuoted(QString &line, QStringView field) {
    line += u'"';
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'"') {
            line += u"\"\"";
        } else if (c == u'\r') {
            line += u'\n';
            if (i + 1 < field.size() && field[i + 1] == u'\n') ++i;
        } else {
            line += c;
        }
    }
    line += u'"';
}

}  // namespace

CCSVFile::CCSVFile(abif::ByteSource &source) : source_(&source) {}

CCSVFile::CCSVFile(abif::ByteSink &sink) : sink_(&sink) {}

bool CCSVFile::detectEncoding() {
    if (!source_) return false;
    const QByteArrayView head = source_->peek(3);
    if (head.size() >= 2 && head.startsWith("\xFF\xFE")) {
        encoding_ = EncodingUtf16LE;
        return false;
    }
    if (head.size() >= 2 && head.startsWith("\xFE\xFF")) {
        encoding_ = EncodingUtf16BE;
        return false;
    }
    if (head == "\xEF\xBB\xBF") {
        source_->skip(3);
        encoding_ = EncodingUtf8;
        return true;
    }
    encoding_ = EncodingAnsi;
    return true;
}

bool CCSVFile::readLine(QString &line) {
    if (!source_ || (encoding_ != EncodingAnsi && encoding_ != EncodingUtf8)) return false;
    lineBytes_.clear();
    if (!source_->readLine(lineBytes_)) return false;
    // Windows programs end lines with CR LF; the CR belongs to the line end.
    if (lineBytes_.endsWith('\n')) {
        lineBytes_.chop(lineBytes_.endsWith("\r\n") ? 2 : 1);
    }
    line = encoding_ == EncodingAnsi ? ansi_.decode(lineBytes_) : QString(utf8_.decode(lineBytes_));
    return true;
}

void CCSVFile::writeText(QStringView text) {
    if (!sink_) return;
    if (encoding_ == EncodingAnsi)
        sink_->write(abif::systemAnsiCodePage().encode(text));
    else if (encoding_ == EncodingUtf8)
        sink_->write(text.toUtf8());
}

// States of one field: plain text up to a comma; or, after an opening quote,
// quoted text up to a quote, which either doubles (one quote in the field) or
// closes, after which plain text up to the comma is kept as it stands.
bool CCSVFile::readFields(QStringList &fields) {
    QString line;
    if (!readLine(line)) return false;
    QStringView rest(line);
    while (!rest.isEmpty()) {
        QString field;
        qsizetype comma;
        if (rest.front() != u'"') {
            comma = rest.indexOf(u',');
            field = rest.left(comma).toString();
        } else {
            qsizetype pos = 1;
            for (;;) {
                const qsizetype quote = rest.indexOf(u'"', pos);
                if (quote < 0) {
                    // The field goes on in the next line.
                    field += rest.mid(pos);
                    field += u"\r\n";
                    if (!readLine(line)) return false;
                    rest = line;
                    pos = 0;
                    continue;
                }
                field += rest.mid(pos, quote - pos);
                if (quote + 1 < rest.size() && rest[quote + 1] == u'"') {
                    field += u'"';
                    pos = quote + 2;
                    continue;
                }
                comma = rest.indexOf(u',', quote + 1);
                field += rest.mid(quote + 1, comma < 0 ? -1 : comma - quote - 1);
                break;
            }
        }
        fields.append(std::move(field));
        if (comma < 0) break;
        rest = rest.mid(comma + 1);
        if (rest.isEmpty()) fields.append(QString());
    }
    return true;
}

int32_t CCSVFile::readRecord(QStringList &fields) {
    try {
        fields.clear();
        if (!readFields(fields)) {
            // Fields of a record the file ended inside are not a record.
            fields.clear();
            return -1;
        }
        return static_cast<int32_t>(fields.size());
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
}

int32_t CCSVFile::writeRecord(const QStringList &fields) {
    try {
        QString line;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0) line += u',';
            if (needsQuotes(fields[i]))
                appendQuoted(line, fields[i]);
            else
                line += fields[i];
        }
        line += u"\r\n";
        writeText(line);
        return static_cast<int32_t>(fields.size());
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
}
