// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputformats.h"

#include "platform/nativename.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "orderedjson.h"

namespace {

const QLatin1String kTableGap("  ");
const QLatin1String kExactBytesSuffix("Hex");

QString PadCell(const QString& text, qsizetype width, bool alignRight) {
    return alignRight ? text.rightJustified(width) : text.leftJustified(width);
}

QString TableLine(const QStringList& cells, const QList<qsizetype>& widths,
                  const QList<bool>& alignRight) {
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += kTableGap;
        line += PadCell(cells[c], widths[c], alignRight[c]);
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

// A table cell is one line: control characters would break the alignment.
QString OneLine(const QString& text) {
    return EscapeControlCharacters(text);
}

// The values that name files: json adds their exact bytes when they are not valid UTF-8.
bool IsPathKey(QStringView key) {
    static const QStringList kPathKeys{QStringLiteral("name"),    QStringLiteral("newName"),
                                       QStringLiteral("subDir"),  QStringLiteral("path"),
                                       QStringLiteral("newPath"), QStringLiteral("folder")};
    return kPathKeys.contains(key);
}

} // namespace

QString FormatTable(const OUTPUTROWS& output) {
    QList<QStringList> cells;
    cells.append(output.headings);
    for (const QStringList& row : output.rows) {
        QStringList line;
        for (const QString& value : row)
            line.append(OneLine(value));
        cells.append(line);
    }
    QList<qsizetype> widths(output.keys.size(), 0);
    for (const QStringList& row : std::as_const(cells)) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], row[c].size());
    }
    QString text;
    for (const QStringList& row : std::as_const(cells))
        text += TableLine(row, widths, output.alignRight);
    return text;
}

QString EscapeTsvField(const QString& value) {
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QLatin1String("\\\\");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    return escaped;
}

QString FormatTsv(const OUTPUTROWS& output) {
    QString text = output.keys.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList& row : output.rows) {
        QStringList fields;
        for (const QString& value : row)
            fields.append(EscapeTsvField(value));
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

QString FormatJson(const OUTPUTROWS& output) {
    QList<QJsonObject> objects;
    for (const QStringList& row : output.rows) {
        QJsonObject object;
        for (qsizetype c = 0; c < output.keys.size(); ++c) {
            if (!output.numeric[c]) {
                object.insert(output.keys[c], ShownName(row[c]));
                if (IsPathKey(output.keys[c]) && HoldsUndecodableBytes(row[c]))
                    object.insert(output.keys[c] + kExactBytesSuffix,
                                  QString::fromLatin1(EncodeNativeName(row[c]).toHex()));
            } else if (row[c].isEmpty())
                object.insert(output.keys[c], QJsonValue::Null);
            else
                object.insert(output.keys[c], row[c].toDouble());
        }
        objects.append(object);
    }
    return OrderedJsonText(objects, output.keys);
}

QString TableCell(const QString& value) {
    return OneLine(value);
}
