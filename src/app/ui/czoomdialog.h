// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// "Zoom": a criteria field's text in one wide line.
class CZoomDialog : public QDialog {
    Q_OBJECT
public:
    explicit CZoomDialog(const QString& text, QWidget* parent = nullptr);
    [[nodiscard]] QString Text() const;

private:
    QLineEdit* m_edit;
};
