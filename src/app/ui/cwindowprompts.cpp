// SPDX-License-Identifier: GPL-3.0-or-later
#include "cwindowprompts.h"

#include "cstatuspanes.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

PromptAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Ok;
    }
}

// A dialog with a "show again" box; true when accepted with OK.
bool AskWithShowAgain(QWidget* parent, const QString& caption, const QString& text,
                      const QString& boxText, QMessageBox::Icon icon, bool& showAgain) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::RichText);
    auto* again = new QCheckBox(boxText, &box);
    again->setAccessibleName(boxText);
    again->setChecked(showAgain);
    box.setCheckBox(again);
    const bool accepted = box.exec() == QMessageBox::Ok;
    if (accepted)
        showAgain = again->isChecked();
    return accepted;
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace

void CWindowPrompts::SetWindow(QWidget* window, CStatusPanes* panes) {
    m_window = window;
    m_panes = panes;
}

PromptAnswer CWindowPrompts::Ask(const QString& text, PromptButtons buttons, PromptIcon icon) {
    QMessageBox box(BoxIcon(icon), QStringLiteral("Quorvin"), text, BoxButtons(buttons), m_window);
    return AnswerOf(box.exec());
}

void CWindowPrompts::SetStatus(StatusPane pane, const QString& text) {
    if (!m_panes)
        return;
    switch (pane) {
    case StatusPane::Favourite:
        m_panes->SetFavourite(text);
        break;
    case StatusPane::Pattern:
        // An empty pattern status only clears the pane's own message.
        if (!text.isEmpty())
            m_panes->SetMessage(text);
        else if (m_panes->Message() == QStringLiteral("Regular Expression is invalid"))
            m_panes->SetMessage(QString());
        break;
    case StatusPane::Message:
        m_panes->SetMessage(text);
        break;
    }
}

void CWindowPrompts::ShowText(const QString& caption, const QString& text, PromptIcon icon) {
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, m_window);
    box.exec();
}

bool CWindowPrompts::ConfirmRename(const QString& message, const QString& text, bool& showAgain) {
    const QString body =
        QStringLiteral("<b>") + Escaped(message) + QStringLiteral("</b><br><br>") + Escaped(text);
    return AskWithShowAgain(m_window, QStringLiteral("Warning! Files will be renamed!"), body,
                            QStringLiteral("Show This Warning Again"), QMessageBox::Warning,
                            showAgain);
}

void CWindowPrompts::RenameComplete(const QString& text, bool& showAgain) {
    AskWithShowAgain(m_window, QStringLiteral("Rename Operation Complete!"), Escaped(text),
                     QStringLiteral("Show This Message Again"), QMessageBox::Information,
                     showAgain);
}

QString CWindowPrompts::AskOpenFileName(const FILEQUESTION& question) {
    return QFileDialog::getOpenFileName(m_window, QString(), question.initialPath, question.filter);
}

QString CWindowPrompts::AskSaveFileName(const FILEQUESTION& question) {
    QFileDialog dialog(m_window, QString(), question.initialPath, question.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(question.defaultExtension);
    if (!question.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// The state tells the progress to its listener; here the window only repaints.
void CWindowPrompts::KeepResponsive(qint64, qint64) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
