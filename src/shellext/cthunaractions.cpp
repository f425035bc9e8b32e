// SPDX-License-Identifier: GPL-3.0-or-later
#include "cthunaractions.h"

#include "heretexts.h"
#include "menufiles.h"

#include <QBuffer>
#include <QList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// One token of the reader, kept so that an action can be written out after it was read whole.
struct XMLTOKEN {
    QXmlStreamReader::TokenType type = QXmlStreamReader::NoToken;
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    bool cdata = false;
    bool whitespace = false;
};

XMLTOKEN TokenOf(const QXmlStreamReader& reader) {
    XMLTOKEN token;
    token.type = reader.tokenType();
    token.name = reader.qualifiedName().toString();
    if (token.type == QXmlStreamReader::ProcessingInstruction) {
        token.name = reader.processingInstructionTarget().toString();
        token.text = reader.processingInstructionData().toString();
    } else if (token.type == QXmlStreamReader::StartElement) {
        token.attributes = reader.attributes();
    } else {
        token.text = reader.text().toString();
    }
    token.cdata = reader.isCDATA();
    token.whitespace = reader.isWhitespace();
    return token;
}

void Write(QXmlStreamWriter& writer, const XMLTOKEN& token) {
    switch (token.type) {
    case QXmlStreamReader::StartElement:
        writer.writeStartElement(token.name);
        for (const QXmlStreamAttribute& attribute : token.attributes)
            writer.writeAttribute(attribute.qualifiedName().toString(),
                                  attribute.value().toString());
        break;
    case QXmlStreamReader::EndElement:
        writer.writeEndElement();
        break;
    case QXmlStreamReader::Characters:
        if (token.cdata)
            writer.writeCDATA(token.text);
        else
            writer.writeCharacters(token.text);
        break;
    case QXmlStreamReader::Comment:
        writer.writeComment(token.text);
        break;
    case QXmlStreamReader::ProcessingInstruction:
        writer.writeProcessingInstruction(token.name, token.text);
        break;
    case QXmlStreamReader::DTD:
        writer.writeDTD(token.text);
        break;
    case QXmlStreamReader::EntityReference:
        writer.writeEntityReference(token.name);
        break;
    default:
        break;
    }
}

bool IsOurs(const QList<XMLTOKEN>& action) {
    for (qsizetype i = 0; i + 1 < action.size(); ++i) {
        if (action[i].type == QXmlStreamReader::StartElement && action[i].name == u"unique-id" &&
            action[i + 1].type == QXmlStreamReader::Characters &&
            action[i + 1].text.trimmed() == CThunarActions::UniqueId())
            return true;
    }
    return false;
}

QList<XMLTOKEN> Tokens(const QByteArray& document, bool* wellFormed) {
    QXmlStreamReader reader(document);
    reader.setNamespaceProcessing(false);
    QList<XMLTOKEN> tokens;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.tokenType() != QXmlStreamReader::Invalid)
            tokens.append(TokenOf(reader));
    }
    *wellFormed = !reader.hasError();
    return tokens;
}

// The action element starting at index, up to and including its end tag.
qsizetype ActionEnd(const QList<XMLTOKEN>& tokens, qsizetype start) {
    int depth = 0;
    for (qsizetype i = start; i < tokens.size(); ++i) {
        if (tokens[i].type == QXmlStreamReader::StartElement)
            ++depth;
        else if (tokens[i].type == QXmlStreamReader::EndElement && --depth == 0)
            return i;
    }
    return tokens.size() - 1;
}

} // namespace

CThunarActions::CThunarActions(const QByteArray& helperPath) {
    QBuffer buffer(&m_action);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    writer.writeStartElement(QStringLiteral("action"));
    const auto element = [&writer](const QString& name, const QString& text) {
        writer.writeCharacters(QStringLiteral("\n\t"));
        if (text.isNull())
            writer.writeEmptyElement(name);
        else
            writer.writeTextElement(name, text);
    };
    element(QStringLiteral("icon"), HereIconName());
    element(QStringLiteral("name"), HereMenuText());
    element(QStringLiteral("submenu"), QStringLiteral(""));
    element(QStringLiteral("unique-id"), UniqueId());
    element(QStringLiteral("command"), QString::fromUtf8(ThunarCommand(helperPath)));
    element(QStringLiteral("description"), HereHelpText());
    element(QStringLiteral("range"), QStringLiteral(""));
    element(QStringLiteral("patterns"), QStringLiteral("*"));
    element(QStringLiteral("startup-notify"), QString());
    for (const char* kind :
         {"directories", "audio-files", "image-files", "other-files", "text-files", "video-files"})
        element(QString::fromLatin1(kind), QString());
    writer.writeCharacters(QStringLiteral("\n"));
    writer.writeEndElement();
}

std::optional<QByteArray> CThunarActions::WithAction(const QByteArray& document) const {
    return Edit(document, &m_action);
}

std::optional<QByteArray> CThunarActions::WithoutAction(const QByteArray& document) {
    return Edit(document, nullptr);
}

std::optional<QByteArray> CThunarActions::Edit(const QByteArray& document,
                                               const QByteArray* replacement) {
    bool wellFormed = false;
    const QList<XMLTOKEN> tokens = Tokens(document, &wellFormed);
    if (!wellFormed)
        return std::nullopt;
    QByteArray result;
    QBuffer buffer(&result);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    int depth = 0;
    bool placed = false;
    bool sawRoot = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const XMLTOKEN& token = tokens[i];
        if (token.type == QXmlStreamReader::StartDocument) {
            writer.writeStartDocument();
            writer.device()->write("\n"); // the reader drops blanks outside the root
            continue;
        }
        if (token.type == QXmlStreamReader::StartElement && depth == 0) {
            if (token.name != u"actions")
                return std::nullopt;
            sawRoot = true;
        }
        if (token.type == QXmlStreamReader::StartElement && depth == 1 && token.name == u"action") {
            const qsizetype end = ActionEnd(tokens, i);
            const QList<XMLTOKEN> action = tokens.mid(i, end - i + 1);
            i = end;
            if (!IsOurs(action)) {
                for (const XMLTOKEN& part : action)
                    Write(writer, part);
                continue;
            }
            if (replacement != nullptr && !placed) {
                writer.writeCharacters(QString()); // closes a pending start tag first
                writer.device()->write(*replacement);
                placed = true;
            } else if (i + 1 < tokens.size() && tokens[i + 1].whitespace) {
                ++i; // the line break that followed the removed action
            }
            continue;
        }
        if (token.type == QXmlStreamReader::EndElement && depth == 1 && replacement != nullptr &&
            !placed) {
            writer.writeCharacters(QString());
            writer.device()->write(*replacement);
            writer.writeCharacters(QStringLiteral("\n"));
            placed = true;
        }
        if (token.type == QXmlStreamReader::StartElement)
            ++depth;
        else if (token.type == QXmlStreamReader::EndElement)
            --depth;
        Write(writer, token);
        if (depth == 0 && (token.type == QXmlStreamReader::Comment ||
                           token.type == QXmlStreamReader::ProcessingInstruction ||
                           token.type == QXmlStreamReader::DTD))
            writer.device()->write("\n");
    }
    if (!sawRoot)
        return std::nullopt;
    writer.writeEndDocument();
    if (!result.endsWith('\n'))
        result += '\n';
    return result;
}

bool CThunarActions::HasAction(const QByteArray& document) {
    bool wellFormed = false;
    const QList<XMLTOKEN> tokens = Tokens(document, &wellFormed);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].type == QXmlStreamReader::StartElement && tokens[i].name == u"action") {
            const qsizetype end = ActionEnd(tokens, i);
            if (IsOurs(tokens.mid(i, end - i + 1)))
                return true;
            i = end;
        }
    }
    return false;
}

bool CThunarActions::SameMeaning(const QByteArray& first, const QByteArray& second) {
    bool firstWellFormed = false;
    bool secondWellFormed = false;
    const auto significant = [](const QList<XMLTOKEN>& tokens) {
        QStringList texts;
        for (const XMLTOKEN& token : tokens) {
            if (token.whitespace || token.type == QXmlStreamReader::StartDocument ||
                token.type == QXmlStreamReader::EndDocument)
                continue;
            QString text = QString::number(token.type) + u'|' + token.name + u'|' + token.text;
            for (const QXmlStreamAttribute& attribute : token.attributes)
                text += u'|' + attribute.qualifiedName().toString() + u'=' +
                        attribute.value().toString();
            texts.append(text);
        }
        return texts;
    };
    const QStringList a = significant(Tokens(first, &firstWellFormed));
    const QStringList b = significant(Tokens(second, &secondWellFormed));
    return firstWellFormed && secondWellFormed && a == b;
}

QByteArray CThunarActions::EmptyDocument() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n";
}
