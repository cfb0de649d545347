#include "commatext.h"

#include "blanks.h"

namespace vendara::commatext {
namespace {

bool needsQuotes(const QString &field)
{
    for (QChar c : field)
        if (isBlank(c) || c == u',' || c == u'"')
            return true;
    return false;
}

// Reads a quoted string starting at text[i] == '"'; leaves i after the closing
// quote (or at the end when there is none).
QString readQuoted(QStringView text, qsizetype &i)
{
    QString out;
    ++i;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'"') {
            if (i + 1 < text.size() && text[i + 1] == u'"') {
                out += u'"';
                i += 2;
                continue;
            }
            ++i;
            return out;
        }
        out += c;
        ++i;
    }
    return out;
}

void skipBlanks(QStringView text, qsizetype &i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
}

} // namespace

QString join(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        const QString &f = fields[i];
        if (needsQuotes(f)) {
            QString quoted = f;
            quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
            line += u'"' + quoted + u'"';
        } else {
            line += f;
        }
    }
    return line;
}

QStringList split(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    skipBlanks(line, i);
    while (i < line.size()) {
        if (line[i] == u'"') {
            fields.append(readQuoted(line, i));
        } else {
            const qsizetype start = i;
            while (i < line.size() && !isBlank(line[i]) && line[i] != u',')
                ++i;
            fields.append(line.mid(start, i - start).toString());
        }
        skipBlanks(line, i);
        if (i < line.size() && line[i] == u',') {
            if (i + 1 == line.size())
                fields.append(QString());
            ++i;
            skipBlanks(line, i);
        }
    }
    return fields;
}

QStringList splitToGridCells(QStringView line)
{
    QStringList cells = split(line);
    for (QString &cell : cells)
        if (cell.isEmpty())
            cell = QStringLiteral(" ");
    return cells;
}

QStringList splitRowLine(QStringView line, int cellCount)
{
    QStringList fields;
    QString current;
    bool inQuotes = false;
    bool quotedField = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < line.size() && line[i + 1] == u'"') {
                    current += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                current += c;
            }
            continue;
        }
        if (c == u',' || c == u'\t') {
            fields.append(current);
            current.clear();
            quotedField = false;
            continue;
        }
        if (c == u'"' && current.isEmpty() && !quotedField) {
            inQuotes = true;
            quotedField = true;
            continue;
        }
        // Text after a closing quote belongs to nothing and is dropped.
        if (!quotedField)
            current += c;
    }
    fields.append(current);

    QStringList cells;
    for (int i = 0; i < cellCount; ++i) {
        QString cell = i < fields.size() ? fields[i] : QString();
        if (isBlankText(cell))
            cell.clear();
        cells.append(cell);
    }
    return cells;
}

QStringList splitScriptFields(QStringView value)
{
    QStringList fields;
    if (value.isEmpty())
        return fields;
    qsizetype start = 0;
    QList<QStringView> raw;
    for (qsizetype i = 0; i <= value.size(); ++i) {
        if (i == value.size() || value[i] == u',' || value[i] == u'\t') {
            raw.append(value.mid(start, i - start));
            start = i + 1;
        }
    }
    if (value.back() == u',' || value.back() == u'\t')
        raw.removeLast();
    for (QStringView f : raw) {
        if (f.startsWith(u'"')) {
            qsizetype i = 1;
            QString inner;
            bool closed = false;
            while (i < f.size()) {
                if (f[i] == u'"') {
                    if (i + 1 < f.size() && f[i + 1] == u'"') {
                        inner += u'"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                inner += f[i++];
            }
            fields.append(closed ? inner : f.toString());
        } else {
            fields.append(f.toString());
        }
    }
    return fields;
}

} // namespace vendara::commatext
