// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Thunar's custom actions file (uca.xml): adds, replaces or removes the one action whose
// unique-id is ours, passing every other token of the user's file through a real XML reader
// and writer, so the user's own actions keep their meaning.
class CThunarActions {
public:
    // The action written for helperPath (an <action> element).
    explicit CThunarActions(const QByteArray& helperPath);

    // The document with our action added, or replaced where it already is; nothing when the
    // document is not well-formed XML with an <actions> root.
    [[nodiscard]] std::optional<QByteArray> WithAction(const QByteArray& document) const;
    // The document without our action; nothing when it is not well-formed.
    [[nodiscard]] static std::optional<QByteArray> WithoutAction(const QByteArray& document);
    // Whether the document holds our action.
    [[nodiscard]] static bool HasAction(const QByteArray& document);
    // Whether two documents mean the same: the same tokens, blanks between elements ignored.
    [[nodiscard]] static bool SameMeaning(const QByteArray& first, const QByteArray& second);
    // A document with no actions, for a user who has none yet.
    [[nodiscard]] static QByteArray EmptyDocument();

    [[nodiscard]] static QString UniqueId() { return QStringLiteral("quorvin-here"); }

private:
    [[nodiscard]] static std::optional<QByteArray> Edit(const QByteArray& document,
                                                        const QByteArray* replacement);

    QByteArray m_action;
};
