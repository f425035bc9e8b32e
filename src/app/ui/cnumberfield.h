// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A number criterion: a line edit that keeps exactly what was typed ("007" stays
// "007") with up/down steps inside a range. Typing takes digits only; a negative value
// comes from a step or a loaded favourite. A step writes the stepped value in decimal.
class CNumberField : public QWidget {
    Q_OBJECT
public:
    CNumberField(int minimum, int maximum, QWidget* parent = nullptr);

    [[nodiscard]] QString Text() const;
    // Shows a value without reporting it as an edit.
    void SetText(const QString& text);
    void SetSpokenName(const QString& name);
    [[nodiscard]] QLineEdit* LineEdit() const { return m_edit; }

    // Up (+1) or down (-1), starting from the number the text begins with, kept in range.
    void Step(int direction);

signals:
    // The user typed or stepped; the text as it now stands.
    void TextEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* AddStepButton(Qt::ArrowType arrow, int direction);

    QLineEdit* m_edit;
    int m_minimum;
    int m_maximum;
};
