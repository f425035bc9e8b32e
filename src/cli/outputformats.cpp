// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputformats.h"

#include "platform/nativename.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

const QLatin1String kTableGap("  ");
const QLatin1String kExactBytesSuffix("Hex");
const QLatin1String kObjectIndent("    ");
const QLatin1String kMemberIndent("        ");
// Longer digit runs may not survive the way through a double unchanged.
constexpr qsizetype kExactDigits = 15;

// Whether the text is a cell as it stands: no control character, no lone surrogate.
bool ShownAsItIs(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F))
            return false;
        if (!QChar::isSurrogate(unit))
            continue;
        if (!QChar::isHighSurrogate(unit) || i + 1 >= text.size() ||
            !QChar::isLowSurrogate(text[i + 1].unicode()))
            return false;
        ++i;
    }
    return true;
}

// Padded to width and added to the line.
void AddPadded(QString& line, QStringView cell, qsizetype width, bool alignRight) {
    const qsizetype padding = std::max<qsizetype>(0, width - cell.size());
    if (alignRight)
        line.resize(line.size() + padding, QLatin1Char(' '));
    line.append(cell);
    if (!alignRight)
        line.resize(line.size() + padding, QLatin1Char(' '));
}

void WriteTableLine(QString& line, COutputBuffer& out) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == QLatin1Char(' '))
        --end;
    out.AppendNative(QStringView(line).first(end));
    out.Append('\n');
}

// The values that name files: json adds their exact bytes when they are not valid UTF-8.
bool IsPathKey(QStringView key) {
    static const QStringList kPathKeys{QStringLiteral("name"),    QStringLiteral("newName"),
                                       QStringLiteral("subDir"),  QStringLiteral("path"),
                                       QStringLiteral("newPath"), QStringLiteral("folder")};
    return kPathKeys.contains(key);
}

bool IsShortDigitRun(QStringView text) {
    if (text.isEmpty() || text.size() > kExactDigits || (text.size() > 1 && text[0] == u'0'))
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// As QJsonDocument writes the number a numeric column's text holds (null for none).
void WriteJsonNumber(QStringView text, COutputBuffer& out) {
    if (text.isEmpty()) {
        out.Append(QLatin1String("null"));
    } else if (IsShortDigitRun(text)) {
        out.AppendNative(text);
    } else {
        const QByteArray compact =
            QJsonDocument(QJsonArray{text.toString().toDouble()}).toJson(QJsonDocument::Compact);
        out.Append(QByteArrayView(compact).sliced(1, compact.size() - 2));
    }
}

void WriteJsonMember(QStringView key, COutputBuffer& out) {
    out.Append(kMemberIndent);
    out.AppendJsonString(key);
    out.Append(QLatin1String(": "));
}

// The columns json writes: each key once, where it first appears.
QList<qsizetype> DistinctColumns(const OUTPUTROWS& output) {
    QList<qsizetype> columns;
    for (qsizetype c = 0; c < output.keys.size(); ++c) {
        if (output.keys.indexOf(output.keys[c]) == c)
            columns.append(c);
    }
    return columns;
}

void WriteJsonObject(const OUTPUTROWS& output, qsizetype row, const QList<qsizetype>& columns,
                     QString& scratch, COutputBuffer& out) {
    out.Append(kObjectIndent);
    out.Append(QLatin1String("{\n"));
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const qsizetype c = columns[i];
        const QStringView value = RowValue(output, row, c, scratch);
        WriteJsonMember(output.keys[c], out);
        if (output.numeric[c]) {
            WriteJsonNumber(value, out);
        } else {
            out.AppendJsonString(value);
            if (IsPathKey(output.keys[c]) && HoldsUndecodableBytes(value)) {
                out.Append(QLatin1String(",\n"));
                WriteJsonMember(output.keys[c] + kExactBytesSuffix, out);
                out.Append('"');
                out.Append(EncodeNativeName(value).toHex());
                out.Append('"');
            }
        }
        out.Append(i + 1 < columns.size() ? QLatin1String(",\n") : QLatin1String("\n"));
    }
    out.Append(kObjectIndent);
    out.Append('}');
}

} // namespace

QString TableCell(QStringView value) {
    return ShownAsItIs(value) ? value.toString() : EscapeControlCharacters(value);
}

qsizetype TableCellWidth(QStringView value) {
    return ShownAsItIs(value) ? value.size() : EscapeControlCharacters(value).size();
}

void WriteTable(const OUTPUTROWS& output, COutputBuffer& out) {
    QString scratch;
    QList<qsizetype> widths;
    for (const QString& heading : output.headings)
        widths.append(heading.size());
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        PrefetchAhead(output, r);
        for (qsizetype c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], TableCellWidth(RowValue(output, r, c, scratch)));
    }
    QString line;
    for (qsizetype c = 0; c < widths.size(); ++c) {
        if (c > 0)
            line.append(kTableGap);
        AddPadded(line, output.headings[c], widths[c], output.alignRight[c]);
    }
    WriteTableLine(line, out);
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        PrefetchAhead(output, r);
        line.resize(0);
        for (qsizetype c = 0; c < widths.size(); ++c) {
            if (c > 0)
                line.append(kTableGap);
            const QStringView value = RowValue(output, r, c, scratch);
            if (ShownAsItIs(value))
                AddPadded(line, value, widths[c], output.alignRight[c]);
            else
                AddPadded(line, TableCell(value), widths[c], output.alignRight[c]);
        }
        WriteTableLine(line, out);
    }
}

void WriteTsv(const OUTPUTROWS& output, COutputBuffer& out) {
    for (qsizetype c = 0; c < output.keys.size(); ++c) {
        if (c > 0)
            out.Append('\t');
        out.AppendNative(output.keys[c]);
    }
    out.Append('\n');
    QString scratch;
    for (qsizetype r = 0; r < qsizetype(output.listRows.size()); ++r) {
        PrefetchAhead(output, r);
        for (qsizetype c = 0; c < output.columns.size(); ++c) {
            if (c > 0)
                out.Append('\t');
            out.AppendTsvField(RowValue(output, r, c, scratch));
        }
        out.Append('\n');
    }
}

void WriteJson(const OUTPUTROWS& output, COutputBuffer& out) {
    const QList<qsizetype> columns = DistinctColumns(output);
    QString scratch;
    out.Append(QLatin1String("[\n"));
    const auto rows = qsizetype(output.listRows.size());
    for (qsizetype r = 0; r < rows; ++r) {
        PrefetchAhead(output, r);
        WriteJsonObject(output, r, columns, scratch, out);
        out.Append(r + 1 < rows ? QLatin1String(",\n") : QLatin1String("\n"));
    }
    out.Append(QLatin1String("]\n"));
}
